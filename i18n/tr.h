#pragma once

// For the layers below the window that word their outcomes as std::string: a translated text
// (QCoreApplication::translate, so that lupdate finds it) with its %1, %2... filled in one pass,
// so a translation may reorder them and a filled-in value containing "%1" is left alone.

#include <QString>

#include <concepts>
#include <string>
#include <string_view>

namespace i18n {

namespace detail {
inline QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline QString Text(const char* s) { return QString::fromUtf8(s); }
inline QString Text(const std::string& s) { return QString::fromStdString(s); }
inline QString Text(const QString& s) { return s; }
template <std::integral N>
QString Text(N n) { return QString::number(n); }
} // namespace detail

template <typename... Args>
std::string Arg(const QString& translated, const Args&... args)
{
    if constexpr (sizeof...(Args) == 0)
        return translated.toStdString();
    else
        return translated.arg(detail::Text(args)...).toStdString();
}

} // namespace i18n

#pragma once

// Bytes travel through the test tables as hex text ("41 40 00 00"), so a
// failing comparison shows the bytes as they would be read off the line.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline std::vector<std::uint8_t> BytesOf(const QByteArray& hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    return {raw.begin(), raw.end()};
}

inline QByteArray HexOf(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))
        .toHex(' ')
        .toUpper();
}

inline std::string StdOf(const QByteArray& text) { return text.toStdString(); }
inline QByteArray QOf(const std::string& text) { return QByteArray::fromStdString(text); }

// Zero bytes appended to a hex literal, e.g. Zeros(29) for a padded long tag.
inline QByteArray Zeros(int count) { return QByteArray(" 00").repeated(count); }

// The same bytes in the form HexOf gives, for comparing against a literal.
inline QByteArray Hex(const QByteArray& hexLiteral) { return HexOf(BytesOf(hexLiteral)); }

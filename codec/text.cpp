#include "codec/text.h"

#include <cstdint>

namespace codec {

namespace {

bool IsControl(std::uint8_t b, bool utf8)
{
    // In UTF-8, 0x80..0x9F are continuation bytes, not C1 controls.
    return b < 0x20 || b == 0x7F || (!utf8 && b >= 0x80 && b <= 0x9F);
}

// Length of the UTF-8 sequence that starts at `i`, 0 when it is not a valid one.
std::size_t Utf8Length(std::string_view s, std::size_t i)
{
    const auto b = static_cast<std::uint8_t>(s[i]);
    std::size_t n = 0;
    std::uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<std::uint8_t>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates, beyond U+10FFFF and the C1 controls U+0080..U+009F.
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)
        || (cp >= 0x80 && cp <= 0x9F))
        return 0;
    return n;
}

} // namespace

std::string EscapeControl(std::string_view s, bool utf8)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<std::uint8_t>(s[i]);
        if (utf8 && b >= 0x80) {
            if (const std::size_t n = Utf8Length(s, i)) {
                out.append(s.substr(i, n));
                i += n;
                continue;
            }
        }
        if (b == '\\') {
            out += "\\\\";
        } else if (IsControl(b, false) || (utf8 && b >= 0x80)) {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        } else {
            out += static_cast<char>(b);
        }
        ++i;
    }
    return out;
}

bool HasControl(std::string_view s, bool utf8)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<std::uint8_t>(s[i]);
        if (utf8 && b >= 0x80) {
            const std::size_t n = Utf8Length(s, i);
            if (n == 0)
                return true;
            i += n;
            continue;
        }
        if (IsControl(b, utf8))
            return true;
        ++i;
    }
    return false;
}

} // namespace codec

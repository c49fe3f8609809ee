#include "codec/packed_ascii.h"

#include <algorithm>

namespace codec {

std::vector<std::uint8_t> PackAscii(std::string_view text, int n)
{
    const auto width = static_cast<std::size_t>(std::max(n, 0) / 4 * 4);
    std::string work(width, ' ');
    std::copy_n(text.begin(), std::min(text.size(), width), work.begin());

    std::vector<std::uint8_t> out;
    out.reserve(width / 4 * 3);
    for (std::size_t g = 0; g < width; g += 4) {
        const unsigned c0 = static_cast<unsigned char>(work[g]) & 0x3F;
        const unsigned c1 = static_cast<unsigned char>(work[g + 1]) & 0x3F;
        const unsigned c2 = static_cast<unsigned char>(work[g + 2]) & 0x3F;
        const unsigned c3 = static_cast<unsigned char>(work[g + 3]) & 0x3F;
        out.push_back(static_cast<std::uint8_t>((c0 << 2) | (c1 >> 4)));
        out.push_back(static_cast<std::uint8_t>(((c1 & 0x0F) << 4) | (c2 >> 2)));
        out.push_back(static_cast<std::uint8_t>(((c2 & 0x03) << 6) | c3));
    }
    return out;
}

std::string UnpackAscii(std::span<const std::uint8_t> bytes, int n)
{
    const auto width = static_cast<std::size_t>(std::max(n, 0) / 4 * 4);
    auto byteAt = [&](std::size_t k) -> unsigned { return k < bytes.size() ? bytes[k] : 0u; };
    auto toChar = [](unsigned code) { return static_cast<char>(code < 0x20 ? code + 0x40 : code); };

    std::string out;
    out.reserve(width);
    for (std::size_t g = 0; g < width / 4; ++g) {
        const unsigned b0 = byteAt(3 * g), b1 = byteAt(3 * g + 1), b2 = byteAt(3 * g + 2);
        out += toChar(b0 >> 2);
        out += toChar(((b0 & 0x03) << 4) | (b1 >> 4));
        out += toChar(((b1 & 0x0F) << 2) | (b2 >> 6));
        out += toChar(b2 & 0x3F);
    }
    return out;
}

} // namespace codec

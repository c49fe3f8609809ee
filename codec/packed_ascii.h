#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace codec {

// HART 6-bit packed ASCII: four characters in three bytes.
// `n` is the field's character count, a multiple of 4 (8, 16 or 32).

// Text bytes beyond `n` are dropped, a shorter text is padded with blanks;
// each byte is reduced to its low six bits, so lower case is not refused.
std::vector<std::uint8_t> PackAscii(std::string_view text, int n);

// Reads n/4 groups of three bytes; yields exactly `n` characters in 0x20..0x5F.
// Missing input bytes count as zero (read back as '@').
std::string UnpackAscii(std::span<const std::uint8_t> bytes, int n);

} // namespace codec

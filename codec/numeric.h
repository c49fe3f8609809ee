#pragma once

#include "codec/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace codec {

using FloatBytes = std::array<std::uint8_t, 4>;

// The user-facing messages of failed conversions; %s is replaced by the text.
std::string IntegerErrorText(std::string_view text);   // "'%s' is not a valid integer value"
std::string FloatErrorText(std::string_view text);     // "'%s' is not a valid floating point value"
std::string RangeErrorText(std::string_view text, long long lo, long long hi); // "'%s' is out of range (%d..%d)"

// Decimal integer: leading blanks, optional sign, digits (leading zeros
// allowed), nothing after them; must fit 32-bit signed.
Result<long long> ParseInteger(std::string_view text);
// As ParseInteger, then refused unless lo <= value <= hi.
Result<long long> ParseIntegerInRange(std::string_view text, long long lo, long long hi);
// Decimal floating point with the given separator: blanks around, sign,
// fraction, exponent; no thousands separators, no "inf" or "nan".
Result<double> ParseFloat(std::string_view text, std::string_view decimalSeparator = ".");

// Single precision, most significant byte first.
float DecodeFloatBE(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);
float DecodeFloatBE(std::span<const std::uint8_t, 4> bytes);
FloatBytes EncodeFloatBE(float value);
// Text to the nearest single, rounded once; refused when it is no number or
// lies outside the single-precision range.
Result<FloatBytes> EncodeFloatBE(std::string_view text, std::string_view decimalSeparator = ".");

// General decimal text: the exact value rounded to 15 significant digits,
// then cut (not rounded) to its first `width` characters when width >= 0.
// A cut drops only fraction digits: when the integer part or the exponent
// does not fit, the text is the exponent form with its mantissa cut to fit
// ("9.9999998E12" in 12 characters, "1.2E6" in 5).
std::string FloatText(double value, int width = -1, std::string_view decimalSeparator = ".");
// "0.000" when b0 is 0x7F, else the general text; cut to 6 characters.
std::string VariableText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         std::string_view decimalSeparator = ".");
std::string VariableText(std::span<const std::uint8_t, 4> bytes, std::string_view decimalSeparator = ".");
// Pattern "#.######": at most six decimals, no forced leading zero; zero is "0".
std::string CoefficientText(double value, std::string_view decimalSeparator = ".");

// Big-endian unsigned from 2 or 3 bytes (any count up to 4 works).
std::uint32_t DecodeUIntBE(std::span<const std::uint8_t> bytes);
// Decimal text to n big-endian bytes, each the low 8 bits of its quotient.
Result<std::vector<std::uint8_t>> EncodeUIntBE(std::string_view text, int n);
// Same, but the value must lie in 0 .. 256^n - 1 (refused, not cut).
Result<std::vector<std::uint8_t>> EncodeUIntBEChecked(std::string_view text, int n);
std::vector<std::uint8_t> EncodeUIntBE(long long value, int n);

// Low 8 bits of the decimal integer in text.
Result<std::uint8_t> ByteFromText(std::string_view text);
// The byte, refused unless lo <= value <= hi.
Result<std::uint8_t> ByteFromTextInRange(std::string_view text, long long lo = 0, long long hi = 255);

// Two upper-case hex digits for 0..255, "." above.
std::string ByteToHex(int v);
// 0..15 for '0'..'9' and 'A'..'F'; nothing for anything else (lower case too).
std::optional<int> HexDigitValue(char c);
// Each byte as two hex digits followed by one blank.
std::string HexByteList(std::span<const std::uint8_t> bytes);

} // namespace codec

#pragma once

#include "codec/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// The range as numbers: what command 15 reports and command 35 sends.
struct RangeSetting {
    std::uint8_t unitCode = 0;
    float upper = 0.0f;
    float lower = 0.0f;
};

// Needs 11 data bytes.
std::optional<RangeSetting> DecodeRangeSetting(std::span<const std::uint8_t> data);
// Command 35 data (9 bytes).
std::vector<std::uint8_t> EncodeRangeWrite(const RangeSetting& range);

// Answer to command 15: the primary variable's range.
struct RangeValues {
    std::uint8_t unitCode;  // the range unit code that the range write sends back
    std::string upper;      // value at 20 mA, whole general text
    std::string lower;      // value at 4 mA
};

// Needs 11 data bytes.
std::optional<RangeValues> DecodeRange(std::span<const std::uint8_t> data, std::string_view sep = ".");

// Command 35: unit code, upper, lower (9 bytes). Upper is converted first.
codec::Result<std::vector<std::uint8_t>> BuildRangeWrite(std::uint8_t unitCode, std::string_view upper,
                                                         std::string_view lower, std::string_view sep = ".");

// The seven radio buttons of the fixed-current group, in their order.
enum class FixedCurrent { Output4mA, Output8mA, Output12mA, Output16mA, Output20mA, Other, Exit };

// Command 40: the level as a big-endian single (4 bytes). otherText is read only for Other.
codec::Result<std::vector<std::uint8_t>> BuildFixedCurrent(FixedCurrent level, std::string_view otherText,
                                                           std::string_view sep = ".");

// The first checked button decides. With nothing checked (a radio group never
// allows it) the answer is Exit: leaving fixed mode is the one level that does
// not drive the loop to a value nobody chose.
FixedCurrent FixedCurrentFromChecked(std::array<bool, 7> radioChecked);

} // namespace device

#pragma once

#include "codec/result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

// One input as numbers.
struct AnalogValue {
    float upper = 0.0f;
    float lower = 0.0f;
    float start = 0.0f;
    std::uint16_t coefficient = 0;
};

std::optional<AnalogValue> DecodeAnalogValue(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeAnalogWrite(const AnalogValue& value);

// The 14 data bytes of an analog-input write: upper limit, lower limit and start point
// as FloatBE, then the coefficient as a 16-bit integer (0..65535), in that order of conversion.
codec::Result<std::vector<std::uint8_t>> BuildAnalogWrite(std::string_view upper, std::string_view lower,
                                                          std::string_view start, std::string_view coefficient,
                                                          std::string_view decimalSeparator = ".");

struct AnalogChannel {
    std::string upper;       // general text, first 12 characters
    std::string lower;
    std::string start;
    std::string coefficient; // decimal 0..65535
};

// Read answer of one input; nothing when fewer than 14 bytes came.
std::optional<AnalogChannel> DecodeAnalog(std::span<const std::uint8_t> data, std::string_view decimalSeparator = ".");

} // namespace converter

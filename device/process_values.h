#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// Answer to command 2: loop current (mA) and percent of range, each cut to 5 characters.
struct LoopCurrentText {
    std::string current;
    std::string percent;
};

// Needs 8 data bytes.
std::optional<LoopCurrentText> DecodeLoopCurrent(std::span<const std::uint8_t> data,
                                                 std::string_view sep = ".");

struct VariableReading {
    std::string text;       // VariableText: sentinel 0x7F shows "0.000", cut to 6
    std::uint8_t unitCode;  // as received
    int unitItem;           // index in the unit list (82 "82_other" for unknown codes)
    std::optional<float> value; // nothing for the 0x7F "no value" sentinel
};

// Answer to command 3: one to four dynamic variables, in order.
// variables[0].unitCode is the range unit code that a later range write sends back.
struct DynamicVariables {
    float loopCurrent = 0; // mA, data bytes 0..3
    std::vector<VariableReading> variables;
};

// Needs 9 data bytes (the first variable). Further variables follow the answer's
// byte count, but only those whose five bytes the answer actually carried.
std::optional<DynamicVariables> DecodeDynamicVariables(std::span<const std::uint8_t> data,
                                                       std::string_view sep = ".");

} // namespace device

#pragma once

#include "codec/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

inline constexpr int kParsingRowCount = 5;
inline constexpr int kCommandNumberItems = 5;  // "0-Close", "1-Instruction 1" .. "4-Instruction 4"
inline constexpr int kParsingFormatItems = 27; // "0-Float（4321）" .. "26-Positioning status"

// The Length text a row takes when the user picks a parsing format; nothing when the
// pick leaves Length alone (also for no selection, -1).
std::optional<std::string> FormatLengthText(int formatIndex);

// One row as the window holds it: list indices (-1 = no selection) and field texts.
struct ParsingRowInput {
    int commandIndex;
    std::string_view dataAddr;
    std::string_view length;
    int formatIndex;
    std::string_view coefficient;
};

// One row as the device keeps it: the list bytes as received.
struct ParsingRowValue {
    std::uint8_t command = 0xFF; // index into "0-Close" .. "4-Instruction 4"
    std::uint8_t dataAddr = 0;
    std::uint8_t length = 0;
    std::uint8_t format = 0xFF; // index into the parsing formats
    float coefficient = 0.0f;
};
using ParsingFormatValue = std::array<ParsingRowValue, kParsingRowCount>;

std::optional<ParsingFormatValue> DecodeParsingFormatValue(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeParsingFormatWrite(const ParsingFormatValue& rows);

// The 40 data bytes of the parsing-format write: per row command index, data address,
// length, format index and the coefficient as FloatBE. Data Addr and Length must be
// integers in 0..255; fields are converted row by row, the first failure is the result.
codec::Result<std::vector<std::uint8_t>> BuildParsingFormatWrite(std::span<const ParsingRowInput, kParsingRowCount> rows,
                                                                 std::string_view decimalSeparator = ".");

struct ParsingRow {
    int commandIndex;        // -1 when the byte lies beyond the list
    std::string dataAddr;    // decimal
    std::string length;      // decimal
    int formatIndex;         // -1 when the byte lies beyond the list
    std::string coefficient; // "#.######"
};

// Read answer: five rows of eight bytes; nothing when fewer than 40 bytes came.
std::optional<std::array<ParsingRow, kParsingRowCount>> DecodeParsingFormat(std::span<const std::uint8_t> data,
                                                                            std::string_view decimalSeparator = ".");

} // namespace converter

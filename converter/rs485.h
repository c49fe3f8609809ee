#pragma once

#include "codec/result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace converter {

inline constexpr int kBaudItems = 7;   // "1200" .. "57600"
inline constexpr int kParityItems = 3; // "None", "Odd", "Even"

// The line as the device keeps it: the list bytes as received.
struct LineSettingsValue {
    std::uint8_t baud = 0xFF;   // index into "1200" .. "57600"
    std::uint8_t parity = 0xFF; // index into "None", "Odd", "Even"
    std::uint8_t interval = 0; // tenths of a second
    bool marker = false;       // read only
};

std::optional<LineSettingsValue> DecodeLineSettingsValue(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeLineSettingsWrite(const LineSettingsValue& value);

// Data of the RS485 write: baud index, parity index (-1 is sent as 255) and the
// interval in tenths of a second, an integer in 0..255.
codec::Result<std::vector<std::uint8_t>> BuildLineSettingsWrite(int baudIndex, int parityIndex, std::string_view interval);

struct LineSettings {
    int baudIndex;        // -1 when the byte lies beyond the list
    int parityIndex;      // -1 when the byte lies beyond the list
    std::string interval; // decimal
    bool marker;          // the "***" marker is shown
};

// Read answer; nothing when fewer than 4 bytes came.
std::optional<LineSettings> DecodeLineSettings(std::span<const std::uint8_t> data);

} // namespace converter

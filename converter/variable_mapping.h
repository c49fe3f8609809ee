#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace converter {

inline constexpr int kMappingRows = 4;
inline constexpr int kInputChannelItems = 9; // "0-Close" .. "8_AD4(analog)"

// The mapping as the device keeps it: the unit as its code, which may have no item in the list.
struct MappingValue {
    std::array<std::uint8_t, kMappingRows> channel{}; // as received: index into "0-Close" .. "8_AD4(analog)"
    std::array<std::uint8_t, kMappingRows> unitCode{};
};

std::optional<MappingValue> DecodeMappingValue(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeMappingWrite(const MappingValue& value);

// The 8 data bytes of the mapping write: per variable the input channel index
// (-1 is sent as 255), then the unit code of the unit list's item (0 for none and "82_other").
std::vector<std::uint8_t> BuildMappingWrite(std::span<const int, kMappingRows> channelIndex,
                                            std::span<const int, kMappingRows> unitItem);

struct Mapping {
    std::array<int, kMappingRows> channelIndex; // -1 when the byte lies beyond the list
    std::array<int, kMappingRows> unitItem;     // "82_other" for a code without an item
};

// Read answer; nothing when fewer than 8 bytes came.
std::optional<Mapping> DecodeMapping(std::span<const std::uint8_t> data);

} // namespace converter

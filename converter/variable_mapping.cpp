#include "converter/variable_mapping.h"

#include "codec/units.h"

namespace converter {

std::vector<std::uint8_t> BuildMappingWrite(std::span<const int, kMappingRows> channelIndex,
                                            std::span<const int, kMappingRows> unitItem)
{
    std::vector<std::uint8_t> data;
    data.reserve(2 * kMappingRows);
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        data.push_back(static_cast<std::uint8_t>(channelIndex[r] & 0xFF));
        data.push_back(codec::ItemToUnitCode(unitItem[r]));
    }
    return data;
}

std::optional<Mapping> DecodeMapping(std::span<const std::uint8_t> data)
{
    if (data.size() < 2 * kMappingRows)
        return std::nullopt;
    Mapping m;
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        const std::uint8_t channel = data[2 * r];
        m.channelIndex[r] = channel < kInputChannelItems ? channel : -1;
        m.unitItem[r] = codec::UnitCodeToItem(data[2 * r + 1]);
    }
    return m;
}

} // namespace converter

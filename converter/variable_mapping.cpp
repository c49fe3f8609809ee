#include "converter/variable_mapping.h"

#include "codec/units.h"

namespace converter {

std::optional<MappingValue> DecodeMappingValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 2 * kMappingRows)
        return std::nullopt;
    MappingValue m;
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        const std::uint8_t channel = data[2 * r];
        m.channelIndex[r] = channel < kInputChannelItems ? channel : -1;
        m.unitCode[r] = data[2 * r + 1];
    }
    return m;
}

std::vector<std::uint8_t> EncodeMappingWrite(const MappingValue& value)
{
    std::vector<std::uint8_t> data;
    data.reserve(2 * kMappingRows);
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        data.push_back(static_cast<std::uint8_t>(value.channelIndex[r] & 0xFF));
        data.push_back(value.unitCode[r]);
    }
    return data;
}

std::vector<std::uint8_t> BuildMappingWrite(std::span<const int, kMappingRows> channelIndex,
                                            std::span<const int, kMappingRows> unitItem)
{
    MappingValue m;
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        m.channelIndex[r] = channelIndex[r];
        m.unitCode[r] = codec::ItemToUnitCode(unitItem[r]);
    }
    return EncodeMappingWrite(m);
}

std::optional<Mapping> DecodeMapping(std::span<const std::uint8_t> data)
{
    const auto v = DecodeMappingValue(data);
    if (!v)
        return std::nullopt;
    Mapping m;
    m.channelIndex = v->channelIndex;
    for (std::size_t r = 0; r < kMappingRows; ++r)
        m.unitItem[r] = codec::UnitCodeToItem(v->unitCode[r]);
    return m;
}

} // namespace converter

#include "converter/variable_mapping.h"

#include "converter/list_items.h"

#include "codec/units.h"

namespace converter {

std::optional<MappingValue> DecodeMappingValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 2 * kMappingRows)
        return std::nullopt;
    MappingValue m;
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        m.channel[r] = data[2 * r];
        m.unitCode[r] = data[2 * r + 1];
    }
    return m;
}

std::vector<std::uint8_t> EncodeMappingWrite(const MappingValue& value)
{
    std::vector<std::uint8_t> data;
    data.reserve(2 * kMappingRows);
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        data.push_back(value.channel[r]);
        data.push_back(value.unitCode[r]);
    }
    return data;
}

std::vector<std::uint8_t> BuildMappingWrite(std::span<const int, kMappingRows> channelIndex,
                                            std::span<const int, kMappingRows> unitItem)
{
    MappingValue m;
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        m.channel[r] = ListByte(channelIndex[r]);
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
    for (std::size_t r = 0; r < kMappingRows; ++r) {
        m.channelIndex[r] = ListIndex(v->channel[r], kInputChannelItems);
        m.unitItem[r] = codec::UnitCodeToItem(v->unitCode[r]);
    }
    return m;
}

} // namespace converter

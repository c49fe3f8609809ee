#include "converter/rs485.h"

#include "codec/numeric.h"
#include "converter/list_items.h"

namespace converter {

codec::Result<std::vector<std::uint8_t>> BuildLineSettingsWrite(int baudIndex, int parityIndex, std::string_view interval)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    const auto tenths = codec::ByteFromTextInRange(interval, 0, 255);
    if (!tenths)
        return tenths.failAs<std::vector<std::uint8_t>>();
    return R::Ok(EncodeLineSettingsWrite({ListByte(baudIndex), ListByte(parityIndex), *tenths, false}));
}

std::vector<std::uint8_t> EncodeLineSettingsWrite(const LineSettingsValue& value)
{
    return {value.baud, value.parity, value.interval};
}

std::optional<LineSettingsValue> DecodeLineSettingsValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 4)
        return std::nullopt;
    return LineSettingsValue{data[0], data[1], data[2], data[3] == 1};
}

std::optional<LineSettings> DecodeLineSettings(std::span<const std::uint8_t> data)
{
    const auto v = DecodeLineSettingsValue(data);
    if (!v)
        return std::nullopt;
    return LineSettings{ListIndex(v->baud, kBaudItems), ListIndex(v->parity, kParityItems), std::to_string(v->interval),
                        v->marker};
}

} // namespace converter

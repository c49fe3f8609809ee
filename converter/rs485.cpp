#include "converter/rs485.h"

#include "codec/numeric.h"

namespace converter {

codec::Result<std::vector<std::uint8_t>> BuildLineSettingsWrite(int baudIndex, int parityIndex, std::string_view interval)
{
    using R = codec::Result<std::vector<std::uint8_t>>;
    const auto tenths = codec::ByteFromTextInRange(interval, 0, 255);
    if (!tenths)
        return tenths.failAs<std::vector<std::uint8_t>>();
    return R::Ok({static_cast<std::uint8_t>(baudIndex & 0xFF), static_cast<std::uint8_t>(parityIndex & 0xFF), *tenths});
}

std::optional<LineSettings> DecodeLineSettings(std::span<const std::uint8_t> data)
{
    if (data.size() < 4)
        return std::nullopt;
    LineSettings s;
    s.baudIndex = data[0] < kBaudItems ? data[0] : -1;
    s.parityIndex = data[1] < kParityItems ? data[1] : -1;
    s.interval = std::to_string(data[2]);
    s.marker = data[3] == 1;
    return s;
}

} // namespace converter

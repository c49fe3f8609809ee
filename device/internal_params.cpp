#include "device/internal_params.h"

#include "codec/numeric.h"

namespace device {

using Bytes = std::vector<std::uint8_t>;

codec::Result<Bytes> BuildInternalParamsWrite(std::string_view sensorType, std::string_view manufacturerId)
{
    const auto type = codec::ByteFromTextInRange(sensorType, 0, 255);
    if (!type)
        return type.failAs<Bytes>();
    const auto manufacturer = codec::ByteFromTextInRange(manufacturerId, 0, 255);
    if (!manufacturer)
        return manufacturer.failAs<Bytes>();
    return codec::Result<Bytes>::Ok({*type, *manufacturer});
}

std::optional<InternalParams> DecodeInternalParams(std::span<const std::uint8_t> data)
{
    if (data.size() < 2)
        return std::nullopt;
    return InternalParams{std::to_string(data[0]), std::to_string(data[1])};
}

} // namespace device

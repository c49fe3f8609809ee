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
    return codec::Result<Bytes>::Ok(EncodeInternalParamsWrite({*type, *manufacturer}));
}

std::optional<InternalParamsValue> DecodeInternalParamsValue(std::span<const std::uint8_t> data)
{
    if (data.size() < 2)
        return std::nullopt;
    return InternalParamsValue{data[0], data[1]};
}

Bytes EncodeInternalParamsWrite(const InternalParamsValue& value) { return {value.sensorType, value.manufacturerId}; }

std::optional<InternalParams> DecodeInternalParams(std::span<const std::uint8_t> data)
{
    const auto v = DecodeInternalParamsValue(data);
    if (!v)
        return std::nullopt;
    return InternalParams{std::to_string(v->sensorType), std::to_string(v->manufacturerId)};
}

} // namespace device

#include "device/identify.h"

namespace device {

std::uint8_t PollingAddressByte(int itemIndex)
{
    return itemIndex >= 0 && itemIndex <= 15 ? static_cast<std::uint8_t>(itemIndex) : std::uint8_t{0xFF};
}

std::optional<std::uint8_t> AnsweredPollingAddress(std::span<const std::uint8_t> address)
{
    if (address.size() != 1)
        return std::nullopt;
    return static_cast<std::uint8_t>(address[0] & 0x3F);
}

std::optional<IdentifyResult> DecodeIdentify(std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    if (data.size() < 12)
        return std::nullopt;
    IdentifyResult r;
    r.identity.manufacturer = data[1];
    r.identity.deviceType = data[2];
    r.identity.preambles = data[3];
    r.identity.identifier = {data[9], data[10], data[11]};
    r.identity.pollingAddress = pollingAddress;
    r.hartRevision = data[4];
    r.manufacturer = std::to_string(data[1]);
    r.deviceType = std::to_string(data[2]);
    r.preambles = std::to_string(data[3]);
    r.serialNumber = std::to_string(r.identity.serialNumber());
    return r;
}

} // namespace device

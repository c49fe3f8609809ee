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
    // From HART 7 on, bytes 1-2 are the expanded device type and the
    // manufacturer code is bytes 17-18; an answer too short to hold them
    // is read the old way.
    constexpr std::uint8_t kExpandedTypeRevision = 7;
    if (r.hartRevision >= kExpandedTypeRevision && data.size() >= 19) {
        r.identity.expandedType = true;
        r.identity.manufacturerId = static_cast<std::uint16_t>(data[17] << 8 | data[18]);
    }
    r.manufacturer = std::to_string(r.identity.ManufacturerCode());
    r.deviceType = std::to_string(r.identity.DeviceTypeCode());
    r.preambles = std::to_string(data[3]);
    r.serialNumber = std::to_string(r.identity.serialNumber());
    return r;
}

} // namespace device

#pragma once

#include "hart/link_buffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace device {

// Polling address byte of the communication test: the selected item index, 0xFF for none.
std::uint8_t PollingAddressByte(int itemIndex);

struct IdentifyResult {
    hart::DeviceIdentity identity; // what the cache keeps
    std::uint8_t hartRevision = 0; // universal command revision the device speaks
    std::string manufacturer;      // texts for the four fields
    std::string deviceType;
    std::string preambles;
    std::string serialNumber;
};

// Data bytes of the command 0 answer (12 or more: longer answers of newer
// revisions begin the same); `polledAddress` is the address the request went to.
std::optional<IdentifyResult> DecodeIdentify(std::span<const std::uint8_t> data, std::uint8_t polledAddress);

} // namespace device

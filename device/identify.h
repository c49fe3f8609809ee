#pragma once

#include "hart/link_buffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace device {

// Polling address byte of the communication test: the selected item index, 0xFF for none.
std::uint8_t PollingAddressByte(int itemIndex);

// The short address an identify answer came from: the low six bits of its one
// address byte (the others mark the master and burst mode); nothing for a
// long address.
std::optional<std::uint8_t> AnsweredPollingAddress(std::span<const std::uint8_t> address);

struct IdentifyResult {
    hart::DeviceIdentity identity; // what the cache keeps
    std::uint8_t hartRevision = 0; // universal command revision the device speaks
    std::string manufacturer;      // texts for the four fields
    std::string deviceType;
    std::string preambles;
    std::string serialNumber;
};

// Data bytes of the command 0 answer (12 or more: longer answers of newer
// revisions begin the same; from HART 7 on, bytes 1-2 are the expanded device
// type and the manufacturer is bytes 17-18); `pollingAddress` is the address
// that answered.
std::optional<IdentifyResult> DecodeIdentify(std::span<const std::uint8_t> data, std::uint8_t pollingAddress);

} // namespace device

#pragma once

#include "hart/link_buffer.h"
#include "hart/request_table.h"
#include "hart/transport.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hart {

// The whole request of a table row: the row's frame shape and preambles, the
// device's long address (or the polling address for the short frame), the
// data and the row's trailer byte. Written into `out`; the length, 0 when it
// does not fit.
std::size_t BuildRequestFrame(std::span<std::uint8_t> out, const RequestRow& row, const DeviceIdentity& id,
                              std::span<const std::uint8_t> data = {}, std::uint8_t pollingAddress = 0);
// The same as a vector, for the batch path.
std::vector<std::uint8_t> RequestFrame(const RequestRow& row, const DeviceIdentity& id,
                                       std::span<const std::uint8_t> data = {}, std::uint8_t pollingAddress = 0);
Transaction MakeTransaction(const RequestRow& row, const DeviceIdentity& id,
                            std::span<const std::uint8_t> data = {}, std::uint8_t pollingAddress = 0);

} // namespace hart

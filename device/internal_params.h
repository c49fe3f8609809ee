#pragma once

#include "codec/result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace device {

// Command 240: sensor type, then manufacturer identification, each 0..255.
// These bytes form the device's long address, so after a write the identity
// has to be read again before the device answers.
codec::Result<std::vector<std::uint8_t>> BuildInternalParamsWrite(std::string_view sensorType,
                                                                  std::string_view manufacturerId);

struct InternalParamsValue {
    std::uint8_t sensorType = 0;
    std::uint8_t manufacturerId = 0;
};

std::optional<InternalParamsValue> DecodeInternalParamsValue(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeInternalParamsWrite(const InternalParamsValue& value);

struct InternalParams {
    std::string sensorType;      // decimal
    std::string manufacturerId;  // decimal
};

// Answer to command 241. Needs 2 data bytes.
std::optional<InternalParams> DecodeInternalParams(std::span<const std::uint8_t> data);

} // namespace device

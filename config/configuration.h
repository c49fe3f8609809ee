#pragma once

#include "converter/analog.h"
#include "converter/instrument_commands.h"
#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/variable_mapping.h"
#include "device/instrument_info.h"
#include "device/internal_params.h"
#include "device/output_current.h"
#include "hart/link_buffer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace config {

inline constexpr int kInstrumentCount = 4;
inline constexpr int kAnalogCount = 4;

// Every setting of one converter as typed values. An empty optional is an
// item that was not read (or not in the file); the item table says which
// member belongs to which item.
struct Configuration {
    // Who answered the identify; not an item, it addresses the device and
    // names the kind of device a file fits.
    std::optional<hart::DeviceIdentity> identity;

    std::optional<std::string> message;                                 // 32 characters
    std::optional<device::TagDescriptorDateValue> tagDescriptorDate;
    std::optional<std::uint32_t> finalAssembly;                         // 24 bits
    std::optional<std::string> longTag;                                 // up to 32 bytes
    std::optional<device::RangeSetting> range;

    std::array<std::optional<converter::InstrumentCommandValue>, kInstrumentCount> instruments;
    std::optional<converter::ParsingFormatValue> parsing;
    std::optional<converter::LineSettingsValue> line;
    std::array<std::optional<converter::AnalogValue>, kAnalogCount> analog;
    std::optional<converter::MappingValue> mapping;

    // Identity items: saved, written only when asked.
    std::optional<std::uint8_t> pollingAddress;      // 0..15
    std::optional<std::uint32_t> serialNumber;       // the unique identifier, 24 bits
    std::optional<device::InternalParamsValue> internal;
};

} // namespace config

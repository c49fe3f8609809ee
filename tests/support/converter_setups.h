#pragma once

// Simulated converters set up for configuration round trips.
#include "config/items.h"
#include "hart/frames.h"
#include "sim/device.h"
#include "sim/sample_states.h"

#include <cstdint>
#include <map>
#include <vector>

namespace testing {

// A converter whose every configuration item differs from the simulator's defaults.
inline sim::ConverterState OtherConverter() { return sim::OtherConverterState(); }

// The answer of `device` to every configuration query, from the command
// byte to the last data byte (the address differs between two devices).
inline std::map<std::uint8_t, std::vector<std::uint8_t>> ConfigurationAnswers(sim::Device& device)
{
    std::map<std::uint8_t, std::vector<std::uint8_t>> out;
    hart::DeviceIdentity id;
    const auto& s = device.State();
    id.manufacturer = s.manufacturerId;
    id.deviceType = s.deviceType;
    id.identifier = s.deviceId;
    for (const auto& item : config::Items()) {
        if (item.identity || item.readByIdentify())
            continue;
        const std::uint8_t command = item.query().command;
        std::vector<std::uint8_t> answer;
        for (const auto& t : device.Feed(hart::LongFrame(8, id, command, {}), 0))
            for (const auto& c : t.chunks)
                answer.insert(answer.end(), c.bytes.begin(), c.bytes.end());
        std::size_t at = 0;
        while (at < answer.size() && answer[at] == 0xFF)
            ++at;
        // Delimiter and five address bytes off the front, checksum off the end.
        if (answer.size() > at + 7)
            out[command] = {answer.begin() + static_cast<std::ptrdiff_t>(at + 6), answer.end() - 1};
        else
            out[command] = answer;
    }
    return out;
}

// What identifies a converter; a write without identity leaves it alone.
struct IdentityBytes {
    std::uint8_t pollAddress, manufacturerId, deviceType;
    std::array<std::uint8_t, 3> deviceId;
    bool operator==(const IdentityBytes&) const = default;
};
inline IdentityBytes IdentityOf(const sim::ConverterState& s)
{
    return {s.pollAddress, s.manufacturerId, s.deviceType, s.deviceId};
}

} // namespace testing

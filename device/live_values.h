#pragma once

#include "device/process_values.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace device {

// One answer to command 3, as the trend keeps it.
struct LiveSample {
    std::int64_t timeMs = 0;  // wall clock, ms since the epoch
    float loopCurrent = 0;    // mA
    int count = 0;            // variables the answer carried, 1..4
    std::array<std::optional<float>, 4> values{}; // nothing where the device has no value
    std::array<std::uint8_t, 4> units{};
};

LiveSample SampleOf(const DynamicVariables& v, std::int64_t timeMs);

// Short unit name for a HART unit code: the unit list's item text without its
// number ("℃" for 32), "unit N" for a code the list does not know.
std::string UnitName(std::uint8_t code);

// The samples of the last `windowMs`, oldest first.
class SampleStore {
public:
    static constexpr std::int64_t kTenMinutesMs = 10 * 60 * 1000;
    explicit SampleStore(std::int64_t windowMs = kTenMinutesMs) : windowMs_(windowMs) {}

    // Drops what has fallen out of the window behind the newest sample.
    void Add(const LiveSample& s);
    void Clear() { samples_.clear(); }
    const std::deque<LiveSample>& Samples() const { return samples_; }
    std::int64_t WindowMs() const { return windowMs_; }

private:
    std::int64_t windowMs_;
    std::deque<LiveSample> samples_;
};

// Header line and one line per sample: UTC time, loop current, then each
// variable's value and unit (both empty where the answer had none).
std::string SamplesCsv(const std::deque<LiveSample>& samples);

} // namespace device

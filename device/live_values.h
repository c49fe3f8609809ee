#pragma once

#include "device/process_values.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace device {

// One answer to command 3, as the trend keeps it.
struct LiveSample {
    std::int64_t timeMs = 0;  // wall clock, ms since the epoch
    float loopCurrent = 0;    // mA
    int count = 0;            // variables the answer carried, 1..4
    std::array<std::optional<float>, 4> values{}; // nothing where the device has no value
    std::array<std::uint8_t, 4> units{};
    std::int64_t intervalMs = 0; // the interval live values ran at; 0: as fast as the line allows
};

LiveSample SampleOf(const DynamicVariables& v, std::int64_t timeMs, std::int64_t intervalMs = 0);

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

// One run of live values, from switching on to switching off: how many
// samples it took, at what rate, and whether the values shown are still
// current. Times are wall-clock ms since the epoch, given by the caller.
class LiveRun {
public:
    static constexpr int kRateSamples = 20; // the rate is taken over the newest ones

    // A new run: nothing of the last one counts.
    void Start(std::int64_t nowMs);
    void Answer(std::int64_t nowMs);
    // `reason`: no answer, a broken frame, an error response...
    void Failure(std::string reason);

    int Samples() const { return samples_; }
    // Samples per second over this run's newest samples; nothing before two.
    std::optional<double> Rate() const;
    // The last answer failed: the values shown are from before.
    bool Stale() const { return failuresInRow_ > 0; }
    // "12 samples, 2.1/s", then while stale "; no answer since 10:01:02 (no answer, 3 in a row)" in local time,
    // since the last good answer or, before any, the start of the run.
    std::string StatusText() const;

private:
    std::int64_t startMs_ = 0;
    std::int64_t lastAnswerMs_ = 0;
    int samples_ = 0;
    int failuresInRow_ = 0;
    std::string lastFailure_;
    std::deque<std::int64_t> recent_; // times of the newest answers of this run
};

// The trend's lines: 0..3 the variables, 4 the loop current.
constexpr int kTrendLines = 5;

// The time the trend shows, ms since the epoch: from the first sample to the
// newest while they cover less than `windowMs`, then the last `windowMs`. Never
// shorter than kMinSpanMs (the empty store's starts at `nowMs`).
struct TrendSpan {
    static constexpr std::int64_t kMinSpanMs = 10 * 1000;
    std::int64_t fromMs = 0;
    std::int64_t toMs = 0;
};
TrendSpan TrendSpanOf(const std::deque<LiveSample>& samples, std::int64_t windowMs, std::int64_t nowMs);

// The sampling period measured where live values ran as fast as the line
// allows: the median spacing of such neighbours, robust to the gaps themselves.
// Nothing before two of them.
std::optional<std::int64_t> MeasuredPeriodMs(const std::deque<LiveSample>& samples);

// One unbroken stretch of a trend line: samples [begin, end) of the store.
struct TrendRun {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TrendRun&) const = default;
};
// The stretches line `line` is drawn in. It breaks where nothing was measured
// for longer than three sampling intervals (the larger of the two samples'
// intervals, a measured period for "as fast as the line allows"), where the
// clock stepped back, and around samples without a finite value for it.
// Under kMinGapMs is never a gap: a fast line's jitter, not a silence.
constexpr std::int64_t kMinGapMs = 1000;
std::vector<TrendRun> TrendRuns(const std::deque<LiveSample>& samples, int line);

// The value of line `line` in `s`, nothing where the sample has none.
std::optional<float> LineValue(const LiveSample& s, int line);

// Header line and one line per sample: UTC time, loop current, then each
// variable's value and unit (both empty where the answer had none).
std::string SamplesCsv(const std::deque<LiveSample>& samples);

} // namespace device

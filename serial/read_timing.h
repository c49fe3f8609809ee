#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace serial {

// Size of one delivery of received bytes.
inline constexpr std::size_t kReadBlockSize = 2048;

struct ReadTimeouts {
    std::uint32_t interval = 0;        // ms of silence after a byte that end a delivery; 0 = unused
    std::uint32_t totalMultiplier = 0; // ms per requested byte
    std::uint32_t totalConstant = 0;   // ms
};

// Decides when the bytes gathered so far are delivered. A delivery ends
// after `interval` ms without a byte, when the block is full, or when the
// total time of the read runs out. A read that times out empty is simply
// issued again, so idle phases cost no wake-ups: the total time is counted
// in whole periods from the last delivery. An interval of 0xFFFFFFFF
// delivers whatever a read returns at once.
class ReadClock {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;

    explicit ReadClock(TimePoint start) : readStart_(start) {}

    void BytesArrived(TimePoint now, const ReadTimeouts& t);
    void Delivered(TimePoint now);
    bool Gathering() const { return gathering_; }
    // When the gathered bytes are due; none while idle or with no time-outs.
    std::optional<TimePoint> Deadline(const ReadTimeouts& t) const;
    // Milliseconds for poll: -1 without a deadline, never negative otherwise.
    int PollTimeout(TimePoint now, const ReadTimeouts& t) const;

private:
    static std::chrono::milliseconds Total(const ReadTimeouts& t);

    TimePoint readStart_;
    TimePoint lastByte_{};
    bool gathering_ = false;
};

} // namespace serial

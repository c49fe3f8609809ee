#include "serial/read_timing.h"

#include <algorithm>
#include <climits>

namespace serial {

std::chrono::milliseconds ReadClock::Total(const ReadTimeouts& t)
{
    return std::chrono::milliseconds(std::uint64_t(t.totalMultiplier) * kReadBlockSize + t.totalConstant);
}

void ReadClock::BytesArrived(TimePoint now, const ReadTimeouts& t)
{
    if (!gathering_) {
        gathering_ = true;
        const auto total = Total(t);
        if (total.count() > 0 && now > readStart_)
            readStart_ += total * ((now - readStart_) / total);
    }
    lastByte_ = now;
}

void ReadClock::Delivered(TimePoint now)
{
    gathering_ = false;
    readStart_ = now;
}

std::optional<ReadClock::TimePoint> ReadClock::Deadline(const ReadTimeouts& t) const
{
    if (!gathering_)
        return std::nullopt;
    if (t.interval == UINT32_MAX)
        return lastByte_;
    std::optional<TimePoint> due;
    if (t.interval != 0)
        due = lastByte_ + std::chrono::milliseconds(t.interval);
    if (const auto total = Total(t); total.count() > 0)
        due = due ? std::min(*due, readStart_ + total) : readStart_ + total;
    return due;
}

int ReadClock::PollTimeout(TimePoint now, const ReadTimeouts& t) const
{
    const auto due = Deadline(t);
    if (!due)
        return -1;
    if (*due <= now)
        return 0;
    // Round up so that poll never returns before the deadline.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*due - now).count();
    return int(std::min<std::int64_t>(ms, INT_MAX));
}

} // namespace serial

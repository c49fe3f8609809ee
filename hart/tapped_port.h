#pragma once

#include "hart/byte_port.h"
#include "hart/transport.h"

#include <chrono>

namespace hart {

// A BytePort that tells a traffic sink about every frame it hands over, so the
// line can be watched without the link knowing.
class TappedPort : public BytePort {
public:
    TappedPort(BytePort& inner, TrafficSink sink) : inner_(inner), sink_(std::move(sink)) {}

    bool WriteBytes(const void* data, std::uint16_t count) override
    {
        const bool accepted = inner_.WriteBytes(data, count);
        // What the port refused never reached the line.
        if (accepted && sink_ && data) {
            const auto* p = static_cast<const std::uint8_t*>(data);
            sink_(TrafficRecord{Direction::Sent, NowNs(), {p, p + count}});
        }
        return accepted;
    }
    TRtsControl RtsControl() const override { return inner_.RtsControl(); }
    void SetRtsControl(TRtsControl value) override { inner_.SetRtsControl(value); }
    void WhenDrained(std::function<void()> fn) override { inner_.WhenDrained(std::move(fn)); }
    std::size_t MinPreambles() const override { return inner_.MinPreambles(); }
    std::optional<int> AnswerStartMs() const override { return inner_.AnswerStartMs(); }

    static std::int64_t NowNs()
    {
        using namespace std::chrono;
        return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
    }

private:
    BytePort& inner_;
    TrafficSink sink_;
};

} // namespace hart

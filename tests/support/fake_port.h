#pragma once

#include "hart/byte_port.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing {

// A port that keeps what it is given. Its line drains at once unless
// holdDrain is set; then the drain waiters run at Drain(), as the port's
// thread would report the line empty.
class FakePort : public hart::BytePort {
public:
    bool WriteBytes(const void* data, std::uint16_t count) override
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        writes.emplace_back(p, p + count);
        rtsDuringWrite.push_back(rts);
        return accept;
    }
    hart::TRtsControl RtsControl() const override { return rts; }
    void SetRtsControl(hart::TRtsControl value) override
    {
        rts = value;
        rtsChanges.push_back(value);
    }

    void WhenDrained(std::function<void()> fn) override
    {
        if (holdDrain)
            drainWaiters.push_back(std::move(fn));
        else
            fn();
    }
    void Drain()
    {
        auto waiters = std::move(drainWaiters);
        drainWaiters.clear();
        for (auto& fn : waiters)
            fn();
    }

    std::vector<std::uint8_t> lastWrite() const { return writes.empty() ? std::vector<std::uint8_t>{} : writes.back(); }

    bool accept = true;
    bool holdDrain = false;
    std::vector<std::function<void()>> drainWaiters;
    hart::TRtsControl rts = hart::TRtsControl::RtsDisable;
    std::vector<std::vector<std::uint8_t>> writes;
    std::vector<hart::TRtsControl> rtsDuringWrite;
    std::vector<hart::TRtsControl> rtsChanges;
};

} // namespace testing

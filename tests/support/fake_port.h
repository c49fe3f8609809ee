#pragma once

#include "hart/byte_port.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing {

// A port that keeps what it is given and tells a shared trace about it.
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

    std::vector<std::uint8_t> lastWrite() const { return writes.empty() ? std::vector<std::uint8_t>{} : writes.back(); }

    bool accept = true;
    hart::TRtsControl rts = hart::TRtsControl::RtsDisable;
    std::vector<std::vector<std::uint8_t>> writes;
    std::vector<hart::TRtsControl> rtsDuringWrite;
    std::vector<hart::TRtsControl> rtsChanges;
};

} // namespace testing

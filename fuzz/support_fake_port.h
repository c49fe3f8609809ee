#pragma once

#include "hart/byte_port.h"

namespace fuzzing {

// Takes every frame and forgets it.
class NullPort : public hart::BytePort {
public:
    bool WriteBytes(const void*, std::uint16_t) override { return true; }
    hart::TRtsControl RtsControl() const override { return rts_; }
    void SetRtsControl(hart::TRtsControl v) override { rts_ = v; }

private:
    hart::TRtsControl rts_ = hart::TRtsControl::RtsDisable;
};

} // namespace fuzzing

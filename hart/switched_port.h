#pragma once

#include "hart/byte_port.h"

namespace hart {

// The window's one line, whichever port is behind it: the serial port, or a
// HART-IP session while one is open. Users keep one BytePort for good.
class SwitchedPort : public BytePort {
public:
    explicit SwitchedPort(BytePort& initial) : target_(&initial) {}

    void SetTarget(BytePort& target) { target_ = &target; }
    BytePort& Target() const { return *target_; }

    bool WriteBytes(const void* data, std::uint16_t count) override { return target_->WriteBytes(data, count); }
    TRtsControl RtsControl() const override { return target_->RtsControl(); }
    void SetRtsControl(TRtsControl value) override { target_->SetRtsControl(value); }
    void WhenDrained(std::function<void()> fn) override { target_->WhenDrained(std::move(fn)); }
    std::size_t MinPreambles() const override { return target_->MinPreambles(); }
    std::optional<int> AnswerStartMs() const override { return target_->AnswerStartMs(); }

private:
    BytePort* target_;
};

} // namespace hart

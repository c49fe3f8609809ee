#pragma once

#include "hart/frame_grammar.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace hart {

// RTS line control, ordinals as the serial component stores them.
enum class TRtsControl : int {
    RtsEnable = 0,
    RtsDisable = 1,
    RtsHandshake = 2,
    RtsTransmissionAvailable = 3,
};

// What the link layer needs of a serial port: hand over bytes, key the modem.
// The serial component implements it; tests fake it.
class BytePort {
public:
    virtual ~BytePort() = default;
    // Hands `count` bytes to the sender and returns at once; false when refused.
    virtual bool WriteBytes(const void* data, std::uint16_t count) = 0;
    virtual TRtsControl RtsControl() const = 0;
    virtual void SetRtsControl(TRtsControl value) = 0;
    // Runs `fn` once on the caller's thread when every byte handed over so far
    // has left the line. A port that cannot tell runs it at once.
    virtual void WhenDrained(std::function<void()> fn) { fn(); }
    // Preambles an answer has on this port before its delimiter. A wired line
    // always shows at least one; a network (HART-IP) carries the frame without
    // any, so the link finds it at the delimiter.
    virtual std::size_t MinPreambles() const { return 1; }
    // How long a slave's answer may take to start once the request is out;
    // nothing: the wired figure (kAnswerStartMs). A gateway runs the wired
    // transaction behind it and answers only once it is done.
    virtual std::optional<int> AnswerStartMs() const { return std::nullopt; }
};

// The bytes of a written frame that `port` puts on its medium: all of them
// on a wired line; on a network only the frame from its delimiter through its
// checksum, as preambles and trailing bytes are not carried.
inline std::size_t CarriedBytes(const BytePort& port, std::span<const std::uint8_t> written)
{
    if (port.MinPreambles() > 0)
        return written.size();
    const FrameSpan f = FindFrame(written);
    return f.state == FrameState::Whole ? f.length - f.preambles : written.size();
}

} // namespace hart

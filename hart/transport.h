#pragma once

#include "hart/frames.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hart {

// The batch path: one request on the line at a time, each answer taken as
// soon as its frame is whole. Configuration batches, the address scan and
// live values go through it; the window's own buttons keep HartLink.

// One request, built whole by the caller (ShortFrame / LongFrame).
struct Transaction {
    std::vector<std::uint8_t> frame; // preambles through checksum, plus any trailer byte
    std::uint8_t command = 0;        // the command the answer must echo
    bool rts = false;                // key the modem around the write
    // How often the request may go out again after no answer or a busy answer.
    // The address scan sets 0: a silent address must cost one answer-start wait.
    int maxRepeats = 2;
};

enum class TransactionError {
    None,        // a whole answer with a right checksum came (its response code may still be an error)
    NoAnswer,    // nothing, or not the whole frame, within the time allowed
    BrokenFrame, // a frame came but failed validation (checksum, wrong command echoed)
    Busy,        // response code 32 on every try
    PortFailed,  // the port refused the bytes or went away
    Cancelled,
};

struct TransactionResult {
    TransactionError error = TransactionError::None;
    std::vector<std::uint8_t> answer; // with None: the last preamble through the checksum
    int repeats = 0;                  // how many times the request was sent again

    bool ok() const { return error == TransactionError::None; }
    // The validated answer; nothing unless ok().
    std::optional<AnswerFrame> Frame() const
    {
        if (!ok())
            return std::nullopt;
        return AnswerFrame::Parse(answer, 0); // spans point into this result
    }
};

// Plain sentence for a failed transaction ("no answer", "busy", ...).
std::string TransactionErrorText(TransactionError error);

// Where batch requests go: the real line (Transactor) or, in tests, a device
// on the other side of a function call.
class Transport {
public:
    using Done = std::function<void(const TransactionResult&)>;
    virtual ~Transport() = default;
    // Queues `t`; requests go out in order, one at a time. `done` runs later
    // on the caller's thread, never inside Submit.
    virtual void Submit(Transaction t, Done done) = 0;
    // Drops what is queued; the request on the line ends as Cancelled.
    virtual void Cancel() = 0;
    virtual bool Idle() const = 0;
};

// Every byte on the line, as it was sent or delivered, for the traffic
// window and captures.
enum class Direction { Sent, Received };
struct TrafficRecord {
    Direction direction = Direction::Sent;
    std::int64_t timeNs = 0; // steady clock
    std::vector<std::uint8_t> bytes;
};
using TrafficSink = std::function<void(const TrafficRecord&)>;

} // namespace hart

#pragma once

#include "codec/result.h"
#include "hart/frames.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hart {

// The batch path: one request on the line at a time, each answer taken as
// soon as its frame is whole. Configuration batches, the address scan and
// live values go through it; the window's own buttons keep HartLink. Who
// may use the line is LineOwner's to say.

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
    Cancelled,   // its Reply was cancelled
};

struct TransactionResult {
    TransactionError error = TransactionError::None;
    std::vector<std::uint8_t> answer; // with None: the last preamble through the checksum
    int repeats = 0;                  // how many times the request was sent again
    std::vector<TransactionError> repeatCauses; // why, in order: NoAnswer, BrokenFrame or Busy

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
// Ok when the answer can give values: it came whole and the device did not
// refuse; else why not, in the words every client reports.
codec::Result<void> UsableAnswer(const TransactionResult& r);

class Transport;

// One submitted request: finishes once, with the answer or an error kind.
// Destroying it withdraws its request (and only it) without a word;
// Cancel() withdraws it and finishes it as Cancelled. Finished is emitted
// later on the handle's thread, never inside Submit or Cancel, and never
// after the handle is gone: an answer cannot reach a client that left.
class Reply : public QObject {
    Q_OBJECT
public:
    ~Reply() override;
    void Cancel();
    bool IsFinished() const { return finished_; }
    const TransactionResult& Result() const { return result_; }

signals:
    void Finished(const hart::TransactionResult& result);

private:
    friend class Transport;
    explicit Reply(Transport* transport) : transport_(transport) {}
    void Complete(TransactionResult result);

    Transport* transport_; // nullptr once finished or once the transport is gone
    bool finished_ = false;
    TransactionResult result_;
};

// Where batch requests go: the real line (Transactor) or, in tests, a device
// on the other side of a function call.
class Transport {
public:
    using Done = std::function<void(const TransactionResult&)>;
    virtual ~Transport() = default;
    // Queues `t`; requests go out in order, one at a time. Keep the handle
    // for as long as the answer is wanted.
    [[nodiscard]] virtual std::unique_ptr<Reply> Submit(Transaction t) = 0;
    // The same, with `done` run once on the outcome (not after the handle is gone).
    [[nodiscard]] std::unique_ptr<Reply> Submit(Transaction t, Done done);
    virtual bool Idle() const = 0;

protected:
    std::unique_ptr<Reply> NewReply() { return std::unique_ptr<Reply>(new Reply(this)); }
    // Ends `reply`'s request with `result`.
    static void Complete(Reply* reply, TransactionResult result) { reply->Complete(std::move(result)); }
    // The transport goes before the handle: the handle no longer reaches it.
    static void Detach(Reply* reply) { reply->transport_ = nullptr; }
    // Takes `reply`'s request out of the queue, or off the line.
    virtual void Withdraw(Reply* reply) = 0;

private:
    friend class Reply;
};

// Every byte on the line, as it was sent or delivered, for the traffic
// window and captures.
enum class Direction { Sent, Received };
// Where a HART-IP message went on the network: addresses in network byte
// order (IPv4 in the first four bytes), ports in host order.
struct NetworkEndpoints {
    bool tcp = false;
    bool ipv6 = false;
    std::array<std::uint8_t, 16> source{};
    std::array<std::uint8_t, 16> destination{};
    std::uint16_t sourcePort = 0;
    std::uint16_t destinationPort = 0;
    bool operator==(const NetworkEndpoints&) const = default;
};
struct TrafficRecord {
    Direction direction = Direction::Sent;
    std::int64_t timeNs = 0; // steady clock
    std::vector<std::uint8_t> bytes;
    // Set: `bytes` are one whole HART-IP message that crossed these endpoints,
    // not bytes of a serial line.
    std::optional<NetworkEndpoints> network{};
};
using TrafficSink = std::function<void(const TrafficRecord&)>;

} // namespace hart

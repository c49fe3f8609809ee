#pragma once

#include "hart/byte_port.h"
#include "hart/frame_grammar.h"
#include "hart/transport.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace hart {

// A slave must start its answer within this long after the request has left
// the line: HART's ~300 ms master wait plus a margin for a modem's carrier
// to come up. Kept tight: a scan pays it once per silent address.
// The only place this figure lives.
inline constexpr int kAnswerStartMs = 310;

// Longest answer on the wire: 20 preambles, long delimiter and address,
// command, count, 255 bytes, checksum.
inline constexpr std::size_t kLongestAnswer = 20 + 1 + 5 + 1 + 1 + 255 + 1;

// The time `bytes` characters take on the line: 11 bits each (start, 8 data, parity, stop).
inline std::chrono::microseconds LineTime(std::size_t bytes, int baud)
{
    return std::chrono::microseconds(static_cast<std::int64_t>(bytes) * 11 * 1'000'000 / baud);
}

// How often a request is sent again after no answer, a broken frame or busy.
inline constexpr int kMaxRepeats = 2;

// Joins the deliveries of one answer into a frame, as the frame grammar
// reads it: noise, a request heard back and burst frames are passed over.
// Says when the answer is whole; judging it is Parse's job.
class FrameAssembler {
public:
    enum class State { Hunting, Collecting, Whole };

    // The port's (BytePort::MinPreambles): 0 on a network.
    void SetMinPreambles(std::size_t n) { minPreambles_ = n; }
    void Clear();
    // Adds received bytes; returns the state after them. Bytes after a whole
    // frame are not taken; `used`, when given, says how many were.
    State Add(std::span<const std::uint8_t> bytes, std::size_t* used = nullptr);
    State state() const { return state_; }
    // An answer is under way: preambles, or a slave frame being collected.
    // A master frame (the request heard back) is none.
    bool AnswerStarted() const;
    // Bytes received so far that belong to the frame (last preamble on; one
    // preamble put in front of a frame that came without).
    const std::vector<std::uint8_t>& Frame() const { return frame_; }
    // Bytes still needed to make the frame whole, a worst case before the
    // byte count has come.
    std::size_t Missing() const;

private:
    void TakeFrame(std::size_t end);

    std::size_t minPreambles_ = 1;
    State state_ = State::Hunting;
    std::vector<std::uint8_t> pending_; // from the last preamble of a frame that may be coming
    FrameSpan span_;                    // what the grammar makes of pending_
    std::vector<std::uint8_t> frame_;   // the frame's bytes so far
};

// The batch path on a real line: writes each request, assembles its answer
// from the deliveries the owner passes in, judges it and sends again when it
// must. Lives on the owner's thread; its timers are single-shot.
class Transactor : public QObject, public Transport {
    Q_OBJECT
public:
    explicit Transactor(QObject* parent = nullptr);
    ~Transactor() override;

    void SetPort(BytePort* port) { port_ = port; }
    // Only for the time a request needs on the line.
    void SetBaud(std::uint32_t baud) { baud_ = baud ? baud : 1200; }
    void SetTrafficSink(TrafficSink sink) { sink_ = std::move(sink); }
    // Tests shorten the answer-start wait; the line uses its port's figure
    // (BytePort::AnswerStartMs), kAnswerStartMs on a wired line.
    void SetAnswerStartMs(int ms) { answerStartMs_ = ms; }

    using Transport::Submit;
    std::unique_ptr<Reply> Submit(Transaction t) override;
    bool Idle() const override;

    // Received bytes, as the port delivered them.
    void Deliver(std::span<const std::uint8_t> bytes);

    // Repeats since construction, over every request.
    int TotalRepeats() const { return totalRepeats_; }
signals:
    // Every request's outcome, before its handle reports it.
    void Answered(int command, const hart::TransactionResult& result);

public:
    // Whole answers passed over since construction: from another device, for
    // another master, or late answers to earlier requests.
    int SkippedAnswers() const { return skippedAnswers_; }

protected:
    void Withdraw(Reply* reply) override;

private:
    struct Job {
        Transaction t;
        Reply* reply = nullptr;
        std::vector<TransactionError> causes; // of each repeat so far
    };
    enum class Phase { Idle, Sending, Waiting, Receiving };

    void StartNext();
    void SendCurrent();
    void LineClear(std::uint64_t generation);
    bool Judge();
    void Skip();
    void Retry(TransactionError why);
    void Finish(TransactionResult result);
    void Timeout();
    void RtsOff();
    void EndCurrent();
    void Record(Direction d, std::span<const std::uint8_t> bytes);
    std::chrono::microseconds CharTimes(std::size_t bytes) const;
    void ArmFor(std::chrono::steady_clock::time_point deadline);

    BytePort* port_ = nullptr;
    TrafficSink sink_;
    std::uint32_t baud_ = 1200;
    std::optional<int> answerStartMs_; // set by tests; else the port's figure
    int AnswerStartMs() const;

    std::deque<Job> queue_;
    bool active_ = false;
    Job current_;
    Phase phase_ = Phase::Idle;
    std::uint64_t generation_ = 0; // tells a stale drained callback from the current one
    std::chrono::steady_clock::time_point lineEnd_;      // when the request's last bit leaves
    std::chrono::steady_clock::time_point answerLimit_;  // a started answer must be whole by then
    std::optional<std::chrono::steady_clock::time_point> waitDeadline_; // its start, once the request is out
    std::chrono::steady_clock::time_point waitLimit_; // skipped answers never push the wait past this
    FrameAssembler assembler_;
    QTimer timer_;
    QTimer rtsTimer_;
    bool rtsOn_ = false;
    int totalRepeats_ = 0;
    int skippedAnswers_ = 0;
};

} // namespace hart

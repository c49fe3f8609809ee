#include "hart/transactor.h"

#include "hart/frames.h"
#include "hart/line_owner.h"

#include <QPointer>

#include <algorithm>

namespace hart {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kBusy = 32;

} // namespace

// ---- FrameAssembler

void FrameAssembler::Clear()
{
    state_ = State::Hunting;
    pending_.clear();
    span_ = {};
    frame_.clear();
}

std::size_t FrameAssembler::Missing() const
{
    switch (state_) {
    case State::Whole: return 0;
    case State::Hunting: return kLongestAnswer;
    case State::Collecting: break;
    }
    return span_.mostNeeded();
}

// A frame from a network has no preamble: it is given the one every reader of
// Frame() (AnswerFrame::Parse, the decoders' fixed positions) expects before
// the delimiter. Only the assembled frame has it; deliveries, and with them
// the traffic counters and records, keep the bytes as they came.
void FrameAssembler::TakeFrame(std::size_t end)
{
    const auto from = pending_.begin() + static_cast<std::ptrdiff_t>(span_.delimiterAt());
    frame_.assign(1, kPreamble);
    frame_.insert(frame_.end(), from, pending_.begin() + static_cast<std::ptrdiff_t>(end));
}

bool FrameAssembler::AnswerStarted() const
{
    if (state_ == State::Hunting)
        return !pending_.empty();
    return span_.type == FrameType::Answer;
}

FrameAssembler::State FrameAssembler::Add(std::span<const std::uint8_t> bytes, std::size_t* used)
{
    std::size_t taken = 0;
    if (state_ != State::Whole) {
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
        taken = bytes.size();
    }
    while (state_ != State::Whole) {
        span_ = FindFrame(pending_, minPreambles_);
        if (span_.state == FrameState::None) {
            Clear();
            break;
        }
        const auto end = static_cast<std::ptrdiff_t>(span_.end());
        if (span_.state == FrameState::Whole) {
            if (span_.type == FrameType::Answer) {
                TakeFrame(span_.end());
                taken -= pending_.size() - span_.end(); // what follows the answer is not ours to take
                pending_.clear();
                state_ = State::Whole;
                break;
            }
            // A modem that hears its own request, or a device in burst mode: no answer.
            pending_.erase(pending_.begin(), pending_.begin() + end);
            continue;
        }
        // Only the last preamble is kept (none when the frame came without): Frame() starts there.
        const std::size_t keepFrom = span_.delimiter ? span_.delimiterAt() - (span_.preambles > 0 ? 1 : 0) : pending_.size() - 1;
        if (keepFrom > 0) {
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(keepFrom));
            span_ = FindFrame(pending_, minPreambles_);
        }
        state_ = span_.delimiter ? State::Collecting : State::Hunting;
        if (span_.delimiter)
            TakeFrame(pending_.size());
        else
            frame_.clear();
        break;
    }
    if (used)
        *used = taken;
    return state_;
}

// ---- Transactor

Transactor::Transactor(QObject* parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Transactor::Timeout);
    rtsTimer_.setSingleShot(true);
    rtsTimer_.setTimerType(Qt::PreciseTimer);
    connect(&rtsTimer_, &QTimer::timeout, this, &Transactor::RtsOff);
}

Transactor::~Transactor()
{
    RtsOff();
    for (auto& job : queue_)
        Detach(job.reply);
    if (active_ && current_.reply)
        Detach(current_.reply);
}

std::unique_ptr<Reply> Transactor::Submit(Transaction t)
{
    auto reply = NewReply();
    queue_.push_back(Job{std::move(t), reply.get(), {}});
    StartNext();
    return reply;
}

void Transactor::Withdraw(Reply* reply)
{
    if (active_ && current_.reply == reply) {
        // Off the line at once, as a cancel always was: an answer that still
        // comes is passed over by the next request as not its own.
        qCDebug(lcLine) << "request withdrawn on the line, command" << current_.t.command;
        current_.reply = nullptr;
        EndCurrent();
        return;
    }
    std::erase_if(queue_, [reply](const Job& j) { return j.reply == reply; });
}

bool Transactor::Idle() const { return !active_ && queue_.empty(); }

void Transactor::StartNext()
{
    if (active_ || queue_.empty())
        return;
    current_ = std::move(queue_.front());
    queue_.pop_front();
    active_ = true;
    SendCurrent();
}

int Transactor::AnswerStartMs() const
{
    if (answerStartMs_)
        return *answerStartMs_;
    if (port_)
        if (const auto ms = port_->AnswerStartMs())
            return *ms;
    return kAnswerStartMs;
}

std::chrono::microseconds Transactor::CharTimes(std::size_t bytes) const
{
    return LineTime(bytes, baud_);
}

void Transactor::ArmFor(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    timer_.start(static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
}

void Transactor::SendCurrent()
{
    ++generation_;
    assembler_.Clear();
    // Asked per request: the window's port may be a serial line one moment and a network the next.
    assembler_.SetMinPreambles(port_ ? port_->MinPreambles() : 1);
    waitDeadline_.reset();
    phase_ = Phase::Sending;
    const auto& frame = current_.t.frame;
    if (current_.t.rts && port_) {
        rtsTimer_.stop();
        port_->SetRtsControl(TRtsControl::RtsEnable);
        rtsOn_ = true;
    }
    const auto written = Clock::now();
    const bool ok = port_ && !frame.empty() && frame.size() <= 0xFFFF
                    && port_->WriteBytes(frame.data(), static_cast<std::uint16_t>(frame.size()));
    if (!ok) {
        Finish(TransactionResult{TransactionError::PortFailed, {}, static_cast<int>(current_.causes.size()), current_.causes});
        return;
    }
    Record(Direction::Sent, frame);
    lineEnd_ = written + CharTimes(frame.size());
    // The wait for the answer starts when the port says the bytes are out
    // (a port always says so, at once if it cannot tell): a request still
    // queued in a slow adapter must not be sent again behind itself.
    timer_.stop();
    QPointer<Transactor> self(this);
    const auto generation = generation_;
    port_->WhenDrained([self, generation] {
        if (self)
            self->LineClear(generation);
    });
}

void Transactor::LineClear(std::uint64_t generation)
{
    if (generation != generation_)
        return;
    // A port that cannot tell says "drained" at once: never before the
    // bytes can have gone at the line's speed.
    const auto end = std::max(Clock::now(), lineEnd_);
    if (rtsOn_) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0)
            RtsOff();
        else
            rtsTimer_.start(static_cast<int>(left.count()));
    }
    waitDeadline_ = end + std::chrono::milliseconds(AnswerStartMs());
    // Other devices' answers may push the wait on, but never past one longest
    // answer beyond it: a busy loop must not keep a request waiting for ever.
    waitLimit_ = *waitDeadline_ + CharTimes(kLongestAnswer) + std::chrono::milliseconds(AnswerStartMs());
    if (phase_ == Phase::Sending) {
        phase_ = Phase::Waiting;
        ArmFor(*waitDeadline_);
    }
}

void Transactor::RtsOff()
{
    rtsTimer_.stop();
    if (rtsOn_ && port_)
        port_->SetRtsControl(TRtsControl::RtsDisable);
    rtsOn_ = false;
}

void Transactor::Deliver(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    Record(Direction::Received, bytes);
    if (!active_)
        return; // nothing asked for: stray bytes
    const auto now = Clock::now();
    // One delivery may hold someone else's answer and then ours.
    for (;;) {
        std::size_t used = 0;
        if (assembler_.Add(bytes, &used) != FrameAssembler::State::Whole)
            break;
        bytes = bytes.subspan(used);
        if (Judge())
            return;
        Skip();
        if (bytes.empty())
            return;
    }
    if (!assembler_.AnswerStarted()) {
        // Noise, or the request heard back: the wait for the answer to start goes on.
        if (phase_ == Phase::Receiving) {
            phase_ = waitDeadline_ ? Phase::Waiting : Phase::Sending;
            if (waitDeadline_)
                ArmFor(*waitDeadline_);
            else
                timer_.stop();
        }
        return;
    }
    if (phase_ != Phase::Receiving) {
        phase_ = Phase::Receiving;
        answerLimit_ = now + CharTimes(kLongestAnswer) + std::chrono::milliseconds(AnswerStartMs());
    }
    // A started answer that stalls is as good as none.
    ArmFor(std::min(answerLimit_, now + CharTimes(assembler_.Missing()) + std::chrono::milliseconds(AnswerStartMs())));
}

// Ends the request with the whole frame, or sends it again; false when the
// frame is no answer to it.
bool Transactor::Judge()
{
    const auto& bytes = assembler_.Frame();
    const auto frame = AnswerFrame::Parse(bytes, 0);
    if (frame && !AnswersRequest(*frame, current_.t.frame, current_.t.command))
        return false;
    timer_.stop();
    if (!frame) {
        Retry(TransactionError::BrokenFrame);
        return true;
    }
    if (frame->responseCode() == kBusy) {
        Retry(TransactionError::Busy);
        return true;
    }
    Finish(TransactionResult{TransactionError::None, bytes, static_cast<int>(current_.causes.size()), current_.causes});
    return true;
}

// A whole, sound frame that is not our answer: a late answer to an earlier
// request (one a killed run sent, say) or one for another device or master.
// It neither ends nor repeats the request. The device may have been busy
// sending it when our request came, so ours may start a full answer-start
// wait after it.
void Transactor::Skip()
{
    ++skippedAnswers_;
    assembler_.Clear();
    if (!waitDeadline_) {
        phase_ = Phase::Sending;
        timer_.stop();
        return;
    }
    waitDeadline_ = std::min(waitLimit_, std::max(*waitDeadline_, Clock::now() + std::chrono::milliseconds(AnswerStartMs())));
    phase_ = Phase::Waiting;
    ArmFor(*waitDeadline_);
}

void Transactor::Timeout()
{
    if (active_)
        Retry(TransactionError::NoAnswer);
}

void Transactor::Retry(TransactionError why)
{
    const int repeats = static_cast<int>(current_.causes.size());
    if (repeats >= std::min(kMaxRepeats, current_.t.maxRepeats)) {
        Finish(TransactionResult{why, {}, repeats, current_.causes});
        return;
    }
    current_.causes.push_back(why);
    ++totalRepeats_;
    qCDebug(lcLineRepeat).nospace() << "command " << int(current_.t.command) << " sent again (" << repeats + 1
                                    << "): " << TransactionErrorText(why).c_str();
    RtsOff();
    SendCurrent();
}

void Transactor::Finish(TransactionResult result)
{
    // The handle reports later, never inside our own calls: its owner may
    // submit or withdraw from there.
    emit Answered(current_.t.command, result);
    if (Reply* reply = std::exchange(current_.reply, nullptr))
        Complete(reply, std::move(result));
    EndCurrent();
}

void Transactor::EndCurrent()
{
    timer_.stop();
    RtsOff();
    ++generation_;
    phase_ = Phase::Idle;
    active_ = false;
    assembler_.Clear();
    current_ = Job{};
    StartNext();
}

void Transactor::Record(Direction d, std::span<const std::uint8_t> bytes)
{
    if (!sink_)
        return;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
    sink_(TrafficRecord{d, ns, {bytes.begin(), bytes.end()}});
}

} // namespace hart

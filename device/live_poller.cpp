#include "device/live_poller.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace device {

LivePoller::LivePoller(hart::Transport& transport, RequestFactory request, QObject* parent)
    : QObject(parent),
      transport_(transport),
      request_(std::move(request)),
      clock_([] { return QDeadlineTimer::current().deadline(); })
{
    wait_.setSingleShot(true);
    wait_.setTimerType(Qt::PreciseTimer);
    connect(&wait_, &QTimer::timeout, this, [this] {
        if (state_ == State::Waiting)
            Poll();
    });
}

void LivePoller::SetIntervalSeconds(int seconds)
{
    intervalS_ = std::clamp(seconds, 0, 60);
    if (state_ == State::Waiting) { // the next sample follows the new interval at once
        wait_.stop();
        state_ = State::Yielded;
        NextAfterLine();
    }
}

void LivePoller::Start(bool lineBusy)
{
    if (state_ != State::Off) {
        stopping_ = false; // switched on again before the last request ended
        return;
    }
    ++generation_;
    if (lineBusy) {
        state_ = State::Yielded;
        return;
    }
    Poll();
}

void LivePoller::Stop()
{
    if (state_ == State::Off)
        return;
    wait_.stop();
    if (state_ == State::Polling) {
        stopping_ = true;
        return;
    }
    state_ = State::Off;
    RunKept();
}

void LivePoller::Abort()
{
    const bool onLine = state_ == State::Polling;
    ++generation_;
    state_ = State::Off;
    stopping_ = false;
    wait_.stop();
    kept_.clear();
    if (onLine)
        transport_.Cancel();
}

bool LivePoller::Defer(std::function<void()> send)
{
    switch (state_) {
    case State::Off:
        return false;
    case State::Waiting:
        wait_.stop();
        state_ = State::Yielded;
        return false;
    case State::Polling:
    case State::Yielded:
        kept_.push_back(std::move(send));
        return true;
    }
    return false;
}

void LivePoller::LineReleased()
{
    if (state_ != State::Yielded)
        return;
    NextAfterLine();
}

void LivePoller::Poll()
{
    state_ = State::Polling;
    lastStartMs_ = clock_();
    const unsigned generation = generation_;
    transport_.Submit(request_(), [this, generation](const hart::TransactionResult& r) {
        if (generation == generation_ && state_ == State::Polling)
            Done(r);
    });
}

void LivePoller::Done(const hart::TransactionResult& r)
{
    if (r.error != hart::TransactionError::Cancelled)
        emit Answered(r);
    if (stopping_) {
        stopping_ = false;
        state_ = State::Off;
        RunKept();
        return;
    }
    if (r.error == hart::TransactionError::PortFailed) {
        Abort();
        emit Failed(QCoreApplication::translate("device", "The port failed; live values stopped."));
        return;
    }
    state_ = State::Yielded;
    NextAfterLine();
}

// The line is free: a kept window request first, else the next live request.
void LivePoller::NextAfterLine()
{
    if (!kept_.empty()) {
        auto send = std::move(kept_.front());
        kept_.pop_front();
        send(); // its answer or time-out comes back through LineReleased()
        return;
    }
    const std::int64_t due = lastStartMs_ + std::int64_t{intervalS_} * 1000;
    const std::int64_t now = clock_();
    if (intervalS_ == 0 || now >= due) {
        Poll();
        return;
    }
    state_ = State::Waiting;
    if (!wait_.isActive())
        wait_.start(static_cast<int>(due - now));
}

void LivePoller::RunKept()
{
    // Live is off: the window's requests go out as they always did.
    while (!kept_.empty()) {
        auto send = std::move(kept_.front());
        kept_.pop_front();
        send();
    }
}

} // namespace device

#pragma once

#include "hart/transport.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>

namespace device {

// Repeats one request over the batch path, as fast as the line allows or at a
// fixed interval, and shares the line with the window's own requests: a request
// made while a live one is on the line goes next, and polling resumes once it
// has been answered. There is never more than one request on the line.
class LivePoller : public QObject {
    Q_OBJECT
public:
    using RequestFactory = std::function<hart::Transaction()>;
    using Clock = std::function<std::int64_t()>; // steady, ms

    LivePoller(hart::Transport& transport, RequestFactory request, QObject* parent = nullptr);

    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // 0: as fast as the line allows; else seconds from one request's start to the next's (1..60).
    void SetIntervalSeconds(int seconds);
    int IntervalSeconds() const { return intervalS_; }

    // `lineBusy`: a window request still waits for its answer; polling starts after LineReleased().
    void Start(bool lineBusy = false);
    // Switched off: the request on the line is let finish, then kept window requests go out.
    void Stop();
    // The port is gone: cancels at once and drops the kept window requests.
    void Abort();
    bool Active() const { return state_ != State::Off && !stopping_; }
    // A window request waits for the live request on the line: it goes next.
    bool HasKept() const { return !kept_.empty(); }

    // For the window's own requests while live runs: true when `send` was kept
    // and will run once the line is free; false when the caller sends now.
    bool Defer(std::function<void()> send);
    // The window's request was answered or timed out.
    void LineReleased();

signals:
    // Every live request's outcome (not the cancelled ones).
    void Answered(const hart::TransactionResult& result);
    // Polling ended by itself (the port failed).
    void Failed(const QString& reason);

private:
    enum class State { Off, Polling, Waiting, Yielded };

    void Poll();
    void Done(const hart::TransactionResult& r);
    void NextAfterLine();
    void RunKept();

    hart::Transport& transport_;
    RequestFactory request_;
    Clock clock_;
    QTimer wait_;
    State state_ = State::Off;
    bool stopping_ = false; // switched off while a request is on the line
    int intervalS_ = 0;
    std::int64_t lastStartMs_ = 0;
    unsigned generation_ = 0;
    std::deque<std::function<void()>> kept_;
};

} // namespace device

#pragma once

#include "hart/line_owner.h"
#include "hart/transport.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

namespace device {

// Repeats one request over the batch path, as fast as the line allows or at a
// fixed interval. With a line owner each sample claims the line as live
// values and gives it back once answered, so a window request waiting for the
// line goes before the next sample; a configuration batch taking the line
// ends polling (Displaced). There is never more than one request on the line.
class LivePoller : public QObject {
    Q_OBJECT
public:
    using RequestFactory = std::function<hart::Transaction()>;
    using Clock = std::function<std::int64_t()>; // steady, ms

    LivePoller(hart::Transport& transport, RequestFactory request, hart::LineOwner* owner = nullptr,
               QObject* parent = nullptr);
    ~LivePoller() override;

    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // 0: as fast as the line allows; else seconds from one request's start to the next's (1..60).
    void SetIntervalSeconds(int seconds);
    int IntervalSeconds() const { return intervalS_; }

    // Polling starts once the line is free.
    void Start();
    // Switched off: the request on the line is let finish.
    void Stop();
    // The port is gone: withdraws the request at once.
    void Abort();
    bool Active() const { return state_ != State::Off && !stopping_; }

signals:
    // Every live request's outcome (not the withdrawn ones).
    void Answered(const hart::TransactionResult& result);
    // Polling ended by itself (the port failed).
    void Failed(const QString& reason);
    // A configuration batch took the line: polling ended.
    void Displaced();

private:
    enum class State { Off, Claiming, Polling, Waiting };

    void Claim();
    void Poll();
    void Done(const hart::TransactionResult& r);
    void Next();
    void LetGo();

    hart::Transport& transport_;
    RequestFactory request_;
    hart::LineOwner* owner_;
    Clock clock_;
    QTimer wait_;
    State state_ = State::Off;
    bool stopping_ = false; // switched off while a request is on the line
    int intervalS_ = 0;
    std::int64_t lastStartMs_ = 0;
    std::unique_ptr<hart::Reply> reply_;
};

} // namespace device

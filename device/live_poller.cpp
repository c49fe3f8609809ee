#include "device/live_poller.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace device {

LivePoller::LivePoller(hart::Transport& transport, RequestFactory request, hart::LineOwner* owner, QObject* parent)
    : QObject(parent),
      transport_(transport),
      request_(std::move(request)),
      owner_(owner),
      clock_([] { return QDeadlineTimer::current().deadline(); })
{
    wait_.setSingleShot(true);
    wait_.setTimerType(Qt::PreciseTimer);
    connect(&wait_, &QTimer::timeout, this, [this] {
        if (state_ == State::Waiting)
            Claim();
    });
    if (owner_)
        connect(owner_, &hart::LineOwner::HolderChanged, this, [this](int client) {
            if (client == static_cast<int>(hart::LineClient::Batch) && state_ != State::Off) {
                Abort();
                emit Displaced();
            } else if (client < 0 && state_ == State::Waiting) {
                wait_.stop(); // the line came free: the sample may be due by now
                Next();
            }
        });
}

LivePoller::~LivePoller() { Abort(); }

void LivePoller::SetIntervalSeconds(int seconds)
{
    intervalS_ = std::clamp(seconds, 0, 60);
    if (state_ == State::Waiting) { // the next sample follows the new interval at once
        wait_.stop();
        Next();
    }
}

void LivePoller::Start()
{
    if (state_ != State::Off) {
        stopping_ = false; // switched on again before the last request ended
        return;
    }
    Claim();
}

void LivePoller::Stop()
{
    if (state_ == State::Off)
        return;
    if (state_ == State::Polling) {
        stopping_ = true;
        return;
    }
    LetGo();
}

void LivePoller::Abort() { LetGo(); }

void LivePoller::LetGo()
{
    state_ = State::Off;
    stopping_ = false;
    wait_.stop();
    reply_.reset(); // withdraws the request on the line
    if (owner_)
        owner_->Release(this);
}

void LivePoller::Claim()
{
    state_ = State::Claiming;
    if (!owner_)
        return Poll();
    owner_->Claim(hart::LineClient::Live, this, [this] {
        if (state_ == State::Claiming)
            Poll();
    });
}

void LivePoller::Poll()
{
    state_ = State::Polling;
    lastStartMs_ = clock_();
    reply_ = transport_.Submit(request_(), [this](const hart::TransactionResult& r) { Done(r); });
}

void LivePoller::Done(const hart::TransactionResult& r)
{
    reply_.reset();
    emit Answered(r);
    if (r.error == hart::TransactionError::PortFailed) {
        LetGo();
        emit Failed(QCoreApplication::translate("device", "The port failed; live values stopped."));
        return;
    }
    if (stopping_)
        return LetGo();
    if (owner_)
        owner_->Release(this); // a waiting window request goes now, before the next sample
    Next();
}

void LivePoller::Next()
{
    if (state_ == State::Off)
        return;
    const std::int64_t due = lastStartMs_ + std::int64_t{intervalS_} * 1000;
    const std::int64_t now = clock_();
    if (intervalS_ == 0 || now >= due)
        return Claim();
    state_ = State::Waiting;
    if (!wait_.isActive())
        wait_.start(static_cast<int>(due - now));
}

} // namespace device

#include "hart/line_owner.h"

#include <algorithm>

namespace hart {

Q_LOGGING_CATEGORY(lcLine, "mh.line", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLineRepeat, "mh.line.repeat", QtInfoMsg)

const char* LineClientName(LineClient c)
{
    switch (c) {
    case LineClient::Button: return "button";
    case LineClient::Batch: return "batch";
    case LineClient::Scan: return "scan";
    case LineClient::Live: return "live";
    }
    return "?";
}

LineOwner::Step LineOwner::Transition(State state, std::optional<LineClient> holder, Event event, LineClient claimant)
{
    if (event == Event::PortClosed)
        return {State::Free, Action::DropAll};
    if (state == State::Free) {
        if (event == Event::Claim || event == Event::ClaimBySelf)
            return {State::Held, Action::Grant};
        if (event == Event::ReleaseByWaiter)
            return {State::Free, Action::Withdraw};
        return {State::Free, Action::Ignore};
    }
    switch (event) {
    case Event::ClaimBySelf: return {State::Held, Action::Grant};
    case Event::Claim:
        if (holder == LineClient::Live && claimant == LineClient::Batch)
            return {State::Held, Action::Displace};
        return {State::Held, Action::Queue};
    case Event::Release:
    case Event::HolderGone: return {State::Held, Action::GrantNext}; // Free when nobody waits
    case Event::ReleaseByWaiter: return {State::Held, Action::Withdraw};
    case Event::ReleaseByStranger: return {State::Held, Action::Ignore};
    case Event::PortClosed: break;
    }
    return {State::Free, Action::DropAll};
}

LineOwner::LineOwner(QObject* parent) : QObject(parent) {}

std::optional<LineClient> LineOwner::Holder() const
{
    if (!holder_)
        return std::nullopt;
    return holder_->who;
}

bool LineOwner::Wants(LineClient who) const
{
    if (holder_ && holder_->who == who)
        return true;
    return std::any_of(waiting_.begin(), waiting_.end(), [who](const Entry& e) { return e.who == who; });
}

void LineOwner::SetSink(LineClient who, Sink sink) { sinks_[static_cast<int>(who)] = std::move(sink); }

void LineOwner::Deliver(std::span<const std::uint8_t> bytes)
{
    const Sink& sink = holder_ ? sinks_[static_cast<int>(holder_->who)] : idleSink_;
    if (sink)
        sink(bytes);
}

void LineOwner::Forget(Entry& entry) { disconnect(entry.gone); }

LineOwner::Event LineOwner::ReleaseKind(const QObject* holder) const
{
    if (holder_ && holder_->object == holder)
        return Event::Release;
    if (std::any_of(waiting_.begin(), waiting_.end(), [holder](const Entry& e) { return e.object == holder; }))
        return Event::ReleaseByWaiter;
    return Event::ReleaseByStranger;
}

void LineOwner::Claim(LineClient who, QObject* holder, Granted granted)
{
    const Event event = Holds(holder) ? Event::ClaimBySelf : Event::Claim;
    const Step step = Transition(state(), Holder(), event, who);
    Entry entry{who, holder, std::move(granted), {}};
    if (holder)
        entry.gone = connect(holder, &QObject::destroyed, this, [this, holder] {
            const Event e = ReleaseKind(holder) == Event::Release ? Event::HolderGone : ReleaseKind(holder);
            qCDebug(lcLine) << "holder gone:" << holder;
            if (e == Event::HolderGone) {
                Forget(*holder_);
                holder_.reset();
                GrantNext();
            } else if (e == Event::ReleaseByWaiter) {
                std::erase_if(waiting_, [holder](const Entry& w) { return w.object == holder; });
            }
        });
    switch (step.action) {
    case Action::Grant:
        qCDebug(lcLine) << LineClientName(who) << (event == Event::ClaimBySelf ? "claims again: granted" : "claims the free line: granted");
        if (event == Event::ClaimBySelf) {
            Forget(entry); // the holder's first connection stands for it
            if (entry.granted)
                entry.granted();
            return;
        }
        Hold(std::move(entry));
        return;
    case Action::Displace: {
        qCDebug(lcLine) << LineClientName(who) << "claims: displaces" << LineClientName(holder_->who);
        Forget(*holder_);
        holder_.reset();
        for (auto& w : waiting_)
            if (w.who == LineClient::Live)
                Forget(w);
        std::erase_if(waiting_, [](const Entry& w) { return w.who == LineClient::Live; });
        Hold(std::move(entry));
        return;
    }
    case Action::Queue: {
        qCDebug(lcLine) << LineClientName(who) << "claims: waits for" << LineClientName(holder_->who);
        const auto at = std::find_if(waiting_.begin(), waiting_.end(), [who](const Entry& w) { return w.who > who; });
        waiting_.insert(at, std::move(entry));
        return;
    }
    default: break;
    }
}

void LineOwner::Hold(Entry entry)
{
    holder_ = std::move(entry);
    const LineClient who = holder_->who;
    const QObject* object = holder_->object;
    emit HolderChanged(static_cast<int>(who));
    // The grant may release at once, or the slot above may have closed the line.
    if (holder_ && holder_->object == object && holder_->granted)
        std::exchange(holder_->granted, nullptr)();
}

void LineOwner::Release(QObject* holder)
{
    const Event event = ReleaseKind(holder);
    const Step step = Transition(state(), Holder(), event, LineClient::Button);
    switch (step.action) {
    case Action::GrantNext:
        qCDebug(lcLine) << LineClientName(holder_->who) << "releases the line";
        Forget(*holder_);
        holder_.reset();
        GrantNext();
        return;
    case Action::Withdraw:
        qCDebug(lcLine) << "a waiting claim is withdrawn";
        for (auto& w : waiting_)
            if (w.object == holder)
                Forget(w);
        std::erase_if(waiting_, [holder](const Entry& w) { return w.object == holder; });
        return;
    default: return;
    }
}

void LineOwner::GrantNext()
{
    if (waiting_.empty()) {
        qCDebug(lcLine) << "the line is free";
        emit HolderChanged(-1);
        return;
    }
    Entry next = std::move(waiting_.front());
    waiting_.pop_front();
    qCDebug(lcLine) << LineClientName(next.who) << "is served next";
    Hold(std::move(next));
}

void LineOwner::PortClosed()
{
    qCDebug(lcLine) << "port closed: every claim dropped";
    if (holder_)
        Forget(*holder_);
    for (auto& w : waiting_)
        Forget(w);
    const bool held = holder_.has_value();
    holder_.reset();
    waiting_.clear();
    if (held)
        emit HolderChanged(-1);
}

} // namespace hart

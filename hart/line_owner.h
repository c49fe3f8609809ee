#pragma once

#include <QLoggingCategory>
#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>

namespace hart {

// The line owner's decisions ("mh.line") and the batch path's repeats with
// their causes ("mh.line.repeat"); both off until QT_LOGGING_RULES turns them on.
Q_DECLARE_LOGGING_CATEGORY(lcLine)
Q_DECLARE_LOGGING_CATEGORY(lcLineRepeat)

// Who may use the half-duplex line. The order is the order in which waiting
// claims are served: a window button's press first (it is a person waiting),
// then a configuration batch, then the address scan, and live values last, so
// a press always goes before the next live sample. Claims of one kind are
// served in the order they came.
enum class LineClient { Button, Batch, Scan, Live };
const char* LineClientName(LineClient c);

// Holds the line for exactly one client at a time: a button's transaction
// (from its send until its answer is handled or its time-out fires), a
// configuration batch (from its start to its report), a scan, or one live
// sample. Received bytes go to the holder's sink. Lives on the window thread.
//
// The rules, state x event -> next state, action (Transition() is the table):
//
//   Free         Claim(any)              -> Held(claimant)  Grant
//   Held(h)      Claim by h itself       -> Held(h)         Grant  (a second press: the newer request wins)
//   Held(Live)   Claim(Batch)            -> Held(Batch)     Displace (live values give way at once; their
//                                                            waiting claims go too)
//   Held(h)      Claim(other)            -> Held(h)         Queue  (served by the order above)
//   Held(h)      Release by h            -> Held(next)      GrantNext, or Free when nobody waits
//   Held(h)      Release by a waiter     -> Held(h)         Withdraw (its claim is dropped)
//   Held(h)      Release by nobody known -> Held(h)         Ignore (e.g. a late answer after a time-out)
//   Held(h)      HolderGone (destroyed)  -> as Release by h
//   any          PortClosed              -> Free            DropAll (no claim survives the port)
class LineOwner : public QObject {
    Q_OBJECT
public:
    enum class State { Free, Held };
    enum class Event { Claim, ClaimBySelf, Release, ReleaseByWaiter, ReleaseByStranger, HolderGone, PortClosed };
    enum class Action { Grant, Displace, Queue, GrantNext, Withdraw, Ignore, DropAll };
    struct Step {
        State next;
        Action action;
        bool operator==(const Step&) const = default;
    };
    // The table above. `holder` matters when held; `claimant` for the claims.
    static Step Transition(State state, std::optional<LineClient> holder, Event event, LineClient claimant);

    using Granted = std::function<void()>;
    using Sink = std::function<void(std::span<const std::uint8_t>)>;

    explicit LineOwner(QObject* parent = nullptr);

    // `who` asks for the line on behalf of `holder`; `granted` runs once it
    // holds it: inside this call when the line is free, else later.
    void Claim(LineClient who, QObject* holder, Granted granted);
    // The holder gives the line back, or a waiter withdraws its claim.
    void Release(QObject* holder);
    // The port closed: nobody holds the line and no claim waits.
    void PortClosed();

    // Where received bytes go while `who` holds the line; `idle` while nobody does.
    void SetSink(LineClient who, Sink sink);
    void SetIdleSink(Sink sink) { idleSink_ = std::move(sink); }
    void Deliver(std::span<const std::uint8_t> bytes);

    State state() const { return holder_ ? State::Held : State::Free; }
    std::optional<LineClient> Holder() const;
    bool Holds(const QObject* holder) const { return holder_ && holder_->object == holder; }
    // `who` holds the line or waits for it.
    bool Wants(LineClient who) const;

signals:
    // After every change of the holder, before the new holder is granted the
    // line (so the port can be set up for it). -1: nobody.
    void HolderChanged(int client);

private:
    struct Entry {
        LineClient who;
        const QObject* object; // cleared from here when it is destroyed
        Granted granted;
        QMetaObject::Connection gone;
    };

    Event ReleaseKind(const QObject* holder) const;
    void GrantNext();
    void Hold(Entry entry);
    void Forget(Entry& entry);

    std::optional<Entry> holder_;
    std::deque<Entry> waiting_; // in the order served
    Sink sinks_[4];
    Sink idleSink_;
};

} // namespace hart

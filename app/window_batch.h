#pragma once

#include "hart/transactor.h"
#include "line/line.h"
#include "serial/tcomm.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace app {

// The window's batch path: the Transactor on the window's port, with every
// read delivered at once only while it has requests; between them the port
// keeps the read interval the buttons' answers rely on.
class WindowBatchPath : public hart::Transport {
public:
    WindowBatchPath(hart::Transactor& transactor, serial::TComm& comm) : transactor_(transactor), comm_(comm) {}

    // Sees every outcome before the requester does, with the command it was for.
    using Observer = std::function<void(std::uint8_t command, const hart::TransactionResult&)>;
    void SetObserver(Observer observer) { observer_ = std::move(observer); }

    void Submit(hart::Transaction t, Done done) override
    {
        Hold();
        const std::uint8_t command = t.command;
        transactor_.Submit(std::move(t), [this, command, done = std::move(done)](const hart::TransactionResult& r) {
            Release();
            if (observer_)
                observer_(command, r);
            done(r);
        });
    }
    // Keeps reads delivered at once between requests too (a configuration
    // batch). One count for every holder, so the read interval the buttons
    // need comes back whatever order the holders end in.
    void Hold()
    {
        if (holds_++ == 0)
            reads_ = std::make_unique<line::BatchReads>(comm_);
    }
    void Release()
    {
        if (--holds_ == 0)
            reads_.reset();
    }
    void Cancel() override { transactor_.Cancel(); }
    bool Idle() const override { return transactor_.Idle(); }

private:
    hart::Transactor& transactor_;
    serial::TComm& comm_;
    std::unique_ptr<line::BatchReads> reads_;
    int holds_ = 0;
    Observer observer_;
};

} // namespace app

#pragma once

#include "hart/transactor.h"
#include "line/line.h"
#include "serial/tcomm.h"

#include <memory>

namespace app {

// The window's batch path: the Transactor on the window's port, with every
// read delivered at once only while it has requests; between them the port
// keeps the read interval the buttons' answers rely on.
class WindowBatchPath : public hart::Transport {
public:
    WindowBatchPath(hart::Transactor& transactor, serial::TComm& comm) : transactor_(transactor), comm_(comm) {}

    void Submit(hart::Transaction t, Done done) override
    {
        if (!reads_)
            reads_ = std::make_unique<line::BatchReads>(comm_);
        ++pending_;
        transactor_.Submit(std::move(t), [this, done = std::move(done)](const hart::TransactionResult& r) {
            if (--pending_ == 0)
                reads_.reset();
            done(r);
        });
    }
    void Cancel() override { transactor_.Cancel(); }
    bool Idle() const override { return transactor_.Idle(); }

private:
    hart::Transactor& transactor_;
    serial::TComm& comm_;
    std::unique_ptr<line::BatchReads> reads_;
    int pending_ = 0;
};

} // namespace app

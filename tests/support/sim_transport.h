#pragma once

// The batch path with the simulated converter on the other side of a function
// call: each request is fed to a sim::Device and its answer handed back on the
// next turn of the event loop. Counts what a real line would cost.
#include "hart/frames.h"
#include "hart/transport.h"
#include "sim/device.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <utility>

namespace testing {

class SimTransport : public hart::Transport {
public:
    explicit SimTransport(sim::Device& device) : device_(device) {}

    void Submit(hart::Transaction t, Done done) override
    {
        queue_.emplace_back(std::move(t), std::move(done));
        Schedule();
    }
    void Cancel() override
    {
        for (auto& [t, done] : queue_)
            cancelled_.push_back(std::move(done));
        queue_.clear();
        cancelOnLine_ = onLine_;
        Schedule();
    }
    bool Idle() const override { return queue_.empty() && cancelled_.empty(); }

    std::vector<hart::Transaction> sent; // every request, in order
    int noAnswers = 0;
    std::int64_t nowMs = 0;
    int stepMs = 500; // device time that passes per request
    // Runs before a request reaches the device (e.g. to cancel from "inside" a wait).
    std::function<void(const hart::Transaction&)> beforeAnswer;

private:
    void Schedule()
    {
        if (!scheduled_) {
            scheduled_ = true;
            QTimer::singleShot(0, &context_, [this] { RunOne(); });
        }
    }
    void RunOne()
    {
        scheduled_ = false;
        if (!cancelled_.empty()) {
            auto done = std::move(cancelled_.front());
            cancelled_.pop_front();
            hart::TransactionResult r;
            r.error = hart::TransactionError::Cancelled;
            Schedule();
            done(r);
            return;
        }
        if (queue_.empty())
            return;
        auto [t, done] = std::move(queue_.front());
        queue_.pop_front();
        onLine_ = true;
        cancelOnLine_ = false;
        if (beforeAnswer)
            beforeAnswer(t);
        onLine_ = false;
        if (cancelOnLine_) {
            cancelled_.push_front(std::move(done));
            Schedule();
            return;
        }
        sent.push_back(t);
        nowMs += stepMs;
        hart::TransactionResult r = Answer(t);
        if (r.error == hart::TransactionError::NoAnswer)
            ++noAnswers;
        Schedule();
        done(r);
    }
    hart::TransactionResult Answer(const hart::Transaction& t)
    {
        hart::TransactionResult r;
        std::vector<std::uint8_t> bytes;
        for (const auto& tx : device_.Feed(t.frame, nowMs))
            for (const auto& chunk : tx.chunks)
                bytes.insert(bytes.end(), chunk.bytes.begin(), chunk.bytes.end());
        for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
            if (bytes[i] == hart::kPreamble && (bytes[i + 1] == hart::kSlaveShort || bytes[i + 1] == hart::kSlaveLong)) {
                r.answer.assign(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.end());
                const auto f = hart::AnswerFrame::Parse(r.answer, 0);
                r.error = f && f->command() == t.command ? hart::TransactionError::None
                                                         : hart::TransactionError::BrokenFrame;
                if (f)
                    r.answer.resize(f->size() + 1);
                return r;
            }
        }
        r.error = hart::TransactionError::NoAnswer;
        return r;
    }

    sim::Device& device_;
    QObject context_;
    bool scheduled_ = false;
    bool onLine_ = false;
    bool cancelOnLine_ = false;
    std::deque<std::pair<hart::Transaction, Done>> queue_;
    std::deque<Done> cancelled_;
};

} // namespace testing

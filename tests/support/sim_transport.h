#pragma once

// A hart::Transport with a simulated converter on the other side of a function
// call: each request is fed to the sim::Device, its answer delivered later from
// the event loop, as a real line would. Repeats follow the batch path's rule
// (no answer, a broken frame or busy: sent again, at most twice, or as often
// as the transaction allows).

#include "hart/frame_grammar.h"
#include "hart/frames.h"
#include "hart/request_table.h"
#include "hart/transport.h"
#include "sim/device.h"

#include <QObject>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <memory>

namespace testing {

class SimTransport : public hart::Transport {
public:
    explicit SimTransport(sim::Device& device) : device_(device) {}
    ~SimTransport() override
    {
        for (auto& p : queue_)
            Detach(p.reply);
    }

    using hart::Transport::Submit;
    std::unique_ptr<hart::Reply> Submit(hart::Transaction t) override
    {
        auto reply = NewReply();
        queue_.push_back({std::move(t), reply.get()});
        Schedule();
        return reply;
    }

    bool Idle() const override { return queue_.empty(); }

    // Every command number that reached the device, in order (repeats included).
    const std::vector<std::uint8_t>& Sent() const { return sent_; }
    int SettingsSent() const
    {
        int n = 0;
        for (const auto c : sent_)
            n += IsSetting(c) ? 1 : 0;
        return n;
    }
    void ClearLog() { sent_.clear(); }
    // Every frame that reached the device, and how many tries met silence.
    const std::vector<std::vector<std::uint8_t>>& Frames() const { return frames_; }
    int NoAnswers() const { return noAnswers_; }
    // The device's clock at the last try.
    std::int64_t NowMs() const { return nowMs_; }
    // Called before each request reaches the device (e.g. to cancel mid-batch).
    std::function<void(const hart::Transaction&)> beforeSend;

    // A setting is what the request table sends with a setting's time-out.
    static bool IsSetting(std::uint8_t c)
    {
        const auto rows = hart::RequestTable();
        return std::any_of(rows.begin(), rows.end(), [c](const hart::RequestRow& r) {
            return r.command == c && r.kind == hart::TimeoutKind::Setting;
        });
    }

protected:
    void Withdraw(hart::Reply* reply) override
    {
        std::erase_if(queue_, [reply](const Pending& p) { return p.reply == reply; });
    }

private:
    struct Pending {
        hart::Transaction t;
        hart::Reply* reply = nullptr;
    };

    void Schedule()
    {
        if (scheduled_)
            return;
        scheduled_ = true;
        QTimer::singleShot(0, &context_, [this] {
            scheduled_ = false;
            Pump();
        });
    }

    void Pump()
    {
        if (queue_.empty())
            return;
        const Pending p = queue_.front();
        hart::TransactionResult result;
        if (beforeSend)
            beforeSend(p.t);
        // Withdrawn just before it reached the device.
        if (queue_.empty() || queue_.front().reply != p.reply) {
            if (!queue_.empty())
                Schedule();
            return;
        }
        std::vector<hart::TransactionError> causes;
        for (int attempt = 0;; ++attempt) {
            result.repeats = attempt;
            result.repeatCauses = causes;
            if (Exchange(p.t, result) || attempt >= std::min(2, p.t.maxRepeats))
                break;
            causes.push_back(result.error);
        }
        queue_.pop_front();
        if (!queue_.empty())
            Schedule();
        Complete(p.reply, result);
    }

    // One try; true when it needs no repeat.
    bool Exchange(const hart::Transaction& t, hart::TransactionResult& result)
    {
        sent_.push_back(t.command);
        frames_.push_back(t.frame);
        nowMs_ += 1000; // far apart, so the device never joins two requests
        const auto answers = device_.Feed(t.frame, nowMs_);
        result.answer.clear();
        if (answers.empty()) {
            ++noAnswers_;
            result.error = hart::TransactionError::NoAnswer;
            return false;
        }
        std::vector<std::uint8_t> bytes;
        for (const auto& chunk : answers.front().chunks)
            bytes.insert(bytes.end(), chunk.bytes.begin(), chunk.bytes.end());
        const hart::FrameSpan found = hart::FindFrame(bytes);
        if (found.state == hart::FrameState::Whole && found.type == hart::FrameType::Answer) {
            const std::size_t i = found.start + found.preambles - 1; // the last preamble
            const auto frame = hart::AnswerFrame::Parse(bytes, i);
            if (frame && frame->command() == t.command) {
                if (frame->responseCode() == 32) {
                    result.error = hart::TransactionError::Busy;
                    return false;
                }
                result.error = hart::TransactionError::None;
                result.answer.assign(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(i + 1 + frame->size()));
                return true;
            }
        }
        result.error = hart::TransactionError::BrokenFrame;
        return false;
    }

    sim::Device& device_;
    std::deque<Pending> queue_;
    std::vector<std::uint8_t> sent_;
    std::vector<std::vector<std::uint8_t>> frames_;
    int noAnswers_ = 0;
    QObject context_;
    bool scheduled_ = false;
    std::int64_t nowMs_ = 0;
};

} // namespace testing

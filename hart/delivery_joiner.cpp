#include "hart/delivery_joiner.h"

#include "hart/frame_decoder.h"
#include "hart/frame_grammar.h"
#include "hart/transactor.h"

namespace hart {

void DeliveryJoiner::Clear()
{
    pending_.clear();
    pendingNs_ = 0;
    pendingDeliveries_ = 0;
    joined_ = false;
    continued_ = 0;
}

std::int64_t DeliveryJoiner::RestDueNs() const
{
    if (pending_.empty())
        return 0;
    // The transactor's judgement of a started answer that stalls: the time
    // its missing bytes need on the line, plus the wait an answer is allowed.
    const FrameSpan f = FindFrame(pending_);
    const std::size_t missing = f.delimiter ? f.mostNeeded() : kLongestAnswer;
    return pendingNs_ + std::chrono::nanoseconds(LineTime(missing, static_cast<int>(baud_))).count()
           + std::int64_t{kAnswerStartMs} * 1'000'000;
}

std::vector<LineRun> DeliveryJoiner::Flush()
{
    std::vector<LineRun> out;
    if (!pending_.empty())
        out.push_back(LineRun{Direction::Received, pendingNs_, std::move(pending_), pendingDeliveries_});
    pending_.clear();
    pendingDeliveries_ = 0;
    return out;
}

bool DeliveryJoiner::Joins(const TrafficRecord& record) const
{
    return record.direction == Direction::Received && !pending_.empty() && record.timeNs <= RestDueNs();
}

std::vector<LineRun> DeliveryJoiner::Add(const TrafficRecord& record)
{
    joined_ = Joins(record);
    continued_ = 0;
    std::vector<LineRun> out;
    std::span<const std::uint8_t> rest = record.bytes;
    if (joined_) {
        std::vector<std::uint8_t> bytes = std::move(pending_);
        pending_.clear();
        const std::size_t before = bytes.size();
        bytes.insert(bytes.end(), rest.begin(), rest.end());
        std::size_t end = bytes.size();
        for (const auto& piece : DecodeLine(bytes)) {
            if (piece.offset + piece.length > before) {
                end = piece.offset + piece.length;
                break;
            }
        }
        bytes.resize(end);
        continued_ = end - before;
        rest = rest.subspan(continued_);
        LineRun run{Direction::Received, record.timeNs, std::move(bytes), pendingDeliveries_ + 1};
        if (rest.empty()) {
            Settle(std::move(run), out);
            return out;
        }
        out.push_back(std::move(run)); // something follows it: final
    } else {
        out = Flush();
    }
    Settle(LineRun{record.direction, record.timeNs, {rest.begin(), rest.end()}, 1}, out);
    return out;
}

void DeliveryJoiner::Settle(LineRun run, std::vector<LineRun>& out)
{
    if (run.direction == Direction::Received) {
        const auto pieces = DecodeLine(run.bytes);
        // Longer than any answer: noise (a line of 0xFF, say), final now.
        if (!pieces.empty() && pieces.back().kind == PieceKind::Cut
            && run.bytes.size() - pieces.back().offset <= kLongestAnswer) {
            const auto from = static_cast<std::ptrdiff_t>(pieces.back().offset);
            pending_.assign(run.bytes.begin() + from, run.bytes.end());
            pendingNs_ = run.timeNs;
            pendingDeliveries_ = run.deliveries;
            run.bytes.resize(pieces.back().offset);
            if (run.bytes.empty())
                return;
        }
    }
    out.push_back(std::move(run));
}

} // namespace hart

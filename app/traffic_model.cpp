#include "app/traffic_model.h"

#include "hart/frame_decoder.h"

#include <algorithm>


namespace app {

namespace {

QString Ms(std::int64_t ns) { return QString::number(static_cast<double>(ns) / 1e6, 'f', 1); }

// A delivery that stops inside a frame: the next one carries on with it.
bool EndsInsideFrame(const std::vector<std::uint8_t>& bytes)
{
    const auto pieces = hart::DecodeLine(bytes);
    return !pieces.empty() && pieces.back().kind == hart::PieceKind::Cut;
}

} // namespace

TrafficModel::TrafficModel(QObject* parent, int capacity) : QAbstractTableModel(parent), capacity_(std::max(capacity, 1))
{
    setObjectName("TrafficModel");
}

int TrafficModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

int TrafficModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString TrafficModel::Cell(int row, int column) const
{
    const Row& r = At(row);
    switch (column) {
    case TimeColumn: return Ms(r.timeNs - originNs_);
    case GapColumn: {
        const std::int64_t previous = row > 0 ? At(row - 1).timeNs : evictedTimeNs_;
        return previous ? Ms(r.timeNs - previous) : QString();
    }
    case DirectionColumn: return r.sent ? "Sent" : "Received";
    case SummaryColumn: return QString::fromStdString(hart::Summary(hart::DecodeLine(r.bytes)));
    }
    return {};
}

QVariant TrafficModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return Cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() < DirectionColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn: return "Time (ms)";
    case GapColumn: return "Gap (ms)";
    case DirectionColumn: return "Direction";
    case SummaryColumn: return "Frames";
    }
    return {};
}

void TrafficModel::Append(const hart::TrafficRecord& record)
{
    // Reads that hand over each byte as it comes would give a row per byte:
    // the rest of a cut answer joins the row it began in.
    if (record.direction == hart::Direction::Received) {
        if (paused_ && !held_.empty() && held_.back().direction == hart::Direction::Received
            && EndsInsideFrame(held_.back().bytes)) {
            held_.back().bytes.insert(held_.back().bytes.end(), record.bytes.begin(), record.bytes.end());
            return;
        }
        if (!paused_ && count_ > 0) {
            Row& last = ring_[(head_ + static_cast<std::size_t>(count_ - 1)) % ring_.size()];
            if (!last.sent && EndsInsideFrame(last.bytes)) {
                last.bytes.insert(last.bytes.end(), record.bytes.begin(), record.bytes.end());
                emit dataChanged(index(count_ - 1, 0), index(count_ - 1, ColumnCount - 1));
                return;
            }
        }
    }
    if (paused_) {
        if (held_.size() == static_cast<std::size_t>(capacity_))
            held_.pop_front();
        held_.push_back(record);
        return;
    }
    Add(record);
}

void TrafficModel::Add(const hart::TrafficRecord& record)
{
    if (count_ == 0 && !evictedTimeNs_)
        originNs_ = record.timeNs;
    Row row{record.timeNs, record.bytes, record.direction == hart::Direction::Sent};
    if (ring_.size() < static_cast<std::size_t>(capacity_)) {
        beginInsertRows({}, count_, count_);
        ring_.push_back(std::move(row));
        ++count_;
        endInsertRows();
        return;
    }
    if (count_ == capacity_) {
        // Full: the oldest rows leave a hundredth at a time, because every
        // removal makes the views shift all the rows behind it.
        RemoveOldest(std::max(1, capacity_ / 100));
    }
    beginInsertRows({}, count_, count_);
    ring_[(head_ + static_cast<std::size_t>(count_)) % ring_.size()] = std::move(row);
    ++count_;
    endInsertRows();
}

void TrafficModel::RemoveOldest(int leaving)
{
    beginRemoveRows({}, 0, leaving - 1);
    evictedTimeNs_ = At(leaving - 1).timeNs;
    for (int i = 0; i < leaving; ++i)
        ring_[(head_ + static_cast<std::size_t>(i)) % ring_.size()].bytes = {};
    head_ = (head_ + static_cast<std::size_t>(leaving)) % ring_.size();
    count_ -= leaving;
    endRemoveRows();
}

void TrafficModel::Clear()
{
    beginResetModel();
    ring_.clear();
    ring_.shrink_to_fit();
    head_ = 0;
    count_ = 0;
    originNs_ = 0;
    evictedTimeNs_ = 0;
    held_.clear();
    endResetModel();
}

void TrafficModel::SetPaused(bool paused)
{
    paused_ = paused;
    if (paused || held_.empty())
        return;
    // What waited comes in as one change, so a long pause does not end in a long freeze.
    const int n = static_cast<int>(held_.size());
    ring_.resize(std::max(ring_.size(), static_cast<std::size_t>(std::min(capacity_, count_ + n))));
    if (count_ + n > capacity_) {
        const int leaving = std::min(count_, count_ + n - capacity_);
        if (leaving > 0)
            RemoveOldest(leaving);
    }
    if (count_ == 0 && !evictedTimeNs_)
        originNs_ = held_.front().timeNs;
    beginInsertRows({}, count_, count_ + n - 1);
    for (auto& record : held_) {
        ring_[(head_ + static_cast<std::size_t>(count_)) % ring_.size()] =
            Row{record.timeNs, std::move(record.bytes), record.direction == hart::Direction::Sent};
        ++count_;
    }
    held_.clear();
    endInsertRows();
}

hart::TrafficRecord TrafficModel::Record(int row) const
{
    const Row& r = At(row);
    return {r.sent ? hart::Direction::Sent : hart::Direction::Received, r.timeNs, r.bytes};
}

std::vector<hart::TrafficRecord> TrafficModel::Records() const
{
    std::vector<hart::TrafficRecord> out;
    out.reserve(static_cast<std::size_t>(count_));
    for (int i = 0; i < rowCount(); ++i)
        out.push_back(Record(i));
    return out;
}

QString TrafficModel::Details(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const Row& r = At(row);
    QString text = QString("%1 at %2 ms, %3 bytes\n\n").arg(r.sent ? "Sent" : "Received", Ms(r.timeNs - originNs_)).arg(r.bytes.size());
    for (const auto& piece : hart::DecodeLine(r.bytes))
        text += QString::fromStdString(hart::Details(piece, r.bytes)) + "\n";
    return text;
}

QString TrafficModel::Text(const std::vector<int>& rows) const
{
    QString text;
    for (int row : rows) {
        if (row < 0 || row >= rowCount())
            continue;
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells << Cell(row, c);
        text += cells.join('\t') + '\n';
    }
    return text;
}

} // namespace app

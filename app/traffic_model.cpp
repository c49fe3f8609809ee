#include "app/traffic_model.h"

#include "hart/frame_decoder.h"
#include "hart/hart_ip.h"
#include "hart/tapped_port.h"

#include <QHostAddress>

#include <algorithm>
#include <span>

namespace app {

namespace {

QString Ms(std::int64_t ns) { return QString::number(static_cast<double>(ns) / 1e6, 'f', 1); }

// A frame cut at the end of a row that may still be arriving reads as such;
// the decoder's own words say what it has so far.
std::string ArrivingText(std::string cutText)
{
    constexpr std::string_view cut = "Cut ";
    if (cutText.starts_with(cut))
        cutText.replace(0, cut.size(), "Arriving ");
    return cutText;
}

// A HART-IP message's frame comes without preambles; two are put before it
// so the decoder finds it, and taken off again so none is claimed.
struct CarriedFrame {
    std::vector<std::uint8_t> bytes;
    std::vector<hart::LinePiece> pieces;
};
CarriedFrame DecodeCarried(std::span<const std::uint8_t> frame)
{
    CarriedFrame c;
    c.bytes = hart::ip::WithPreambles(frame);
    c.pieces = hart::DecodeLine(c.bytes);
    for (auto& p : c.pieces) {
        if (p.offset == 0 && p.kind != hart::PieceKind::Noise) {
            p.offset += static_cast<std::size_t>(p.preambles);
            p.length -= static_cast<std::size_t>(p.preambles);
            p.preambles = 0;
        }
    }
    return c;
}

QString MessageName(const hart::ip::Header& h)
{
    using hart::ip::MessageId;
    using hart::ip::MessageType;
    QString id;
    switch (h.id) {
    case MessageId::SessionInitiate: id = TrafficModel::tr("session initiate"); break;
    case MessageId::SessionClose: id = TrafficModel::tr("session close"); break;
    case MessageId::KeepAlive: id = TrafficModel::tr("keep-alive"); break;
    case MessageId::PassThrough: id = TrafficModel::tr("pass-through"); break;
    }
    QString type;
    switch (h.type) {
    case MessageType::Request: type = TrafficModel::tr("request"); break;
    case MessageType::Response: type = TrafficModel::tr("response"); break;
    case MessageType::Publish: type = TrafficModel::tr("publish"); break;
    case MessageType::Error: type = TrafficModel::tr("error"); break;
    case MessageType::Nak: type = TrafficModel::tr("NAK"); break;
    }
    return TrafficModel::tr("HART-IP %1 %2, sequence %3, status %4")
        .arg(id, type)
        .arg(h.sequence)
        .arg(h.status);
}

// One line for a HART-IP message: what it is and, for a pass-through, its frame.
QString NetworkSummary(std::span<const std::uint8_t> bytes)
{
    const auto parsed = hart::ip::Parse(bytes);
    if (!parsed.message)
        return TrafficModel::tr("HART-IP message refused (%1): %2")
            .arg(QString::fromLatin1(hart::ip::RejectName(parsed.reject)),
                 QString::fromStdString(hart::HexText(bytes)));
    const auto& m = *parsed.message;
    QString text = MessageName(m.header);
    if (m.header.id == hart::ip::MessageId::PassThrough && !m.body.empty())
        text += " | " + QString::fromStdString(hart::Summary(DecodeCarried(m.body).pieces));
    return text;
}

QString Address(const hart::NetworkEndpoints& n, bool source)
{
    const auto& a = source ? n.source : n.destination;
    const quint16 port = source ? n.sourcePort : n.destinationPort;
    const QHostAddress host = n.ipv6 ? QHostAddress(a.data()) : QHostAddress(quint32(a[0]) << 24 | a[1] << 16 | a[2] << 8 | a[3]);
    return (n.ipv6 ? "[" + host.toString() + "]" : host.toString()) + ":" + QString::number(port);
}

} // namespace

TrafficModel::TrafficModel(QObject* parent, int capacity)
    : QAbstractTableModel(parent), capacity_(std::max(capacity, 1)), clock_(&hart::TappedPort::NowNs)
{
    setObjectName("TrafficModel");
    arriving_.setSingleShot(true);
    arriving_.setTimerType(Qt::PreciseTimer);
    connect(&arriving_, &QTimer::timeout, this, &TrafficModel::WatchArriving);
}

bool TrafficModel::Arriving(int row) const
{
    if (row != count_ - 1 || !held_.empty())
        return false; // a later row ends it
    const std::int64_t due = joiner_.RestDueNs();
    return due && clock_() <= due;
}

void TrafficModel::WatchArriving()
{
    arriving_.stop();
    if (count_ == 0 || !held_.empty())
        return;
    const std::int64_t due = joiner_.RestDueNs();
    if (!due)
        return;
    const std::int64_t left = due - clock_();
    if (left >= 0) {
        arriving_.start(static_cast<int>(left / 1'000'000 + 1));
        return;
    }
    // Its time is up: the row now reads as cut.
    emit dataChanged(index(count_ - 1, 0), index(count_ - 1, ColumnCount - 1));
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
    case DirectionColumn: return r.sent ? tr("Sent") : tr("Received");
    case SummaryColumn: {
        if (r.network)
            return NetworkSummary(r.bytes);
        const auto pieces = hart::DecodeLine(r.bytes);
        if (pieces.empty() || !Arriving(row))
            return QString::fromStdString(hart::Summary(pieces));
        const std::span<const hart::LinePiece> all(pieces);
        const std::string before = hart::Summary(all.first(all.size() - 1));
        return QString::fromStdString((before.empty() ? "" : before + " | ") + ArrivingText(hart::Summary(all.back())));
    }
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
    case TimeColumn: return tr("Time (ms)");
    case GapColumn: return tr("Gap (ms)");
    case DirectionColumn: return tr("Direction");
    case SummaryColumn: return tr("Frames");
    }
    return {};
}

void TrafficModel::Append(const hart::TrafficRecord& record)
{
    // Reads hand over what has come so far: the rest of a cut answer joins
    // the row it began in, but not once the answer would have been given up,
    // and what follows it is a row of its own.
    const bool endsCut = joiner_.RestDueNs() != 0;
    if (record.network) {
        // A message off the network is whole: nothing joins it, and it ends any wait.
        joiner_.Clear();
        Place(Row{record.timeNs, record.bytes, record.direction == hart::Direction::Sent, record.network}, endsCut);
        return;
    }
    joiner_.Add(record);
    const bool inRing = held_.empty();
    if (joiner_.Joined() && (!inRing || count_ > 0)) {
        Row& last = inRing ? At(count_ - 1) : held_.back();
        const auto split = record.bytes.begin() + static_cast<std::ptrdiff_t>(joiner_.Continued());
        last.bytes.insert(last.bytes.end(), record.bytes.begin(), split);
        if (inRing)
            emit dataChanged(index(count_ - 1, 0), index(count_ - 1, ColumnCount - 1));
        if (split != record.bytes.end())
            Place(Row{record.timeNs, {split, record.bytes.end()}, false}, false);
        else if (inRing)
            WatchArriving();
        return;
    }
    Place(Row{record.timeNs, record.bytes, record.direction == hart::Direction::Sent}, endsCut);
}

void TrafficModel::Place(Row row, bool endsCut)
{
    if (paused_) {
        if (held_.size() == static_cast<std::size_t>(capacity_))
            held_.pop_front();
        held_.push_back(std::move(row));
        // The newest shown row has a row after it now: it is whole or cut.
        if (held_.size() == 1 && count_ > 0)
            emit dataChanged(index(count_ - 1, 0), index(count_ - 1, ColumnCount - 1));
        arriving_.stop();
        return;
    }
    Add(std::move(row), endsCut);
}

void TrafficModel::Add(Row row, bool endsCut)
{
    if (count_ == 0 && !evictedTimeNs_)
        originNs_ = row.timeNs;
    if (ring_.size() < static_cast<std::size_t>(capacity_)) {
        beginInsertRows({}, count_, count_);
        ring_.push_back(std::move(row));
        ++count_;
        endInsertRows();
    } else {
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
    // A row cut at its end may have read as arriving: now a row follows it.
    if (endsCut && count_ > 1)
        emit dataChanged(index(count_ - 2, 0), index(count_ - 2, ColumnCount - 1));
    WatchArriving();
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
    joiner_.Clear();
    arriving_.stop();
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
    for (auto& row : held_) {
        ring_[(head_ + static_cast<std::size_t>(count_)) % ring_.size()] = std::move(row);
        ++count_;
    }
    held_.clear();
    endInsertRows();
    WatchArriving();
}

hart::TrafficRecord TrafficModel::Record(int row) const
{
    const Row& r = At(row);
    return {r.sent ? hart::Direction::Sent : hart::Direction::Received, r.timeNs, r.bytes, r.network};
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
    QString text = tr("%1 at %2 ms, %3 bytes\n\n").arg(r.sent ? tr("Sent") : tr("Received"), Ms(r.timeNs - originNs_)).arg(r.bytes.size());
    if (r.network) {
        text += tr("%1 from %2 to %3\n").arg(r.network->tcp ? "TCP" : "UDP", Address(*r.network, true), Address(*r.network, false));
        text += NetworkSummary(r.bytes) + "\n";
        text += QString::fromStdString(hart::HexText(r.bytes)) + "\n";
        const auto parsed = hart::ip::Parse(r.bytes);
        if (parsed.message && parsed.message->header.id == hart::ip::MessageId::PassThrough) {
            const auto carried = DecodeCarried(parsed.message->body);
            for (const auto& p : carried.pieces)
                text += "\n" + QString::fromStdString(hart::Details(p, carried.bytes)) + "\n";
        }
        return text;
    }
    const auto pieces = hart::DecodeLine(r.bytes);
    const bool arriving = Arriving(row);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::string piece = hart::Details(pieces[i], r.bytes);
        if (arriving && i + 1 == pieces.size())
            piece = ArrivingText(std::move(piece));
        text += QString::fromStdString(piece) + "\n";
    }
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

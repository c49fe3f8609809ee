#pragma once

#include "hart/delivery_joiner.h"
#include "hart/transport.h"

#include <QAbstractTableModel>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace app {

// The line's traffic, one row per write or delivery, newest last. Keeps the
// last `capacity` rows in a ring of raw records and decodes a row only when a
// view asks for it, so memory stays bounded however long the day.
class TrafficModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, GapColumn, DirectionColumn, SummaryColumn, ColumnCount };
    static constexpr int kDefaultCapacity = 100'000;

    explicit TrafficModel(QObject* parent = nullptr, int capacity = kDefaultCapacity);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Append(const hart::TrafficRecord& record);
    void Clear();
    // While paused, new records wait (up to the capacity) and appear on resume.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    int Held() const { return static_cast<int>(held_.size()); }
    int Capacity() const { return capacity_; }

    // An answer cut at the end of the newest row may still be arriving: it
    // is judged cut only once the rest could no longer come in time. The
    // clock gives the time the records are stamped with; tests replace it.
    using Clock = std::function<std::int64_t()>;
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // The line's speed, for how long the missing bytes of an answer take.
    void SetBaud(std::uint32_t baud) { joiner_.SetBaud(baud); }
    bool Arriving(int row) const;

    hart::TrafficRecord Record(int row) const;
    std::vector<hart::TrafficRecord> Records() const;
    // Every field of every frame of the row, and its bytes.
    QString Details(int row) const;
    // The rows as tab-separated lines: time, gap, direction, summary.
    QString Text(const std::vector<int>& rows) const;

private:
    struct Row {
        std::int64_t timeNs;
        std::vector<std::uint8_t> bytes;
        bool sent;
        std::optional<hart::NetworkEndpoints> network{}; // set: bytes are one HART-IP message
    };
    const Row& At(int row) const { return ring_[(head_ + static_cast<std::size_t>(row)) % ring_.size()]; }
    Row& At(int row) { return ring_[(head_ + static_cast<std::size_t>(row)) % ring_.size()]; }
    void WatchArriving();
    // A new row, shown or held; `endsCut`: the row before it ended in a frame still arriving.
    void Place(Row row, bool endsCut);
    void Add(Row row, bool endsCut);
    void RemoveOldest(int leaving);
    QString Cell(int row, int column) const;

    int capacity_;
    std::vector<Row> ring_; // grows to the capacity, then wraps
    std::size_t head_ = 0;  // oldest row
    int count_ = 0;
    std::int64_t originNs_ = 0;
    std::int64_t evictedTimeNs_ = 0; // the row before the oldest, for its gap
    bool paused_ = false;
    std::deque<Row> held_;
    hart::DeliveryJoiner joiner_; // which bytes continue the newest row, shown or held: only it can grow
    Clock clock_;
    QTimer arriving_; // repaints the newest row when its answer is due
};

} // namespace app

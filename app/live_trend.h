#pragma once

#include "codec/result.h"
#include "device/live_values.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QCategoryAxis;
class QChart;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace app {

// A value axis on round numbers: `ticks` ticks `step` apart from `min` to `max`,
// labels with `decimals` places.
struct NiceScale {
    double min = 0;
    double max = 0;
    double step = 0;
    int ticks = 0;
    int decimals = 0;
};
// The smallest 1-2-5 step that covers [lo, hi] with at most `maxTicks` ticks (at least 2).
NiceScale NiceScaleOf(double lo, double hi, int maxTicks);

// Round local times inside [fromMs, toMs]: the smallest usual step (1 s ... 1 h
// and on) that gives at most `maxTicks`. `utcOffsetMs`: local time ahead of UTC.
struct TimeTicks {
    std::int64_t stepMs = 0;
    std::vector<std::int64_t> ticksMs;
};
TimeTicks TimeTicksOf(std::int64_t fromMs, std::int64_t toMs, int maxTicks, std::int64_t utcOffsetMs);

// The trend of live values: the four variables and the loop current over the
// store's window, pause and resume, and export as CSV. Shows the store; keeps nothing itself.
class LiveTrend : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>; // wall clock, ms since the epoch

    explicit LiveTrend(const device::SampleStore& store, QWidget* parent = nullptr);

    // Where the time axis of an empty store starts.
    void SetClock(Clock clock);
    // A sample was added to the store.
    void SampleAdded();
    void Clear();
    bool Paused() const { return paused_; }
    void SetPaused(bool paused);
    void SetState(const QString& text);
    // Writes the store's samples; a plain sentence in *error when it cannot.
    codec::Result<void> ExportCsv(const QString& path) const;

    // The first stretch of each line, the one the legend names: four variables, then the loop current.
    const std::array<QLineSeries*, 5>& Series() const { return series_; }
    // Every stretch of line `line` (0..4), oldest first: the line breaks between them.
    std::vector<QLineSeries*> Stretches(int line) const;
    QCategoryAxis* TimeAxis() const { return time_; }
    QValueAxis* ValueAxis() const { return values_; }
    QValueAxis* CurrentAxis() const { return current_; }

private:
    void Rebuild();
    void Rescale();
    void NameSeries(const device::LiveSample& s);
    void AskAndExport();

    const device::SampleStore& store_;
    Clock clock_;
    bool paused_ = false;
    QChart* chart_;
    std::array<QLineSeries*, 5> series_{};
    std::array<std::vector<QLineSeries*>, 5> more_; // the later stretches of each line
    QCategoryAxis* time_;
    QValueAxis* values_;
    QValueAxis* current_;
    QPushButton* pause_;
    QLabel* state_;
};

} // namespace app

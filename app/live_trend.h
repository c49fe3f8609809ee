#pragma once

#include "device/live_values.h"

#include <QWidget>

#include <array>

class QChart;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

namespace app {

// The trend of live values: the four variables and the loop current over the
// store's window, pause and resume, and export as CSV. Shows the store; keeps nothing itself.
class LiveTrend : public QWidget {
    Q_OBJECT
public:
    explicit LiveTrend(const device::SampleStore& store, QWidget* parent = nullptr);

    // A sample was added to the store.
    void SampleAdded();
    void Clear();
    bool Paused() const { return paused_; }
    void SetPaused(bool paused);
    void SetState(const QString& text);
    // Writes the store's samples; a plain sentence in *error when it cannot.
    bool ExportCsv(const QString& path, QString* error) const;

    // The series as the chart shows them: four variables, then the loop current.
    const std::array<QLineSeries*, 5>& Series() const { return series_; }

private:
    void Rebuild();
    void Rescale();
    void NameSeries(const device::LiveSample& s);
    void AskAndExport();

    const device::SampleStore& store_;
    bool paused_ = false;
    QChart* chart_;
    std::array<QLineSeries*, 5> series_{};
    QDateTimeAxis* time_;
    QValueAxis* values_;
    QValueAxis* current_;
    QPushButton* pause_;
    QLabel* state_;
};

} // namespace app

#include "app/live_trend.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

constexpr int kLoopCurrent = 4;

QPointF Point(std::int64_t timeMs, float value) { return {static_cast<double>(timeMs), static_cast<double>(value)}; }

} // namespace

LiveTrend::LiveTrend(const device::SampleStore& store, QWidget* parent) : QWidget(parent, Qt::Window), store_(store)
{
    setObjectName("LiveTrend");
    setWindowTitle("Live Values");
    resize(900, 480);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    time_ = new QDateTimeAxis;
    time_->setFormat("HH:mm:ss");
    time_->setTitleText("time");
    values_ = new QValueAxis;
    values_->setTitleText("variables");
    current_ = new QValueAxis;
    current_->setTitleText("loop current (mA)");
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(values_, Qt::AlignLeft);
    chart_->addAxis(current_, Qt::AlignRight);
    for (int k = 0; k < 5; ++k) {
        auto* s = new QLineSeries;
        s->setName(k == kLoopCurrent ? QStringLiteral("Loop current (mA)") : QStringLiteral("Variable %1").arg(k + 1));
        chart_->addSeries(s);
        s->attachAxis(time_);
        s->attachAxis(k == kLoopCurrent ? current_ : values_);
        series_[static_cast<std::size_t>(k)] = s;
    }
    auto* view = new QChartView(chart_, this);
    view->setObjectName("LiveChart");
    view->setRenderHint(QPainter::Antialiasing);

    pause_ = new QPushButton("Pause", this);
    pause_->setObjectName("LivePause");
    auto* exportButton = new QPushButton("Export CSV...", this);
    exportButton->setObjectName("LiveExport");
    state_ = new QLabel(this);
    state_->setObjectName("LiveTrendState");

    auto* bar = new QHBoxLayout;
    bar->addWidget(pause_);
    bar->addWidget(exportButton);
    bar->addWidget(state_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addLayout(bar);

    connect(pause_, &QPushButton::clicked, this, [this] { SetPaused(!paused_); });
    connect(exportButton, &QPushButton::clicked, this, &LiveTrend::AskAndExport);
    Rescale();
}

void LiveTrend::NameSeries(const device::LiveSample& s)
{
    for (int k = 0; k < 4; ++k) {
        const QString unit = k < s.count ? QString::fromStdString(device::UnitName(s.units[static_cast<std::size_t>(k)]))
                                         : QStringLiteral("none");
        series_[static_cast<std::size_t>(k)]->setName(QStringLiteral("Variable %1 (%2)").arg(k + 1).arg(unit));
    }
}

void LiveTrend::SampleAdded()
{
    if (paused_ || store_.Samples().empty())
        return;
    const auto& s = store_.Samples().back();
    for (int k = 0; k < 4; ++k)
        if (k < s.count && s.values[static_cast<std::size_t>(k)])
            series_[static_cast<std::size_t>(k)]->append(Point(s.timeMs, *s.values[static_cast<std::size_t>(k)]));
    series_[kLoopCurrent]->append(Point(s.timeMs, s.loopCurrent));
    // What has left the store's window leaves the chart.
    const double oldest = static_cast<double>(store_.Samples().front().timeMs);
    for (QLineSeries* series : series_) {
        int drop = 0;
        while (drop < series->count() && series->at(drop).x() < oldest)
            ++drop;
        if (drop > 0)
            series->removePoints(0, drop);
    }
    NameSeries(s);
    Rescale();
}

void LiveTrend::Rebuild()
{
    std::array<QList<QPointF>, 5> points;
    for (const auto& s : store_.Samples()) {
        for (int k = 0; k < 4; ++k)
            if (k < s.count && s.values[static_cast<std::size_t>(k)])
                points[static_cast<std::size_t>(k)] << Point(s.timeMs, *s.values[static_cast<std::size_t>(k)]);
        points[kLoopCurrent] << Point(s.timeMs, s.loopCurrent);
    }
    for (std::size_t k = 0; k < 5; ++k)
        series_[k]->replace(points[k]);
    if (!store_.Samples().empty())
        NameSeries(store_.Samples().back());
    Rescale();
}

void LiveTrend::Rescale()
{
    const std::int64_t newest
        = store_.Samples().empty() ? QDateTime::currentMSecsSinceEpoch() : store_.Samples().back().timeMs;
    time_->setRange(QDateTime::fromMSecsSinceEpoch(newest - store_.WindowMs()), QDateTime::fromMSecsSinceEpoch(newest));

    auto range = [](const std::vector<QLineSeries*>& list, double fallbackLo, double fallbackHi) {
        double lo = INFINITY;
        double hi = -INFINITY;
        for (const QLineSeries* s : list)
            for (const QPointF& p : s->points()) {
                lo = std::min(lo, p.y());
                hi = std::max(hi, p.y());
            }
        if (!std::isfinite(lo))
            return std::pair{fallbackLo, fallbackHi};
        const double margin = std::max((hi - lo) * 0.05, std::max(std::abs(hi), 1.0) * 0.01);
        return std::pair{lo - margin, hi + margin};
    };
    const auto [vlo, vhi] = range({series_[0], series_[1], series_[2], series_[3]}, 0, 100);
    values_->setRange(vlo, vhi);
    const auto [clo, chi] = range({series_[kLoopCurrent]}, 4, 20);
    current_->setRange(std::min(clo, 4.0), std::max(chi, 20.0));
}

void LiveTrend::Clear()
{
    for (QLineSeries* s : series_)
        s->clear();
    Rescale();
}

void LiveTrend::SetPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    pause_->setText(paused ? "Resume" : "Pause");
    if (!paused)
        Rebuild(); // catch up with what came meanwhile
}

void LiveTrend::SetState(const QString& text) { state_->setText(text); }

bool LiveTrend::ExportCsv(const QString& path, QString* error) const
{
    QSaveFile file(path);
    const std::string csv = device::SamplesCsv(store_.Samples());
    if (!file.open(QIODevice::WriteOnly)
        || file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) || !file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void LiveTrend::AskAndExport()
{
    const QString path = QFileDialog::getSaveFileName(this, "Export samples", "live-values.csv", "CSV files (*.csv)");
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportCsv(path, &error))
        QMessageBox::critical(this, windowTitle(), error);
    else
        SetState(QStringLiteral("%1 samples written to %2").arg(store_.Samples().size()).arg(path));
}

} // namespace app

#include "app/live_trend.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QCategoryAxis>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
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
constexpr int kValueTicks = 9;
constexpr int kTimeTicks = 6;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

NiceScale NiceScaleOf(double lo, double hi, int maxTicks)
{
    maxTicks = std::max(maxTicks, 2);
    if (lo > hi)
        std::swap(lo, hi);
    if (hi - lo <= 0 || !std::isfinite(hi - lo)) {
        // One value, or too wide for a double: a span around it the ticks can divide.
        const double pad = std::isfinite(hi - lo) ? std::max(std::abs(lo) * 0.01, 1.0) : 0;
        lo -= pad;
        hi += pad;
    }
    const double raw = (hi - lo) / (maxTicks - 1);
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (;; magnitude *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * magnitude;
            // The slack keeps a bound that lies on a tick from moving a step out through rounding.
            const double first = std::floor(lo / step + 1e-9) * step;
            const double last = std::ceil(hi / step - 1e-9) * step;
            const int ticks = static_cast<int>(std::lround((last - first) / step)) + 1;
            if (ticks <= maxTicks || !std::isfinite(step * 10)) {
                NiceScale scale;
                scale.min = first + 0.0; // no "-0" label
                scale.max = last + 0.0;
                scale.step = step;
                scale.ticks = ticks;
                scale.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
                return scale;
            }
        }
    }
}

TimeTicks TimeTicksOf(std::int64_t fromMs, std::int64_t toMs, int maxTicks, std::int64_t utcOffsetMs)
{
    constexpr std::int64_t s = 1000;
    constexpr std::int64_t min = 60 * s;
    constexpr std::int64_t h = 60 * min;
    static constexpr std::int64_t steps[]
        = {s, 2 * s, 5 * s, 10 * s, 15 * s, 30 * s, min, 2 * min, 5 * min, 10 * min, 15 * min, 30 * min, h, 2 * h, 3 * h, 6 * h, 12 * h, 24 * h};
    TimeTicks result;
    for (const std::int64_t step : steps) {
        result.stepMs = step;
        result.ticksMs.clear();
        const std::int64_t first = (FloorDiv(fromMs + utcOffsetMs - 1, step) + 1) * step - utcOffsetMs;
        for (std::int64_t t = first; t <= toMs && static_cast<int>(result.ticksMs.size()) <= maxTicks; t += step)
            result.ticksMs.push_back(t);
        if (static_cast<int>(result.ticksMs.size()) <= maxTicks)
            break;
    }
    return result;
}

LiveTrend::LiveTrend(const device::SampleStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), clock_([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    setObjectName("LiveTrend");
    setWindowTitle(tr("Live Values"));
    resize(900, 480);

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // Axis numbers in the engineer's own notation (decimal comma where that is the custom).
    chart_->setLocale(QLocale());
    chart_->setLocalizeNumbers(true);
    time_ = new QCategoryAxis;
    time_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time_->setTitleText(tr("time"));
    values_ = new QValueAxis;
    values_->setTitleText(tr("variables"));
    current_ = new QValueAxis;
    current_->setTitleText(tr("loop current (mA)"));
    current_->setGridLineVisible(false); // its ticks need not meet the variables' grid
    chart_->addAxis(time_, Qt::AlignBottom);
    chart_->addAxis(values_, Qt::AlignLeft);
    chart_->addAxis(current_, Qt::AlignRight);
    for (int k = 0; k < 5; ++k) {
        auto* s = new QLineSeries;
        s->setName(k == kLoopCurrent ? tr("Loop current (mA)") : tr("Variable %1").arg(k + 1));
        chart_->addSeries(s);
        s->attachAxis(time_);
        s->attachAxis(k == kLoopCurrent ? current_ : values_);
        series_[static_cast<std::size_t>(k)] = s;
    }
    auto* view = new QChartView(chart_, this);
    view->setObjectName("LiveChart");
    view->setRenderHint(QPainter::Antialiasing);

    pause_ = new QPushButton(tr("Pause"), this);
    pause_->setObjectName("LivePause");
    auto* exportButton = new QPushButton(tr("Export CSV..."), this);
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

void LiveTrend::SetClock(Clock clock)
{
    clock_ = std::move(clock);
    Rescale();
}

std::vector<QLineSeries*> LiveTrend::Stretches(int line) const
{
    const auto k = static_cast<std::size_t>(line);
    std::vector<QLineSeries*> all{series_[k]};
    all.insert(all.end(), more_[k].begin(), more_[k].end());
    return all;
}

void LiveTrend::NameSeries(const device::LiveSample& s)
{
    for (int k = 0; k < 4; ++k) {
        const QString unit = k < s.count ? QString::fromStdString(device::UnitName(s.units[static_cast<std::size_t>(k)]))
                                         : QStringLiteral("none");
        const QString name = tr("Variable %1 (%2)").arg(k + 1).arg(unit);
        for (QLineSeries* series : Stretches(k))
            series->setName(name);
    }
}

void LiveTrend::SampleAdded()
{
    if (!paused_)
        Rebuild();
}

// The whole store each time: at most ten minutes of samples, and a gap may
// appear or leave anywhere as the measured period moves.
void LiveTrend::Rebuild()
{
    const auto& samples = store_.Samples();
    for (int k = 0; k < 5; ++k) {
        const auto line = static_cast<std::size_t>(k);
        const std::vector<device::TrendRun> runs = device::TrendRuns(samples, k);
        const std::size_t stretches = std::max<std::size_t>(runs.size(), 1);
        while (more_[line].size() + 1 > stretches) {
            QLineSeries* gone = more_[line].back();
            more_[line].pop_back();
            chart_->removeSeries(gone);
            delete gone;
        }
        while (more_[line].size() + 1 < stretches) {
            // Same look as the line's first stretch; the legend names the line once.
            auto* s = new QLineSeries;
            s->setName(series_[line]->name());
            chart_->addSeries(s);
            s->setPen(series_[line]->pen());
            s->attachAxis(time_);
            s->attachAxis(k == kLoopCurrent ? current_ : values_);
            for (QLegendMarker* marker : chart_->legend()->markers(s))
                marker->setVisible(false);
            more_[line].push_back(s);
        }
        const std::vector<QLineSeries*> all = Stretches(k);
        for (std::size_t r = 0; r < stretches; ++r) {
            QList<QPointF> points;
            if (r < runs.size())
                for (std::size_t i = runs[r].begin; i < runs[r].end; ++i)
                    points << QPointF(static_cast<double>(samples[i].timeMs),
                                      static_cast<double>(*device::LineValue(samples[i], k)));
            all[r]->replace(points);
        }
    }
    if (!samples.empty())
        NameSeries(samples.back());
    Rescale();
}

void LiveTrend::Rescale()
{
    const auto& samples = store_.Samples();
    const device::TrendSpan span = device::TrendSpanOf(samples, store_.WindowMs(), clock_());
    const std::int64_t offsetMs
        = static_cast<std::int64_t>(QDateTime::fromMSecsSinceEpoch(span.fromMs).offsetFromUtc()) * 1000;
    const TimeTicks ticks = TimeTicksOf(span.fromMs, span.toMs, kTimeTicks, offsetMs);
    const QString format = ticks.stepMs % 60000 == 0 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss");
    for (const QString& label : time_->categoriesLabels())
        time_->remove(label);
    time_->setStartValue(static_cast<double>(span.fromMs));
    for (const std::int64_t t : ticks.ticksMs)
        time_->append(QDateTime::fromMSecsSinceEpoch(t).toString(format), static_cast<double>(t));
    time_->setRange(static_cast<double>(span.fromMs), static_cast<double>(span.toMs));

    auto scale = [&](int firstLine, int lastLine, double lo, double hi) {
        for (const auto& s : samples) {
            if (s.timeMs < span.fromMs)
                continue;
            for (int k = firstLine; k <= lastLine; ++k)
                if (const auto v = device::LineValue(s, k)) {
                    lo = std::min(lo, static_cast<double>(*v));
                    hi = std::max(hi, static_cast<double>(*v));
                }
        }
        return NiceScaleOf(lo, hi, kValueTicks);
    };
    auto apply = [](QValueAxis* axis, const NiceScale& s) {
        axis->setRange(s.min, s.max);
        axis->setTickCount(s.ticks);
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(s.decimals));
    };
    bool anyValue = false;
    for (const auto& s : samples)
        for (int k = 0; k < 4 && !anyValue; ++k)
            anyValue = s.timeMs >= span.fromMs && device::LineValue(s, k).has_value();
    apply(values_, anyValue ? scale(0, 3, INFINITY, -INFINITY) : NiceScaleOf(0, 100, kValueTicks));
    // The loop's whole 4-20 mA stays in sight.
    apply(current_, scale(kLoopCurrent, kLoopCurrent, 4, 20));
}

void LiveTrend::Clear()
{
    for (int k = 0; k < 5; ++k)
        for (QLineSeries* s : Stretches(k))
            s->clear();
    Rescale();
}

void LiveTrend::SetPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    pause_->setText(paused ? tr("Resume") : tr("Pause"));
    if (!paused)
        Rebuild(); // catch up with what came meanwhile
}

void LiveTrend::SetState(const QString& text) { state_->setText(text); }

codec::Result<void> LiveTrend::ExportCsv(const QString& path) const
{
    QSaveFile file(path);
    const std::string csv = device::SamplesCsv(store_.Samples());
    if (!file.open(QIODevice::WriteOnly)
        || file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) || !file.commit()) {
        return codec::Result<void>::Fail(tr("Cannot write %1: %2").arg(path, file.errorString()).toStdString());
    }
    return codec::Result<void>::Ok();
}

void LiveTrend::AskAndExport()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export samples"), "live-values.csv", tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (const auto exported = ExportCsv(path); !exported)
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(exported.error()));
    else
        SetState(tr("%1 samples written to %2").arg(store_.Samples().size()).arg(path));
}

} // namespace app

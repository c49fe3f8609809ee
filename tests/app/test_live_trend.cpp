// The live trend's axes and its broken lines, on given samples and an injected clock.
#include "app/live_trend.h"

#include <QCategoryAxis>
#include <QLineSeries>
#include <QTimeZone>
#include <QValueAxis>
#include <QtTest>

namespace {

// 2026-03-04 12:00:00 UTC
constexpr qint64 kNoon = 1772625600000;

device::LiveSample Sample(qint64 t, float v)
{
    device::LiveSample s;
    s.timeMs = t;
    s.loopCurrent = 12.0f;
    s.count = 1;
    s.values[0] = v;
    s.units[0] = 32;
    s.intervalMs = 1000;
    return s;
}

} // namespace

class LiveTrendTest : public QObject {
    Q_OBJECT
private slots:
    void niceScale_data();
    void niceScale();
    void timeTicks_data();
    void timeTicks();
    void gapBreaksTheLine();
    void axesFollowTheData();
};

void LiveTrendTest::niceScale_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("decimals");
    QTest::newRow("odd bounds to whole ones") << 3.7 << 8.2 << 3.0 << 9.0 << 1.0 << 7 << 0;
    QTest::newRow("loop current") << 4.0 << 20.0 << 4.0 << 20.0 << 2.0 << 9 << 0;
    QTest::newRow("small values") << 0.0123 << 0.0456 << 0.01 << 0.05 << 0.005 << 9 << 3;
    QTest::newRow("one value") << 12.5 << 12.5 << 11.5 << 13.5 << 0.5 << 5 << 1;
    QTest::newRow("below zero") << -7.3 << -2.1 << -8.0 << -2.0 << 1.0 << 7 << 0;
    QTest::newRow("across zero") << -0.4 << 0.3 << -0.4 << 0.3 << 0.1 << 8 << 1;
    QTest::newRow("large") << 0.0 << 1e6 << 0.0 << 1e6 << 2e5 << 6 << 0;
    QTest::newRow("upside down") << 100.0 << 0.0 << 0.0 << 100.0 << 20.0 << 6 << 0;
}

void LiveTrendTest::niceScale()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    const app::NiceScale s = app::NiceScaleOf(lo, hi, 9);
    QTEST(s.min, "min");
    QTEST(s.max, "max");
    QTEST(s.step, "step");
    QTEST(s.ticks, "ticks");
    QTEST(s.decimals, "decimals");
}

void LiveTrendTest::timeTicks_data()
{
    QTest::addColumn<qint64>("from"); // ms after 12:00:00 UTC
    QTest::addColumn<qint64>("to");
    QTest::addColumn<int>("offsetMin"); // local time ahead of UTC
    QTest::addColumn<QString>("ticks"); // local times
    QTest::newRow("ten seconds") << qint64(3400) << qint64(13400) << 0 << "12:00:04 12:00:06 12:00:08 12:00:10 12:00:12";
    QTest::newRow("three minutes") << qint64(10000) << qint64(210000) << 0 << "12:01:00 12:02:00 12:03:00";
    QTest::newRow("ten minutes, scrolled") << qint64(197000) << qint64(797000) << 0
                                           << "12:04:00 12:06:00 12:08:00 12:10:00 12:12:00";
    QTest::newRow("tick on the edge") << qint64(0) << qint64(10000) << 0
                                      << "12:00:00 12:00:02 12:00:04 12:00:06 12:00:08 12:00:10";
    QTest::newRow("round local hours") << qint64(0) << qint64(3 * 3600000) << 330 << "18:00:00 19:00:00 20:00:00";
}

void LiveTrendTest::timeTicks()
{
    QFETCH(qint64, from);
    QFETCH(qint64, to);
    QFETCH(int, offsetMin);
    const app::TimeTicks t = app::TimeTicksOf(kNoon + from, kNoon + to, 6, qint64(offsetMin) * 60000);
    const QTimeZone zone = QTimeZone(offsetMin * 60);
    QStringList got;
    for (const auto ms : t.ticksMs)
        got << QDateTime::fromMSecsSinceEpoch(ms, zone).toString("HH:mm:ss");
    QTEST(got.join(' '), "ticks");
}

// A store with a silent minute inside: the variable's line and the loop
// current's break there, each named once in the legend.
void LiveTrendTest::gapBreaksTheLine()
{
    device::SampleStore store;
    app::LiveTrend trend(store);
    for (qint64 t : {0, 1000, 2000, 62000, 63000})
        store.Add(Sample(kNoon + t, float(t) / 1000));
    trend.SampleAdded();
    for (int line : {0, 4}) {
        const auto stretches = trend.Stretches(line);
        QCOMPARE(stretches.size(), std::size_t(2));
        QCOMPARE(stretches[0]->count(), 3);
        QCOMPARE(stretches[1]->count(), 2);
        QCOMPARE(stretches[1]->at(0).x(), double(kNoon + 62000));
        QCOMPARE(stretches[1]->color(), stretches[0]->color());
        QCOMPARE(stretches[1]->name(), stretches[0]->name());
    }
    QCOMPARE(trend.Series()[0], trend.Stretches(0)[0]);

    // Once the gap has left the window, the line is whole again and the spare stretch gone.
    for (qint64 t = 64000; t <= 603000; t += 1000)
        store.Add(Sample(kNoon + t, 1));
    trend.SampleAdded();
    const auto stretches = trend.Stretches(0);
    QCOMPARE(stretches.size(), std::size_t(1));
    QCOMPARE(stretches[0]->count(), 542);
}

// The time axis spans the data until it covers ten minutes, then scrolls; on an
// empty store it starts at the clock's now. Value axes end on round numbers.
void LiveTrendTest::axesFollowTheData()
{
    device::SampleStore store;
    app::LiveTrend trend(store);
    trend.SetClock([] { return kNoon; });
    QCOMPARE(trend.TimeAxis()->min(), double(kNoon));
    QCOMPARE(trend.TimeAxis()->max(), double(kNoon + device::TrendSpan::kMinSpanMs));

    for (qint64 t = 0; t <= 180000; t += 1000)
        store.Add(Sample(kNoon + 20000 + t, 3.7f + float(t) / 40000));
    trend.SampleAdded();
    QCOMPARE(trend.TimeAxis()->min(), double(kNoon + 20000));
    QCOMPARE(trend.TimeAxis()->max(), double(kNoon + 200000));
    QCOMPARE(trend.ValueAxis()->min(), 3.0);
    QCOMPARE(trend.ValueAxis()->max(), 9.0);
    QCOMPARE(trend.ValueAxis()->tickCount(), 7);
    QCOMPARE(trend.CurrentAxis()->min(), 4.0);
    QCOMPARE(trend.CurrentAxis()->max(), 20.0);

    for (qint64 t = 181000; t <= 700000; t += 1000)
        store.Add(Sample(kNoon + 20000 + t, 5));
    trend.SampleAdded();
    QCOMPARE(trend.TimeAxis()->min(), double(kNoon + 720000 - device::SampleStore::kTenMinutesMs));
    QCOMPARE(trend.TimeAxis()->max(), double(kNoon + 720000));
    // The tick labels are round local times.
    for (const QString& label : trend.TimeAxis()->categoriesLabels())
        QVERIFY2(QTime::fromString(label, "HH:mm").isValid() && QTime::fromString(label, "HH:mm").minute() % 2 == 0,
                 qPrintable(label));
}

QTEST_MAIN(LiveTrendTest)
#include "test_live_trend.moc"

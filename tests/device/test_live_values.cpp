// Live values: the sample store and its CSV, and the poller sharing the line
// with the window's own requests, against the simulated converter.
#include "device/live_poller.h"
#include "device/live_values.h"
#include "hart/frames.h"
#include "support/sim_transport.h"

#include <QtTest>

#include <cmath>

namespace {

device::LiveSample Sample(std::int64_t t, int count = 4)
{
    device::LiveSample s;
    s.timeMs = t;
    s.loopCurrent = 12.5f;
    s.count = count;
    s.values = {1.5f, -2.0f, std::nullopt, 1e6f};
    s.units = {32, 39, 57, 250};
    return s;
}

// Command 3 to the simulator's default identity.
hart::Transaction LiveRequest()
{
    sim::Device d;
    hart::DeviceIdentity id;
    const auto a = d.LongAddress();
    id.manufacturer = a[0] & 0x3F;
    id.deviceType = a[1];
    id.identifier = {a[2], a[3], a[4]};
    return {hart::LongFrame(8, id, 3, {}), 3, false};
}

struct Line {
    sim::Device device;
    testing::SimTransport transport{device};
    hart::LineOwner owner;
    device::LivePoller poller{transport, LiveRequest, &owner};
    QObject link; // the window's buttons
    QList<device::LiveSample> samples;
    QStringList events; // "live" per answer, the window's requests by name

    Line()
    {
        QObject::connect(&poller, &device::LivePoller::Answered, [this](const hart::TransactionResult& r) {
            events << "live";
            const auto f = r.Frame();
            QVERIFY(f);
            const auto v = device::DecodeDynamicVariables(f->data());
            QVERIFY(v);
            samples << device::SampleOf(*v, transport.NowMs());
        });
    }
    // A window request: it asks for the line and, once sent, is "answered" at the next turn.
    void press(const QString& name)
    {
        owner.Claim(hart::LineClient::Button, &link, [this, name] {
            events << name;
            QTimer::singleShot(0, &link, [this] { owner.Release(&link); });
        });
    }
    bool waitLive(int n)
    {
        return QTest::qWaitFor([&] { return events.count("live") >= n; }, 5000);
    }
    // Runs what is queued and what that queues in turn: the simulated line
    // answers and the owner grants at a later turn of the loop, never after a time.
    void settle()
    {
        for (int turn = 0; turn < 8; ++turn)
            QCoreApplication::processEvents();
    }
};

} // namespace

class LiveValuesTest : public QObject {
    Q_OBJECT
private slots:
    void storeKeepsItsWindow_data();
    void storeKeepsItsWindow();
    void csvHoldsEverySample();
    void trendSpan_data();
    void trendSpan();
    void trendBreaks_data();
    void trendBreaks();
    void unitNames_data();
    void unitNames();
    void runStatus_data();
    void runStatus();
    void samplesFollowTheDevice();
    void windowRequestGoesNext();
    void intervalWaitsForItsTime();
    void switchOffLetsKeptRequestsOut();
    void abortDropsEverything();
};

void LiveValuesTest::storeKeepsItsWindow_data()
{
    QTest::addColumn<QList<qint64>>("times");
    QTest::addColumn<qint64>("window");
    QTest::addColumn<QList<qint64>>("kept");
    QTest::newRow("all inside") << QList<qint64>{0, 1000, 2000} << qint64(10000) << QList<qint64>{0, 1000, 2000};
    QTest::newRow("edge kept") << QList<qint64>{0, 5000, 10000} << qint64(10000) << QList<qint64>{0, 5000, 10000};
    QTest::newRow("older dropped") << QList<qint64>{0, 5000, 10001} << qint64(10000) << QList<qint64>{5000, 10001};
    QTest::newRow("gap drops all but newest") << QList<qint64>{0, 1, 2, 700000} << qint64(device::SampleStore::kTenMinutesMs)
                                              << QList<qint64>{700000};
    QTest::newRow("ten minutes") << QList<qint64>{0, 300000, 600000, 600500} << qint64(device::SampleStore::kTenMinutesMs)
                                 << QList<qint64>{300000, 600000, 600500};
    // Samples from "the future" would hold the store until the clock caught up.
    QTest::newRow("clock set back") << QList<qint64>{500000, 520000, 200000, 201000} << qint64(10000)
                                    << QList<qint64>{200000, 201000};
}

void LiveValuesTest::storeKeepsItsWindow()
{
    QFETCH(QList<qint64>, times);
    QFETCH(qint64, window);
    QFETCH(QList<qint64>, kept);
    device::SampleStore store(window);
    for (qint64 t : times)
        store.Add(Sample(t));
    QList<qint64> got;
    for (const auto& s : store.Samples())
        got << s.timeMs;
    QCOMPARE(got, kept);
}

void LiveValuesTest::csvHoldsEverySample()
{
    std::deque<device::LiveSample> samples{Sample(1765180800000), Sample(1765180800500, 2)};
    samples[1].loopCurrent = 4.0f;
    samples[1].values[1] = 0.125f;
    const QString csv = QString::fromStdString(device::SamplesCsv(samples));
    QCOMPARE(csv, QString("time,loop current (mA),variable 1,unit 1,variable 2,unit 2,variable 3,unit 3,variable 4,unit 4\n"
                          "2025-12-08T08:00:00.000Z,12.5,1.5,\u2103,-2,mA,,%,1e+06,250\n"
                          "2025-12-08T08:00:00.500Z,4,1.5,\u2103,0.125,mA,,,,\n"));
}

namespace {

// Samples as "t[/interval s][!|~]", t in ms; "!" for a sample without a first
// variable, "~" for one with a NaN for it and an infinite loop current.
std::deque<device::LiveSample> Samples(const QString& text)
{
    std::deque<device::LiveSample> out;
    for (QString token : text.split(' ', Qt::SkipEmptyParts)) {
        device::LiveSample s = Sample(0);
        if (token.endsWith('!')) {
            s.values[0].reset();
            token.chop(1);
        } else if (token.endsWith('~')) {
            s.values[0] = NAN;
            s.loopCurrent = INFINITY;
            token.chop(1);
        }
        const auto parts = token.split('/');
        s.timeMs = parts[0].toLongLong();
        if (parts.size() > 1)
            s.intervalMs = parts[1].toLongLong() * 1000;
        out.push_back(s);
    }
    return out;
}

} // namespace

void LiveValuesTest::trendSpan_data()
{
    QTest::addColumn<QString>("samples");
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("to");
    constexpr qint64 ten = device::SampleStore::kTenMinutesMs;
    QTest::newRow("empty: from now") << "" << qint64(5000) << qint64(5000) << qint64(15000);
    QTest::newRow("one sample") << "100000" << qint64(0) << qint64(100000) << qint64(110000);
    QTest::newRow("first to newest") << "100000 160000 220000" << qint64(0) << qint64(100000) << qint64(220000);
    QTest::newRow("just under ten minutes") << "0 599999" << qint64(0) << qint64(0) << qint64(599999);
    QTest::newRow("ten minutes") << "0 300000 600000" << qint64(0) << qint64(0) << ten;
    QTest::newRow("then the last ten, scrolling") << "0 300000 600000 650000" << qint64(0) << qint64(50000)
                                                  << qint64(650000);
    QTest::newRow("short run widened") << "100000 102000" << qint64(0) << qint64(100000) << qint64(110000);
    QTest::newRow("clock set back") << "500000 520000 200000" << qint64(0) << qint64(200000) << qint64(520000);
}

void LiveValuesTest::trendSpan()
{
    QFETCH(QString, samples);
    QFETCH(qint64, now);
    const auto span = device::TrendSpanOf(Samples(samples), device::SampleStore::kTenMinutesMs, now);
    QTEST(qint64(span.fromMs), "from");
    QTEST(qint64(span.toMs), "to");
}

void LiveValuesTest::trendBreaks_data()
{
    QTest::addColumn<QString>("samples");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("runs"); // "begin-end" per stretch
    QTest::newRow("fixed 1 s, no gap") << "0/1 1000/1 2000/1 3000/1" << 0 << "0-4";
    QTest::newRow("fixed 1 s, three intervals still one line") << "0/1 1000/1 4000/1" << 0 << "0-3";
    QTest::newRow("fixed 1 s, longer breaks") << "0/1 1000/1 4001/1 5001/1" << 0 << "0-2 2-4";
    QTest::newRow("fixed 60 s: minutes apart is no gap") << "0/60 60000/60 180000/60" << 4 << "0-3";
    QTest::newRow("interval shortened: the longer counts") << "0/60 60000/60 100000/1 101000/1" << 4 << "0-4";
    QTest::newRow("fastest: measured period") << "0 500 1000 1500 3001 3500" << 0 << "0-4 4-6";
    QTest::newRow("fastest: within three periods") << "0 500 1000 1500 3000 3500" << 4 << "0-6";
    QTest::newRow("fast line: under a second is jitter") << "0 10 20 30 1030 1040" << 4 << "0-6";
    QTest::newRow("fast line: a second's silence breaks") << "0 10 20 30 1031 1040" << 4 << "0-4 4-6";
    QTest::newRow("fastest: one pair, nothing known") << "0 90000" << 0 << "0-2";
    QTest::newRow("switched off and on again") << "0 600 1200 1800 200000 200600 201200" << 4 << "0-4 4-7";
    QTest::newRow("no value breaks its line") << "0/1 1000/1! 2000/1 3000/1" << 0 << "0-1 2-4";
    QTest::newRow("NaN breaks its line") << "0/1 1000/1~ 2000/1" << 0 << "0-1 2-3";
    QTest::newRow("infinite current breaks its line") << "0/1 1000/1~ 2000/1" << 4 << "0-1 2-3";
    QTest::newRow("no value leaves the current whole") << "0/1 1000/1! 2000/1 3000/1" << 4 << "0-4";
    QTest::newRow("clock set back breaks") << "5000/1 6000/1 2000/1 3000/1" << 1 << "0-2 2-4";
    QTest::newRow("variable the answer lacks") << "0/1 1000/1" << 3 << "";
    QTest::newRow("empty") << "" << 0 << "";
}

void LiveValuesTest::trendBreaks()
{
    QFETCH(QString, samples);
    QFETCH(int, line);
    auto store = Samples(samples);
    if (line == 3)
        for (auto& s : store)
            s.count = 3;
    QStringList got;
    for (const auto& r : device::TrendRuns(store, line))
        got << QString("%1-%2").arg(r.begin).arg(r.end);
    QTEST(got.join(' '), "runs");
}

// Events of a run, "start@ms", "ok@ms" or "fail@ms", ms after 10:01:02 local time.
void LiveValuesTest::runStatus_data()
{
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("stale");
    QTest::newRow("answers") << "start@0 ok@1000 ok@1500 ok@2000" << "3 samples, 2.0/s" << false;
    QTest::newRow("one answer, no rate") << "start@0 ok@400" << "1 samples" << false;
    QTest::newRow("silent since the last answer")
        << "start@0 ok@1000 ok@2000 fail@5000 fail@8000"
        << "2 samples, 1.0/s; no answer since 10:01:04 (no answer, 2 in a row)" << true;
    QTest::newRow("silent from the start") << "start@0 fail@3000" << "0 samples; no answer since 10:01:02 (no answer, 1 in a row)"
                                           << true;
    QTest::newRow("back after silence") << "start@0 ok@1000 fail@4000 ok@6000" << "2 samples, 0.2/s" << false;
    // The last run's samples neither count nor stretch the rate.
    QTest::newRow("restart counts this run only")
        << "start@0 ok@1000 ok@2000 ok@3000 start@600000 ok@600500 ok@601000" << "2 samples, 2.0/s" << false;
    QTest::newRow("restart forgets the silence") << "start@0 fail@3000 start@9000" << "0 samples" << false;
    QTest::newRow("rate over the newest 20") << [] {
        QString e = "start@0 ok@0 ok@60000";
        for (int k = 1; k <= 19; ++k)
            e += QString(" ok@%1").arg(60000 + 500 * k);
        return e;
    }() << "21 samples, 2.0/s" << false;
}

void LiveValuesTest::runStatus()
{
    QFETCH(QString, events);
    const qint64 base = QDateTime(QDate(2026, 3, 4), QTime(10, 1, 2)).toMSecsSinceEpoch();
    device::LiveRun run;
    for (const QString& e : events.split(' ')) {
        const auto parts = e.split('@');
        const qint64 t = base + parts[1].toLongLong();
        if (parts[0] == "start")
            run.Start(t);
        else if (parts[0] == "ok")
            run.Answer(t);
        else
            run.Failure("no answer");
    }
    QTEST(QString::fromStdString(run.StatusText()), "status");
    QTEST(run.Stale(), "stale");
}

void LiveValuesTest::unitNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("degree C") << 32 << "\u2103";
    QTest::newRow("bar, blanks cut") << 7 << "bar";
    QTest::newRow("mA") << 39 << "mA";
    QTest::newRow("unknown code") << 200 << "unit 200";
}

void LiveValuesTest::unitNames()
{
    QFETCH(int, code);
    QTEST(QString::fromStdString(device::UnitName(static_cast<std::uint8_t>(code))), "name");
}

void LiveValuesTest::samplesFollowTheDevice()
{
    Line line;
    line.device.State().driftPeriodMs = 4000;
    line.device.State().driftAmplitude = 0.1f;
    line.poller.Start();
    QVERIFY(line.waitLive(8));
    line.poller.Abort();

    // Every sample is what the device reported at that moment, and the values move.
    QSet<float> seen;
    for (const auto& s : line.samples) {
        QCOMPARE(s.count, 4);
        for (int v = 0; v < 4; ++v) {
            QVERIFY(s.values[v]);
            QCOMPARE(*s.values[v], line.device.VariableValue(v, s.timeMs));
            QCOMPARE(int(s.units[v]), int(line.device.State().mapping[v].unit));
        }
        QCOMPARE(s.loopCurrent, line.device.LoopCurrent(s.timeMs));
        seen.insert(*s.values[0]);
    }
    QVERIFY(seen.size() > 1);
    // Back to back, each request its own, and nothing else was sent.
    QCOMPARE(line.transport.Frames().size(), std::size_t(line.samples.size()));
    QCOMPARE(line.transport.Frames().front(), LiveRequest().frame);
}

void LiveValuesTest::windowRequestGoesNext()
{
    Line line;
    line.poller.Start();
    line.press("Button34"); // a live request is on the line: this one waits for its answer
    QCOMPARE(line.events, QStringList{});
    QVERIFY(line.waitLive(3));
    line.poller.Abort();
    QCOMPARE(line.events.mid(0, 3), (QStringList{"live", "Button34", "live"}));
}

void LiveValuesTest::intervalWaitsForItsTime()
{
    Line line;
    std::int64_t now = 0;
    line.poller.SetClock([&] { return now; });
    line.poller.SetIntervalSeconds(5);
    line.poller.Start();
    QVERIFY(line.waitLive(1));
    line.settle();
    QCOMPARE(line.transport.Frames().size(), std::size_t(1)); // not before its time
    QVERIFY(!line.owner.Wants(hart::LineClient::Live));       // nor asking for the line

    line.press("Button4"); // the free line between two samples: sent at once
    QCOMPARE(line.events, (QStringList{"live", "Button4"}));
    now = 5000;
    QVERIFY(line.waitLive(2)); // the window's answer released the line and the sample is due
    QCOMPARE(line.transport.Frames().size(), std::size_t(2)); // the press went the window's own way

    now = 6000; // 1 s after the last sample: a shorter interval makes it due at once
    line.settle();
    QCOMPARE(line.events.count("live"), 2);
    QVERIFY(!line.owner.Wants(hart::LineClient::Live));
    line.poller.SetIntervalSeconds(1);
    QVERIFY(QTest::qWaitFor([&] { return line.events.count("live") == 3; }, 1000)); // not the old 4 s left
    line.poller.Abort();
}

void LiveValuesTest::switchOffLetsKeptRequestsOut()
{
    Line line;
    line.poller.Start();
    line.press("Button3");
    line.poller.Stop();
    QVERIFY(!line.poller.Active());
    QVERIFY(QTest::qWaitFor([&] { return line.events.contains("Button3"); }, 5000));
    // Once the press gives the line back nobody wants it, so nothing more can come.
    QTRY_VERIFY_WITH_TIMEOUT(!line.owner.Holder(), 1000);
    line.settle();
    QVERIFY(!line.owner.Wants(hart::LineClient::Live));
    QCOMPARE(line.events, (QStringList{"live", "Button3"})); // the last answer, the kept request, nothing more
}

void LiveValuesTest::abortDropsEverything()
{
    Line line;
    line.poller.Start();
    line.press("Button3");
    line.owner.PortClosed(); // the port is gone: the press waiting for the line goes with it
    line.poller.Abort();
    line.settle();
    QVERIFY(!line.owner.Holder() && !line.owner.Wants(hart::LineClient::Live) && !line.owner.Wants(hart::LineClient::Button));
    QVERIFY(line.events.isEmpty());
    QVERIFY(line.transport.Frames().empty());
    QVERIFY(line.transport.Idle());
}

QTEST_GUILESS_MAIN(LiveValuesTest)
#include "test_live_values.moc"

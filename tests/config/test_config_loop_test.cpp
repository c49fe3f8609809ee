// The loop test: exactly the points, then the loop released, whatever happens.
#include "config/loop_test.h"

#include "codec/numeric.h"
#include "config/history.h"
#include "support/sim_transport.h"

#include <QtTest>

#include <QTemporaryDir>

namespace {

enum class Script {
    NextEachTime,       // the engineer goes on after every point
    StopAfterFirst,     // Cancel while the first point holds
    StopAtOnce,         // Cancel while the first point is on the line
    SilentAtSecond,     // the device stops answering at the second point
    RefusesEverything,  // the device answers every command 40 with an error
};

// The levels of the command-40 requests that reached the device, repeats included.
QList<double> Levels(const testing::SimTransport& t)
{
    QList<double> out;
    for (std::size_t k = 0; k < t.Frames().size(); ++k) {
        if (t.Sent()[k] != 40)
            continue; // the identify
        const auto& f = t.Frames()[k];
        // ... data (4), checksum, trailer byte 0x40
        const std::size_t n = f.size();
        out << codec::DecodeFloatBE(f[n - 6], f[n - 5], f[n - 4], f[n - 3]);
    }
    return out;
}

} // namespace

class TestConfigLoopTest : public QObject {
    Q_OBJECT
private slots:
    void pointsThenRelease_data()
    {
        QTest::addColumn<int>("script");
        QTest::addColumn<QList<double>>("levels");
        QTest::addColumn<bool>("released");
        QTest::addColumn<int>("pointsDone");
        QTest::addColumn<bool>("passed");
        QTest::newRow("every point") << int(Script::NextEachTime) << QList<double>{4, 12, 20, 0} << true << 3 << true;
        QTest::newRow("cancelled while a point holds")
            << int(Script::StopAfterFirst) << QList<double>{4, 0} << true << 1 << false;
        QTest::newRow("cancelled while a point is on the line")
            << int(Script::StopAtOnce) << QList<double>{4, 0} << true << 1 << false;
        QTest::newRow("device goes silent: three tries each, release not confirmed")
            << int(Script::SilentAtSecond) << QList<double>{4, 12, 12, 12, 0, 0, 0} << false << 2 << false;
        QTest::newRow("device refuses: no repeat, release not confirmed")
            << int(Script::RefusesEverything) << QList<double>{4, 0} << false << 1 << false;
    }
    void pointsThenRelease()
    {
        QFETCH(int, script);
        QFETCH(QList<double>, levels);
        QFETCH(bool, released);
        QFETCH(int, pointsDone);
        QFETCH(bool, passed);
        sim::Device device;
        testing::SimTransport transport(device);
        config::LoopTestRunner runner(transport);
        const auto s = static_cast<Script>(script);
        if (s == Script::RefusesEverything)
            device.SetFault(40, {sim::FaultKind::ResponseCode, 7});
        QObject::connect(&runner, &config::LoopTestRunner::PointDone, &runner, [&](int index) {
            QCOMPARE(device.State().fixedCurrent.has_value(), s != Script::RefusesEverything);
            runner.Note(index, 4.0 + 8 * index + 0.01, true);
            if (s == Script::StopAfterFirst)
                runner.Stop();
            else {
                if (s == Script::SilentAtSecond && index == 0)
                    device.SetFault(std::nullopt, {sim::FaultKind::NoAnswer, 0});
                runner.Next();
            }
        });
        QSignalSpy finished(&runner, &config::LoopTestRunner::Finished);
        runner.Start(0, {4, 12, 20});
        if (s == Script::StopAtOnce)
            QObject::connect(&runner, &config::LoopTestRunner::Identified, &runner, [&] { runner.Stop(); });
        QVERIFY(finished.wait(5000));
        QCOMPARE(Levels(transport), levels);
        const auto& r = runner.Result();
        QCOMPARE(r.released, released);
        QCOMPARE(int(r.points.size()), pointsDone);
        QCOMPARE(r.Passed(), passed);
        QVERIFY(!runner.Running());
        if (released) {
            QVERIFY(!device.State().fixedCurrent);
            QCOMPARE(r.points.front().reportedMa.value_or(-1), 4.0);
            QCOMPARE(r.points.front().Deviation().value_or(-1), 0.01);
        } else {
            QVERIFY2(r.releaseText.startsWith("The loop current may still be fixed"), qPrintable(r.releaseText));
        }
    }

    void latestOfTheDevice()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("loop-tests.jsonl");
        config::LoopTestResult older, newer, other;
        older.points = {{4, 4.0, std::nullopt, std::nullopt, {}}};
        newer.points = {{12, 12.002, 11.9, false, {}}, {20, std::nullopt, std::nullopt, std::nullopt, "no answer"}};
        newer.released = true;
        newer.releaseText = "released";
        other.points = {{8, 8.0, std::nullopt, std::nullopt, {}}};
        const QDateTime t0(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
        QVERIFY(config::AppendLine(path, config::LoopTestLine(7, t0, older)).ok());
        QVERIFY(config::AppendLine(path, config::LoopTestLine(7, t0.addDays(1), newer)).ok());
        QVERIFY(config::AppendLine(path, "{\"uniqueIdentifier\":7,\"time\":\"2026-12-09T").ok()); // damaged
        QVERIFY(config::AppendLine(path, config::LoopTestLine(8, t0.addDays(2), other)).ok());
        const auto latest = config::LatestLoopTest(path, 7);
        QVERIFY(latest);
        QCOMPARE(latest->time, t0.addDays(1));
        QCOMPARE(int(latest->result.points.size()), 2);
        QCOMPARE(latest->result.points[0].readMa.value_or(0), 11.9);
        QCOMPARE(latest->result.points[0].passed.value_or(true), false);
        QCOMPARE(latest->result.points[1].error, QString("no answer"));
        QVERIFY(latest->result.released);
        QVERIFY(!config::LatestLoopTest(path, 9));
    }

    void points_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // empty: accepted
        QTest::newRow("default list") << "4,8,12,16,20" << "";
        QTest::newRow("spaces and decimals") << " 3.8, 12.5 ,20.5" << "";
        QTest::newRow("zero would leave fixed mode") << "4,0" << "0 mA is outside 3.5 to 23 mA";
        QTest::newRow("beyond the loop") << "24" << "24 mA is outside 3.5 to 23 mA";
        QTest::newRow("not a number") << "4,,8" << "\"\" is not a current in mA";
        QTest::newRow("nan") << "nan" << "\"nan\" is not a current in mA";
    }
    void points()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const auto parsed = config::ParseLoopPoints(text);
        QCOMPARE(QString::fromStdString(parsed.error()), error);
        QCOMPARE(parsed.ok(), error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConfigLoopTest)
#include "test_config_loop_test.moc"

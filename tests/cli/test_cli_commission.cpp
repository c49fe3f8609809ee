// Commissioning with modbus-hart-config: the loop test, the history of writes
// and the report, against a simulated converter on a pseudo-terminal.
#include "codec/numeric.h"
#include "config/history.h"
#include "sim/pty_simulator.h"
#include "support/cli_run.h"
#include "support/converter_setups.h"

#include <QtTest>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

namespace {

using testing::Run;

// The fixed-current levels the device was asked for, in order (repeats included).
QList<double> Levels(sim::PtySimulator& s)
{
    QList<double> out;
    s.WithDevice([&](sim::Device& d) {
        for (const auto& r : d.Requests())
            if (r.command == 40 && r.data.size() == 4)
                out << codec::DecodeFloatBE(r.data[0], r.data[1], r.data[2], r.data[3]);
    });
    return out;
}

} // namespace

class TestCliCommission : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<sim::PtySimulator> sim_;

    QProcessEnvironment Env()
    {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir_.filePath("data"));
        return env;
    }
    Run Program(const QStringList& args, bool withPort = true)
    {
        return testing::RunProgram(withPort ? args + QStringList{"--port", Port()} : args, Env(), [](QProcess& p) {
            p.setStandardInputFile(QProcess::nullDevice()); // not a terminal: nobody to ask
        });
    }
    QString Port() const { return QString::fromStdString(sim_->SlavePath()); }
    std::vector<config::HistoryRecord> History()
    {
        const auto log = config::ReadHistory(dir_.filePath("data/modbus-hart/history.jsonl"));
        return log ? log->records : std::vector<config::HistoryRecord>{};
    }

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        QDir(dir_.filePath("data")).removeRecursively();
        std::string error;
        sim_ = sim::PtySimulator::Start({}, &error);
        QVERIFY2(sim_, error.c_str());
    }
    void cleanup() { sim_.reset(); }

    void loopTest_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("silentFrom"); // the device stops answering after this many command-40 requests; -1 never
        QTest::addColumn<int>("exit");
        QTest::addColumn<QList<double>>("levels");
        QTest::addColumn<QStringList>("history"); // item values, in order
        QTest::newRow("every point, then the release")
            << QStringList{"loop-test", "--points", "4,20", "--hold", "0", "--yes"} << -1 << 0 << QList<double>{4, 20, 0}
            << QStringList{"4.000 mA", "20.000 mA", "0 (fixed current mode left)"};
        QTest::newRow("no --yes and nobody to ask: refused, nothing sent")
            << QStringList{"loop-test", "--hold", "0"} << -1 << 2 << QList<double>{} << QStringList{};
        QTest::newRow("a point outside the loop: refused, nothing sent")
            << QStringList{"loop-test", "--points", "4,25", "--yes"} << -1 << 2 << QList<double>{} << QStringList{};
        QTest::newRow("the device goes silent at the second point")
            << QStringList{"loop-test", "--points", "4,12,20", "--hold", "0", "--yes"} << 1 << 1
            << QList<double>{4, 12, 12, 12, 0, 0, 0} << QStringList{"4.000 mA", "12.000 mA", "0 (fixed current mode left)"};
    }
    void loopTest()
    {
        QFETCH(QStringList, args);
        QFETCH(int, silentFrom);
        QFETCH(int, exit);
        QFETCH(QList<double>, levels);
        QFETCH(QStringList, history);
        if (silentFrom >= 0)
            sim_->WithDevice([&](sim::Device& d) { d.SilenceAfter(40, silentFrom); });
        const auto run = Program(args);
        QVERIFY2(run.exit == exit, qPrintable(run.out + run.err));
        QCOMPARE(Levels(*sim_), levels);
        QStringList recorded;
        for (const auto& r : History())
            recorded << r.after;
        QCOMPARE(recorded, history);
        if (exit == 1)
            QVERIFY2(run.err.contains("The loop current may still be fixed"), qPrintable(run.err));
    }

    // A termination request during a hold: the loop is released before the program ends.
    void signalReleasesTheLoop_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void signalReleasesTheLoop()
    {
        QFETCH(int, signal);
        QProcess p;
        p.setProcessEnvironment(Env());
        p.start(MH_CONFIG_PROGRAM, {"loop-test", "--points", "8,16", "--hold", "600", "--yes", "--port", Port()});
        QVERIFY(p.waitForStarted());
        QByteArray out;
        while (!out.contains("Point 1 of 2") && p.state() == QProcess::Running && p.waitForReadyRead(30000))
            out += p.readAllStandardOutput();
        QVERIFY2(out.contains("Point 1 of 2"), out.constData());
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(Levels(*sim_), (QList<double>{8, 0}));
        bool fixed = true;
        sim_->WithDevice([&](sim::Device& d) { fixed = d.State().fixedCurrent.has_value(); });
        QVERIFY(!fixed);
    }

    void historyAfterAWriteAndALoopTest()
    {
        auto other = sim::PtySimulator::Start({}, nullptr);
        QVERIFY(other);
        other->WithDevice([](sim::Device& d) { d.State() = testing::OtherConverter(); });
        const QString file = dir_.filePath("other.json");
        QCOMPARE(Program({"read", "-o", file, "--port", QString::fromStdString(other->SlavePath())}, false).exit, 0);
        const auto write = Program({"write", file});
        QVERIFY2(write.exit == 0, qPrintable(write.out + write.err));
        const int written = int(write.out.count("written and verified"));
        QVERIFY(written > 3);
        QCOMPARE(Program({"loop-test", "--points", "12", "--hold", "0", "--yes"}).exit, 0);

        const auto records = History();
        QCOMPARE(int(records.size()), written + 2);
        for (int k = 0; k < written; ++k)
            QCOMPARE(records[std::size_t(k)].outcome, config::HistoryOutcome::Verified);
        QCOMPARE(records[std::size_t(written)].after, QString("12.000 mA"));
        QVERIFY(records.front().before.has_value());

        const auto json = Program({"history", "--json", "--device", QString::number(records.front().uniqueIdentifier)}, false);
        QCOMPARE(json.exit, 0);
        QCOMPARE(int(json.out.count('\n')), written + 2);
        const auto none = Program({"history", "--device", "0x000000"}, false);
        QCOMPARE(none.exit, 0);
        QVERIFY(none.out.isEmpty());
        QCOMPARE(Program({"history", "--since", "yesterday"}, false).exit, 2);

        // The report holds the device, every item by its page's name, the loop test and the writes.
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString pdf = dir_.filePath("report.pdf");
        const auto rep = Program({"report", "-o", pdf, "--operator", "A. Engineer"});
        QVERIFY2(rep.exit == 0, qPrintable(rep.err));
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const char* expected : {"A. Engineer", "RS485 Parameter Configuration", "Analog Configuration AD4",
                                     "Loop test", "12.000", "Writes to this device", "verified"})
            QVERIFY2(words.contains(expected), expected);
        const auto fromFile = Program({"report", "-o", dir_.filePath("file.html"), "--file", file}, false);
        QVERIFY2(fromFile.exit == 0, qPrintable(fromFile.err));
    }
};

QTEST_GUILESS_MAIN(TestCliCommission)
#include "test_cli_commission.moc"

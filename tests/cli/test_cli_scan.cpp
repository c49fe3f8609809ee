// modbus-hart-config scan as a user runs it, against the simulated converter
// on a pseudo-terminal.
#include "sim/pty_simulator.h"

#include <QProcess>
#include <QtTest>

class TestCliScan : public QObject {
    Q_OBJECT
private slots:
    void scan_data()
    {
        QTest::addColumn<int>("deviceAt");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errPart");
        const QString line5 = "address 5: manufacturer 38 (0x26), device type 5 (0x05), unique id 66051 (0x010203), "
                              "HART 5, 5 preambles\n";
        QTest::newRow("found, default range") << 5 << QStringList{} << 0 << line5 << "";
        QTest::newRow("none in range") << 5 << QStringList{"--addresses", "6-8"} << 1 << "" << "No device answered";
        QTest::newRow("beyond 15 needs the range") << 40 << QStringList{"--addresses", "38-41"} << 0
                                                   << QString(line5).replace("address 5:", "address 40:") << "";
        QTest::newRow("bad range") << 5 << QStringList{"--addresses", "0-64"} << 2 << "" << "not FIRST-LAST";
    }
    void scan()
    {
        QFETCH(int, deviceAt);
        QFETCH(QStringList, args);
        sim::PtySimulatorOptions o;
        o.lineTiming = false;
        std::string error;
        auto sim = sim::PtySimulator::Start(o, &error);
        QVERIFY2(sim, error.c_str());
        sim->WithDevice([&](sim::Device& d) { d.State().pollAddress = static_cast<std::uint8_t>(deviceAt); });

        QProcess p;
        p.start(MH_CONFIG_PROGRAM, QStringList{"scan", "--port", QString::fromStdString(sim->SlavePath())} + args);
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QTEST(p.exitCode(), "exit");
        QTEST(out, "out");
        QFETCH(QString, errPart);
        QVERIFY2(err.contains(errPart), qPrintable(err));
    }
    void noPortIsAnError()
    {
        QProcess p;
        p.start(MH_CONFIG_PROGRAM, QStringList{"scan"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TestCliScan)
#include "test_cli_scan.moc"

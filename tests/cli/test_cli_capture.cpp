// modbus-hart-config --capture: the traffic of a whole configuration read, as
// tshark reads it back.
#include <QtTest>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

namespace {

struct Run {
    int exit = -1;
    QString err;
};

Run Program(const QStringList& args)
{
    QProcess p;
    p.start(MH_CONFIG_PROGRAM, args);
    if (!p.waitForFinished(120000))
        qFatal("modbus-hart-config did not finish");
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class TestCliCapture : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void readIsCaptured()
    {
        if (QStandardPaths::findExecutable("tshark").isEmpty())
            QSKIP("tshark is not installed (scripts/test installs it with apt-get): captures are not checked");
        const QString file = dir_.filePath("read.pcapng");
        const Run r = Program({"read", "--simulate", "-o", dir_.filePath("read.json"), "--capture", file});
        QVERIFY2(r.exit == 0, qPrintable(r.err));

        QProcess t;
        t.start("tshark", {"-r", file, "-T", "fields", "-E", "occurrence=f", "-e", "hart_ip.message_type", "-e",
                           "hart_ip.transaction_id", "-e", "hart_ip.pt.command", "-e", "frame.comment", "-e",
                           "_ws.malformed"});
        QVERIFY(t.waitForFinished(60000));
        // Per sequence number: the command asked and the command answered.
        std::map<int, QStringList> pairs;
        for (const QString& row : QString::fromUtf8(t.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = row.split('\t');
            QVERIFY2(f.value(2) != "" && f.value(4) == "", qPrintable("not a whole frame: " + row));
            pairs[f[1].toInt()] << (f[0] == "0" ? "asked " : "answered ") + f[2];
        }
        // A whole read: identify, then every item of the configuration.
        QVERIFY2(pairs.size() >= 15, qPrintable(QString::number(pairs.size())));
        QCOMPARE(pairs.begin()->second.first(), QString("asked 0"));
        for (const auto& [sequence, frames] : pairs) {
            QCOMPARE(frames.size(), 2);
            QCOMPARE(frames[1], QString(frames[0]).replace("asked", "answered"));
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        QTest::newRow("no file name") << QStringList{"read", "--simulate", "--capture"}
                                      << "The option --capture needs a file name.";
        QTest::newRow("cannot write") << QStringList{"read", "--simulate", "--capture", "/nonexistent-dir/c.pcapng"}
                                      << "Cannot write /nonexistent-dir/c.pcapng";
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        const Run r = Program(args);
        QCOMPARE(r.exit, 2);
        QVERIFY2(r.err.startsWith(error), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliCapture)
#include "test_cli_capture.moc"

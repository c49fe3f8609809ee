// The history of writes: every record kept whole, a damaged line costs no other.
#include "config/history.h"

#include "support/file_size_limit.h"

#include <QtTest>

#include <QTemporaryDir>

namespace {

config::HistoryRecord Record(QString item, config::HistoryOutcome outcome, std::uint32_t id = 0x0A0B0C)
{
    config::HistoryRecord r;
    r.time = QDateTime(QDate(2026, 12, 8), QTime(14, 30, 5, 120), Qt::UTC);
    r.program = "modbus-hart-config";
    r.version = "1.2.3";
    r.manufacturer = 0x26;
    r.deviceType = 0xE1;
    r.uniqueIdentifier = id;
    r.pollingAddress = 3;
    r.tag = "FT-101";
    r.item = std::move(item);
    r.after = "4.000000 .. 20.000000";
    r.outcome = outcome;
    return r;
}

QByteArray FileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(text), text.size());
}

} // namespace

class TestConfigHistory : public QObject {
    Q_OBJECT
private slots:
    void recordRoundTrip_data()
    {
        QTest::addColumn<config::HistoryRecord>("record");
        using O = config::HistoryOutcome;
        QTest::newRow("verified, no value before") << Record("range", O::Verified);
        auto r = Record("tag", O::Refused);
        r.before = "OLD";
        r.detail = "Invalid selection";
        QTest::newRow("refused with the code in words") << r;
        r = Record("message", O::PossiblyTaken);
        r.tag = QString::fromUtf8("T\x01\nG\"\\");
        r.after = QString::fromUtf8("line one\nline two\x1b[2J");
        QTest::newRow("device text with control bytes and quotes") << r;
        QTest::newRow("no answer, largest identifier") << Record("pollingAddress", O::NoAnswer, 0xFFFFFF);
    }
    void recordRoundTrip()
    {
        QFETCH(config::HistoryRecord, record);
        const QByteArray line = config::HistoryLine(record);
        QVERIFY2(!line.contains('\n') && !line.contains('\r'), line.constData());
        const auto back = config::ParseHistoryLine(line);
        QVERIFY2(back.ok(), back.error().c_str());
        QCOMPARE(*back, record);
    }

    void damagedLinesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cut short") << QByteArray("{\"time\":\"2026-12-08T14:30:05.120Z\",\"pro") << "not a JSON object";
        QTest::newRow("not JSON") << QByteArray("\x00\xff garbage", 10) << "not a JSON object";
        QTest::newRow("key twice")
            << QByteArray("{\"time\":\"2026-12-08T14:30:05Z\",\"time\":\"2026-12-09T00:00:00Z\"}") << "key \"time\" stands twice";
        QTest::newRow("no device")
            << QByteArray("{\"time\":\"2026-12-08T14:30:05Z\",\"item\":\"tag\",\"after\":\"X\",\"outcome\":\"verified\"}")
            << "the device is not identified";
        QTest::newRow("identifier beyond three bytes")
            << QByteArray("{\"time\":\"2026-12-08T14:30:05Z\",\"device\":{\"manufacturer\":1,\"deviceType\":2,"
                          "\"uniqueIdentifier\":16777216,\"pollingAddress\":0},\"item\":\"tag\",\"after\":\"X\",\"outcome\":\"verified\"}")
            << "the device is not identified";
        QTest::newRow("unknown outcome")
            << QByteArray("{\"time\":\"2026-12-08T14:30:05Z\",\"device\":{\"manufacturer\":1,\"deviceType\":2,"
                          "\"uniqueIdentifier\":5,\"pollingAddress\":0},\"item\":\"tag\",\"after\":\"X\",\"outcome\":\"fine\"}")
            << "unknown outcome";
    }
    void damagedLinesAreSkipped()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.jsonl");
        const auto first = Record("range", config::HistoryOutcome::Verified);
        const auto third = Record("tag", config::HistoryOutcome::NoAnswer);
        WriteText(path, config::HistoryLine(first) + '\n' + damage + '\n' + config::HistoryLine(third) + '\n');
        const auto log = config::ReadHistory(path);
        QVERIFY(log.ok());
        QCOMPARE(log->records.size(), std::size_t{2});
        QCOMPARE(log->records[0], first);
        QCOMPARE(log->records[1], third);
        QCOMPARE(log->warnings.size(), std::size_t{1});
        QCOMPARE(log->warnings[0].line, 2);
        QCOMPARE(log->warnings[0].reason, reason);
    }

    void appendKeepsOrderAndSurvivesAHalfLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("new folder/history.jsonl");
        const auto a = Record("range", config::HistoryOutcome::Verified);
        const auto b = Record("tag", config::HistoryOutcome::Refused);
        QVERIFY(config::AppendHistory(path, a).ok());
        // A record another program left half written.
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            f.write("{\"time\":\"2026-12");
        }
        QVERIFY(config::AppendHistory(path, b).ok());
        const auto log = config::ReadHistory(path);
        QVERIFY(log.ok());
        QCOMPARE(log->records.size(), std::size_t{2});
        QCOMPARE(log->records[0], a);
        QCOMPARE(log->records[1], b);
        QCOMPARE(log->warnings.size(), std::size_t{1});
    }

    void appendFailureIsReported_data()
    {
        QTest::addColumn<int>("limit"); // file size limit past the first record
        QTest::newRow("disk full inside the line") << 20;
        QTest::newRow("disk full at the line's start") << 0;
    }
    void appendFailureIsReported()
    {
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.jsonl");
        QVERIFY(config::AppendHistory(path, Record("range", config::HistoryOutcome::Verified)).ok());
        const QByteArray before = FileText(path);
        {
            testing::FileSizeLimit full(static_cast<rlim_t>(before.size() + limit));
            const auto r = config::AppendHistory(path, Record("tag", config::HistoryOutcome::Verified));
            QVERIFY(!r.ok());
            QVERIFY2(QString::fromStdString(r.error()).startsWith(path + ": not written: "), r.error().c_str());
        }
        // No half record left behind to spoil the next one.
        QCOMPARE(FileText(path), before);
    }

    void selectAndCsv()
    {
        auto a = Record("range", config::HistoryOutcome::Verified, 1);
        auto b = Record("tag", config::HistoryOutcome::Verified, 2);
        b.time = b.time.addDays(1);
        b.tag = "=HYPERLINK(\"x\")";
        b.after = "a, b";
        const std::vector records{a, b};
        QCOMPARE(config::Select(records, {std::uint32_t{2}, std::nullopt}).size(), std::size_t{1});
        QCOMPARE(config::Select(records, {std::nullopt, b.time}).front().item, QString("tag"));
        QCOMPARE(config::Select(records, {std::uint32_t{1}, b.time}).size(), std::size_t{0});

        const QList<QByteArray> rows = config::HistoryCsv(records).split('\n');
        QCOMPARE(rows.size(), 4); // header, two records, the empty rest
        QVERIFY2(rows[2].contains(",\"'=HYPERLINK(\"\"x\"\")\","), rows[2].constData());
        QVERIFY2(rows[2].contains(",\"a, b\","), rows[2].constData());
    }
};

Q_DECLARE_METATYPE(config::HistoryRecord)

QTEST_GUILESS_MAIN(TestConfigHistory)
#include "test_config_history.moc"

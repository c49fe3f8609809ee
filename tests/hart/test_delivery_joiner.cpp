#include "hart/delivery_joiner.h"
#include "support/bytes.h"

#include <QtTest>

using namespace hart;
using testing::Hex;
using testing::HexOf;

class TestDeliveryJoiner : public QObject {
    Q_OBJECT
private slots:
    // Records in, final runs out; at 1200 baud, a cut answer's rest is due
    // 310 ms after its last delivery plus the time its missing bytes take.
    void runs_data()
    {
        QTest::addColumn<QStringList>("records"); // "S" or "R", the time in ms, ":", then hex
        QTest::addColumn<QString>("runs");        // each run: direction, deliveries, bytes
        QTest::addColumn<QString>("kept");        // what still waits for its rest
        const QString head = "FF FF 86 A6 05 01 02 03 11 02";
        const QString answer = head + " 00 00 36";
        QTest::newRow("whole") << QStringList{"R0:" + answer} << "R1 " + answer << "";
        QTest::newRow("split") << QStringList{"R0:" + head, "R300:00 00 36"} << "R2 " + answer << "";
        QTest::newRow("cut, kept back") << QStringList{"R0:00 " + head} << "R1 00" << head;
        QTest::newRow("rest too late")
            << QStringList{"R0:" + head, "R338:00 00 36"} << "R1 " + head + " | R1 00 00 36" << "";
        QTest::newRow("a write ends the wait")
            << QStringList{"R0:" + head, "S10:FF FF 02 00 00 00 02"} << "R1 " + head + " | S1 FF FF 02 00 00 00 02" << "";
        QTest::newRow("only the rest joins")
            << QStringList{"R0:" + head, "R100:00 00 36 55 " + head}
            << "R2 " + answer + " | R1 55" << head;
        QTest::newRow("a cut frame, then a whole one") << QStringList{"R0:FF FF 86 A6 05 01", "R100:" + answer}
                                                       << "R2 FF FF 86 A6 05 01 " + answer << "";
        QTest::newRow("longer than any answer") << QStringList{"R0:" + QString("FF ").repeated(290).trimmed()}
                                                << "R1 " + QString("FF ").repeated(290).trimmed() << "";
        QTest::newRow("byte by byte")
            << QStringList{"R0:FF", "R50:FF", "R100:86 A6", "R150:05 01 02 03 11 02 00", "R200:00", "R250:36"}
            << "R6 " + answer << "";
    }
    void runs()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, runs);
        QFETCH(QString, kept);
        DeliveryJoiner joiner;
        QStringList got;
        auto show = [&](const std::vector<LineRun>& out) {
            for (const auto& run : out)
                got << QString("%1%2 %3").arg(run.direction == Direction::Sent ? "S" : "R").arg(run.deliveries).arg(HexOf(run.bytes));
        };
        for (const QString& r : records) {
            const int colon = r.indexOf(':');
            const auto bytes = Hex(r.mid(colon + 1).toLatin1());
            show(joiner.Add({r[0] == 'S' ? Direction::Sent : Direction::Received,
                             r.mid(1, colon - 1).toLongLong() * 1'000'000, bytes}));
        }
        const auto rest = joiner.Flush();
        QCOMPARE(rest.empty() ? QString() : HexOf(rest.front().bytes), kept);
        QCOMPARE(got.join(" | "), runs);
    }

    // The traffic window appends to its newest row what the joiner says continues it.
    void continuedBytes()
    {
        DeliveryJoiner joiner;
        joiner.Add({Direction::Received, 0, Hex("00 FF FF 86 A6 05 01 02 03 11 02")});
        QVERIFY(!joiner.Joined());
        QVERIFY(joiner.RestDueNs() > 0);
        joiner.Add({Direction::Received, 1'000'000, Hex("00 00 36 FF FF")});
        QVERIFY(joiner.Joined());
        QCOMPARE(joiner.Continued(), std::size_t{3});
        joiner.Add({Direction::Sent, 2'000'000, Hex("FF FF 02 00 00 00 02")});
        QVERIFY(!joiner.Joined());
        QCOMPARE(joiner.RestDueNs(), std::int64_t{0});
    }
};

QTEST_APPLESS_MAIN(TestDeliveryJoiner)
#include "test_delivery_joiner.moc"

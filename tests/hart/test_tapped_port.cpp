#include "hart/tapped_port.h"
#include "support/fake_port.h"

#include <QtTest>

using hart::Direction;

class TestTappedPort : public QObject {
    Q_OBJECT
private slots:
    // Only what the port took is on the line, and the port sees the same bytes.
    void writes_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("records");
        QTest::newRow("taken") << true << 1;
        QTest::newRow("refused") << false << 0;
    }
    void writes()
    {
        QFETCH(bool, accept);
        QFETCH(int, records);
        testing::FakePort inner;
        inner.accept = accept;
        std::vector<hart::TrafficRecord> seen;
        hart::TappedPort port(inner, [&](const hart::TrafficRecord& r) { seen.push_back(r); });
        const std::uint8_t frame[] = {0xFF, 0x02, 0x80, 0x00, 0x00, 0x82};
        const std::int64_t before = hart::TappedPort::NowNs();
        QCOMPARE(port.WriteBytes(frame, sizeof frame), accept);
        QCOMPARE(inner.lastWrite(), std::vector<std::uint8_t>(std::begin(frame), std::end(frame)));
        QCOMPARE(int(seen.size()), records);
        if (records) {
            QVERIFY(seen[0].direction == Direction::Sent);
            QCOMPARE(seen[0].bytes, inner.lastWrite());
            QVERIFY(seen[0].timeNs >= before);
        }
        port.SetRtsControl(hart::TRtsControl::RtsEnable);
        QVERIFY(inner.rts == hart::TRtsControl::RtsEnable);
    }
};

QTEST_APPLESS_MAIN(TestTappedPort)
#include "test_tapped_port.moc"

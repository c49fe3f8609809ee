// The address scan over the batch path against the simulated converter.
#include "device/address_scan.h"
#include "support/sim_transport.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(device::ScanEnd)

namespace {

struct Run {
    QList<int> found;
    QList<device::ScanHit> hits;
    device::ScanEnd end = device::ScanEnd::Completed;
    int lastDone = -1;
};

Run Scan(testing::SimTransport& transport, int first, int last, int cancelAt = -1)
{
    device::AddressScanner scanner(transport);
    Run run;
    bool finished = false;
    QObject::connect(&scanner, &device::AddressScanner::Found, [&](const device::ScanHit& h) {
        run.found << h.address;
        run.hits << h;
    });
    QObject::connect(&scanner, &device::AddressScanner::Progress, [&](int done, int) { run.lastDone = done; });
    QObject::connect(&scanner, &device::AddressScanner::Finished, [&](device::ScanEnd e, int, const QString&) {
        run.end = e;
        finished = true;
    });
    transport.beforeSend = [&](const hart::Transaction& t) {
        if (cancelAt >= 0 && t.frame.size() > 7 && t.frame[7] == cancelAt)
            scanner.Cancel();
    };
    if (!scanner.Start(first, last))
        return run;
    if (!QTest::qWaitFor([&] { return finished; }, 5000))
        qWarning("scan did not finish");
    return run;
}

} // namespace

class AddressScanTest : public QObject {
    Q_OBJECT
private slots:
    void findsDevicesOnce_data();
    void findsDevicesOnce();
    void listsTheIdentity_data();
    void listsTheIdentity();
    void cancelStopsWithinOneAddress();
    void refusesBadRanges();
    void parsesAddressRanges_data();
    void parsesAddressRanges();
};

void AddressScanTest::findsDevicesOnce_data()
{
    QTest::addColumn<int>("deviceAt");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("identifyFails");
    QTest::addColumn<QList<int>>("found");

    QTest::newRow("address 5 in 0-15") << 5 << 0 << 15 << false << QList<int>{5};
    QTest::newRow("address 0 in 0-15") << 0 << 0 << 15 << false << QList<int>{0};
    QTest::newRow("address 15, last of 0-15") << 15 << 0 << 15 << false << QList<int>{15};
    QTest::newRow("address 20 beyond 0-15") << 20 << 0 << 15 << false << QList<int>{};
    QTest::newRow("address 20 in 0-63") << 20 << 0 << 63 << false << QList<int>{20};
    QTest::newRow("error answer is no device") << 5 << 0 << 15 << true << QList<int>{};
    QTest::newRow("single address") << 7 << 7 << 7 << false << QList<int>{7};
}

void AddressScanTest::findsDevicesOnce()
{
    QFETCH(int, deviceAt);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, identifyFails);
    QFETCH(QList<int>, found);

    sim::Device device;
    device.State().pollAddress = static_cast<std::uint8_t>(deviceAt);
    if (identifyFails)
        device.SetFault(0, {sim::FaultKind::ResponseCode, 64});
    testing::SimTransport transport(device);
    const Run run = Scan(transport, first, last);

    QCOMPARE(run.end, device::ScanEnd::Completed);
    QCOMPARE(run.found, found);
    QCOMPARE(run.lastDone, last - first + 1);
    // One request per address, in order, never repeated: the silent ones cost one wait each.
    const int addresses = last - first + 1;
    QCOMPARE(int(transport.Frames().size()), addresses);
    QCOMPARE(transport.NoAnswers(), addresses - (deviceAt >= first && deviceAt <= last ? 1 : 0));
    for (int k = 0; k < addresses; ++k)
        QCOMPARE(transport.Frames()[k], hart::ShortFrame(static_cast<std::uint8_t>(first + k)));
}

void AddressScanTest::listsTheIdentity_data()
{
    QTest::addColumn<bool>("hart7");
    QTest::addColumn<QString>("text");
    QTest::newRow("HART 6") << false
                            << "address 5: manufacturer 38 (0x26), device type 225 (0xE1), unique id 11259375 "
                               "(0xABCDEF), HART 6, 7 preambles";
    // Bytes 1-2 are the expanded device type; the manufacturer comes from bytes 17-18.
    QTest::newRow("HART 7") << true
                            << "address 5: manufacturer 38 (0x26), device type 9953 (0x26E1), unique id 11259375 "
                               "(0xABCDEF), HART 7, 7 preambles";
}

void AddressScanTest::listsTheIdentity()
{
    QFETCH(bool, hart7);
    QFETCH(QString, text);
    sim::Device device;
    auto& s = device.State();
    s.pollAddress = 5;
    s.manufacturerId = 0x26;
    s.deviceType = 0xE1;
    s.deviceId = {0xAB, 0xCD, 0xEF};
    s.universalRevision = 6;
    s.preambles = 7;
    if (hart7)
        device.SetFault(std::uint8_t{0}, {sim::FaultKind::LongIdentity, 0});
    testing::SimTransport transport(device);
    const Run run = Scan(transport, 0, 15);

    QCOMPARE(run.hits.size(), 1);
    QCOMPARE(QString::fromStdString(device::ScanHitText(run.hits[0])), text);
}

void AddressScanTest::cancelStopsWithinOneAddress()
{
    sim::Device device;
    device.State().pollAddress = 9;
    testing::SimTransport transport(device);
    const Run run = Scan(transport, 0, 15, /*cancelAt=*/3);

    QCOMPARE(run.end, device::ScanEnd::Cancelled);
    QVERIFY(run.found.isEmpty());
    QCOMPARE(int(transport.Frames().size()), 3); // 0, 1, 2; the cancelled 3 never reached the device
    QVERIFY(transport.Idle());
}

void AddressScanTest::refusesBadRanges()
{
    sim::Device device;
    testing::SimTransport transport(device);
    device::AddressScanner scanner(transport);
    QVERIFY(!scanner.Start(0, 64));
    QVERIFY(!scanner.Start(-1, 15));
    QVERIFY(!scanner.Start(9, 3));
    QVERIFY(scanner.Start(0, 1));
    QVERIFY(!scanner.Start(0, 1)); // one scan at a time
    QTRY_VERIFY(!scanner.Running());
}

void AddressScanTest::parsesAddressRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("default") << "0-15" << true << 0 << 15;
    QTest::newRow("wide") << "0-63" << true << 0 << 63;
    QTest::newRow("one") << "12" << true << 12 << 12;
    QTest::newRow("beyond 63") << "0-64" << false << 0 << 0;
    QTest::newRow("reversed") << "15-0" << false << 0 << 0;
    QTest::newRow("blank end") << "0-" << false << 0 << 0;
    QTest::newRow("trailing junk") << "0-15x" << false << 0 << 0;
    QTest::newRow("negative") << "-1-5" << false << 0 << 0;
    QTest::newRow("empty") << "" << false << 0 << 0;
}

void AddressScanTest::parsesAddressRanges()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    const auto range = device::ParseAddressRange(text.toStdString());
    QCOMPARE(range.ok(), ok);
    if (ok) {
        QTEST(range->first, "first");
        QTEST(range->second, "last");
    }
}

QTEST_GUILESS_MAIN(AddressScanTest)
#include "test_address_scan.moc"

#include "device/identify.h"
#include "support/bytes.h"

#include <QtTest>

using testing::Hex;

class TestIdentify : public QObject {
    Q_OBJECT
private slots:
    void pollingAddressByte_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("byte");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("five") << 5 << 5;
        QTest::newRow("last") << 15 << 15;
        QTest::newRow("typed text") << -1 << 0xFF;
        QTest::newRow("beyond the list") << 16 << 0xFF;
    }
    void pollingAddressByte()
    {
        QFETCH(int, index);
        QFETCH(int, byte);
        QCOMPARE(int(device::PollingAddressByte(index)), byte);
    }

    void answeredPollingAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("slot"); // -1: none
        QTest::newRow("master bit") << "80" << 0;
        QTest::newRow("seven") << "87" << 7;
        QTest::newRow("burst bit") << "C7" << 7;
        QTest::newRow("no master bit") << "0F" << 15;
        QTest::newRow("highest") << "BF" << 63;
        QTest::newRow("long address") << "A6 05 01 02 03" << -1;
        QTest::newRow("none") << "" << -1;
    }
    void answeredPollingAddress()
    {
        QFETCH(QString, address);
        QFETCH(int, slot);
        const auto r = device::AnsweredPollingAddress(Hex(address.toLatin1()));
        QCOMPARE(r ? int(*r) : -1, slot);
    }

    void decode_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<QString>("deviceType");
        QTest::addColumn<QString>("serial");
        QTest::newRow("converter, HART 5") << "FE 26 05 05 05 01 01 08 00 01 02 03" << true << "38" << "5" << "66051";
        QTest::newRow("largest identifier") << "FE 26 05 05 05 01 01 08 00 FF FF FF" << true << "38" << "5" << "16777215";
        QTest::newRow("HART 6: bytes 1-2 still manufacturer and type")
            << "FE 26 05 05 06 01 01 08 00 01 02 03 05 04 00 01 00" << true << "38" << "5" << "66051";
        // From HART 7 on: bytes 1-2 the expanded device type, 17-18 the manufacturer.
        QTest::newRow("HART 7") << "FE E1 2A 05 07 01 01 08 00 01 02 03 05 04 00 01 00 60 1A 00 00 01" << true
                                << "24602" << "57642" << "66051";
        QTest::newRow("HART 7, a legacy manufacturer")
            << "FE 26 05 05 07 01 01 08 00 01 02 03 05 04 00 01 00 00 26 00 00 00" << true << "38" << "9733" << "66051";
        QTest::newRow("HART 7 cut before the manufacturer: read as before")
            << "FE 26 05 05 07 01 01 08 00 01 02 03" << true << "38" << "5" << "66051";
        QTest::newRow("one byte short") << "FE 26 05 05 05 01 01 08 00 01 02" << false << "" << "" << "";
    }
    void decode()
    {
        QFETCH(QString, data);
        QFETCH(bool, ok);
        QFETCH(QString, manufacturer);
        QFETCH(QString, deviceType);
        QFETCH(QString, serial);
        const auto bytes = Hex(data.toLatin1());
        const auto r = device::DecodeIdentify(bytes, 7);
        QCOMPARE(r.has_value(), ok);
        if (!ok)
            return;
        QCOMPARE(QString::fromStdString(r->manufacturer), manufacturer);
        QCOMPARE(QString::fromStdString(r->deviceType), deviceType);
        QCOMPARE(QString::number(r->identity.ManufacturerCode()), manufacturer);
        QCOMPARE(QString::number(r->identity.DeviceTypeCode()), deviceType);
        QCOMPARE(QString::fromStdString(r->preambles), "5");
        QCOMPARE(QString::fromStdString(r->serialNumber), serial);
        // The long address is made of bytes 1 and 2 whatever they mean.
        QCOMPARE(int(r->identity.manufacturer), int(bytes[1]));
        QCOMPARE(int(r->identity.deviceType), int(bytes[2]));
        QCOMPARE(int(r->identity.pollingAddress), 7);
        // The window's cache keeps all of it.
        hart::LinkBuffer buffer;
        buffer.setIdentity(r->identity);
        QVERIFY(buffer.identity() == r->identity);
    }
};

QTEST_APPLESS_MAIN(TestIdentify)
#include "test_identify.moc"

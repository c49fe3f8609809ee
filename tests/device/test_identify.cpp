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
        QTest::addColumn<QString>("serial");
        QTest::newRow("converter") << "FE 26 05 05 05 01 01 01 00 01 02 03" << true << "66051";
        QTest::newRow("largest identifier") << "FE 26 05 05 05 01 01 01 00 FF FF FF" << true << "16777215";
        QTest::newRow("longer answer of a newer revision")
            << "FE 26 05 05 07 01 01 01 00 01 02 03 05 04 00 01 00 00 26 00 00 00" << true << "66051";
        QTest::newRow("one byte short") << "FE 26 05 05 05 01 01 01 00 01 02" << false << "";
    }
    void decode()
    {
        QFETCH(QString, data);
        QFETCH(bool, ok);
        QFETCH(QString, serial);
        const auto r = device::DecodeIdentify(Hex(data.toLatin1()), 7);
        QCOMPARE(r.has_value(), ok);
        if (!ok)
            return;
        QCOMPARE(QString::fromStdString(r->manufacturer), "38");
        QCOMPARE(QString::fromStdString(r->deviceType), "5");
        QCOMPARE(QString::fromStdString(r->preambles), "5");
        QCOMPARE(QString::fromStdString(r->serialNumber), serial);
        QCOMPARE(int(r->identity.manufacturer), 0x26);
        QCOMPARE(int(r->identity.deviceType), 5);
        QCOMPARE(int(r->identity.pollingAddress), 7);
    }
};

QTEST_APPLESS_MAIN(TestIdentify)
#include "test_identify.moc"

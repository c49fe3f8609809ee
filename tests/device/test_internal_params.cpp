#include "device/internal_params.h"

#include "byte_text.h"

#include <QtTest>

class InternalParamsTest : public QObject {
    Q_OBJECT
private slots:
    void build_data();
    void build();
    void decode_data();
    void decode();
};

void InternalParamsTest::build_data()
{
    QTest::addColumn<QByteArray>("sensorType");
    QTest::addColumn<QByteArray>("manufacturerId");
    QTest::addColumn<QByteArray>("bytes"); // hex, or empty when refused
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("5 and 38") << QByteArray("5") << QByteArray("38") << QByteArray("05 26") << QByteArray();
    QTest::newRow("bounds") << QByteArray("0") << QByteArray("255") << QByteArray("00 FF") << QByteArray();
    QTest::newRow("sensor type 300") << QByteArray("300") << QByteArray("38") << QByteArray()
                                     << QByteArray("'300' is out of range (0..255)");
    QTest::newRow("manufacturer 256") << QByteArray("5") << QByteArray("256") << QByteArray()
                                      << QByteArray("'256' is out of range (0..255)");
    QTest::newRow("negative") << QByteArray("-1") << QByteArray("38") << QByteArray()
                              << QByteArray("'-1' is out of range (0..255)");
    QTest::newRow("empty") << QByteArray() << QByteArray("38") << QByteArray()
                           << QByteArray("'' is not a valid integer value");
    QTest::newRow("fraction") << QByteArray("5") << QByteArray("1.5") << QByteArray()
                              << QByteArray("'1.5' is not a valid integer value");
    QTest::newRow("sensor type checked first") << QByteArray("x") << QByteArray("300") << QByteArray()
                                               << QByteArray("'x' is not a valid integer value");
}

void InternalParamsTest::build()
{
    QFETCH(QByteArray, sensorType);
    QFETCH(QByteArray, manufacturerId);
    QFETCH(QByteArray, bytes);
    const auto r = device::BuildInternalParamsWrite(StdOf(sensorType), StdOf(manufacturerId));
    QCOMPARE(r.ok(), !bytes.isEmpty());
    if (r.ok())
        QCOMPARE(HexOf(r.value()), Hex(bytes));
    else
        QTEST(QOf(r.error()), "error");
}

void InternalParamsTest::decode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("sensorType");
    QTest::addColumn<QByteArray>("manufacturerId");

    QTest::newRow("10 and 255") << QByteArray("0A FF") << true << QByteArray("10") << QByteArray("255");
    QTest::newRow("zeros, later bytes ignored") << QByteArray("00 00 26") << true << QByteArray("0") << QByteArray("0");
    QTest::newRow("one byte short") << QByteArray("0A") << false << QByteArray() << QByteArray();
}

void InternalParamsTest::decode()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeInternalParams(bytes);
    QCOMPARE(r.has_value(), decoded);
    if (!r)
        return;
    QTEST(QOf(r->sensorType), "sensorType");
    QTEST(QOf(r->manufacturerId), "manufacturerId");
}

QTEST_APPLESS_MAIN(InternalParamsTest)
#include "test_internal_params.moc"

#include "device/output_current.h"

#include "byte_text.h"

#include <QtTest>

using device::FixedCurrent;

class OutputCurrentTest : public QObject {
    Q_OBJECT
private slots:
    void decodeRange_data();
    void decodeRange();
    void buildRangeWrite_data();
    void buildRangeWrite();
    void buildFixedCurrent_data();
    void buildFixedCurrent();
    void fixedCurrentFromChecked_data();
    void fixedCurrentFromChecked();
};

void OutputCurrentTest::decodeRange_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("sep");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<QByteArray>("upper");
    QTest::addColumn<QByteArray>("lower");

    QTest::newRow("20 and 4") << QByteArray("01 02 0C 41 A0 00 00 40 80 00 00") << QByteArray(".") << true << 12
                              << QByteArray("20") << QByteArray("4");
    QTest::newRow("whole text, no cut") << QByteArray("00 00 20 41 45 85 1F C0 80 00 00") << QByteArray(".")
                                        << true << 32 << QByteArray("12.3450002670288") << QByteArray("-4");
    QTest::newRow("locale separator") << QByteArray("00 00 27 41 48 00 00 3F C0 00 00") << QByteArray(",") << true
                                      << 39 << QByteArray("12,5") << QByteArray("1,5");
    QTest::newRow("later bytes ignored") << QByteArray("00 00 FA 00 00 00 00 00 00 00 00 41 A0 00 00")
                                         << QByteArray(".") << true << 250 << QByteArray("0") << QByteArray("0");
    QTest::newRow("one byte short") << QByteArray("01 02 0C 41 A0 00 00 40 80 00") << QByteArray(".") << false << 0
                                    << QByteArray() << QByteArray();
}

void OutputCurrentTest::decodeRange()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, sep);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeRange(bytes, StdOf(sep));
    QCOMPARE(r.has_value(), decoded);
    if (!decoded)
        return;
    QTEST(int(r->unitCode), "unitCode");
    QTEST(QOf(r->upper), "upper");
    QTEST(QOf(r->lower), "lower");
}

void OutputCurrentTest::buildRangeWrite_data()
{
    QTest::addColumn<int>("unitCode");
    QTest::addColumn<QByteArray>("upper");
    QTest::addColumn<QByteArray>("lower");
    QTest::addColumn<QByteArray>("sep");
    QTest::addColumn<QByteArray>("bytes"); // hex, or empty when refused
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("unit 12, 20 and 4") << 12 << QByteArray("20") << QByteArray("4") << QByteArray(".")
                                       << QByteArray("0C 41 A0 00 00 40 80 00 00") << QByteArray();
    QTest::newRow("negative, locale separator") << 32 << QByteArray("12,5") << QByteArray("-1") << QByteArray(",")
                                                << QByteArray("20 41 48 00 00 BF 80 00 00") << QByteArray();
    QTest::newRow("upper empty") << 12 << QByteArray() << QByteArray("4") << QByteArray(".") << QByteArray()
                                 << QByteArray("'' is not a valid floating point value");
    QTest::newRow("upper letters first") << 12 << QByteArray("abc") << QByteArray("x") << QByteArray(".")
                                         << QByteArray() << QByteArray("'abc' is not a valid floating point value");
    QTest::newRow("lower two points") << 12 << QByteArray("20") << QByteArray("1.2.3") << QByteArray(".")
                                      << QByteArray() << QByteArray("'1.2.3' is not a valid floating point value");
    QTest::newRow("beyond single range") << 12 << QByteArray("1e39") << QByteArray("4") << QByteArray(".")
                                         << QByteArray() << QByteArray("'1e39' is not a valid floating point value");
    QTest::newRow("point where comma is due") << 12 << QByteArray("20") << QByteArray("12.5") << QByteArray(",")
                                              << QByteArray() << QByteArray("'12.5' is not a valid floating point value");
}

void OutputCurrentTest::buildRangeWrite()
{
    QFETCH(int, unitCode);
    QFETCH(QByteArray, upper);
    QFETCH(QByteArray, lower);
    QFETCH(QByteArray, sep);
    QFETCH(QByteArray, bytes);
    const auto r = device::BuildRangeWrite(static_cast<std::uint8_t>(unitCode), StdOf(upper), StdOf(lower), StdOf(sep));
    QCOMPARE(r.ok(), !bytes.isEmpty());
    if (r.ok())
        QCOMPARE(HexOf(r.value()), Hex(bytes));
    else
        QTEST(QOf(r.error()), "error");
}

void OutputCurrentTest::buildFixedCurrent_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QByteArray>("sep");
    QTest::addColumn<QByteArray>("bytes"); // hex, or empty when refused
    QTest::addColumn<QByteArray>("error");

    // A fixed level never reads the "Other" field, however bad its text.
    QTest::newRow("4 mA") << int(FixedCurrent::Output4mA) << QByteArray("x") << QByteArray(".")
                          << QByteArray("40 80 00 00") << QByteArray();
    QTest::newRow("8 mA") << int(FixedCurrent::Output8mA) << QByteArray("x") << QByteArray(".")
                          << QByteArray("41 00 00 00") << QByteArray();
    QTest::newRow("12 mA") << int(FixedCurrent::Output12mA) << QByteArray("x") << QByteArray(".")
                           << QByteArray("41 40 00 00") << QByteArray();
    QTest::newRow("16 mA") << int(FixedCurrent::Output16mA) << QByteArray("x") << QByteArray(".")
                           << QByteArray("41 80 00 00") << QByteArray();
    QTest::newRow("20 mA") << int(FixedCurrent::Output20mA) << QByteArray("x") << QByteArray(".")
                           << QByteArray("41 A0 00 00") << QByteArray();
    QTest::newRow("exit") << int(FixedCurrent::Exit) << QByteArray("x") << QByteArray(".")
                          << QByteArray("00 00 00 00") << QByteArray();
    QTest::newRow("other 12.5") << int(FixedCurrent::Other) << QByteArray("12.5") << QByteArray(".")
                                << QByteArray("41 48 00 00") << QByteArray();
    QTest::newRow("other 12,5 with comma") << int(FixedCurrent::Other) << QByteArray("12,5") << QByteArray(",")
                                           << QByteArray("41 48 00 00") << QByteArray();
    QTest::newRow("other empty") << int(FixedCurrent::Other) << QByteArray() << QByteArray(".") << QByteArray()
                                 << QByteArray("'' is not a valid floating point value");
    QTest::newRow("other two points") << int(FixedCurrent::Other) << QByteArray("1..5") << QByteArray(".")
                                      << QByteArray() << QByteArray("'1..5' is not a valid floating point value");
    QTest::newRow("other beyond single range") << int(FixedCurrent::Other) << QByteArray("1e39") << QByteArray(".")
                                               << QByteArray() << QByteArray("'1e39' is not a valid floating point value");
}

void OutputCurrentTest::buildFixedCurrent()
{
    QFETCH(int, level);
    QFETCH(QByteArray, other);
    QFETCH(QByteArray, sep);
    QFETCH(QByteArray, bytes);
    const auto r = device::BuildFixedCurrent(static_cast<FixedCurrent>(level), StdOf(other), StdOf(sep));
    QCOMPARE(r.ok(), !bytes.isEmpty());
    if (r.ok())
        QCOMPARE(HexOf(r.value()), Hex(bytes));
    else
        QTEST(QOf(r.error()), "error");
}

void OutputCurrentTest::fixedCurrentFromChecked_data()
{
    QTest::addColumn<QByteArray>("checked"); // one character per radio button, in window order
    QTest::addColumn<int>("level");

    QTest::newRow("4 mA") << QByteArray("1000000") << int(FixedCurrent::Output4mA);
    QTest::newRow("8 mA") << QByteArray("0100000") << int(FixedCurrent::Output8mA);
    QTest::newRow("12 mA") << QByteArray("0010000") << int(FixedCurrent::Output12mA);
    QTest::newRow("16 mA") << QByteArray("0001000") << int(FixedCurrent::Output16mA);
    QTest::newRow("20 mA") << QByteArray("0000100") << int(FixedCurrent::Output20mA);
    QTest::newRow("other") << QByteArray("0000010") << int(FixedCurrent::Other);
    QTest::newRow("exit") << QByteArray("0000001") << int(FixedCurrent::Exit);
    QTest::newRow("first checked decides") << QByteArray("0010011") << int(FixedCurrent::Output12mA);
    QTest::newRow("none checked") << QByteArray("0000000") << int(FixedCurrent::Exit);
}

void OutputCurrentTest::fixedCurrentFromChecked()
{
    QFETCH(QByteArray, checked);
    std::array<bool, 7> buttons{};
    for (std::size_t k = 0; k < buttons.size(); ++k)
        buttons[k] = checked.at(static_cast<qsizetype>(k)) == '1';
    QTEST(int(device::FixedCurrentFromChecked(buttons)), "level");
}

QTEST_APPLESS_MAIN(OutputCurrentTest)
#include "test_output_current.moc"

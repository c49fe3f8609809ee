#include "device/process_values.h"

#include "codec/units.h"
#include "byte_text.h"

#include <QStringList>
#include <QtTest>

namespace {

// One decoded variable as "text/code/item".
QStringList Readings(const device::DynamicVariables& values)
{
    QStringList out;
    for (const auto& v : values.variables)
        out << QString::fromStdString(v.text) + '/' + QString::number(v.unitCode) + '/' + QString::number(v.unitItem);
    return out;
}

// A command 3 answer's data: current, then four (unit, value) pairs with
// units 32, 39, 57, 250 and values 12.345, 12.5, 100 and the sentinel.
const QByteArray kFourVariables = QByteArray::fromHex("41400000 20 4145851F 27 41480000 39 42C80000 FA 7FA00000"
                                                      "AAAAAAAA"); // bytes behind the fourth variable

} // namespace

class ProcessValuesTest : public QObject {
    Q_OBJECT
private slots:
    void loopCurrent_data();
    void loopCurrent();
    void dynamicVariablesByByteCount_data();
    void dynamicVariablesByByteCount();
    void dynamicVariableValues_data();
    void dynamicVariableValues();
    void dynamicVariableUnitTexts();
};

void ProcessValuesTest::loopCurrent_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("sep");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QByteArray>("percent");

    QTest::newRow("12 mA, 12.5 %") << QByteArray("41 40 00 00 41 48 00 00") << QByteArray(".") << true
                                   << QByteArray("12") << QByteArray("12.5");
    QTest::newRow("cut, not rounded") << QByteArray("41 45 85 1F 42 C8 00 00") << QByteArray(".") << true
                                      << QByteArray("12.34") << QByteArray("100");
    QTest::newRow("negative cut to 5") << QByteArray("C0 80 00 00 C1 48 00 00") << QByteArray(".") << true
                                       << QByteArray("-4") << QByteArray("-12.5");
    QTest::newRow("locale separator") << QByteArray("41 48 00 00 41 48 00 00") << QByteArray(",") << true
                                      << QByteArray("12,5") << QByteArray("12,5");
    QTest::newRow("later bytes ignored") << QByteArray("40 80 00 00 00 00 00 00 41") << QByteArray(".") << true
                                         << QByteArray("4") << QByteArray("0");
    QTest::newRow("one byte short") << QByteArray("41 40 00 00 41 48 00") << QByteArray(".") << false
                                    << QByteArray() << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray(".") << false << QByteArray() << QByteArray();
}

void ProcessValuesTest::loopCurrent()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, sep);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeLoopCurrent(bytes, StdOf(sep));
    QCOMPARE(r.has_value(), decoded);
    if (!decoded)
        return;
    QTEST(QOf(r->current), "current");
    QTEST(QOf(r->percent), "percent");
}

void ProcessValuesTest::dynamicVariablesByByteCount_data()
{
    QTest::addColumn<int>("byteCount");
    QTest::addColumn<QStringList>("readings"); // empty: not decoded

    const QString v1 = "12.345/32/12", v2 = "12.5/39/79", v3 = "100/57/75", v4 = "0.000/250/78";
    QTest::newRow("10: first variable cut short") << 10 << QStringList{};
    QTest::newRow("11") << 11 << QStringList{v1};
    // Counts that only begin the second variable must not show it.
    QTest::newRow("12") << 12 << QStringList{v1};
    QTest::newRow("13") << 13 << QStringList{v1};
    QTest::newRow("14") << 14 << QStringList{v1};
    QTest::newRow("15") << 15 << QStringList{v1};
    QTest::newRow("16") << 16 << QStringList{v1, v2};
    QTest::newRow("20") << 20 << QStringList{v1, v2};
    QTest::newRow("21") << 21 << QStringList{v1, v2, v3};
    QTest::newRow("25") << 25 << QStringList{v1, v2, v3};
    QTest::newRow("26") << 26 << QStringList{v1, v2, v3, v4};
    QTest::newRow("30: no fifth variable") << 30 << QStringList{v1, v2, v3, v4};
}

void ProcessValuesTest::dynamicVariablesByByteCount()
{
    QFETCH(int, byteCount);
    QFETCH(QStringList, readings);
    const QByteArray data = kFourVariables.left(byteCount - 2); // the count includes both status bytes
    QCOMPARE(data.size(), byteCount - 2);
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());
    const auto r = device::DecodeDynamicVariables(bytes);
    QCOMPARE(r.has_value(), !readings.isEmpty());
    if (r)
        QCOMPARE(Readings(*r), readings);
}

void ProcessValuesTest::dynamicVariableValues_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("sep");
    QTest::addColumn<QStringList>("readings");

    QTest::newRow("sentinel 7F, unknown unit 0") << QByteArray("00000000 00 7F A0 00 00") << QByteArray(".")
                                                 << QStringList{"0.000/0/82"};
    // The cut may not drop integer digits: the exponent form keeps the size.
    QTest::newRow("cut to 6 characters") << QByteArray("00000000 27 49 96 B4 38") << QByteArray(".")
                                         << QStringList{"1.23E6/39/79"};
    QTest::newRow("FF is no sentinel") << QByteArray("00000000 27 BF 80 00 00") << QByteArray(".")
                                       << QStringList{"-1/39/79"};
    QTest::newRow("locale separator") << QByteArray("00000000 20 41 48 00 00 FA 3F C0 00 00") << QByteArray(",")
                                      << QStringList{"12,5/32/12", "1,5/250/78"};
}

void ProcessValuesTest::dynamicVariableValues()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, sep);
    QFETCH(QStringList, readings);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeDynamicVariables(bytes, StdOf(sep));
    QVERIFY(r.has_value());
    QCOMPARE(Readings(*r), readings);
}

void ProcessValuesTest::dynamicVariableUnitTexts()
{
    const std::vector<std::uint8_t> bytes(kFourVariables.begin(), kFourVariables.begin() + 24);
    const auto r = device::DecodeDynamicVariables(bytes);
    QVERIFY(r && r->variables.size() == 4);
    const codec::UnitListControl lists[] = {codec::UnitListControl::ComboBox5, codec::UnitListControl::ComboBox15,
                                            codec::UnitListControl::ComboBox16, codec::UnitListControl::ComboBox6};
    const char* expected[] = {"12_℃", "79_mA", "75_%", "78_250"};
    for (int k = 0; k < 4; ++k) {
        const auto items = codec::UnitList(lists[k]);
        const int item = r->variables[static_cast<std::size_t>(k)].unitItem;
        QVERIFY(item >= 0 && item < static_cast<int>(items.size()));
        QCOMPARE(QOf(items[static_cast<std::size_t>(item)]), QByteArray(expected[k]));
    }
}

QTEST_APPLESS_MAIN(ProcessValuesTest)
#include "test_process_values.moc"

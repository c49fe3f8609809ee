#include "device/instrument_info.h"

#include "byte_text.h"

#include <QtTest>

namespace {

const QByteArray kBlankGroup = " 82 08 20"; // four blanks, packed
const QByteArray kAbcdGroup = " 04 20 C4";  // "ABCD", packed

} // namespace

class InstrumentInfoTest : public QObject {
    Q_OBJECT
private slots:
    void messageWrite_data();
    void messageWrite();
    void decodeMessage_data();
    void decodeMessage();
    void tagDescriptorDateWrite_data();
    void tagDescriptorDateWrite();
    void decodeTagDescriptorDate_data();
    void decodeTagDescriptorDate();
    void threeByteNumberWrite_data();
    void threeByteNumberWrite();
    void decodeFinalAssembly_data();
    void decodeFinalAssembly();
    void pollingAddressWrite_data();
    void pollingAddressWrite();
    void longTagWrite_data();
    void longTagWrite();
    void decodeLongTag_data();
    void decodeLongTag();
};

void InstrumentInfoTest::messageWrite_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty: 32 blanks") << QByteArray() << kBlankGroup.repeated(8);
    QTest::newRow("lower-case h is code 0x28") << QByteArray("h") << "A2 08 20" + kBlankGroup.repeated(7);
    QTest::newRow("ABCD then blanks") << QByteArray("ABCD") << kAbcdGroup + kBlankGroup.repeated(7);
    QTest::newRow("40 characters keep 32") << QByteArray("ABCD").repeated(8) + "EFGHIJKL" << kAbcdGroup.repeated(8);
}

void InstrumentInfoTest::messageWrite()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    const auto out = device::BuildMessageWrite(StdOf(text));
    QCOMPARE(out.size(), std::size_t{24});
    QCOMPARE(HexOf(out), Hex(bytes));
}

void InstrumentInfoTest::decodeMessage_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("trailing blanks kept") << kAbcdGroup + kBlankGroup.repeated(7) << true
                                          << "ABCD" + QByteArray(28, ' ');
    QTest::newRow("h reads back as parenthesis") << "A2 08 20" + kBlankGroup.repeated(7) << true
                                                 << "(" + QByteArray(31, ' ');
    QTest::newRow("later bytes ignored") << kAbcdGroup.repeated(8) + " 41" << true << QByteArray("ABCD").repeated(8);
    QTest::newRow("one byte short") << kAbcdGroup.repeated(7) + " 04 20" << false << QByteArray();
}

void InstrumentInfoTest::decodeMessage()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeMessage(bytes);
    QCOMPARE(r.has_value(), decoded);
    if (r)
        QTEST(QOf(*r), "text");
}

void InstrumentInfoTest::tagDescriptorDateWrite_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<QByteArray>("day");
    QTest::addColumn<QByteArray>("month");
    QTest::addColumn<QByteArray>("year");
    QTest::addColumn<QByteArray>("bytes"); // hex, or empty when refused
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("2023-07-15") << QByteArray("ABCD") << QByteArray() << QByteArray("15") << QByteArray("7")
                                << QByteArray("2023") << kAbcdGroup + kBlankGroup.repeated(5) + " 0F 07 7B"
                                << QByteArray();
    QTest::newRow("empty tag and descriptor are blanks")
        << QByteArray() << QByteArray() << QByteArray("1") << QByteArray("1") << QByteArray("2000")
        << kBlankGroup.repeated(6) + " 01 01 64" << QByteArray();
    QTest::newRow("long tag cut to 8, lower case reduced")
        << QByteArray("ABCDABCDXY") << QByteArray("abcd") << QByteArray("0") << QByteArray("255")
        << QByteArray("1900") << kAbcdGroup.repeated(2) + " 86 28 E4" + kBlankGroup.repeated(3) + " 00 FF 00"
        << QByteArray();
    QTest::newRow("last year a byte holds") << QByteArray() << QByteArray() << QByteArray("31") << QByteArray("12")
                                            << QByteArray("2155") << kBlankGroup.repeated(6) + " 1F 0C FF"
                                            << QByteArray();

    const QByteArray none;
    QTest::newRow("day empty") << none << none << QByteArray() << QByteArray("7") << QByteArray("2023") << none
                               << QByteArray("'' is not a valid integer value");
    QTest::newRow("day fraction") << none << none << QByteArray("1.5") << QByteArray("7") << QByteArray("2023")
                                  << none << QByteArray("'1.5' is not a valid integer value");
    QTest::newRow("day 256") << none << none << QByteArray("256") << QByteArray("7") << QByteArray("2023") << none
                             << QByteArray("'256' is out of range (0..255)");
    QTest::newRow("month letters") << none << none << QByteArray("15") << QByteArray("ab") << QByteArray("2023")
                                   << none << QByteArray("'ab' is not a valid integer value");
    QTest::newRow("month negative") << none << none << QByteArray("15") << QByteArray("-1") << QByteArray("2023")
                                    << none << QByteArray("'-1' is out of range (0..255)");
    QTest::newRow("year 1899") << none << none << QByteArray("15") << QByteArray("7") << QByteArray("1899") << none
                               << QByteArray("'1899' is out of range (1900..2155)");
    QTest::newRow("year 2156") << none << none << QByteArray("15") << QByteArray("7") << QByteArray("2156") << none
                               << QByteArray("'2156' is out of range (1900..2155)");
    QTest::newRow("year of two digits") << none << none << QByteArray("15") << QByteArray("7") << QByteArray("23")
                                        << none << QByteArray("'23' is out of range (1900..2155)");
    QTest::newRow("year empty") << none << none << QByteArray("15") << QByteArray("7") << QByteArray() << none
                                << QByteArray("'' is not a valid integer value");
    // Day, month, year is the byte order and so the order of the checks.
    QTest::newRow("day fails before month") << none << none << QByteArray("x") << QByteArray("300")
                                            << QByteArray("1") << none
                                            << QByteArray("'x' is not a valid integer value");
    QTest::newRow("month fails before year") << none << none << QByteArray("1") << QByteArray("300")
                                             << QByteArray("x") << none
                                             << QByteArray("'300' is out of range (0..255)");
}

void InstrumentInfoTest::tagDescriptorDateWrite()
{
    QFETCH(QByteArray, tag);
    QFETCH(QByteArray, descriptor);
    QFETCH(QByteArray, day);
    QFETCH(QByteArray, month);
    QFETCH(QByteArray, year);
    QFETCH(QByteArray, bytes);
    const auto r =
        device::BuildTagDescriptorDateWrite(StdOf(tag), StdOf(descriptor), StdOf(day), StdOf(month), StdOf(year));
    QCOMPARE(r.ok(), !bytes.isEmpty());
    if (r.ok())
        QCOMPARE(HexOf(r.value()), Hex(bytes));
    else
        QTEST(QOf(r.error()), "error");
}

void InstrumentInfoTest::decodeTagDescriptorDate_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QByteArray>("descriptor");
    QTest::addColumn<QByteArray>("day");
    QTest::addColumn<QByteArray>("month");
    QTest::addColumn<QByteArray>("year");

    QTest::newRow("2023-07-15") << kAbcdGroup + kBlankGroup + kAbcdGroup.repeated(4) + " 0F 07 7B" << true
                                << QByteArray("ABCD    ") << QByteArray("ABCD").repeated(4) << QByteArray("15")
                                << QByteArray("7") << QByteArray("2023");
    QTest::newRow("year bytes 00 and extremes") << kBlankGroup.repeated(6) + " 00 FF 00" << true
                                                << QByteArray(8, ' ') << QByteArray(16, ' ') << QByteArray("0")
                                                << QByteArray("255") << QByteArray("1900");
    QTest::newRow("year byte FF") << kBlankGroup.repeated(6) + " 01 01 FF" << true << QByteArray(8, ' ')
                                  << QByteArray(16, ' ') << QByteArray("1") << QByteArray("1") << QByteArray("2155");
    QTest::newRow("one byte short") << kBlankGroup.repeated(6) + " 0F 07" << false << QByteArray() << QByteArray()
                                    << QByteArray() << QByteArray() << QByteArray();
}

void InstrumentInfoTest::decodeTagDescriptorDate()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeTagDescriptorDate(bytes);
    QCOMPARE(r.has_value(), decoded);
    if (!r)
        return;
    QTEST(QOf(r->tag), "tag");
    QTEST(QOf(r->descriptor), "descriptor");
    QTEST(QOf(r->day), "day");
    QTEST(QOf(r->month), "month");
    QTEST(QOf(r->year), "year");
}

// Final assembly number and serial number share their encoding.
void InstrumentInfoTest::threeByteNumberWrite_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes"); // hex, or empty when refused
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("0") << QByteArray("0") << QByteArray("00 00 00") << QByteArray();
    QTest::newRow("66051") << QByteArray("66051") << QByteArray("01 02 03") << QByteArray();
    QTest::newRow("largest") << QByteArray("16777215") << QByteArray("FF FF FF") << QByteArray();
    QTest::newRow("one above") << QByteArray("16777216") << QByteArray()
                               << QByteArray("'16777216' is out of range (0..16777215)");
    QTest::newRow("negative") << QByteArray("-1") << QByteArray()
                              << QByteArray("'-1' is out of range (0..16777215)");
    QTest::newRow("beyond 32 bits") << QByteArray("4294967296") << QByteArray()
                                    << QByteArray("'4294967296' is not a valid integer value");
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray("'' is not a valid integer value");
    QTest::newRow("letters") << QByteArray("12a") << QByteArray() << QByteArray("'12a' is not a valid integer value");
    QTest::newRow("fraction") << QByteArray("1.5") << QByteArray() << QByteArray("'1.5' is not a valid integer value");
}

void InstrumentInfoTest::threeByteNumberWrite()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, error);
    for (const auto& r : {device::BuildFinalAssemblyWrite(StdOf(text)), device::BuildSerialNumberWrite(StdOf(text))}) {
        QCOMPARE(r.ok(), !bytes.isEmpty());
        if (r.ok())
            QCOMPARE(HexOf(r.value()), Hex(bytes));
        else
            QCOMPARE(QOf(r.error()), error);
    }
}

void InstrumentInfoTest::decodeFinalAssembly_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("66051") << QByteArray("01 02 03") << true << QByteArray("66051");
    QTest::newRow("zero") << QByteArray("00 00 00") << true << QByteArray("0");
    QTest::newRow("largest, later bytes ignored") << QByteArray("FF FF FF 01") << true << QByteArray("16777215");
    QTest::newRow("one byte short") << QByteArray("01 02") << false << QByteArray();
}

void InstrumentInfoTest::decodeFinalAssembly()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeFinalAssembly(bytes);
    QCOMPARE(r.has_value(), decoded);
    if (r)
        QTEST(QOf(*r), "text");
}

void InstrumentInfoTest::pollingAddressWrite_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no selection") << -1 << QByteArray("FF");
    QTest::newRow("0") << 0 << QByteArray("00");
    QTest::newRow("5") << 5 << QByteArray("05");
    QTest::newRow("15") << 15 << QByteArray("0F");
    QTest::newRow("beyond the list") << 16 << QByteArray("FF");
}

void InstrumentInfoTest::pollingAddressWrite()
{
    QFETCH(int, index);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexOf(device::BuildPollingAddressWrite(index)), Hex(bytes));
}

void InstrumentInfoTest::longTagWrite_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QByteArray() << Zeros(32);
    QTest::newRow("3 bytes, zero padded") << QByteArray("DT1") << "44 54 31" + Zeros(29);
    QTest::newRow("8-bit bytes unpacked") << QByteArray("a\xE9") << "61 E9" + Zeros(30);
    QTest::newRow("40 bytes keep 32") << QByteArray("A").repeated(32) + "BCDEFGHI" << QByteArray(" 41").repeated(32);
}

void InstrumentInfoTest::longTagWrite()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    const auto out = device::BuildLongTagWrite(StdOf(text));
    QCOMPARE(out.size(), std::size_t{32});
    QCOMPARE(HexOf(out), Hex(bytes));
}

void InstrumentInfoTest::decodeLongTag_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("DT and zeros") << "44 54" + Zeros(30) << true << QByteArray("DT");
    QTest::newRow("first byte zero") << "00 44 54" + Zeros(29) << true << QByteArray();
    QTest::newRow("stops at the first zero") << "41 00 42" + Zeros(29) << true << QByteArray("A");
    QTest::newRow("32 bytes, no zero, later bytes ignored") << QByteArray(" 41").repeated(32) + " 42" << true
                                                            << QByteArray("A").repeated(32);
    QTest::newRow("one byte short") << "44 54" + Zeros(29) << false << QByteArray();
}

void InstrumentInfoTest::decodeLongTag()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto bytes = BytesOf(data);
    const auto r = device::DecodeLongTag(bytes);
    QCOMPARE(r.has_value(), decoded);
    if (r)
        QTEST(QOf(*r), "text");
}

QTEST_APPLESS_MAIN(InstrumentInfoTest)
#include "test_instrument_info.moc"

// Builders and decoders of the converter's configuration commands.
#include "converter/analog.h"
#include "converter/instrument_commands.h"
#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/variable_mapping.h"

#include <QtTest>

namespace {

using Bytes = std::vector<std::uint8_t>;

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

std::string_view View(const QByteArray& b) { return {b.constData(), static_cast<std::size_t>(b.size())}; }

std::span<const std::uint8_t> Span(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())};
}

QByteArray ToQt(const Bytes& v) { return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size())); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// An empty `error` expects the bytes, anything else expects that refusal.
template <typename T>
void CheckResult(const codec::Result<T>& r, const QByteArray& expected, const QString& error)
{
    if (!error.isEmpty()) {
        QVERIFY2(!r.ok(), "a refusal was expected");
        QCOMPARE(Q(r.error()), error);
        return;
    }
    QVERIFY2(r.ok(), r.error().c_str());
    if constexpr (std::is_same_v<T, Bytes>)
        QCOMPARE(ToQt(*r), expected);
    else
        QCOMPARE(QByteArray(1, static_cast<char>(*r)), expected);
}

// Byte groups "00 01 02 ..." for `count` values, the last one replaced by `last`.
QByteArray Groups(int count, const char* last)
{
    QByteArray text;
    for (int k = 0; k + 1 < count; ++k)
        text += QByteArray::number(k, 16).toUpper().rightJustified(2, '0') + ' ';
    return text + last;
}

const QByteArray kInitialRow = Hex("000004003F800000");

} // namespace

class TestConverterUnits : public QObject {
    Q_OBJECT

private slots:
    void parseCommandCode_data();
    void parseCommandCode();
    void returnByteValue_data();
    void returnByteValue();
    void instrumentCommandWrite_data();
    void instrumentCommandWrite();
    void instrumentCommandDecode_data();
    void instrumentCommandDecode();

    void formatLengthText_data();
    void formatLengthText();
    void parsingFormatWrite_data();
    void parsingFormatWrite();
    void parsingFormatDecode_data();
    void parsingFormatDecode();

    void lineSettingsWrite_data();
    void lineSettingsWrite();
    void lineSettingsDecode_data();
    void lineSettingsDecode();

    void analogWrite_data();
    void analogWrite();
    void analogDecode_data();
    void analogDecode();

    void mappingWrite_data();
    void mappingWrite();
    void mappingDecode_data();
    void mappingDecode();
};

// ---- instrument commands ----------------------------------------------------------

void TestConverterUnits::parseCommandCode_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("instrument");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    const QString noSpace = "NO SPACK";
    const QString badDigit = "Data eeore!";
    QTest::newRow("six bytes, no final blank") << QByteArray("01 03 00 00 00 02") << 1 << Hex("010300000002") << "";
    QTest::newRow("read-back text") << QByteArray("01 03 00 00 00 02 ") << 2 << Hex("010300000002") << "";
    QTest::newRow("every hex digit") << QByteArray("01 23 45 67 89 AB CD EF") << 1 << Hex("0123456789ABCDEF") << "";
    QTest::newRow("one byte") << QByteArray("7F") << 3 << Hex("7F") << "";
    QTest::newRow("half a byte at the end") << QByteArray("01 0") << 1 << QByteArray() << badDigit;
    QTest::newRow("half a CRC") << QByteArray("01 03 00 00 00 02 C4 0") << 1 << QByteArray() << badDigit;
    QTest::newRow("half a byte after a comma") << QByteArray("01 03,0") << 1 << QByteArray() << badDigit;
    QTest::newRow("last separator unchecked") << QByteArray("01,") << 1 << Hex("01") << "";
    QTest::newRow("no blanks") << QByteArray("010300000002") << 1 << QByteArray() << noSpace;
    QTest::newRow("empty") << QByteArray("") << 1 << QByteArray() << noSpace;
    QTest::newRow("one character") << QByteArray("0") << 1 << QByteArray() << noSpace;
    QTest::newRow("comma between bytes") << QByteArray("01,03") << 4 << QByteArray() << noSpace;
    QTest::newRow("separator checked before digits") << QByteArray("0G,03") << 1 << QByteArray() << noSpace;
    QTest::newRow("lower case") << QByteArray("01 03 0a") << 1 << QByteArray() << badDigit;
    QTest::newRow("blank as low nibble") << QByteArray("01 0 3") << 1 << QByteArray() << badDigit;
    QTest::newRow("bad high nibble") << QByteArray("G1") << 1 << QByteArray() << badDigit;

    // Nothing typed is ever dropped: one group too many refuses the whole text.
    const QString tooMany20 = "Too many bytes: this command holds at most 20.";
    const QString tooMany15 = "Too many bytes: this command holds at most 15.";
    QTest::newRow("21 groups, command 1") << Groups(21, "FF") << 1 << QByteArray() << tooMany20;
    QTest::newRow("21 groups and a blank, command 1") << Groups(21, "FF") + ' ' << 1 << QByteArray() << tooMany20;
    QTest::newRow("16 groups, command 2") << Groups(16, "FF") << 2 << QByteArray() << tooMany15;
    QTest::newRow("16 groups, command 4") << Groups(16, "FF") << 4 << QByteArray() << tooMany15;
    QTest::newRow("15 groups, command 3") << Groups(15, "FF") << 3 << Hex("000102030405060708090A0B0C0D") + QByteArray(1, char(0xFF)) << "";
    QTest::newRow("20 groups, command 1")
        << Groups(20, "FF") << 1 << Hex("000102030405060708090A0B0C0D0E0F101112FF") << "";
    QTest::newRow("20th group checked, command 1") << Groups(20, "GG") << 1 << QByteArray() << badDigit;
}

void TestConverterUnits::parseCommandCode()
{
    QFETCH(QByteArray, text);
    QFETCH(int, instrument);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    CheckResult(converter::ParseCommandCode(View(text), converter::CommandByteLimit(instrument)), expected, error);
}

void TestConverterUnits::returnByteValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("00") << QByteArray("00") << Hex("00") << "";
    QTest::newRow("0A") << QByteArray("0A") << Hex("0A") << "";
    QTest::newRow("9F") << QByteArray("9F") << Hex("9F") << "";
    QTest::newRow("rest ignored") << QByteArray("FFx") << Hex("FF") << "";
    QTest::newRow("letter beyond F") << QByteArray("1G") << QByteArray() << "Data eeore!";
    QTest::newRow("lower case") << QByteArray("a5") << QByteArray() << "Data eeore!";
    QTest::newRow("leading blank") << QByteArray(" 5") << QByteArray() << "Data eeore!";
    QTest::newRow("minus") << QByteArray("-1") << QByteArray() << "Data eeore!";
    QTest::newRow("one character") << QByteArray("7") << QByteArray() << "'7' is not a valid integer value";
    QTest::newRow("empty") << QByteArray("") << QByteArray() << "'' is not a valid integer value";
}

void TestConverterUnits::returnByteValue()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    CheckResult(converter::ReturnByteValue(View(text)), expected, error);
}

void TestConverterUnits::instrumentCommandWrite_data()
{
    QTest::addColumn<int>("enable");
    QTest::addColumn<QByteArray>("byte1");
    QTest::addColumn<QByteArray>("byte2");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("open, six bytes") << 1 << QByteArray("00") << QByteArray("00") << Hex("010300000002")
                                     << Hex("01000006010300000002") << "";
    QTest::newRow("no selection, no bytes") << -1 << QByteArray("A5") << QByteArray("5A") << QByteArray()
                                            << Hex("FFA55A00") << "";
    QTest::newRow("twenty bytes") << 0 << QByteArray("12") << QByteArray("34")
                                  << Hex("000102030405060708090A0B0C0D0E0F10111213")
                                  << Hex("00123414000102030405060708090A0B0C0D0E0F10111213") << "";
    QTest::newRow("return byte 1 refused") << 0 << QByteArray("1G") << QByteArray("00") << Hex("01")
                                           << QByteArray() << "Data eeore!";
    QTest::newRow("return byte 2 refused") << 0 << QByteArray("00") << QByteArray("7") << Hex("01")
                                           << QByteArray() << "'7' is not a valid integer value";
    QTest::newRow("return byte 1 first") << 0 << QByteArray("a") << QByteArray("zz") << Hex("01")
                                         << QByteArray() << "'a' is not a valid integer value";
}

void TestConverterUnits::instrumentCommandWrite()
{
    QFETCH(int, enable);
    QFETCH(QByteArray, byte1);
    QFETCH(QByteArray, byte2);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    CheckResult(converter::BuildInstrumentCommandWrite(enable, View(byte1), View(byte2), Span(command)), expected, error);
}

void TestConverterUnits::instrumentCommandDecode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("enable");
    QTest::addColumn<QString>("byte1");
    QTest::addColumn<QString>("byte2");
    QTest::addColumn<QString>("code");

    QTest::newRow("open, two bytes") << Hex("010103020AFF") << true << 1 << "01" << "03" << "0A FF ";
    QTest::newRow("closed") << Hex("00FF0001A0") << true << 0 << "FF" << "00" << "A0 ";
    QTest::newRow("enable 2") << Hex("020103020AFF") << true << -1 << "01" << "03" << "0A FF ";
    QTest::newRow("enable 255") << Hex("FF010300") << true << -1 << "01" << "03" << "";
    QTest::newRow("count 0") << Hex("01ABCD00") << true << 1 << "AB" << "CD" << "";
    QTest::newRow("bytes past the count ignored") << Hex("010103010AFF") << true << 1 << "01" << "03" << "0A ";
    QTest::newRow("count beyond the data") << Hex("010103030AFF") << false << 0 << "" << "" << "";
    QTest::newRow("count 255, no bytes") << Hex("010103FF") << false << 0 << "" << "" << "";
    QTest::newRow("one byte short") << Hex("010103") << false << 0 << "" << "" << "";
    QTest::newRow("empty") << QByteArray() << false << 0 << "" << "" << "";
}

void TestConverterUnits::instrumentCommandDecode()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto r = converter::DecodeInstrumentCommand(Span(data));
    QCOMPARE(r.has_value(), decoded);
    if (!decoded)
        return;
    QTEST(r->enableIndex, "enable");
    QTEST(Q(r->returnByte1), "byte1");
    QTEST(Q(r->returnByte2), "byte2");
    QTEST(Q(r->commandCode), "code");
}

// ---- parsing format ---------------------------------------------------------------

void TestConverterUnits::formatLengthText_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("length"); // empty: Length is left alone

    const char* table[27] = {"2", "2", "2", "2", "4", "4", "4", "4", "3", "6", "", "", "", "",
                             "",  "",  "",  "8", "8", "8", "8", "",  "",  "",  "", "", ""};
    QTest::newRow("no selection") << -1 << "";
    for (int i = 0; i < 27; ++i)
        QTest::addRow("format %d", i) << i << QString(table[i]);
    QTest::newRow("beyond the list") << 27 << "";
}

void TestConverterUnits::formatLengthText()
{
    QFETCH(int, format);
    QFETCH(QString, length);
    const auto text = converter::FormatLengthText(format);
    QCOMPARE(text.has_value(), !length.isEmpty());
    if (text)
        QCOMPARE(Q(*text), length);
}

void TestConverterUnits::parsingFormatWrite_data()
{
    // Each row as "command;addr;length;format;coefficient".
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    const QString init = "0;0;4;0;1.000";
    const auto rows = [&](int r, const QString& row) {
        QStringList all(5, init);
        all[r] = row;
        return all;
    };
    QTest::newRow("initial contents") << QStringList(5, init) << "." << kInitialRow.repeated(5) << "";
    QTest::newRow("row 1") << rows(0, "1;16;2;0;1") << "." << Hex("011002003F800000") + kInitialRow.repeated(4) << "";
    QTest::newRow("row 3") << rows(2, "4;1;8;26;0.5") << "."
                           << kInitialRow.repeated(2) + Hex("0401081A3F000000") + kInitialRow.repeated(2) << "";
    QTest::newRow("row 5, no selections") << rows(4, "-1;255;0;-1;-1") << "."
                                          << kInitialRow.repeated(4) + Hex("FFFF00FFBF800000") << "";
    QTest::newRow("decimal comma") << QStringList(5, "0;0;4;0;1,5") << "," << Hex("000004003FC00000").repeated(5) << "";
    QTest::newRow("point refused under comma") << rows(1, "0;0;4;0;1,000") << "," << QByteArray()
                                               << "'1.000' is not a valid floating point value";

    QTest::newRow("addr 256") << rows(0, "0;256;4;0;1") << "." << QByteArray() << "'256' is out of range (0..255)";
    QTest::newRow("addr -1") << rows(0, "0;-1;4;0;1") << "." << QByteArray() << "'-1' is out of range (0..255)";
    QTest::newRow("addr empty") << rows(2, "0;;4;0;1") << "." << QByteArray() << "'' is not a valid integer value";
    QTest::newRow("length 300") << rows(4, "0;0;300;0;1") << "." << QByteArray() << "'300' is out of range (0..255)";
    QTest::newRow("length text") << rows(3, "0;0;abc;0;1") << "." << QByteArray() << "'abc' is not a valid integer value";
    QTest::newRow("coefficient text") << rows(1, "0;0;4;0;x") << "." << QByteArray()
                                      << "'x' is not a valid floating point value";
    QTest::newRow("coefficient empty") << rows(1, "0;0;4;0;") << "." << QByteArray()
                                       << "'' is not a valid floating point value";
    QTest::newRow("addr before length") << rows(0, "0;a;b;0;1") << "." << QByteArray()
                                        << "'a' is not a valid integer value";
    QTest::newRow("length before coefficient") << rows(0, "0;0;999;0;y") << "." << QByteArray()
                                               << "'999' is out of range (0..255)";
    QStringList twoBad = rows(1, "0;7;4;0;q");
    twoBad[3] = "0;;4;0;1";
    QTest::newRow("earlier row first") << twoBad << "." << QByteArray() << "'q' is not a valid floating point value";
}

void TestConverterUnits::parsingFormatWrite()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, sep);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);

    std::array<QList<QByteArray>, 5> fields;
    std::array<converter::ParsingRowInput, 5> input{};
    for (int r = 0; r < 5; ++r) {
        fields[r] = rows[r].toUtf8().split(';');
        QCOMPARE(fields[r].size(), 5);
        input[r] = {fields[r][0].toInt(), View(fields[r][1]), View(fields[r][2]), fields[r][3].toInt(), View(fields[r][4])};
    }
    const QByteArray s = sep.toUtf8();
    CheckResult(converter::BuildParsingFormatWrite(input, View(s)), expected, error);
}

void TestConverterUnits::parsingFormatDecode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<int>("row"); // the row checked, 0-based
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("addr");
    QTest::addColumn<QString>("length");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("coefficient");

    const QByteArray zeros = QByteArray(32, '\0');
    QTest::newRow("row 1") << Hex("011002003F800000") + zeros << "." << 0 << 1 << "16" << "2" << 0 << "1";
    QTest::newRow("zero row") << Hex("011002003F800000") + zeros << "." << 1 << 0 << "0" << "0" << 0 << "0";
    QTest::newRow("half") << Hex("000000003F000000") + zeros << "." << 0 << 0 << "0" << "0" << 0 << ".5";
    QTest::newRow("six decimals, rounded") << Hex("000000003F9E0652") + zeros << "." << 0 << 0 << "0" << "0" << 0
                                           << "1.234568";
    QTest::newRow("decimal comma") << Hex("000000003FC00000") + zeros << "," << 0 << 0 << "0" << "0" << 0 << "1,5";
    QTest::newRow("last row, list ends") << zeros + Hex("04FF081A3F800000") << "." << 4 << 4 << "255" << "8" << 26 << "1";
    QTest::newRow("beyond the lists") << zeros + Hex("0500001BBF800000") << "." << 4 << -1 << "0" << "0" << -1 << "-1";
    QTest::newRow("255 in both lists") << Hex("FF0000FF00000000") + zeros << "." << 0 << -1 << "0" << "0" << -1 << "0";
}

void TestConverterUnits::parsingFormatDecode()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, sep);
    QFETCH(int, row);
    const QByteArray s = sep.toUtf8();
    const auto rows = converter::DecodeParsingFormat(Span(data), View(s));
    QVERIFY(rows.has_value());
    const auto& r = (*rows)[static_cast<std::size_t>(row)];
    QTEST(r.commandIndex, "command");
    QTEST(Q(r.dataAddr), "addr");
    QTEST(Q(r.length), "length");
    QTEST(r.formatIndex, "format");
    QTEST(Q(r.coefficient), "coefficient");

    QVERIFY(!converter::DecodeParsingFormat(Span(data.left(39)), View(s)).has_value());
}

// ---- RS485 ------------------------------------------------------------------------

void TestConverterUnits::lineSettingsWrite_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::addColumn<QByteArray>("interval");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("initial contents") << 3 << 0 << QByteArray("10") << Hex("03000A") << "";
    QTest::newRow("last items, 255") << 6 << 2 << QByteArray("255") << Hex("0602FF") << "";
    QTest::newRow("no selections") << -1 << -1 << QByteArray("0") << Hex("FFFF00") << "";
    QTest::newRow("leading blank") << 1 << 1 << QByteArray(" 7") << Hex("010107") << "";
    QTest::newRow("256") << 3 << 0 << QByteArray("256") << QByteArray() << "'256' is out of range (0..255)";
    QTest::newRow("300") << 3 << 0 << QByteArray("300") << QByteArray() << "'300' is out of range (0..255)";
    QTest::newRow("-1") << 3 << 0 << QByteArray("-1") << QByteArray() << "'-1' is out of range (0..255)";
    QTest::newRow("empty") << 3 << 0 << QByteArray("") << QByteArray() << "'' is not a valid integer value";
    QTest::newRow("fraction") << 3 << 0 << QByteArray("1.5") << QByteArray() << "'1.5' is not a valid integer value";
}

void TestConverterUnits::lineSettingsWrite()
{
    QFETCH(int, baud);
    QFETCH(int, parity);
    QFETCH(QByteArray, interval);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    CheckResult(converter::BuildLineSettingsWrite(baud, parity, View(interval)), expected, error);
}

void TestConverterUnits::lineSettingsDecode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("parity");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<bool>("marker");

    QTest::newRow("57600, even, marker") << Hex("06020001") << true << 6 << 2 << "0" << true;
    QTest::newRow("marker 0") << Hex("06020000") << true << 6 << 2 << "0" << false;
    QTest::newRow("marker 2") << Hex("0301FF02") << true << 3 << 1 << "255" << false;
    QTest::newRow("baud 7") << Hex("07020001") << true << -1 << 2 << "0" << true;
    QTest::newRow("parity 3") << Hex("00030A00") << true << 0 << -1 << "10" << false;
    QTest::newRow("one byte short") << Hex("060200") << false << 0 << 0 << "" << false;
}

void TestConverterUnits::lineSettingsDecode()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);
    const auto r = converter::DecodeLineSettings(Span(data));
    QCOMPARE(r.has_value(), decoded);
    if (!decoded)
        return;
    QTEST(r->baudIndex, "baud");
    QTEST(r->parityIndex, "parity");
    QTEST(Q(r->interval), "interval");
    QTEST(r->marker, "marker");
}

// ---- analog inputs ----------------------------------------------------------------

void TestConverterUnits::analogWrite_data()
{
    QTest::addColumn<QByteArrayList>("fields"); // upper, lower, start, coefficient
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("error");

    QTest::newRow("AD1 example") << QByteArrayList{"20", "4", "0", "10000"} << "."
                                 << Hex("41A000004080000000000000" "2710") << "";
    QTest::newRow("negative, fraction, exponent, 65535") << QByteArrayList{"-1", "0.1", "1.5E3", "65535"} << "."
                                                         << Hex("BF8000003DCCCCCD44BB8000" "FFFF") << "";
    QTest::newRow("decimal comma") << QByteArrayList{"2,5", "0", "0", "0"} << "," << Hex("402000000000000000000000" "0000")
                                   << "";
    QTest::newRow("coefficient 70000") << QByteArrayList{"20", "4", "0", "70000"} << "." << QByteArray()
                                       << "'70000' is out of range (0..65535)";
    QTest::newRow("coefficient -1") << QByteArrayList{"20", "4", "0", "-1"} << "." << QByteArray()
                                    << "'-1' is out of range (0..65535)";
    QTest::newRow("coefficient fraction") << QByteArrayList{"20", "4", "0", "1.5"} << "." << QByteArray()
                                          << "'1.5' is not a valid integer value";
    QTest::newRow("upper empty") << QByteArrayList{"", "4", "0", "10000"} << "." << QByteArray()
                                 << "'' is not a valid floating point value";
    QTest::newRow("lower text") << QByteArrayList{"20", "abc", "0", "10000"} << "." << QByteArray()
                                << "'abc' is not a valid floating point value";
    QTest::newRow("upper before coefficient") << QByteArrayList{"x", "4", "0", "70000"} << "." << QByteArray()
                                              << "'x' is not a valid floating point value";
    QTest::newRow("start before coefficient") << QByteArrayList{"1", "2", "y", "z"} << "." << QByteArray()
                                              << "'y' is not a valid floating point value";
}

void TestConverterUnits::analogWrite()
{
    QFETCH(QByteArrayList, fields);
    QFETCH(QString, sep);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    const QByteArray s = sep.toUtf8();
    CheckResult(converter::BuildAnalogWrite(View(fields[0]), View(fields[1]), View(fields[2]), View(fields[3]), View(s)),
                expected, error);
}

void TestConverterUnits::analogDecode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QStringList>("texts"); // upper, lower, start, coefficient

    QTest::newRow("AD1 example") << Hex("41A000004080000000000000" "2710") << "."
                                 << QStringList{"20", "4", "0", "10000"};
    QTest::newRow("cut to 12") << Hex("3DCCCCCD419FFFFFBF800000" "FFFF") << "."
                               << QStringList{"0.1000000014", "19.999998092", "-1", "65535"};
    QTest::newRow("decimal comma") << Hex("3FC00000000000003F000000" "0001") << ","
                                   << QStringList{"1,5", "0", "0,5", "1"};
}

void TestConverterUnits::analogDecode()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, sep);
    QFETCH(QStringList, texts);
    const QByteArray s = sep.toUtf8();
    const auto r = converter::DecodeAnalog(Span(data), View(s));
    QVERIFY(r.has_value());
    QCOMPARE((QStringList{Q(r->upper), Q(r->lower), Q(r->start), Q(r->coefficient)}), texts);

    QVERIFY(!converter::DecodeAnalog(Span(data.left(13)), View(s)).has_value());
}

// ---- variable mapping -------------------------------------------------------------

void TestConverterUnits::mappingWrite_data()
{
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<QList<int>>("units");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("at start") << QList<int>{0, 0, 0, 0} << QList<int>{-1, 0, 0, 0} << Hex("0000000100010001");
    QTest::newRow("cm, in/s, other, pH") << QList<int>{1, 2, 7, 8} << QList<int>{43, 28, 82, 81}
                                         << Hex("013002720700083B");
    QTest::newRow("no channel, 250, mA") << QList<int>{-1, 3, 6, 0} << QList<int>{78, 79, 12, 11}
                                         << Hex("FFFA0327062000ED");
}

void TestConverterUnits::mappingWrite()
{
    QFETCH(QList<int>, channels);
    QFETCH(QList<int>, units);
    QFETCH(QByteArray, expected);
    const std::array<int, 4> c{channels[0], channels[1], channels[2], channels[3]};
    const std::array<int, 4> u{units[0], units[1], units[2], units[3]};
    QCOMPARE(ToQt(converter::BuildMappingWrite(c, u)), expected);
}

void TestConverterUnits::mappingDecode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QList<int>>("channels");
    QTest::addColumn<QList<int>>("units");

    QTest::newRow("example") << Hex("0120022700FA0839") << QList<int>{1, 2, 0, 8} << QList<int>{12, 79, 78, 75};
    QTest::newRow("beyond the lists") << Hex("090009FF0800FF01") << QList<int>{-1, -1, 8, -1} << QList<int>{82, 82, 82, 0};
}

void TestConverterUnits::mappingDecode()
{
    QFETCH(QByteArray, data);
    const auto r = converter::DecodeMapping(Span(data));
    QVERIFY(r.has_value());
    QTEST((QList<int>(r->channelIndex.begin(), r->channelIndex.end())), "channels");
    QTEST((QList<int>(r->unitItem.begin(), r->unitItem.end())), "units");

    QVERIFY(!converter::DecodeMapping(Span(data.left(7))).has_value());
}

QTEST_APPLESS_MAIN(TestConverterUnits)
#include "test_converter_units.moc"

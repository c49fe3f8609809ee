#include "codec/numeric.h"
#include "support/bytes.h"

#include <QtTest>

#include <cmath>

using namespace codec;
using testing::Hex;
using testing::HexOf;

// What a cut text must give when typed back in.
enum class ReadBack { Same, SameDecade };

class TestNumeric : public QObject {
    Q_OBJECT
private slots:
    void floatTextFromBytes_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::newRow("four") << "40 80 00 00" << -1 << "4";
        QTest::newRow("twenty") << "41 A0 00 00" << -1 << "20";
        QTest::newRow("twelve and a half") << "41 48 00 00" << -1 << "12.5";
        QTest::newRow("3.14 whole") << "40 48 F5 C3" << -1 << "3.14000010490417";
        QTest::newRow("3.14 cut 5") << "40 48 F5 C3" << 5 << "3.140";
        QTest::newRow("3.14 cut 6") << "40 48 F5 C3" << 6 << "3.1400";
        QTest::newRow("19.99 cut not rounded") << "41 9F FF FF" << 5 << "19.99";
        QTest::newRow("12.345 cut 5") << "41 45 85 1F" << 5 << "12.34";
        QTest::newRow("1234567 cut 6") << "49 96 B4 38" << 6 << "1.23E6";
        QTest::newRow("minus 12.5 cut 5") << "C1 48 00 00" << 5 << "-12.5";
        QTest::newRow("0.1 cut 12") << "3D CC CC CD" << 12 << "0.1000000014";
        QTest::newRow("zero") << "00 00 00 00" << 5 << "0";
        QTest::newRow("negative zero") << "80 00 00 00" << -1 << "0";
        QTest::newRow("largest single") << "7F 7F FF FF" << -1 << "3.40282346638529E38";
        QTest::newRow("smallest subnormal") << "00 00 00 01" << -1 << "1.40129846432482E-45";
        QTest::newRow("quiet nan") << "7F C0 00 00" << -1 << "NAN";
        QTest::newRow("negative infinity") << "FF 80 00 00" << -1 << "-INF";
        QTest::newRow("cut wider than text") << "41 48 00 00" << 12 << "12.5";
        QTest::newRow("cut to zero width keeps the exponent") << "41 48 00 00" << 0 << "1E1";
    }
    void floatTextFromBytes()
    {
        QFETCH(QString, bytes);
        QFETCH(int, width);
        QFETCH(QString, text);
        const auto b = Hex(bytes.toLatin1().constData());
        const float v = DecodeFloatBE(b[0], b[1], b[2], b[3]);
        QCOMPARE(QString::fromStdString(FloatText(v, width)), text);
    }

    // Where fixed notation ends, counted after rounding to 15 digits.
    void floatTextNotationEdges_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("15 integer digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("1e14") << 1e14 << "100000000000000";
        QTest::newRow("1e15") << 1e15 << "1E15";
        QTest::newRow("16 digits rounded") << 1234567890123456.0 << "1.23456789012346E15";
        QTest::newRow("rounds up into 16 digits") << 999999999999999.9 << "1E15";
        QTest::newRow("just under 15 digits") << 99999999999999.9 << "99999999999999.9";
        QTest::newRow("0.00001") << 0.00001 << "0.00001";
        QTest::newRow("0.000012345") << 0.000012345 << "0.000012345";
        QTest::newRow("below 0.00001") << 0.0000099 << "9.9E-6";
        QTest::newRow("rounds up to 0.00001") << 0.0000099999999999999999 << "0.00001";
        QTest::newRow("negative exponent form") << -1.5e-7 << "-1.5E-7";
        QTest::newRow("trailing zeros dropped") << 2.5 << "2.5";
        QTest::newRow("rounded at 15 digits") << 0.1 << "0.1";
    }
    void floatTextNotationEdges()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FloatText(value)), text);
    }

    // A cut never changes a number's size: it drops fraction digits only,
    // otherwise the mantissa of the exponent form is cut instead.
    void cutKeepsSize_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("readBack");
        const int same = int(ReadBack::Same);
        const int decade = int(ReadBack::SameDecade);
        QTest::newRow("1E13 in 12") << 1e13f << 12 << "9.9999998E12" << same;
        QTest::newRow("1E-7 in 12") << 1e-7f << 12 << "1.0000000E-7" << same;
        QTest::newRow("1E15 in 12") << 1e15f << 12 << "9.9999998E14" << same;
        QTest::newRow("1E20 in 12") << 1e20f << 12 << "1.0000000E20" << same;
        QTest::newRow("1234567 in 6") << 1234567.0f << 6 << "1.23E6" << decade;
        QTest::newRow("1234567 in 5") << 1234567.0f << 5 << "1.2E6" << decade;
        QTest::newRow("-1234567 in 6") << -1234567.0f << 6 << "-1.2E6" << decade;
        QTest::newRow("-123456 in 6") << -123456.0f << 6 << "-1.2E5" << decade;
        QTest::newRow("123456 in 5") << 123456.0f << 5 << "1.2E5" << decade;
        QTest::newRow("1E-6 in 6") << 1e-6f << 6 << "9.9E-7" << decade;
        QTest::newRow("largest single in 5") << 3.4028235e38f << 5 << "3E38" << decade;
        QTest::newRow("exponent overruns the width") << -1e-30f << 5 << "-1E-30" << decade;
        QTest::newRow("integer part fills the width") << 123456.703125f << 6 << "123456" << decade;
        QTest::newRow("point at the edge stays") << 12345.5f << 6 << "12345." << decade;
        QTest::newRow("fraction cut as before") << 3.14f << 5 << "3.140" << decade;
        QTest::newRow("fits whole") << 100000.0f << 12 << "100000" << same;
    }
    void cutKeepsSize()
    {
        QFETCH(float, value);
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(int, readBack);
        const std::string shown = FloatText(value, width);
        QCOMPARE(QString::fromStdString(shown), text);
        const auto back = EncodeFloatBE(shown);
        QVERIFY2(back.ok(), back.error().c_str());
        const float v = DecodeFloatBE(*back);
        if (ReadBack(readBack) == ReadBack::Same)
            QCOMPARE(HexOf(std::span<const std::uint8_t>(*back)), HexOf(std::span<const std::uint8_t>(EncodeFloatBE(value))));
        else
            QCOMPARE(std::floor(std::log10(std::fabs(double(v)))), std::floor(std::log10(std::fabs(double(value)))));
    }

    void separatorIsTheCallers()
    {
        QCOMPARE(QString::fromStdString(FloatText(12.5, -1, ",")), "12,5");
        QCOMPARE(QString::fromStdString(FloatText(3.14f, 5, ",")), "3,140");
        QCOMPARE(QString::fromStdString(FloatText(1.5e20, -1, ",")), "1,5E20");
        // The sentinel literal keeps its point whatever the locale says.
        QCOMPARE(QString::fromStdString(VariableText(0x7F, 0, 0, 0, ",")), "0.000");
        QCOMPARE(QString::fromStdString(CoefficientText(0.5, ",")), ",5");
        QVERIFY(ParseFloat("12,5", ","));
        QCOMPARE(*ParseFloat("12,5", ","), 12.5);
        QVERIFY(!ParseFloat("12.5", ","));
        QVERIFY(!ParseFloat("12,5", "."));
        // A separator of more than one byte (some locales) is a whole character.
        QCOMPARE(QString::fromStdString(FloatText(12.5, 4, "\u066B")), QString("12\u066B5"));
    }

    void variableText_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("sentinel 7F A0") << "7F A0 00 00" << "0.000";
        QTest::newRow("sentinel nan") << "7F C0 00 00" << "0.000";
        QTest::newRow("sentinel largest") << "7F 7F FF FF" << "0.000";
        QTest::newRow("sentinel infinity") << "7F 80 00 00" << "0.000";
        QTest::newRow("negative nan not caught") << "FF C0 00 00" << "NAN";
        QTest::newRow("cut to 6") << "40 48 F5 C3" << "3.1400";
        QTest::newRow("1234567") << "49 96 B4 38" << "1.23E6";
        QTest::newRow("short value") << "41 48 00 00" << "12.5";
    }
    void variableText()
    {
        QFETCH(QString, bytes);
        QFETCH(QString, text);
        const auto b = Hex(bytes.toLatin1().constData());
        QCOMPARE(QString::fromStdString(VariableText(b[0], b[1], b[2], b[3])), text);
    }

    void coefficientText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("one") << 1.0 << "1";
        QTest::newRow("two") << 2.0 << "2";
        QTest::newRow("quarter") << 0.25 << ".25";
        QTest::newRow("half") << 0.5 << ".5";
        QTest::newRow("rounded to six places") << double(1.23456789f) << "1.234568";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("rounds to zero") << 0.0000001 << "0";
        QTest::newRow("tie rounds away from zero") << 0.0078125 << ".007813";
        QTest::newRow("negative") << -0.5 << "-.5";
        QTest::newRow("carry into integer") << 0.9999996 << "1";
        QTest::newRow("single 0.1") << double(0.1f) << ".1";
    }
    void coefficientText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(CoefficientText(value)), text);
    }

    void encodeFloatText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bytes"); // empty: refused
        QTest::newRow("4") << "4" << "40 80 00 00";
        QTest::newRow("-1") << "-1" << "BF 80 00 00";
        QTest::newRow("0") << "0" << "00 00 00 00";
        QTest::newRow("12.5") << "12.5" << "41 48 00 00";
        QTest::newRow("blanks and exponent") << " 1.5E3 " << "44 BB 80 00";
        QTest::newRow("leading point") << ".5" << "3F 00 00 00";
        QTest::newRow("trailing point") << "5." << "40 A0 00 00";
        QTest::newRow("plus sign") << "+2" << "40 00 00 00";
        QTest::newRow("nearest single of 0.1") << "0.1" << "3D CC CC CD";
        QTest::newRow("largest single") << "3.4028235e38" << "7F 7F FF FF";
        QTest::newRow("tiny rounds to zero") << "1e-50" << "00 00 00 00";
        QTest::newRow("far too tiny") << "1e-400" << "00 00 00 00";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blank") << "  " << "";
        QTest::newRow("letters") << "abc" << "";
        QTest::newRow("trailing letter") << "12x" << "";
        QTest::newRow("two points") << "1.2.3" << "";
        QTest::newRow("bare exponent") << "1e" << "";
        QTest::newRow("beyond single range") << "1e39" << "";
        QTest::newRow("negative beyond single range") << "-3.5e38" << "";
        QTest::newRow("beyond double range") << "1e400" << "";
        QTest::newRow("infinity word") << "inf" << "";
        QTest::newRow("nan word") << "nan" << "";
        QTest::newRow("hex float") << "0x1p3" << "";
        QTest::newRow("thousands separator") << "1,000" << "";
        // Just above the midpoint of two singles: through double it lands on
        // the midpoint and rounds to even, one single too low.
        QTest::newRow("rounded once, not twice") << "1.000000059604644775390625000000000001" << "3F 80 00 01";
        QTest::newRow("just below the overflow edge") << "3.4028235677e38" << "7F 7F FF FF";
        QTest::newRow("just above the overflow edge") << "3.4028235678e38" << "";
        QTest::newRow("subnormal") << "1e-40" << "00 01 16 C2";
    }
    void encodeFloatText()
    {
        QFETCH(QString, text);
        QFETCH(QString, bytes);
        const auto r = EncodeFloatBE(text.toStdString());
        if (bytes.isEmpty()) {
            QVERIFY(!r);
            QCOMPARE(QString::fromStdString(r.error()), "'" + text + "' is not a valid floating point value");
        } else {
            QVERIFY2(r.ok(), r.error().c_str());
            QCOMPARE(HexOf(std::span<const std::uint8_t>(*r)), bytes);
        }
    }

    void parseInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qlonglong>("value");
        QTest::newRow("plain") << "12" << true << 12LL;
        QTest::newRow("leading blanks") << "  12" << true << 12LL;
        QTest::newRow("plus") << "+5" << true << 5LL;
        QTest::newRow("minus") << "-5" << true << -5LL;
        QTest::newRow("int32 max") << "2147483647" << true << 2147483647LL;
        QTest::newRow("int32 min") << "-2147483648" << true << -2147483648LL;
        QTest::newRow("beyond int32") << "2147483648" << false << 0LL;
        QTest::newRow("long digits") << "99999999999999999999" << false << 0LL;
        QTest::newRow("trailing blank") << "12 " << false << 0LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("sign only") << "-" << false << 0LL;
        QTest::newRow("fraction") << "1.5" << false << 0LL;
        QTest::newRow("hex") << "0x10" << false << 0LL;
        QTest::newRow("leading zeros") << "0000000000001" << true << 1LL;
        QTest::newRow("leading zeros and sign") << "-00000000000002147483648" << true << -2147483648LL;
        QTest::newRow("only zeros") << "0000000000000000" << true << 0LL;
        QTest::newRow("zeros then blank") << "000 1" << false << 0LL;
        QTest::newRow("zeros then too many digits") << "0099999999999999999999" << false << 0LL;
    }
    void parseInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qlonglong, value);
        const auto r = ParseInteger(text.toStdString());
        QCOMPARE(r.ok(), ok);
        if (ok)
            QCOMPARE(*r, value);
        else
            QCOMPARE(QString::fromStdString(r.error()), "'" + text + "' is not a valid integer value");
    }

    void integerBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("plain");   // EncodeUIntBE: low 8 bits of each quotient
        QTest::addColumn<QString>("checked"); // EncodeUIntBEChecked: bytes, or the range message
        QTest::newRow("70000 in two") << "70000" << 2 << "11 70" << "'70000' is out of range (0..65535)";
        QTest::newRow("-1 in two") << "-1" << 2 << "00 FF" << "'-1' is out of range (0..65535)";
        QTest::newRow("65535 in two") << "65535" << 2 << "FF FF" << "FF FF";
        QTest::newRow("65536 in two") << "65536" << 2 << "00 00" << "'65536' is out of range (0..65535)";
        QTest::newRow("10000 in two") << "10000" << 2 << "27 10" << "27 10";
        QTest::newRow("16777215 in three") << "16777215" << 3 << "FF FF FF" << "FF FF FF";
        QTest::newRow("16777216 in three") << "16777216" << 3 << "00 00 00" << "'16777216' is out of range (0..16777215)";
        QTest::newRow("66051 in three") << "66051" << 3 << "01 02 03" << "01 02 03";
        QTest::newRow("zero in three") << "0" << 3 << "00 00 00" << "00 00 00";
    }
    void integerBytes()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, plain);
        QFETCH(QString, checked);
        const auto p = EncodeUIntBE(text.toStdString(), n);
        QVERIFY(p.ok());
        QCOMPARE(HexOf(*p), plain);
        const auto c = EncodeUIntBEChecked(text.toStdString(), n);
        QCOMPARE(c.ok() ? HexOf(*c) : QString::fromStdString(c.error()), checked);
    }

    void byteFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("byte"); // -1: not an integer
        QTest::addColumn<bool>("inRange");
        QTest::newRow("5") << "5" << 5 << true;
        QTest::newRow("255") << "255" << 255 << true;
        QTest::newRow("300 keeps low bits") << "300" << 44 << false;
        QTest::newRow("256") << "256" << 0 << false;
        QTest::newRow("-1") << "-1" << 255 << false;
        QTest::newRow("empty") << "" << -1 << false;
        QTest::newRow("letters") << "ab" << -1 << false;
    }
    void byteFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, byte);
        QFETCH(bool, inRange);
        const auto plain = ByteFromText(text.toStdString());
        QCOMPARE(plain.ok(), byte >= 0);
        if (byte >= 0)
            QCOMPARE(int(*plain), byte);
        const auto checked = ByteFromTextInRange(text.toStdString());
        QCOMPARE(checked.ok(), inRange);
        if (byte >= 0 && !inRange)
            QCOMPARE(QString::fromStdString(checked.error()), "'" + text + "' is out of range (0..255)");
        if (byte < 0)
            QCOMPARE(QString::fromStdString(checked.error()), "'" + text + "' is not a valid integer value");
    }

    void hexText()
    {
        QCOMPARE(QString::fromStdString(ByteToHex(10)), "0A");
        QCOMPARE(QString::fromStdString(ByteToHex(255)), "FF");
        QCOMPARE(QString::fromStdString(ByteToHex(0)), "00");
        QCOMPARE(QString::fromStdString(ByteToHex(256)), ".");
        QCOMPARE(QString::fromStdString(ByteToHex(-1)), ".");
        const std::string digits = "0123456789ABCDEF";
        for (int c = 0; c < 256; ++c) {
            const auto v = HexDigitValue(static_cast<char>(c));
            const auto at = digits.find(static_cast<char>(c));
            QCOMPARE(v.has_value(), at != std::string::npos);
            if (v)
                QCOMPARE(std::size_t(*v), at);
        }
        const auto bytes = Hex("01 03 00 00");
        QCOMPARE(QString::fromStdString(HexByteList(bytes)), "01 03 00 00 ");
        QCOMPARE(QString::fromStdString(HexByteList({})), "");
    }

    void unsignedFromBytes()
    {
        QCOMPARE(DecodeUIntBE(Hex("01 02 03")), 66051u);
        QCOMPARE(DecodeUIntBE(Hex("FF FF FF")), 16777215u);
        QCOMPARE(DecodeUIntBE(Hex("27 10")), 10000u);
    }

    void floatBytesRoundTrip()
    {
        for (float v : {0.0f, 1.0f, -1.0f, 12.5f, 3.14f, 1e-30f, 3e38f}) {
            const auto b = EncodeFloatBE(v);
            QCOMPARE(DecodeFloatBE(b[0], b[1], b[2], b[3]), v);
        }
        QCOMPARE(HexOf(std::span<const std::uint8_t>(EncodeFloatBE(20.0f))), "41 A0 00 00");
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "test_numeric.moc"

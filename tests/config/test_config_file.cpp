// The configuration file and the comparison: exact floats, refusals that name
// the item, list picks by text or index.
#include "config/compare.h"
#include "config/file.h"
#include "config/items.h"

#include <QtTest>

#include <bit>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(config::CompareState)

namespace {

using config::CompareState;
using config::Configuration;

std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }

// Every item present, with values a real converter could hold.
Configuration Full()
{
    Configuration c;
    c.identity = hart::DeviceIdentity{0x26, 5, 5, {1, 2, 3}, 0};
    c.message = "QUORVANE MODBUS-HART CONVERTER";
    c.tagDescriptorDate = device::TagDescriptorDateValue{"CONVERTR", "MODBUS TO HART", 15, 7, 2023};
    c.finalAssembly = 66051;
    c.longTag = "DT";
    c.range = device::RangeSetting{32, 20.0f, 4.0f};
    for (std::size_t k = 0; k < c.instruments.size(); ++k)
        c.instruments[k] = converter::InstrumentCommandValue{1, 0x01, 0x03, {0x01, 0x03, 0x00, 0x00, 0x00, 0x02}};
    c.parsing = converter::ParsingFormatValue{};
    for (auto& row : *c.parsing)
        row = {1, 3, 4, 0, 1.0f};
    c.line = converter::LineSettingsValue{3, 0, 10, false};
    for (auto& a : c.analog)
        a = converter::AnalogValue{20.0f, 4.0f, 0.0f, 10000};
    c.mapping = converter::MappingValue{{1, 2, 3, 4}, {32, 39, 3, 250}};
    c.pollingAddress = 0;
    c.serialNumber = 66051;
    c.internal = device::InternalParamsValue{5, 0x26};
    return c;
}

// Every item present, with the values at the edges of what a file or a device can hold.
Configuration Edges()
{
    Configuration c = Full();
    c.message = "A\\B_^";
    c.tagDescriptorDate = device::TagDescriptorDateValue{"", "X", 0, 0, 2155}; // a date never set
    c.finalAssembly = device::kMaxUInt24;
    c.longTag = "\xE9t\xE9";
    c.range = device::RangeSetting{250, -0.0f, std::numeric_limits<float>::max()};
    c.instruments[0] = converter::InstrumentCommandValue{0xFF, 0xFF, 0x00, std::vector<std::uint8_t>(20, 0xAB)};
    c.instruments[1] = converter::InstrumentCommandValue{0, 0, 0, {}};
    (*c.parsing)[2] = {9, 255, 0, 200, std::numeric_limits<float>::denorm_min()};
    c.line = converter::LineSettingsValue{9, 255, 255, false};
    c.analog[3] = converter::AnalogValue{std::numeric_limits<float>::lowest(), -0.0f, 1e-7f, 65535};
    c.mapping = converter::MappingValue{{255, 0, 8, 9}, {0, 200, 250, 39}};
    c.pollingAddress = 63;
    c.serialNumber = 0;
    c.internal = device::InternalParamsValue{255, 0};
    return c;
}

QString Name(const config::Item& item) { return QString::fromUtf8(item.name.data(), qsizetype(item.name.size())); }

QByteArray Document(const QByteArray& items, const QByteArray& head = R"("format": "modbus-hart-configuration", "version": 1)")
{
    return "{" + head + R"(, "items": {)" + items + "}}";
}

class TestConfigFile : public QObject {
    Q_OBJECT

private slots:
    // ---- Floats survive the file bit for bit, and the file shows the short decimal.
    void floatRoundTrip_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("shown"); // how the file writes it; empty: not checked
        QTest::newRow("0.1") << 0.1f << "0.1";
        QTest::newRow("1e-7") << 1e-7f << "";
        QTest::newRow("1e13") << 1e13f << "";
        QTest::newRow("16777217 (rounds to 16777216)") << 16777217.0f << "16777216";
        QTest::newRow("smallest denormal") << std::numeric_limits<float>::denorm_min() << "";
        QTest::newRow("denormal 2.5e-39") << 2.5e-39f << "";
        QTest::newRow("smallest normal") << std::numeric_limits<float>::min() << "";
        QTest::newRow("largest") << std::numeric_limits<float>::max() << "";
        QTest::newRow("lowest") << std::numeric_limits<float>::lowest() << "";
        QTest::newRow("negative zero") << -0.0f << "";
        QTest::newRow("one third") << 1.0f / 3.0f << "";
        QTest::newRow("123456.79") << 123456.789f << "";
        QTest::newRow("next above 1") << std::nextafter(1.0f, 2.0f) << "1.0000001";
    }
    void floatRoundTrip()
    {
        QFETCH(float, value);
        QFETCH(QString, shown);
        Configuration c = Full();
        c.analog[2] = converter::AnalogValue{value, value, value, 0};
        c.range = device::RangeSetting{32, value, 4.0f};
        (*c.parsing)[4].coefficient = value;

        const QByteArray json = config::ToJson(c, {QDateTime::currentDateTimeUtc(), "test"});
        const auto back = config::FromJson(json);
        QVERIFY2(back.ok(), back.error().c_str());
        const Configuration& b = back->configuration;
        QCOMPARE(Bits(b.analog[2]->upper), Bits(value));
        QCOMPARE(Bits(b.analog[2]->start), Bits(value));
        QCOMPARE(Bits(b.range->upper), Bits(value));
        QCOMPARE(Bits((*b.parsing)[4].coefficient), Bits(value));
        if (!shown.isEmpty())
            QVERIFY2(json.contains("\"lower\": " + shown.toUtf8() + ",\n"), json.constData());
    }

    // A whole configuration comes back equal item by item, identity included.
    void wholeRoundTrip()
    {
        const Configuration c = Full();
        const auto back = config::FromJson(config::ToJson(c, {QDateTime::currentDateTimeUtc(), "test"}));
        QVERIFY2(back.ok(), back.error().c_str());
        const auto& id = *back->configuration.identity;
        QCOMPARE(id.manufacturer, c.identity->manufacturer);
        QCOMPARE(id.deviceType, c.identity->deviceType);
        QCOMPARE(id.identifier, c.identity->identifier);
        QCOMPARE(id.pollingAddress, c.identity->pollingAddress);
        for (const auto& row : config::Compare(c, back->configuration))
            QVERIFY2(row.state == CompareState::Equal, row.item->name.data());
    }

    // ---- Every item: value -> file -> value keeps its bytes, its text and its refusal.
    void itemRoundTrip_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("edges");
        for (const auto& item : config::Items()) {
            QTest::newRow(qPrintable(Name(item))) << Name(item) << false;
            QTest::newRow(qPrintable(Name(item) + " at the edges")) << Name(item) << true;
        }
    }
    void itemRoundTrip()
    {
        QFETCH(QString, item);
        QFETCH(bool, edges);
        const Configuration c = edges ? Edges() : Full();
        const auto back = config::FromJson(config::ToJson(c, {QDateTime::currentDateTimeUtc(), "test"}));
        QVERIFY2(back.ok(), back.error().c_str());
        const config::Item* it = config::FindItem(item.toStdString());
        const Configuration& b = back->configuration;
        QVERIFY(it && it->has(b));
        QVERIFY(it->equal(c, b));
        QCOMPARE(it->text(b), it->text(c));
        const auto sent = it->buildWrite(c);
        const auto sentBack = it->buildWrite(b);
        QCOMPARE(sentBack.ok(), sent.ok());
        if (sent.ok())
            QCOMPARE(*sentBack, *sent);
        else
            QCOMPARE(sentBack.error(), sent.error());
    }

    // ---- A setting's bytes and a query's answer carry the value back: what the
    // pages send is what a file keeps, and a file shows on the pages as read.
    void writeAndAnswerCarryTheValue_data() { itemRoundTrip_data(); }
    void writeAndAnswerCarryTheValue()
    {
        QFETCH(QString, item);
        QFETCH(bool, edges);
        const Configuration c = edges ? Edges() : Full();
        const config::Item* it = config::FindItem(item.toStdString());
        QVERIFY(it);
        if (const auto sent = it->buildWrite(c)) {
            Configuration back;
            QVERIFY(it->fromWrite(*sent, back));
            QVERIFY(it->equal(c, back));
            QCOMPARE(it->text(back), it->text(c));
            QVERIFY(!it->fromWrite(std::span(*sent).first(sent->size() - 1), back)); // too few bytes
        }
        const auto answer = it->answerData(c);
        QCOMPARE(answer.has_value(), !it->readByIdentify());
        if (answer) {
            Configuration read;
            QVERIFY(it->decode({*answer, 0}, read));
            QVERIFY(it->equal(c, read));
        }
    }

    // ---- Equal means the device would be sent the same bytes.
    void equalIsByteEqual_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("equal");
        QTest::newRow("the same NaN") << 0 << "analogInput1" << true;
        QTest::newRow("NaNs of other bits") << 1 << "analogInput1" << false;
        QTest::newRow("tag padded with blanks") << 2 << "tagDescriptorDate" << true;
        QTest::newRow("dates never set") << 3 << "tagDescriptorDate" << true;
        QTest::newRow("the read-only marker") << 4 << "rs485" << true;
        QTest::newRow("addresses beyond 15") << 5 << "pollingAddress" << false;
        QTest::newRow("a code beyond the list") << 6 << "variableMapping" << false;
    }
    void equalIsByteEqual()
    {
        QFETCH(int, change);
        QFETCH(QString, item);
        Configuration left = Full();
        Configuration right = Full();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        switch (change) {
        case 0: left.analog[0]->upper = nan; right.analog[0]->upper = nan; break;
        case 1: left.analog[0]->upper = nan; right.analog[0]->upper = std::bit_cast<float>(Bits(nan) | 1u); break;
        case 2: left.tagDescriptorDate->tag = "CONV"; right.tagDescriptorDate->tag = "CONV    "; break;
        case 3: left.tagDescriptorDate->day = right.tagDescriptorDate->day = 0; break;
        case 4: right.line->marker = true; break;
        case 5: left.pollingAddress = 20; right.pollingAddress = 30; break;
        case 6: right.mapping->channel[3] = 200; break;
        }
        const config::Item* it = config::FindItem(item.toStdString());
        QVERIFY(it);
        QTEST(it->equal(left, right), "equal");
        QTEST(it->equal(right, left), "equal");
    }

    // ---- A value the device would not take is refused before a write, with the window's reason.
    void writeRefusals_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("error");
        QTest::newRow("message in lower case") << 0 << "\"message\": 'a' cannot be sent as packed text (blank to '_', no lower case)";
        QTest::newRow("tag in lower case") << 1 << "\"tagDescriptorDate\": tag: 't' cannot be sent as packed text (blank to '_', no lower case)";
        QTest::newRow("descriptor too long") << 2 << "\"tagDescriptorDate\": descriptor: longer than 16 characters";
        QTest::newRow("date never set") << 3 << "\"tagDescriptorDate\": date 0.7: the device takes only a day 1..31 and a month 1..12";
        QTest::newRow("final assembly beyond 24 bits") << 4 << "\"finalAssemblyNumber\": '16777216' is out of range (0..16777215)";
        QTest::newRow("control in the long tag") << 5 << "\"longTag\": holds a control character (A\\x01)";
        QTest::newRow("range not finite") << 6 << "\"range\": 'inf' is not a valid floating point value";
        QTest::newRow("command bytes beyond 20") << 7 << "\"instrumentCommand1\": command code: 21 bytes, at most 20 fit";
        QTest::newRow("command bytes beyond 15") << 8 << "\"instrumentCommand3\": command code: 16 bytes, at most 15 fit";
        QTest::newRow("coefficient not finite") << 9 << "\"parsingFormat\": 'nan' is not a valid floating point value";
        QTest::newRow("analog start not finite") << 10 << "\"analogInput4\": '-inf' is not a valid floating point value";
        QTest::newRow("polling address beyond 15") << 11 << "\"pollingAddress\": '16' is out of range (0..15)";
        QTest::newRow("serial number beyond 24 bits") << 12 << "\"sensorSerialNumber\": '16777216' is out of range (0..16777215)";
    }
    void writeRefusals()
    {
        QFETCH(int, change);
        QFETCH(QString, error);
        Configuration c = Full();
        QVERIFY(!config::Validate(c));
        switch (change) {
        case 0: c.message = "a"; break;
        case 1: c.tagDescriptorDate->tag = "t"; break;
        case 2: c.tagDescriptorDate->descriptor = std::string(17, 'D'); break;
        case 3: c.tagDescriptorDate->day = 0; break;
        case 4: c.finalAssembly = device::kMaxUInt24 + 1; break;
        case 5: c.longTag = "A\x01"; break;
        case 6: c.range->upper = std::numeric_limits<float>::infinity(); break;
        case 7: c.instruments[0]->commandBytes.assign(21, 1); break;
        case 8: c.instruments[2]->commandBytes.assign(16, 1); break;
        case 9: (*c.parsing)[3].coefficient = std::numeric_limits<float>::quiet_NaN(); break;
        case 10: c.analog[3]->start = -std::numeric_limits<float>::infinity(); break;
        case 11: c.pollingAddress = 16; break;
        case 12: c.serialNumber = device::kMaxUInt24 + 1; break;
        }
        QCOMPARE(QString::fromStdString(config::Validate(c).value_or("accepted")), error);
    }

    // ---- Refusals: the message names the item and the reason.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        QTest::newRow("invalid JSON") << QByteArray("{\"format\": ") << "not valid JSON";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "not a configuration file";
        QTest::newRow("other format") << Document("", R"("format": "something else", "version": 1)")
                                      << "not a configuration file";
        QTest::newRow("newer version") << Document("", R"("format": "modbus-hart-configuration", "version": 2)")
                                       << "made by a newer program: format version 2";
        QTest::newRow("version not a number") << Document("", R"("format": "modbus-hart-configuration", "version": "1")")
                                              << "unknown format version";
        QTest::newRow("unknown item") << Document(R"("mesage": "X")") << "unknown item \"mesage\"";
        QTest::newRow("unknown key in the identity")
            << Document("", R"("format": "modbus-hart-configuration", "version": 1, "identity": {"manufacturer": 38, "deviceType": 5, "uniqueIdentifier": 1, "pollingAddress": 0, "manufactrer": 39})")
            << "identity: unknown key \"manufactrer\"";
        QTest::newRow("expanded device type not a truth value")
            << Document("", R"("format": "modbus-hart-configuration", "version": 1, "identity": {"manufacturer": 38, "deviceType": 5, "uniqueIdentifier": 1, "pollingAddress": 0, "expandedDeviceType": "yes"})")
            << "identity: expandedDeviceType: not true or false";
        QTest::newRow("coefficient out of range")
            << Document(R"("analogInput1": {"upper": 1, "lower": 0, "start": 0, "coefficient": 70000})")
            << "item \"analogInput1\": coefficient: 70000 is out of range (0..65535)";
        QTest::newRow("float as text") << Document(R"("range": {"unit": {"code": 32}, "upper": "20", "lower": 4})")
                                       << "item \"range\": upper: not a number";
        QTest::newRow("negative zero misspelt") << Document(R"("range": {"unit": {"code": 32}, "upper": "-0.0", "lower": 4})")
                                                << "item \"range\": upper: not a number";
        QTest::newRow("float beyond single") << Document(R"("range": {"unit": {"code": 32}, "upper": 1e39, "lower": 4})")
                                             << "item \"range\": upper: outside the single-precision range";
        QTest::newRow("missing field") << Document(R"("range": {"unit": {"code": 32}, "upper": 20})")
                                       << "item \"range\": lower: missing";
        QTest::newRow("lower case message") << Document(R"("message": "hello")")
                                            << "item \"message\": 'h' cannot be sent as packed text";
        QTest::newRow("message too long") << Document(R"("message": "123456789012345678901234567890123")")
                                          << "item \"message\": longer than 32 characters";
        QTest::newRow("year beyond a byte")
            << Document(R"("tagDescriptorDate": {"tag": "T", "descriptor": "D", "day": 1, "month": 1, "year": 2156})")
            << "item \"tagDescriptorDate\": year: 2156 is out of range (1900..2155)";
        QTest::newRow("baud index beyond the list")
            << Document(R"("rs485": {"baudRate": {"index": 7}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: index: 7 is out of range (-1..6)";
        QTest::newRow("no selection without a code")
            << Document(R"("rs485": {"baudRate": {"index": -1}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: no item and no code";
        QTest::newRow("code and index disagree")
            << Document(R"("rs485": {"baudRate": {"code": 9, "index": 3}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: code and index name different items";
        QTest::newRow("code and text disagree")
            << Document(R"j("parsingFormat": [{"command": {"code": 1}, "dataAddress": 0, "length": 4, "format": {"code": 1, "text": "0-Float（4321）"}, "coefficient": 1}, {"command": {"code": 0}, "dataAddress": 0, "length": 0, "format": {"code": 0}, "coefficient": 1}, {"command": {"code": 0}, "dataAddress": 0, "length": 0, "format": {"code": 0}, "coefficient": 1}, {"command": {"code": 0}, "dataAddress": 0, "length": 0, "format": {"code": 0}, "coefficient": 1}, {"command": {"code": 0}, "dataAddress": 0, "length": 0, "format": {"code": 0}, "coefficient": 1}])j")
            << "item \"parsingFormat\": row 1: format: code and text name different items";
        QTest::newRow("unit code and text disagree")
            << Document(R"("range": {"unit": {"code": 32, "text": "09_KPa"}, "upper": 1, "lower": 0})")
            << "item \"range\": unit: code and text name different items";
        QTest::newRow("unit code and index disagree")
            << Document(R"("range": {"unit": {"code": 32, "index": 0}, "upper": 1, "lower": 0})")
            << "item \"range\": unit: code and index name different items";
        QTest::newRow("code beyond a byte")
            << Document(R"("rs485": {"baudRate": {"code": 256}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: code: 256 is out of range (0..255)";
        QTest::newRow("unknown key in a pick")
            << Document(R"("rs485": {"baudRate": {"index": 1, "cde": 9}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: unknown key \"cde\"";
        QTest::newRow("unknown key in an item")
            << Document(R"("rs485": {"baudRate": {"index": 1}, "parity": {"index": 0}, "interval": 10, "stopBits": 2})")
            << "item \"rs485\": unknown key \"stopBits\"";
        QTest::newRow("unknown key in a row")
            << Document(R"j("variableMapping": [{"channel": {"index": 1}, "unit": {"code": 32}, "units": 3}, {"channel": {"index": 2}, "unit": {"code": 32}}, {"channel": {"index": 0}, "unit": {"code": 32}}, {"channel": {"index": 0}, "unit": {"code": 32}}])j")
            << "item \"variableMapping\": row 1: unknown key \"units\"";
        QTest::newRow("duplicate item")
            << Document(R"("finalAssemblyNumber": 1, "finalAssemblyNumber": 2)")
            << "the key \"items.finalAssemblyNumber\" stands twice";
        QTest::newRow("duplicate format")
            << QByteArray(R"({"format": "other", "version": 1, "format": "modbus-hart-configuration", "items": {}})")
            << "the key \"format\" stands twice";
        QTest::newRow("duplicate field, spelt with an escape")
            << Document(R"("range": {"unit": {"code": 32}, "upper": 1, "lower": 0, "\u006cower": 5})")
            << "the key \"items.range.lower\" stands twice";
        QTest::newRow("duplicate inside a row")
            << Document(R"j("variableMapping": [{"channel": {"index": 1}, "unit": {"code": 32}}, {"channel": {"index": 2}, "unit": {"code": 32, "code": 33}}, {"channel": {"index": 0}, "unit": {"code": 32}}, {"channel": {"index": 0}, "unit": {"code": 32}}])j")
            << "the key \"items.variableMapping[2].unit.code\" stands twice";
        QTest::newRow("month 13")
            << Document(R"("tagDescriptorDate": {"tag": "T", "descriptor": "D", "day": 1, "month": 13, "year": 2020})")
            << "item \"tagDescriptorDate\": month: 13 is out of range (0..12)";
        QTest::newRow("day 32")
            << Document(R"("tagDescriptorDate": {"tag": "T", "descriptor": "D", "day": 32, "month": 1, "year": 2020})")
            << "item \"tagDescriptorDate\": day: 32 is out of range (0..31)";
        QTest::newRow("control character in the message")
            << Document(R"("message": "A\u001bB")")
            << "item \"message\": '\\x1B' cannot be sent as packed text";
        QTest::newRow("index and text disagree")
            << Document(R"("rs485": {"baudRate": {"index": 2, "text": "9600"}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: index 2 and text \"9600\" name different items";
        QTest::newRow("text not in the list")
            << Document(R"("rs485": {"baudRate": {"text": "9601"}, "parity": {"index": 0}, "interval": 10})")
            << "item \"rs485\": baudRate: \"9601\" is not an item of the list";
        QTest::newRow("too many command bytes")
            << Document(R"("instrumentCommand2": {"enable": {"index": 1}, "commandCode": "01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10", "returnByte1": "01", "returnByte2": "03"})")
            << "item \"instrumentCommand2\": commandCode: \"01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10\": Too many bytes: this command holds at most 15.";
        QTest::newRow("bad hex digit")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01 0G", "returnByte1": "01", "returnByte2": "03"})")
            << "item \"instrumentCommand1\": commandCode: \"01 0G\": Data eeore!";
        QTest::newRow("bad return byte")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01", "returnByte1": "G1", "returnByte2": "03"})")
            << "item \"instrumentCommand1\": returnByte1: \"G1\": Data eeore!";
        QTest::newRow("return byte of three digits")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01", "returnByte1": "100", "returnByte2": "03"})")
            << "item \"instrumentCommand1\": returnByte1: \"100\": not two hexadecimal digits";
        QTest::newRow("return byte 1FF")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01", "returnByte1": "01", "returnByte2": "1FF"})")
            << "item \"instrumentCommand1\": returnByte2: \"1FF\": not two hexadecimal digits";
        QTest::newRow("return byte of two bytes")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01", "returnByte1": "01 03", "returnByte2": "03"})")
            << "item \"instrumentCommand1\": returnByte1: \"01 03\": not two hexadecimal digits";
        QTest::newRow("polling address 64") << Document(R"("pollingAddress": 64)")
                                            << "item \"pollingAddress\": 64 is out of range (0..63)";
        QTest::newRow("parsing rows missing")
            << Document(R"("parsingFormat": [])") << "item \"parsingFormat\": not a list of 5 rows";
        QTest::newRow("fraction where a whole number goes") << Document(R"("finalAssemblyNumber": 1.5)")
                                                            << "item \"finalAssemblyNumber\": not a whole number";
        QTest::newRow("long tag beyond one byte") << Document(R"("longTag": "\u20ac")")
                                                  << "item \"longTag\": '\u20ac' is not a one-byte character";
        QTest::newRow("tag too long")
            << Document(R"("tagDescriptorDate": {"tag": "TAG45678X", "descriptor": "D", "day": 1, "month": 1, "year": 2020})")
            << "item \"tagDescriptorDate\": tag: longer than 8 characters";
        QTest::newRow("unknown key after a bad tag")
            << Document(R"("tagDescriptorDate": {"tag": "t", "descriptor": "D", "day": 1, "month": 1, "year": 2020, "x": 1})")
            << "item \"tagDescriptorDate\": tag: 't' cannot be sent";
        QTest::newRow("unknown key before a bad day")
            << Document(R"("tagDescriptorDate": {"tag": "T", "descriptor": "D", "day": 40, "month": 1, "year": 2020, "x": 1})")
            << "item \"tagDescriptorDate\": unknown key \"x\"";
        QTest::newRow("final assembly beyond 24 bits") << Document(R"("finalAssemblyNumber": 16777216)")
                                                       << "item \"finalAssemblyNumber\": 16777216 is out of range (0..16777215)";
        QTest::newRow("serial number below 0") << Document(R"("sensorSerialNumber": -1)")
                                               << "item \"sensorSerialNumber\": -1 is out of range (0..16777215)";
        QTest::newRow("data address beyond a byte")
            << Document(R"j("parsingFormat": [{"command": {"code": 0}, "dataAddress": 0, "length": 0, "format": {"code": 0}, "coefficient": 1}, {"command": {"code": 0}, "dataAddress": 256, "length": 0, "format": {"code": 0}, "coefficient": 1}, {}, {}, {}])j")
            << "item \"parsingFormat\": row 2: dataAddress: 256 is out of range (0..255)";
        QTest::newRow("length beyond a byte")
            << Document(R"j("parsingFormat": [{"command": {"code": 0}, "dataAddress": 0, "length": 256, "format": {"code": 0}, "coefficient": 1}, {}, {}, {}, {}])j")
            << "item \"parsingFormat\": row 1: length: 256 is out of range (0..255)";
        QTest::newRow("interval beyond a byte")
            << Document(R"("rs485": {"baudRate": {"index": 1}, "parity": {"index": 0}, "interval": 256})")
            << "item \"rs485\": interval: 256 is out of range (0..255)";
        QTest::newRow("sensor type beyond a byte")
            << Document(R"("internalParameters": {"sensorType": 256, "manufacturerId": 38})")
            << "item \"internalParameters\": sensorType: 256 is out of range (0..255)";
        QTest::newRow("manufacturer below 0")
            << Document(R"("internalParameters": {"sensorType": 5, "manufacturerId": -1})")
            << "item \"internalParameters\": manufacturerId: -1 is out of range (0..255)";
        QTest::newRow("unit without item or code")
            << Document(R"("range": {"unit": {"index": -1}, "upper": 1, "lower": 0})")
            << "item \"range\": unit: no item and no code: give the unit's code";
    }
    void refusals()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        const auto r = config::FromJson(json);
        QVERIFY2(!r.ok(), "the file was accepted");
        QVERIFY2(QString::fromStdString(r.error()).startsWith(error), r.error().c_str());
    }

    // ---- Accepted spellings: a list pick by its text alone, an empty command code.
    void accepted_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("baud by text") << Document(R"("rs485": {"baudRate": {"text": "19200"}, "parity": {"text": "Even"}, "interval": 25})")
                                      << "rs485" << "19200 baud, parity Even, interval 25";
        QTest::newRow("bytes beyond the lists, by code")
            << Document(R"("rs485": {"baudRate": {"code": 9, "index": -1, "text": null}, "parity": {"code": 255}, "interval": 0})")
            << "rs485" << "code 9 (not in this program's list) baud, parity code 255 (not in this program's list), interval 0";
        QTest::newRow("unit by text, trailing blanks ignored")
            << Document(R"("range": {"unit": {"text": "09_KPa"}, "upper": 1, "lower": 0})")
            << "range" << "unit 12 (09_KPa), upper 1, lower 0";
        QTest::newRow("unit code without a list item")
            << Document(R"j("variableMapping": [{"channel": {"index": 1}, "unit": {"code": 200}}, {"channel": {"index": 2}, "unit": {"text": "79_mA"}}, {"channel": {"index": 0}, "unit": {"index": 82}}, {"channel": {"text": "8_AD4(analog)"}, "unit": {"code": 250, "text": "78_250"}}])j")
            << "variableMapping"
            << "1: 1_AD1(analog) in unit 200 (82_other); 2: 2_AD2(analog) in unit 39 (79_mA); "
               "3: 0-Close in unit 0 (82_other); 4: 8_AD4(analog) in unit 250 (78_250)";
        QTest::newRow("empty command code")
            << Document(R"("instrumentCommand3": {"enable": {"index": 0}, "commandCode": "", "returnByte1": "00", "returnByte2": "00"})")
            << "instrumentCommand3" << "0-Close, command code \"\", return bytes 00 00";
        QTest::newRow("command code without final blank")
            << Document(R"("instrumentCommand1": {"enable": {"index": 1}, "commandCode": "01 03 00", "returnByte1": "01", "returnByte2": "03"})")
            << "instrumentCommand1" << "1-Open, command code \"01 03 00 \", return bytes 01 03";
    }
    void accepted()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, item);
        QFETCH(QString, text);
        const auto r = config::FromJson(json);
        QVERIFY2(r.ok(), r.error().c_str());
        const config::Item* it = config::FindItem(item.toStdString());
        QVERIFY(it && it->has(r->configuration));
        QCOMPARE(QString::fromStdString(it->text(r->configuration)), text);
    }

    // ---- Compare: equal, different (both values shown), one side only.
    void compare_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("item");
        QTest::addColumn<CompareState>("state");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("padding blanks are the same text") << 0 << "message" << CompareState::Equal
                                                          << "\"QUORVANE MODBUS-HART CONVERTER\""
                                                          << "\"QUORVANE MODBUS-HART CONVERTER\"";
        QTest::newRow("float differs") << 1 << "analogInput2" << CompareState::Different
                                       << "upper 20, lower 4, start 0, coefficient 10000"
                                       << "upper 20.000002, lower 4, start 0, coefficient 10000";
        QTest::newRow("negative zero is not zero") << 2 << "range" << CompareState::Different
                                                   << "unit 32 (12_\u2103), upper 20, lower 0"
                                                   << "unit 32 (12_\u2103), upper 20, lower -0";
        QTest::newRow("only on the left") << 3 << "longTag" << CompareState::OnlyLeft << "\"DT\"" << "";
        QTest::newRow("command bytes differ") << 4 << "instrumentCommand4" << CompareState::Different
                                              << "1-Open, command code \"01 03 00 00 00 02 \", return bytes 01 03"
                                              << "1-Open, command code \"01 03 00 00 00 \", return bytes 01 03";
    }
    void compare()
    {
        QFETCH(int, change);
        QFETCH(QString, item);
        Configuration left = Full();
        Configuration right = Full();
        switch (change) {
        case 0: right.message = "QUORVANE MODBUS-HART CONVERTER  "; break;
        case 1: right.analog[1]->upper = std::nextafter(20.0f, 21.0f); break;
        case 2: left.range->lower = 0.0f; right.range->lower = -0.0f; break;
        case 3: right.longTag.reset(); break;
        case 4: right.instruments[3]->commandBytes.pop_back(); break;
        }
        const auto rows = config::Compare(left, right);
        int unequal = 0;
        for (const auto& row : rows) {
            if (QString::fromUtf8(row.item->name.data(), static_cast<qsizetype>(row.item->name.size())) != item) {
                QVERIFY2(row.state == CompareState::Equal, row.item->name.data());
                continue;
            }
            QTEST(row.state, "state");
            QTEST(QString::fromStdString(row.left), "left");
            QTEST(QString::fromStdString(row.right), "right");
            unequal += row.state != CompareState::Equal;
        }
        QCOMPARE(config::AllEqual(rows, true), unequal == 0);
    }
};

} // namespace

QTEST_GUILESS_MAIN(TestConfigFile)
#include "test_config_file.moc"

// The converter configuration in the real window against the simulated
// converter: every group's Set reaches the device (checked on its state) and
// its Query reads the same values back; refused input sends nothing.
#include "app/combo_index.h"
#include "codec/units.h"
#include "support/window_fixture.h"

#include <functional>
#include <memory>

using testing::CompareAll;
using testing::StateOf;
using testing::WindowDriver;

namespace {

using Fields = WindowDriver::Fields;
using DeviceCheck = std::function<void(const sim::ConverterState&)>;

constexpr const char* kD4 = "Please wait, it is currently being downloaded....";

// "#n" stands for item n of a list, so that list texts need not be spelled out.
QString Item(int index) { return "#" + QString::number(index); }
QString UnitItem(std::uint8_t code) { return Item(codec::UnitCodeToItem(code)); }

// Overwrites what a query is to fill, so that only its answer can fill it.
void Spoil(WindowDriver& d, const Fields& fields)
{
    for (const auto& [name, value] : fields)
        d.put(name, d.form.findChild<QComboBox*>(name.toLatin1()) ? QString() : QStringLiteral("STALE"));
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

// Byte groups "00 01 02 ..." without a final blank, and the bytes they stand for.
QString Groups(int count)
{
    QStringList g;
    for (int k = 0; k < count; ++k)
        g << QString("%1").arg(k, 2, 16, QChar('0')).toUpper();
    return g.join(' ');
}
std::vector<std::uint8_t> Sequence(int count)
{
    std::vector<std::uint8_t> out;
    for (int k = 0; k < count; ++k)
        out.push_back(static_cast<std::uint8_t>(k));
    return out;
}

// Every field that some Set converts, filled with values that convert.
Fields ValidInputs()
{
    Fields f{{"Edit13", "10"}};
    for (int r = 1; r <= 5; ++r) {
        const QString n = QString::number(r);
        f << qMakePair("Dadr" + n, QString("0")) << qMakePair("Ddatalg" + n, QString("4"))
          << qMakePair("Dxishu" + n, QString("1.000"));
    }
    for (int r = 1; r <= 4; ++r) {
        const QString n = QString::number(r);
        f << qMakePair("AD" + n + "H", QString("20")) << qMakePair("AD" + n + "L", QString("4"))
          << qMakePair("AD" + n + "LD", QString("0")) << qMakePair("ADXSHOU" + n, QString("10000"));
    }
    const char* code[] = {"Camd1", "Camd2", "Camd3", "Camd4"};
    const char* first[] = {"ACOMBY1", "BCOMBY1", "CCOMBY1", "DCOMBY1"};
    const char* second[] = {"ACOMBY2", "BCOMBY2", "CCOMBY2", "DCOMBY2"};
    for (int k = 0; k < 4; ++k)
        f << qMakePair(QString(code[k]), QString("01 03 00 00 00 02")) << qMakePair(QString(first[k]), QString("00"))
          << qMakePair(QString(second[k]), QString("00"));
    return f;
}

struct SetQueryCase {
    Fields typed;
    QString set;
    DeviceCheck deviceHas;
    QString query;
    Fields readBack;
};

bool Same(const sim::AnalogChannel& a, float upper, float lower, float start, int coefficient)
{
    return a.upper == upper && a.lower == lower && a.start == start && a.coefficient == coefficient;
}

} // namespace

// Puts a list's byte into the device's state.
using Poke = std::function<void(sim::ConverterState&, std::uint8_t)>;

// The data bytes of the last frame the window sent (a long frame).
std::vector<std::uint8_t> SentData(WindowDriver& d)
{
    const auto area = d.form.Link().Buffer().frameArea();
    std::size_t k = 0;
    while (k < area.size() && area[k] == 0xFF)
        ++k;
    const std::size_t count = area[k + 7];
    return {area.begin() + std::ptrdiff_t(k + 8), area.begin() + std::ptrdiff_t(k + 8 + count)};
}

Q_DECLARE_METATYPE(SetQueryCase)
Q_DECLARE_METATYPE(Poke)

class TestConverterE2e : public QObject, testing::SharedWindow {
    Q_OBJECT

private slots:
    void initTestCase() { openShared(); }

    void init()
    {
        reset([](sim::ConverterState& s) {
            s = sim::ConverterState{};
            s.driftAmplitude = 0.0f;
        });
    }

    void cleanupTestCase() { d.reset(); }

    // -- Set, then Query ------------------------------------------------------

    void setThenQueryReadsBack_data()
    {
        QTest::addColumn<SetQueryCase>("c");

        QTest::newRow("instrument command 1") << SetQueryCase{
            {{"COMEN1", "1-Open"}, {"Camd1", "01 03 00 10 00 04 45 CC"}, {"ACOMBY1", "0A"}, {"ACOMBY2", "1F"}},
            "Button12",
            [](const sim::ConverterState& s) {
                QVERIFY((s.instruments[0] == sim::InstrumentCommand{1, 0x0A, 0x1F, Bytes({1, 3, 0, 0x10, 0, 4, 0x45, 0xCC})}));
            },
            "Button11",
            {{"COMEN1", "1-Open"}, {"Camd1", "01 03 00 10 00 04 45 CC "}, {"ACOMBY1", "0A"}, {"ACOMBY2", "1F"}}};
        QTest::newRow("instrument command 1, 20 groups") << SetQueryCase{
            {{"COMEN1", "0-Close"}, {"Camd1", Groups(20)}, {"ACOMBY1", "00"}, {"ACOMBY2", "FF"}},
            "Button12",
            [](const sim::ConverterState& s) {
                QVERIFY((s.instruments[0] == sim::InstrumentCommand{0, 0x00, 0xFF, Sequence(20)}));
            },
            "Button11", {{"COMEN1", "0-Close"}, {"Camd1", Groups(20) + " "}, {"ACOMBY1", "00"}, {"ACOMBY2", "FF"}}};
        QTest::newRow("instrument command 2, 15 groups") << SetQueryCase{
            {{"COMEN2", "1-Open"}, {"Camd2", Groups(15)}, {"BCOMBY1", "12"}, {"BCOMBY2", "34"}},
            "Button5",
            [](const sim::ConverterState& s) {
                QVERIFY((s.instruments[1] == sim::InstrumentCommand{1, 0x12, 0x34, Sequence(15)}));
                QVERIFY(s.instruments[0] == sim::ConverterState{}.instruments[0]);
            },
            "Button15", {{"COMEN2", "1-Open"}, {"Camd2", Groups(15) + " "}, {"BCOMBY1", "12"}, {"BCOMBY2", "34"}}};
        QTest::newRow("instrument command 3") << SetQueryCase{
            {{"COMEN3", "1-Open"}, {"Camd3", "FF"}, {"CCOMBY1", "C0"}, {"CCOMBY2", "DE"}},
            "Button26",
            [](const sim::ConverterState& s) {
                QVERIFY((s.instruments[2] == sim::InstrumentCommand{1, 0xC0, 0xDE, Bytes({0xFF})}));
            },
            "Button25", {{"COMEN3", "1-Open"}, {"Camd3", "FF "}, {"CCOMBY1", "C0"}, {"CCOMBY2", "DE"}}};
        QTest::newRow("instrument command 4") << SetQueryCase{
            {{"COMEN4", "1-Open"}, {"Camd4", "11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF "}, {"DCOMBY1", "7E"},
             {"DCOMBY2", "81"}},
            "Button41",
            [](const sim::ConverterState& s) {
                QVERIFY((s.instruments[3]
                         == sim::InstrumentCommand{1, 0x7E, 0x81, Bytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                                                                         0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF})}));
            },
            "Button35",
            {{"COMEN4", "1-Open"}, {"Camd4", "11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF "}, {"DCOMBY1", "7E"},
             {"DCOMBY2", "81"}}};

        QTest::newRow("parsing rows") << SetQueryCase{
            {{"Dcom1", Item(1)}, {"Dadr1", "16"},  {"Ddatalg1", "2"}, {"Dxieyi1", Item(3)},  {"Dxishu1", "0.5"},
             {"Dcom2", Item(2)}, {"Dadr2", "0"},   {"Ddatalg2", "4"}, {"Dxieyi2", Item(0)},  {"Dxishu2", "1.000"},
             {"Dcom3", Item(3)}, {"Dadr3", "255"}, {"Ddatalg3", "8"}, {"Dxieyi3", Item(17)}, {"Dxishu3", "1.23456789"},
             {"Dcom4", Item(4)}, {"Dadr4", "100"}, {"Ddatalg4", "6"}, {"Dxieyi4", Item(9)},  {"Dxishu4", "-2.5"},
             {"Dcom5", Item(0)}, {"Dadr5", "7"},   {"Ddatalg5", "0"}, {"Dxieyi5", Item(26)}, {"Dxishu5", "1000"}},
            "Button19",
            [](const sim::ConverterState& s) {
                QVERIFY((s.parsing[0] == sim::ParsingRow{1, 16, 2, 3, 0.5f}));
                QVERIFY((s.parsing[1] == sim::ParsingRow{2, 0, 4, 0, 1.0f}));
                QVERIFY((s.parsing[2] == sim::ParsingRow{3, 255, 8, 17, 1.23456789f}));
                QVERIFY((s.parsing[3] == sim::ParsingRow{4, 100, 6, 9, -2.5f}));
                QVERIFY((s.parsing[4] == sim::ParsingRow{0, 7, 0, 26, 1000.0f}));
            },
            "Button30",
            {{"Dcom1", Item(1)}, {"Dadr1", "16"},  {"Ddatalg1", "2"}, {"Dxieyi1", Item(3)},  {"Dxishu1", ".5"},
             {"Dcom2", Item(2)}, {"Dadr2", "0"},   {"Ddatalg2", "4"}, {"Dxieyi2", Item(0)},  {"Dxishu2", "1"},
             {"Dcom3", Item(3)}, {"Dadr3", "255"}, {"Ddatalg3", "8"}, {"Dxieyi3", Item(17)}, {"Dxishu3", "1.234568"},
             {"Dcom4", Item(4)}, {"Dadr4", "100"}, {"Ddatalg4", "6"}, {"Dxieyi4", Item(9)},  {"Dxishu4", "-2.5"},
             {"Dcom5", Item(0)}, {"Dadr5", "7"},   {"Ddatalg5", "0"}, {"Dxieyi5", Item(26)}, {"Dxishu5", "1000"}}};

        QTest::newRow("RS485 57600 even") << SetQueryCase{
            {{"ComboBox1", "57600"}, {"ComboBox2", "Even"}, {"Edit13", "0"}}, "Button17",
            [](const sim::ConverterState& s) {
                QCOMPARE(int(s.baudIndex), 6);
                QCOMPARE(int(s.parityIndex), 2);
                QCOMPARE(int(s.interval), 0);
            },
            "Button14", {{"ComboBox1", "57600"}, {"ComboBox2", "Even"}, {"Edit13", "0"}}};
        QTest::newRow("RS485 1200 odd") << SetQueryCase{
            {{"ComboBox1", "1200"}, {"ComboBox2", "Odd"}, {"Edit13", "255"}}, "Button17",
            [](const sim::ConverterState& s) {
                QCOMPARE(int(s.baudIndex), 0);
                QCOMPARE(int(s.parityIndex), 1);
                QCOMPARE(int(s.interval), 255);
            },
            "Button14", {{"ComboBox1", "1200"}, {"ComboBox2", "Odd"}, {"Edit13", "255"}}};

        const sim::AnalogChannel untouched{};
        QTest::newRow("AD1") << SetQueryCase{
            {{"AD1H", "25"}, {"AD1L", "5"}, {"AD1LD", "0"}, {"ADXSHOU1", "10000"}}, "Button13",
            [=](const sim::ConverterState& s) {
                QVERIFY(Same(s.analog[0], 25, 5, 0, 10000));
                QVERIFY(s.analog[1] == untouched && s.analog[2] == untouched && s.analog[3] == untouched);
            },
            "Button8", {{"AD1H", "25"}, {"AD1L", "5"}, {"AD1LD", "0"}, {"ADXSHOU1", "10000"}}};
        QTest::newRow("AD2") << SetQueryCase{
            {{"AD2H", "100.5"}, {"AD2L", "-10"}, {"AD2LD", "2.25"}, {"ADXSHOU2", "65535"}}, "Button40",
            [=](const sim::ConverterState& s) {
                QVERIFY(Same(s.analog[1], 100.5f, -10, 2.25f, 65535));
                QVERIFY(s.analog[0] == untouched && s.analog[2] == untouched && s.analog[3] == untouched);
            },
            "Button31", {{"AD2H", "100.5"}, {"AD2L", "-10"}, {"AD2LD", "2.25"}, {"ADXSHOU2", "65535"}}};
        QTest::newRow("AD3") << SetQueryCase{
            {{"AD3H", "0.1"}, {"AD3L", "-0.125"}, {"AD3LD", "1000000"}, {"ADXSHOU3", "0"}}, "Button20",
            [=](const sim::ConverterState& s) {
                QVERIFY(Same(s.analog[2], 0.1f, -0.125f, 1000000, 0));
                QVERIFY(s.analog[0] == untouched && s.analog[1] == untouched && s.analog[3] == untouched);
            },
            "Button21", {{"AD3H", "0.1000000014"}, {"AD3L", "-0.125"}, {"AD3LD", "1000000"}, {"ADXSHOU3", "0"}}};
        QTest::newRow("AD4") << SetQueryCase{
            {{"AD4H", "1e3"}, {"AD4L", "5"}, {"AD4LD", "12.5"}, {"ADXSHOU4", "1"}}, "Button22",
            [=](const sim::ConverterState& s) {
                QVERIFY(Same(s.analog[3], 1000, 5, 12.5f, 1));
                QVERIFY(s.analog[0] == untouched && s.analog[1] == untouched && s.analog[2] == untouched);
            },
            "Button24", {{"AD4H", "1000"}, {"AD4L", "5"}, {"AD4LD", "12.5"}, {"ADXSHOU4", "1"}}};

        QTest::newRow("mapping") << SetQueryCase{
            {{"Bianlan1", Item(5)}, {"WEI1", UnitItem(12)}, {"Bianlan2", Item(7)}, {"WEI2", UnitItem(7)},
             {"Bianlan3", Item(0)}, {"WEI3", UnitItem(32)}, {"Bianlan4", Item(8)}, {"WEI4", UnitItem(57)}},
            "Button23",
            [](const sim::ConverterState& s) {
                QVERIFY((s.mapping[0] == sim::VariableMapping{5, 12}));
                QVERIFY((s.mapping[1] == sim::VariableMapping{7, 7}));
                QVERIFY((s.mapping[2] == sim::VariableMapping{0, 32}));
                QVERIFY((s.mapping[3] == sim::VariableMapping{8, 57}));
            },
            "Button36",
            {{"Bianlan1", Item(5)}, {"WEI1", UnitItem(12)}, {"Bianlan2", Item(7)}, {"WEI2", UnitItem(7)},
             {"Bianlan3", Item(0)}, {"WEI3", UnitItem(32)}, {"Bianlan4", Item(8)}, {"WEI4", UnitItem(57)}}};
        // No unit chosen and "82_other" both send 0, which reads back as "82_other".
        QTest::newRow("mapping without units") << SetQueryCase{
            {{"Bianlan1", Item(1)}, {"WEI1", ""}, {"Bianlan2", Item(2)}, {"WEI2", Item(codec::kOtherUnitItem)},
             {"Bianlan3", Item(3)}, {"WEI3", UnitItem(48)}, {"Bianlan4", Item(4)}, {"WEI4", UnitItem(114)}},
            "Button23",
            [](const sim::ConverterState& s) {
                QVERIFY((s.mapping[0] == sim::VariableMapping{1, 0}));
                QVERIFY((s.mapping[1] == sim::VariableMapping{2, 0}));
                QVERIFY((s.mapping[2] == sim::VariableMapping{3, 48}));
                QVERIFY((s.mapping[3] == sim::VariableMapping{4, 114}));
            },
            "Button36",
            {{"WEI1", Item(codec::kOtherUnitItem)}, {"WEI2", Item(codec::kOtherUnitItem)}, {"WEI3", UnitItem(48)},
             {"WEI4", UnitItem(114)}}};
    }
    void setThenQueryReadsBack()
    {
        QFETCH(SetQueryCase, c);
        d->putAll(ValidInputs());
        d->putAll(c.typed);

        const std::int32_t sentBefore = d->form.Link().BytesSent();
        QCOMPARE(press(c.set), "Write successful!");
        QCOMPARE(rec.statuses.value(0), kD4);
        QVERIFY(d->form.Link().BytesSent() > sentBefore);
        QCOMPARE(d->text("Label56"), QString::number(d->form.Link().BytesSent()));
        c.deviceHas(StateOf(*d));
        if (QTest::currentTestFailed())
            return;

        Spoil(*d, c.readBack);
        QCOMPARE(press(c.query), "upload successful!");
        QCOMPARE(rec.statuses.value(0), "Uploading..!");
        CompareAll(*d, c.readBack);
    }

    // The units (and values) of the dynamic variables come from the mapping.
    void instrumentDataFollowsTheMapping()
    {
        d->putAll({{"Bianlan1", Item(5)}, {"WEI1", UnitItem(12)}, {"Bianlan2", Item(7)}, {"WEI2", UnitItem(7)},
                    {"Bianlan3", Item(0)}, {"WEI3", UnitItem(32)}, {"Bianlan4", Item(8)}, {"WEI4", UnitItem(57)}});
        QCOMPARE(press("Button4"), "upload successful!");
        QCOMPARE(codec::ItemToUnitCode(d->w<QComboBox>("ComboBox5")->currentIndex()), 32); // the old mapping

        QCOMPARE(press("Button23"), "Write successful!");
        QCOMPARE(press("Button4"), "upload successful!");
        QCOMPARE(codec::ItemToUnitCode(d->w<QComboBox>("ComboBox5")->currentIndex()), 12);
        QCOMPARE(codec::ItemToUnitCode(d->w<QComboBox>("ComboBox15")->currentIndex()), 7);
        QCOMPARE(codec::ItemToUnitCode(d->w<QComboBox>("ComboBox16")->currentIndex()), 32);
        QCOMPARE(codec::ItemToUnitCode(d->w<QComboBox>("ComboBox6")->currentIndex()), 57);
        // Inputs 5, 7, none and 8 of the simulated converter.
        QCOMPARE(d->text("Edit5"), "100");
        QCOMPARE(d->text("Edit17"), "25");
        QCOMPARE(d->text("Edit18"), "0.000");
        QCOMPARE(d->text("Edit30"), "0.5");
        // The range write sends the first variable's unit.
        QCOMPARE(int(d->form.Link().Buffer().keptUnitCode()), 12);
    }

    void rs485MarkerShowsLabel90()
    {
        auto* marker = d->w<QLabel>("Label90");
        for (const int flag : {1, 0, 1, 2}) {
            d->withDevice([&](sim::Device& dev) { dev.State().markerFlag = static_cast<std::uint8_t>(flag); });
            QCOMPARE(press("Button14"), "upload successful!");
            QCOMPARE(!marker->isHidden(), flag == 1);
        }
        // A write does not touch the marker; a failed read keeps it.
        d->withDevice([](sim::Device& dev) { dev.State().markerFlag = 1; });
        QCOMPARE(press("Button14"), "upload successful!");
        d->putAll(ValidInputs());
        QCOMPARE(press("Button17"), "Write successful!");
        QVERIFY(!marker->isHidden());
        d->withDevice([](sim::Device& dev) { dev.SetFault(173, {sim::FaultKind::BadChecksum, 0}); });
        QCOMPARE(press("Button14"), "upload failed!");
        QVERIFY(!marker->isHidden());
    }

    // -- Answers without their bytes ----------------------------------------

    void instrumentCommandAnswersAtTheEdges()
    {
        const Fields kept{{"COMEN1", "1-Open"}, {"Camd1", "AA BB "}, {"ACOMBY1", "11"}, {"ACOMBY2", "22"}};
        d->putAll(kept);
        // 255 stored bytes: the answer is cut at 253 data bytes, its count byte says 255.
        // The whole-frame check refuses it before the decoder's own count check
        // (which the converter unit tests cover): the answer outgrows the receive area.
        d->withDevice([](sim::Device& dev) { dev.State().instruments[0].bytes = Sequence(255); });
        QCOMPARE(press("Button11"), "upload failed!");
        CompareAll(*d, kept);

        // An enable byte beyond the list leaves it without a selection.
        d->withDevice([](sim::Device& dev) { dev.State().instruments[1] = {2, 0, 0, {0x01}}; });
        d->put("COMEN2", "1-Open");
        QCOMPARE(press("Button15"), "upload successful!");
        QCOMPARE(d->w<QComboBox>("COMEN2")->currentIndex(), -1);
        QCOMPARE(d->text("COMEN2"), "");
        QCOMPARE(d->text("Camd2"), "01 ");

        // A count of 0 is a command without bytes.
        d->withDevice([](sim::Device& dev) { dev.State().instruments[2] = {1, 0x12, 0x34, {}}; });
        d->put("Camd3", "STALE");
        QCOMPARE(press("Button25"), "upload successful!");
        CompareAll(*d, {{"COMEN3", "1-Open"}, {"Camd3", ""}, {"CCOMBY1", "12"}, {"CCOMBY2", "34"}});
    }

    // A byte beyond a list (newer firmware) shows no selection; a Set of the
    // list as the Query left it gives the device its own byte back, not 255.
    void listByteBeyondTheListIsSentBack_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("set");
        QTest::addColumn<Poke>("poke");
        QTest::addColumn<int>("offset"); // of the list's byte in the Set's data
        QTest::addColumn<int>("beyond"); // the device's byte
        QTest::addColumn<int>("picked"); // -1: the user leaves the list alone
        struct Control {
            const char* name;
            const char* list;
            const char* query;
            const char* set;
            Poke poke;
            int offset;
            std::uint8_t beyond;
        };
        const Control controls[] = {
            {"enable", "COMEN1", "Button11", "Button12",
             [](sim::ConverterState& s, std::uint8_t b) { s.instruments[0].enable = b; }, 0, 7},
            {"command number", "Dcom2", "Button30", "Button19",
             [](sim::ConverterState& s, std::uint8_t b) { s.parsing[1].command = b; }, 8, 9},
            {"parsing format", "Dxieyi3", "Button30", "Button19",
             [](sim::ConverterState& s, std::uint8_t b) { s.parsing[2].format = b; }, 19, 40},
            {"baud", "ComboBox1", "Button14", "Button17",
             [](sim::ConverterState& s, std::uint8_t b) { s.baudIndex = b; }, 0, 12},
            {"parity", "ComboBox2", "Button14", "Button17",
             [](sim::ConverterState& s, std::uint8_t b) { s.parityIndex = b; }, 1, 5},
            {"channel", "Bianlan2", "Button36", "Button23",
             [](sim::ConverterState& s, std::uint8_t b) { s.mapping[1].channel = b; }, 2, 11},
        };
        for (const Control& c : controls) {
            QTest::addRow("%s unchanged", c.name) << c.list << c.query << c.set << c.poke << c.offset << int(c.beyond) << -1;
            QTest::addRow("%s picked", c.name) << c.list << c.query << c.set << c.poke << c.offset << int(c.beyond) << 1;
        }
    }
    void listByteBeyondTheListIsSentBack()
    {
        QFETCH(QString, list);
        QFETCH(QString, query);
        QFETCH(QString, set);
        QFETCH(Poke, poke);
        QFETCH(int, offset);
        QFETCH(int, beyond);
        QFETCH(int, picked);
        d->putAll(ValidInputs());
        d->withDevice([&](sim::Device& dev) { poke(dev.State(), static_cast<std::uint8_t>(beyond)); });
        QCOMPARE(press(query), "upload successful!");
        auto* combo = d->w<QComboBox>(list.toLatin1());
        QCOMPARE(combo->currentIndex(), -1);
        if (picked >= 0) {
            combo->setCurrentIndex(picked);
            emit combo->activated(picked); // as the user's pick does
        }
        // The simulated converter knows only the window's lists: it refuses the byte, but the frame carries it.
        const QString outcome = press(set);
        QVERIFY2(outcome.startsWith("Write"), qPrintable(outcome));
        const auto data = SentData(*d);
        QVERIFY(offset < int(data.size()));
        QCOMPARE(int(data[std::size_t(offset)]), picked >= 0 ? picked : beyond);
    }

    // A unit code without an item of its own shows as "82_other"; a Set the user
    // did not touch sends the device's code back, not 0.
    void unitCodeWithoutItemIsSentBack_data()
    {
        QTest::addColumn<int>("picked"); // -1: the user leaves the list alone
        QTest::addColumn<int>("sent");
        QTest::newRow("unchanged") << -1 << 200;
        QTest::newRow("picked 01_inHg") << 1 << int(codec::ItemToUnitCode(1));
    }
    void unitCodeWithoutItemIsSentBack()
    {
        QFETCH(int, picked);
        QFETCH(int, sent);
        d->putAll(ValidInputs());
        d->withDevice([](sim::Device& dev) { dev.State().mapping[1].unit = 200; });
        QCOMPARE(press("Button36"), "upload successful!");
        auto* combo = d->w<QComboBox>("WEI2");
        QCOMPARE(combo->currentIndex(), codec::UnitCodeToItem(200));
        if (picked >= 0) {
            combo->setCurrentIndex(picked);
            emit combo->activated(picked);
        }
        QCOMPARE(press("Button23"), "Write successful!");
        QCOMPARE(int(SentData(*d)[3]), sent);
    }

    void queryRefusedKeepsTheFields_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("fault");
        QTest::addColumn<Fields>("kept");

        const int code7 = int(sim::FaultKind::ResponseCode);
        const int cut = int(sim::FaultKind::Truncated);
        QTest::newRow("instrument 4, code 7") << "Button35" << code7
                                              << Fields{{"COMEN4", "1-Open"}, {"Camd4", "01 "}, {"DCOMBY1", "AB"}};
        QTest::newRow("parsing, cut short") << "Button30" << cut
                                            << Fields{{"Dadr2", "99"}, {"Dxishu5", "7.5"}, {"Dxieyi3", Item(12)}};
        QTest::newRow("RS485, code 7") << "Button14" << code7 << Fields{{"ComboBox1", "2400"}, {"Edit13", "77"}};
        QTest::newRow("AD3, cut short") << "Button21" << cut << Fields{{"AD3H", "9"}, {"ADXSHOU3", "5"}};
        QTest::newRow("mapping, code 7") << "Button36" << code7 << Fields{{"Bianlan2", Item(3)}, {"WEI2", UnitItem(49)}};
    }
    void queryRefusedKeepsTheFields()
    {
        QFETCH(QString, query);
        QFETCH(int, fault);
        QFETCH(Fields, kept);
        d->putAll(kept);
        const std::uint8_t command = hart::FindRequest(query.toStdString())->command;
        d->withDevice([&](sim::Device& dev) { dev.SetFault(command, {static_cast<sim::FaultKind>(fault), 7}); });
        QCOMPARE(press(query), "upload failed!");
        CompareAll(*d, kept);
    }

    void setRefusedByTheDevice_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<int>("responseCode"); // forced on every command; 0: the device's own judgement
        QTest::addColumn<QString>("shown");
        for (const char* b : {"Button12", "Button5", "Button26", "Button41", "Button19", "Button17", "Button13",
                              "Button40", "Button20", "Button22", "Button23"})
            QTest::addRow("%s, code 7", b) << QString(b) << Fields{} << 7 << "Write failed!Write protect!";
        // Lists without a selection send 255, which the device refuses.
        const QString restricted = "Write failed!Channel restricted!";
        QTest::newRow("no enable chosen") << "Button12" << Fields{{"COMEN1", ""}} << 0 << restricted;
        QTest::newRow("no command number chosen") << "Button19" << Fields{{"Dcom4", ""}} << 0 << restricted;
        QTest::newRow("no parsing format chosen") << "Button19" << Fields{{"Dxieyi2", ""}} << 0 << restricted;
        QTest::newRow("no baud rate chosen") << "Button17" << Fields{{"ComboBox1", ""}} << 0 << restricted;
        QTest::newRow("no input channel chosen") << "Button23" << Fields{{"Bianlan3", ""}} << 0 << restricted;
    }
    void setRefusedByTheDevice()
    {
        QFETCH(QString, set);
        QFETCH(Fields, typed);
        QFETCH(int, responseCode);
        QFETCH(QString, shown);
        d->putAll(ValidInputs());
        // Values the device does not hold yet, so that an accepted write would show.
        d->putAll({{"Edit13", "99"}, {"Dadr1", "99"}, {"AD1H", "99"}, {"AD2H", "99"}, {"AD3H", "99"}, {"AD4H", "99"},
                    {"Bianlan1", Item(8)}, {"COMEN1", "1-Open"}, {"COMEN2", "1-Open"}, {"Dcom4", Item(1)},
                    {"Dxieyi2", Item(1)}, {"ComboBox1", "9600"}, {"Bianlan3", Item(1)}});
        d->putAll(typed);
        if (responseCode != 0)
            d->withDevice([&](sim::Device& dev) { dev.SetFault(std::nullopt, {sim::FaultKind::ResponseCode, responseCode}); });
        const sim::ConverterState was = StateOf(*d);
        QCOMPARE(press(set), shown);
        QVERIFY(rec.steps.contains("write"));
        QVERIFY(StateOf(*d) == was);
    }

    // -- Input refused before anything is sent --------------------------------

    // The instrument commands' own refusals come in a message box; a return byte
    // too short for two digits is a conversion error.
    void instrumentCommandInputRefused_data()
    {
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("message"); // in the message box
        QTest::addColumn<QString>("error");   // in the error box
        QTest::addColumn<bool>("statusWritten");

        QTest::newRow("no separators") << Fields{{"Camd1", "010300000002"}} << "Button12" << "NO SPACK" << "" << false;
        QTest::newRow("empty") << Fields{{"Camd2", ""}} << "Button5" << "NO SPACK" << "" << false;
        QTest::newRow("one character") << Fields{{"Camd3", "0"}} << "Button26" << "NO SPACK" << "" << false;
        QTest::newRow("comma between bytes") << Fields{{"Camd4", "01,03"}} << "Button41" << "NO SPACK" << "" << false;
        QTest::newRow("lower-case digit") << Fields{{"Camd1", "01 03 0a"}} << "Button12" << "Data eeore!" << "" << false;
        QTest::newRow("blank for a digit") << Fields{{"Camd2", "01 0 3"}} << "Button5" << "Data eeore!" << "" << false;
        QTest::newRow("half a CRC") << Fields{{"Camd1", "01 03 00 00 00 02 C4 0"}} << "Button12" << "Data eeore!" << ""
                                    << false;
        QTest::newRow("21 groups") << Fields{{"Camd1", Groups(21)}} << "Button12"
                                   << "Too many bytes: this command holds at most 20." << "" << false;
        QTest::newRow("16 groups") << Fields{{"Camd3", Groups(16)}} << "Button26"
                                   << "Too many bytes: this command holds at most 15." << "" << false;
        QTest::newRow("return byte not hex") << Fields{{"ACOMBY1", "zz"}} << "Button12" << "Data eeore!" << "" << true;
        QTest::newRow("return byte lower case") << Fields{{"DCOMBY2", "a5"}} << "Button41" << "Data eeore!" << "" << true;
        QTest::newRow("return byte 1G") << Fields{{"BCOMBY1", "1G"}} << "Button5" << "Data eeore!" << "" << true;
        QTest::newRow("return byte one digit") << Fields{{"CCOMBY2", "7"}} << "Button26" << ""
                                               << "'7' is not a valid integer value" << true;
    }
    void instrumentCommandInputRefused()
    {
        QFETCH(Fields, typed);
        QFETCH(QString, set);
        QFETCH(QString, message);
        QFETCH(QString, error);
        QFETCH(bool, statusWritten);
        QCOMPARE(press("Button11"), "upload successful!"); // a known status to keep
        d->putAll(ValidInputs());
        d->putAll(typed);
        const sim::ConverterState was = StateOf(*d);
        const std::int32_t sent = d->form.Link().BytesSent();

        QCOMPARE(press(set), statusWritten ? kD4 : "upload successful!");
        QCOMPARE(d->messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(d->errors, error.isEmpty() ? QStringList{} : QStringList{error});
        QVERIFY(rec.steps.isEmpty());
        QCOMPARE(d->form.Link().BytesSent(), sent);
        QCOMPARE(d->form.Link().PendingRequest(), 0);
        QVERIFY(!d->form.Link().Timer3().isActive());
        QVERIFY(StateOf(*d) == was);
    }

    void numberRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("message");

        for (int r = 1; r <= 5; ++r) {
            const QString n = QString::number(r);
            QTest::addRow("Dadr%d 256", r) << "Dadr" + n << "256" << "Button19" << "'256' is out of range (0..255)";
            QTest::addRow("Ddatalg%d -1", r) << "Ddatalg" + n << "-1" << "Button19" << "'-1' is out of range (0..255)";
        }
        QTest::newRow("Edit13 256") << "Edit13" << "256" << "Button17" << "'256' is out of range (0..255)";
        const char* analogSets[] = {"Button13", "Button40", "Button20", "Button22"};
        for (int r = 1; r <= 4; ++r)
            QTest::addRow("ADXSHOU%d 65536", r) << "ADXSHOU" + QString::number(r) << "65536" << analogSets[r - 1]
                                                << "'65536' is out of range (0..65535)";
        QTest::newRow("ADXSHOU1 -1") << "ADXSHOU1" << "-1" << "Button13" << "'-1' is out of range (0..65535)";
        // Conversions.
        QTest::newRow("Dadr3 empty") << "Dadr3" << "" << "Button19" << "'' is not a valid integer value";
        QTest::newRow("Ddatalg4 4.5") << "Ddatalg4" << "4.5" << "Button19" << "'4.5' is not a valid integer value";
        QTest::newRow("Dxishu2 abc") << "Dxishu2" << "abc" << "Button19" << "'abc' is not a valid floating point value";
        QTest::newRow("Edit13 ten") << "Edit13" << "ten" << "Button17" << "'ten' is not a valid integer value";
        QTest::newRow("AD2H empty") << "AD2H" << "" << "Button40" << "'' is not a valid floating point value";
        QTest::newRow("AD4LD 1.2.3") << "AD4LD" << "1.2.3" << "Button22" << "'1.2.3' is not a valid floating point value";
        QTest::newRow("AD1H beyond a single") << "AD1H" << "1e39" << "Button13"
                                              << "'1e39' is not a valid floating point value";
        QTest::newRow("Dxishu1 inf") << "Dxishu1" << "inf" << "Button19" << "'inf' is not a valid floating point value";
        QTest::newRow("ADXSHOU3 1.5") << "ADXSHOU3" << "1.5" << "Button20" << "'1.5' is not a valid integer value";
    }
    void numberRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, set);
        QFETCH(QString, message);
        d->putAll(ValidInputs());
        d->put(field, value);
        const sim::ConverterState was = StateOf(*d);
        const std::int32_t sent = d->form.Link().BytesSent();
        const QString shownSent = d->text("Label56");

        QCOMPARE(press(set), kD4);
        QCOMPARE(rec.statuses, QStringList{kD4});
        QCOMPARE(d->errors, QStringList{message});
        QVERIFY(d->messages.isEmpty());
        QVERIFY(rec.steps.isEmpty());
        QCOMPARE(d->form.Link().BytesSent(), sent);
        QCOMPARE(d->text("Label56"), shownSent);
        QCOMPARE(d->form.Link().PendingRequest(), 0);
        QVERIFY(!d->form.Link().Timer3().isActive());
        QVERIFY(StateOf(*d) == was);
    }

    // -- Counters -------------------------------------------------------------

    void countersAfterAKnownSequence()
    {
        WindowDriver w;
        QVERIFY(w.open());
        struct Step {
            const char* button;
            const char* outcome;
            const char* sent; // running totals
            const char* received;
        };
        // Requests: 17 + data with eight preambles, 19 + n for an instrument command.
        // Answers: 5 preambles + 12 framing bytes + data (writes echo their data).
        const Step steps[] = {
            {"Button3", "upload successful!", "11", "24"},
            {"Button12", "Write successful!", "36", "50"},
            {"Button19", "Write successful!", "93", "106"},
            {"Button23", "Write successful!", "118", "130"},
            {"Button11", "upload successful!", "135", "156"},
            {"Button17", "Write successful!", "155", "175"},
        };
        w.putAll(ValidInputs());
        for (const Step& s : steps) {
            QCOMPARE(w.press(s.button), s.outcome);
            QCOMPARE(w.text("Label56"), s.sent);
            QCOMPARE(w.text("Label67"), s.received);
        }
        QCOMPARE(w.text("Camd1"), "01 03 00 00 00 02 ");
    }
};

QTEST_MAIN(TestConverterE2e)
#include "test_converter_e2e.moc"

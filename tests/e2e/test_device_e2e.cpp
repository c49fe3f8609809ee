// The standard device operations in the real window against the simulated
// converter: every Query shows what the device holds, every Set reaches the
// device (checked on its state, not only on the window) and reads back.
#include "app/combo_index.h"
#include "support/window_fixture.h"
#include "tests/serial/pty_pair.h"

#include <QRadioButton>

#include <functional>
#include <memory>
#include <string>

using testing::CompareAll;
using testing::Recorder;
using testing::StateOf;
using testing::WindowDriver;

namespace {

using Fields = WindowDriver::Fields;
using DeviceCheck = std::function<void(const sim::ConverterState&)>;

constexpr const char* kD4 = "Please wait, it is currently being downloaded....";
constexpr const char* kD5 = "Please wait, it is currently being downloaded.....";

QString Padded(const char* text, int width) { return QString(text).leftJustified(width, ' '); }

// The text each Set writes while it sends.
QString SendingStatus(const QString& set)
{
    for (const char* d5 : {"Button29", "Button33", "Button39", "Button37", "Button18"})
        if (set == d5)
            return kD5;
    return kD4;
}

std::uint8_t CommandOf(const QString& button) { return hart::FindRequest(button.toStdString())->command; }

// Controls that every Set reads, filled with values that convert.
const Fields kValidInputs{
    {"Edit21", "MESSAGE"}, {"Edit22", "TAG"},      {"Edit23", "DESCRIPTOR"}, {"Edit24", "2020"},
    {"Edit25", "6"},       {"Edit29", "1"},        {"Edit26", "1000"},       {"Edit28", "66051"},
    {"Edit8", "LONG TAG"}, {"Edit9", "5"},         {"Edit10", "38"},         {"Edit11", "20"},
    {"Edit12", "4"},       {"Edit7", "10"},        {"ComboBox3", "0"},       {"RadioButton1", "1"},
};

struct SetQueryCase {
    std::function<void(sim::ConverterState&)> preset; // the device before the Set
    QStringList before; // pressed first (a range is written only after it was read)
    Fields typed;
    QString set;
    QString setStatus;
    DeviceCheck deviceHas;
    QString query;
    Fields readBack;
};

} // namespace

Q_DECLARE_METATYPE(SetQueryCase)
Q_DECLARE_METATYPE(DeviceCheck)

// The shared window serves the tests that leave the device's addresses alone.
class TestDeviceE2e : public QObject, testing::SharedWindow {
    Q_OBJECT

    // Steady values, so that every text can be known in advance.
    static void Steady(sim::ConverterState& s)
    {
        s = sim::ConverterState{};
        s.driftAmplitude = 0.0f;
        s.inputValues[1] = 16.0f; // loop current 16 mA, 75 %
    }

private slots:
    void initTestCase() { openShared(); }

    void init()
    {
        reset(Steady);
        d->form.Link().Timer3().setInterval(3000);
    }

    void cleanupTestCase() { d.reset(); }

    // -- Queries ---------------------------------------------------------------

    void queryShowsTheDevicesValues_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("sendStatus");
        QTest::addColumn<Fields>("shown");

        QTest::newRow("current") << "Button34" << "Uploading..!" << Fields{{"Edit6", "16"}, {"Edit20", "75"}};
        QTest::newRow("dynamic variables")
            << "Button4" << "Uploading..!"
            << Fields{{"Edit5", "16"},        {"Edit17", "3.5"},       {"Edit18", "42.25"},     {"Edit30", "7"},
                      {"ComboBox5", "12_℃"}, {"ComboBox15", "79_mA"}, {"ComboBox16", "75_%"}, {"ComboBox6", "78_250"}};
        QTest::newRow("range") << "Button9" << "Uploading..!" << Fields{{"Edit11", "250"}, {"Edit12", "-50"}};
        QTest::newRow("message") << "Button28" << "Uploading..!"
                                 << Fields{{"Edit21", Padded("SIMULATED CONVERTER MESSAGE", 32)}};
        QTest::newRow("tag, descriptor, date")
            << "Button32" << "Uploading...!"
            << Fields{{"Edit22", "SIM-TAG1"}, {"Edit23", "DESCRIPTOR OF IT"}, {"Edit29", "3"}, {"Edit25", "11"},
                      {"Edit24", "1999"}};
        QTest::newRow("final assembly number") << "Button38" << "Uploading...!" << Fields{{"Edit26", "1234567"}};
        QTest::newRow("long tag") << "Button2" << "Uploading...!" << Fields{{"Edit8", "SIMULATED LONG TAG"}};
        QTest::newRow("internal parameters") << "Button16" << "Uploading...!"
                                             << Fields{{"Edit9", "5"}, {"Edit10", "38"}};
    }
    void queryShowsTheDevicesValues()
    {
        QFETCH(QString, query);
        QFETCH(QString, sendStatus);
        QFETCH(Fields, shown);
        d->withDevice([&](sim::Device& dev) {
            auto& s = dev.State();
            s.inputValues[2] = 3.5f;
            s.inputValues[3] = 42.25f;
            s.inputValues[4] = 7.0f;
            s.message = "SIMULATED CONVERTER MESSAGE";
            s.tag = "SIM-TAG1";
            s.descriptor = "DESCRIPTOR OF IT";
            s.date = {3, 11, 99};
            s.finalAssembly = 1234567;
            s.longTag = {};
            const std::string longTag = "SIMULATED LONG TAG";
            std::copy(longTag.begin(), longTag.end(), s.longTag.begin());
            // Command 2 follows the range: keep 4..20 for it.
            if (query != "Button34") {
                s.rangeUnit = 12;
                s.upperRange = 250.0f;
                s.lowerRange = -50.0f;
            }
        });
        // Whatever the fields held before must give way to the answer.
        for (const auto& [name, value] : shown)
            d->put(name, name.startsWith("ComboBox") ? "" : "STALE");

        QCOMPARE(press(query), "upload successful!");
        QCOMPARE(rec.statuses.value(0), sendStatus);
        CompareAll(*d, shown);
        if (query == "Button9") {
            QVERIFY(d->w<QPushButton>("Button10")->isEnabled());
            QCOMPARE(int(d->form.Link().Buffer().keptUnitCode()), 12); // what the range write sends back
        }
    }

    // -- Set, then Query ---------------------------------------------------------

    void setThenQueryReadsBack_data()
    {
        QTest::addColumn<SetQueryCase>("c");

        QTest::newRow("message") << SetQueryCase{
            {}, {}, {{"Edit21", "NEW MESSAGE FOR THE LOOP"}}, "Button29", kD5,
            [](const sim::ConverterState& s) { QCOMPARE(QString::fromStdString(s.message), Padded("NEW MESSAGE FOR THE LOOP", 32)); },
            "Button28", {{"Edit21", Padded("NEW MESSAGE FOR THE LOOP", 32)}}};
        // Six-bit text: lower case comes back as the characters 0x40 below it.
        QTest::newRow("message in lower case") << SetQueryCase{
            {}, {}, {{"Edit21", "hart"}}, "Button29", kD5,
            [](const sim::ConverterState& s) { QCOMPARE(QString::fromStdString(s.message), Padded("(!24", 32)); },
            "Button28", {{"Edit21", Padded("(!24", 32)}}};
        QTest::newRow("message of 40 characters") << SetQueryCase{
            {}, {}, {{"Edit21", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-*/"}}, "Button29", kD5,
            [](const sim::ConverterState& s) { QCOMPARE(QString::fromStdString(s.message), "0123456789ABCDEFGHIJKLMNOPQRSTUV"); },
            "Button28", {{"Edit21", "0123456789ABCDEFGHIJKLMNOPQRSTUV"}}};
        QTest::newRow("tag, descriptor, date") << SetQueryCase{
            {}, {},
            {{"Edit22", "TT-101"}, {"Edit23", "FLOW LOOP 7"}, {"Edit29", "29"}, {"Edit25", "2"}, {"Edit24", "2024"}},
            "Button33", kD5,
            [](const sim::ConverterState& s) {
                QCOMPARE(QString::fromStdString(s.tag), "TT-101  ");
                QCOMPARE(QString::fromStdString(s.descriptor), "FLOW LOOP 7     ");
                QCOMPARE(int(s.date[0]), 29);
                QCOMPARE(int(s.date[1]), 2);
                QCOMPARE(int(s.date[2]), 124);
            },
            "Button32",
            {{"Edit22", "TT-101  "}, {"Edit23", "FLOW LOOP 7     "}, {"Edit29", "29"}, {"Edit25", "2"}, {"Edit24", "2024"}}};
        QTest::newRow("empty tag and descriptor, last year") << SetQueryCase{
            {}, {}, {{"Edit22", ""}, {"Edit23", ""}, {"Edit29", "31"}, {"Edit25", "12"}, {"Edit24", "2155"}},
            "Button33", kD5,
            [](const sim::ConverterState& s) {
                QCOMPARE(QString::fromStdString(s.tag), Padded("", 8));
                QCOMPARE(QString::fromStdString(s.descriptor), Padded("", 16));
                QCOMPARE(int(s.date[2]), 255);
            },
            "Button32",
            {{"Edit22", Padded("", 8)}, {"Edit23", Padded("", 16)}, {"Edit29", "31"}, {"Edit25", "12"}, {"Edit24", "2155"}}};
        QTest::newRow("final assembly number") << SetQueryCase{
            {}, {}, {{"Edit26", "16777215"}}, "Button39", kD5,
            [](const sim::ConverterState& s) { QCOMPARE(s.finalAssembly, 16777215u); },
            "Button38", {{"Edit26", "16777215"}}};
        QTest::newRow("long tag") << SetQueryCase{
            {}, {}, {{"Edit8", "LongTag of the converter"}}, "Button18", kD5,
            [](const sim::ConverterState& s) {
                QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.longTag.data()), 32),
                         QByteArray("LongTag of the converter").leftJustified(32, '\0'));
            },
            "Button2", {{"Edit8", "LongTag of the converter"}}};
        QTest::newRow("long tag of 40 bytes") << SetQueryCase{
            {}, {}, {{"Edit8", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd"}}, "Button18", kD5,
            [](const sim::ConverterState& s) {
                QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.longTag.data()), 32),
                         QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"));
            },
            "Button2", {{"Edit8", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"}}};
        QTest::newRow("long tag with accents") << SetQueryCase{
            {}, {}, {{"Edit8", "Température 25°C"}}, "Button18", kD5,
            [](const sim::ConverterState& s) {
                QCOMPARE(QByteArray(reinterpret_cast<const char*>(s.longTag.data()), 32),
                         QByteArray("Temp\xE9rature 25\xB0" "C").leftJustified(32, '\0'));
            },
            "Button2", {{"Edit8", "Température 25°C"}}};
        QTest::newRow("range") << SetQueryCase{
            {}, {"Button9"}, {{"Edit11", "150.5"}, {"Edit12", "-25"}}, "Button10", kD4,
            [](const sim::ConverterState& s) {
                QCOMPARE(s.upperRange, 150.5f);
                QCOMPARE(s.lowerRange, -25.0f);
                QCOMPARE(int(s.rangeUnit), 32); // the unit the read brought, sent back
            },
            "Button9", {{"Edit11", "150.5"}, {"Edit12", "-25"}}};
        QTest::newRow("fixed current 12 mA") << SetQueryCase{
            {}, {}, {{"RadioButton3", "1"}}, "Button6", kD4,
            [](const sim::ConverterState& s) { QVERIFY(s.fixedCurrent == 12.0f); },
            "Button34", {{"Edit6", "12"}, {"Edit20", "50"}}};
        QTest::newRow("fixed current typed") << SetQueryCase{
            {}, {}, {{"RadioButton6", "1"}, {"Edit7", "5.5"}}, "Button6", kD4,
            [](const sim::ConverterState& s) { QVERIFY(s.fixedCurrent == 5.5f); },
            "Button34", {{"Edit6", "5.5"}, {"Edit20", "9.375"}}};
        QTest::newRow("exit fixed mode") << SetQueryCase{
            [](sim::ConverterState& s) { s.fixedCurrent = 8.0f; }, {}, {{"RadioButton7", "1"}}, "Button6", kD4,
            [](const sim::ConverterState& s) { QVERIFY(!s.fixedCurrent); },
            "Button34", {{"Edit6", "16"}, {"Edit20", "75"}}};
    }
    void setThenQueryReadsBack()
    {
        QFETCH(SetQueryCase, c);
        if (c.preset)
            d->withDevice([&](sim::Device& dev) { c.preset(dev.State()); });
        for (const QString& b : c.before)
            QCOMPARE(press(b), "upload successful!");
        d->putAll(c.typed);

        const std::int32_t sentBefore = d->form.Link().BytesSent();
        QCOMPARE(press(c.set), "Write successful!");
        QCOMPARE(rec.statuses.value(0), c.setStatus);
        QVERIFY(d->form.Link().BytesSent() > sentBefore);
        QCOMPARE(d->text("Label56"), QString::number(d->form.Link().BytesSent()));
        c.deviceHas(StateOf(*d));
        if (QTest::currentTestFailed())
            return;

        // Only the answer can bring the values back into the fields.
        for (const auto& [name, value] : c.readBack)
            d->put(name, "STALE");
        QCOMPARE(press(c.query), "upload successful!");
        CompareAll(*d, c.readBack);
    }

    // Read and written back unchanged, the long tag keeps every byte the device had.
    void longTagRoundTripKeepsTheBytes()
    {
        std::array<std::uint8_t, 32> bytes{};
        for (std::size_t k = 0; k < bytes.size(); ++k)
            bytes[k] = static_cast<std::uint8_t>(0xE0 + k); // none of it is UTF-8
        d->withDevice([&](sim::Device& dev) { dev.State().longTag = bytes; });
        QCOMPARE(press("Button2"), "upload successful!");
        QCOMPARE(d->text("Edit8").size(), 32);
        d->withDevice([](sim::Device& dev) { dev.State().longTag = {}; });
        QCOMPARE(press("Button18"), "Write successful!");
        QVERIFY(StateOf(*d).longTag == bytes);
    }

    // Control bytes from the device are shown escaped; written back unchanged,
    // the device's own bytes go out (a backslash is not doubled), and a tag
    // with control bytes is refused before anything is sent.
    void longTagShownEscaped_data()
    {
        QTest::addColumn<QByteArray>("tag");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("refused");
        QTest::newRow("ESC BEL LF") << QByteArray("A\x1B[2J\x07" "B\nC") << QString("A\\x1B[2J\\x07B\\x0AC") << true;
        QTest::newRow("C1 byte") << QByteArray("X\x9BY") << QString("X\\x9BY") << true;
        QTest::newRow("backslash") << QByteArray("C:\\TAG") << QString("C:\\\\TAG") << false;
    }
    void longTagShownEscaped()
    {
        QFETCH(QByteArray, tag);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        std::array<std::uint8_t, 32> bytes{};
        std::copy(tag.begin(), tag.end(), bytes.begin());
        d->withDevice([&](sim::Device& dev) { dev.State().longTag = bytes; });
        QCOMPARE(press("Button2"), "upload successful!");
        QCOMPARE(d->text("Edit8"), shown);

        d->withDevice([](sim::Device& dev) { dev.State().longTag = {}; });
        const std::int32_t sentBefore = d->form.Link().BytesSent();
        const QString outcome = press("Button18");
        if (refused) {
            QCOMPARE(d->errors.size(), 1);
            QCOMPARE(d->form.Link().BytesSent(), sentBefore);
            QVERIFY((StateOf(*d).longTag == std::array<std::uint8_t, 32>{}));
        } else {
            QCOMPARE(outcome, "Write successful!");
            QVERIFY(StateOf(*d).longTag == bytes);
        }
    }

    // -- Sets that move the device's address ---------------------------------

    // The serial number and the internal parameters are part of the long
    // address: the cache no longer reaches the device until it is identified again.
    void setMovesTheLongAddress_data()
    {
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<QString>("set");
        QTest::addColumn<DeviceCheck>("deviceHas");
        // Then: the time-out of the query, the communication test, the query again.
        QTest::addColumn<Fields>("identified");
        QTest::addColumn<QString>("query");
        QTest::addColumn<Fields>("readBack");

        QTest::newRow("serial number")
            << Fields{{"Edit28", "654321"}} << "Button37"
            << DeviceCheck([](const sim::ConverterState& s) {
                   QCOMPARE(int(s.deviceId[0]), 0x09);
                   QCOMPARE(int(s.deviceId[1]), 0xFB);
                   QCOMPARE(int(s.deviceId[2]), 0xF1);
               })
            << Fields{{"Edit4", "654321"}, {"Edit28", "654321"}, {"Edit1", "38"}, {"Edit2", "5"}} << "Button38"
            << Fields{{"Edit26", "66051"}};
        QTest::newRow("serial number 16777215")
            << Fields{{"Edit28", "16777215"}} << "Button37"
            << DeviceCheck([](const sim::ConverterState& s) {
                   QVERIFY((s.deviceId == std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xFF}));
               })
            << Fields{{"Edit4", "16777215"}, {"Edit28", "16777215"}} << "Button2" << Fields{{"Edit8", "DT"}};
        QTest::newRow("internal parameters")
            << Fields{{"Edit9", "7"}, {"Edit10", "40"}} << "Button7"
            << DeviceCheck([](const sim::ConverterState& s) {
                   QCOMPARE(int(s.deviceType), 7);
                   QCOMPARE(int(s.manufacturerId), 40);
               })
            << Fields{{"Edit1", "40"}, {"Edit2", "7"}, {"Edit4", "66051"}} << "Button16"
            << Fields{{"Edit9", "7"}, {"Edit10", "40"}};
        // Only six bits of the manufacturer code are address bits.
        QTest::newRow("internal parameters, manufacturer 200")
            << Fields{{"Edit9", "255"}, {"Edit10", "200"}} << "Button7"
            << DeviceCheck([](const sim::ConverterState& s) {
                   QCOMPARE(int(s.deviceType), 255);
                   QCOMPARE(int(s.manufacturerId), 200);
               })
            << Fields{{"Edit1", "200"}, {"Edit2", "255"}} << "Button38" << Fields{{"Edit26", "66051"}};
    }
    void setMovesTheLongAddress()
    {
        QFETCH(Fields, typed);
        QFETCH(QString, set);
        QFETCH(DeviceCheck, deviceHas);
        QFETCH(Fields, identified);
        QFETCH(QString, query);
        QFETCH(Fields, readBack);

        WindowDriver w;
        Recorder r;
        r.attach(w);
        QVERIFY(w.open());
        w.withDevice([](sim::Device& dev) { dev.State().driftAmplitude = 0.0f; });
        QCOMPARE(w.identify(), "upload successful!");
        w.putAll(typed);
        r.clear();
        QCOMPARE(w.press(set.toLatin1()), "Write successful!");
        QCOMPARE(r.statuses.value(0), SendingStatus(set));
        deviceHas(StateOf(w));
        if (QTest::currentTestFailed())
            return;

        // The time-out's length is not what this checks.
        w.form.Link().Timer3().setInterval(500);
        for (const auto& [name, value] : readBack)
            w.put(name, "STALE");
        QCOMPARE(w.press(query.toLatin1()), "Upload data timeout!");

        w.form.Link().Timer3().setInterval(3000);
        QCOMPARE(w.identify(), "upload successful!");
        CompareAll(w, identified);
        QCOMPARE(w.press(query.toLatin1()), "upload successful!");
        CompareAll(w, readBack);
    }

    // The polling address is the short address: long frames still reach the
    // device, and the window follows it so that the communication test does too.
    void pollingAddressMovesTheCommunicationTest_data()
    {
        QTest::addColumn<int>("address");
        QTest::newRow("3") << 3;
        QTest::newRow("15") << 15;
    }
    void pollingAddressMovesTheCommunicationTest()
    {
        QFETCH(int, address);
        WindowDriver w;
        QVERIFY(w.open());
        QCOMPARE(w.identify(), "upload successful!");
        QCOMPARE(w.text("ComboBox3"), "0");

        w.put("ComboBox3", QString::number(address));
        QCOMPARE(w.press("Button27"), "Write successful!");
        QCOMPARE(int(StateOf(w).pollAddress), address);
        QCOMPARE(w.text("ComboBox9"), QString::number(address));
        QCOMPARE(w.press("Button38"), "upload successful!");
        QCOMPARE(w.identify(), "upload successful!");
        QCOMPARE(w.text("ComboBox3"), QString::number(address));
        QCOMPARE(w.text("Edit1"), "38");

        // Refused by the device: the window stays where the device is.
        w.withDevice([](sim::Device& dev) { dev.SetFault(6, {sim::FaultKind::ResponseCode, 7}); });
        w.put("ComboBox3", "0");
        QVERIFY(w.press("Button27").startsWith("Write failed!"));
        QCOMPARE(w.text("ComboBox9"), QString::number(address));
        w.withDevice([](sim::Device& dev) { dev.ClearFaults(); });

        // Back to 0 through the window, and the test at 0 works again.
        QCOMPARE(w.press("Button27"), "Write successful!");
        QCOMPARE(int(StateOf(w).pollAddress), 0);
        QCOMPARE(w.text("ComboBox9"), "0");
        QCOMPARE(w.identify(), "upload successful!");
    }

    // -- Refusals by the device ---------------------------------------------

    void setRefusedByTheDevice_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("responseCode"); // forced on every command; 0: the device's own judgement
        QTest::addColumn<QString>("shown");

        const QString protect = "Write failed!Write protect!";
        QTest::newRow("message, code 7") << QStringList{} << Fields{} << "Button29" << 7 << protect;
        QTest::newRow("tag, code 7") << QStringList{} << Fields{} << "Button33" << 7 << protect;
        QTest::newRow("assembly, code 7") << QStringList{} << Fields{} << "Button39" << 7 << protect;
        QTest::newRow("serial, code 7") << QStringList{} << Fields{} << "Button37" << 7 << protect;
        QTest::newRow("polling address, code 7") << QStringList{} << Fields{{"ComboBox3", "3"}} << "Button27" << 7 << protect;
        QTest::newRow("long tag, code 7") << QStringList{} << Fields{} << "Button18" << 7 << protect;
        QTest::newRow("range, code 7") << QStringList{"Button9"} << Fields{} << "Button10" << 7 << protect;
        QTest::newRow("fixed current, code 7") << QStringList{} << Fields{{"RadioButton2", "1"}} << "Button6" << 7 << protect;
        QTest::newRow("internal parameters, code 7") << QStringList{} << Fields{{"Edit9", "9"}} << "Button7" << 7 << protect;
        // The device's own refusals, one text each.
        QTest::newRow("day 32") << QStringList{} << Fields{{"Edit29", "32"}} << "Button33" << 0
                                << "Write failed!Setting parameters may not be useful!";
        QTest::newRow("no polling address chosen") << QStringList{} << Fields{{"ComboBox3", ""}} << "Button27" << 0
                                                   << "Write failed!Channel restricted!";
        QTest::newRow("fixed current 2 mA") << QStringList{} << Fields{{"RadioButton6", "1"}, {"Edit7", "2"}}
                                            << "Button6" << 0 << "Write failed!Setting parameters too small!";
        QTest::newRow("fixed current 25 mA") << QStringList{} << Fields{{"RadioButton6", "1"}, {"Edit7", "25"}}
                                             << "Button6" << 0 << "Write failed!The parameter value is too small!";
        // A warning is no success for a write.
        QTest::newRow("assembly, code 8") << QStringList{} << Fields{} << "Button39" << 8
                                          << "Write failed!Setting parameters may have value!";
        QTest::newRow("empty span") << QStringList{"Button9"} << Fields{{"Edit11", "4"}, {"Edit12", "4"}}
                                    << "Button10" << 0 << "Write failed!Channel restricted!";
    }
    void setRefusedByTheDevice()
    {
        QFETCH(QStringList, before);
        QFETCH(Fields, typed);
        QFETCH(QString, set);
        QFETCH(int, responseCode);
        QFETCH(QString, shown);

        for (const QString& b : before)
            QCOMPARE(press(b), "upload successful!");
        d->putAll(kValidInputs);
        d->putAll(typed);
        if (responseCode != 0)
            d->withDevice([&](sim::Device& dev) { dev.SetFault(std::nullopt, {sim::FaultKind::ResponseCode, responseCode}); });
        const sim::ConverterState was = StateOf(*d);

        QCOMPARE(press(set), shown);
        QCOMPARE(rec.statuses.value(0), SendingStatus(set));
        QVERIFY(rec.steps.contains("write"));
        QVERIFY(StateOf(*d) == was);
        QVERIFY(d->errors.isEmpty());
    }

    // A write-protected device: the real flag rather than a forced code.
    void writeProtectedDevice()
    {
        d->withDevice([](sim::Device& dev) { dev.State().writeProtect = 1; });
        d->putAll(kValidInputs);
        const sim::ConverterState was = StateOf(*d);
        for (const char* set : {"Button29", "Button39", "Button18"}) {
            QCOMPARE(press(set), "Write failed!Write protect!");
            QVERIFY(StateOf(*d) == was);
        }
        // Reading is not writing.
        QCOMPARE(press("Button38"), "upload successful!");
    }

    // An answer that the link refuses (device error, bad checksum, cut short)
    // fails the query; the fields show nothing of it nor of earlier answers.
    void queryAnswerRefused_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<Fields>("after"); // "STALE": kept; otherwise what the field shows

        const int code = int(sim::FaultKind::ResponseCode);
        const int checksum = int(sim::FaultKind::BadChecksum);
        const int cut = int(sim::FaultKind::Truncated);
        const Fields current{{"Edit6", ""}, {"Edit20", ""}};
        const Fields variables{{"Edit5", ""}, {"Edit17", ""}, {"Edit18", ""}, {"Edit30", ""}};
        const Fields range{{"Edit11", ""}, {"Edit12", ""}};
        const Fields tagDate{{"Edit22", ""}, {"Edit23", ""}, {"Edit24", ""}, {"Edit25", ""}, {"Edit29", ""}};

        QTest::newRow("current, code 7") << "Button34" << code << 7 << current;
        QTest::newRow("variables, code 7") << "Button4" << code << 7 << variables;
        QTest::newRow("range, code 7") << "Button9" << code << 7 << range;
        QTest::newRow("message, code 7") << "Button28" << code << 7 << Fields{{"Edit21", ""}};
        QTest::newRow("tag, code 7") << "Button32" << code << 7 << tagDate;
        QTest::newRow("assembly, code 7") << "Button38" << code << 7 << Fields{{"Edit26", ""}};
        QTest::newRow("long tag, code 7") << "Button2" << code << 7 << Fields{{"Edit8", "STALE"}};
        QTest::newRow("internal, code 7") << "Button16" << code << 7 << Fields{{"Edit9", "STALE"}, {"Edit10", "STALE"}};
        QTest::newRow("variables, bad checksum") << "Button4" << checksum << 0 << variables;
        QTest::newRow("range, bad checksum") << "Button9" << checksum << 0 << range;
        QTest::newRow("current, cut short") << "Button34" << cut << 0 << current;
        QTest::newRow("variables, cut short") << "Button4" << cut << 0 << variables;
        QTest::newRow("tag, cut short") << "Button32" << cut << 0 << tagDate;
        QTest::newRow("long tag, cut short") << "Button2" << cut << 0 << Fields{{"Edit8", "STALE"}};
    }
    void queryAnswerRefused()
    {
        QFETCH(QString, query);
        QFETCH(int, fault);
        QFETCH(int, value);
        QFETCH(Fields, after);

        // A long answer first, so that the receive area holds bytes a cut answer could borrow.
        if (fault == int(sim::FaultKind::Truncated))
            QCOMPARE(press("Button2"), "upload successful!");
        for (const auto& [name, v] : after)
            d->put(name, "STALE");
        d->withDevice([&](sim::Device& dev) {
            dev.SetFault(CommandOf(query), {static_cast<sim::FaultKind>(fault), value});
        });
        const QString unit = d->text("ComboBox15");
        QCOMPARE(press(query), "upload failed!");
        CompareAll(*d, after);
        QCOMPARE(d->text("ComboBox15"), unit); // the unit lists keep their selection
    }

    // A warning is not an error: the answer's data is shown.
    void queryAnswerWithAWarningDecodes()
    {
        d->withDevice([](sim::Device& dev) { dev.SetFault(16, {sim::FaultKind::ResponseCode, 8}); });
        d->put("Edit26", "STALE");
        QCOMPARE(press("Button38"), "upload successful!");
        QCOMPARE(d->text("Edit26"), "66051");
    }

    // -- Input refused before anything is sent --------------------------------

    void inputRefused_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("message");

        const QStringList none;
        QTest::newRow("serial number too big") << none << Fields{{"Edit28", "16777216"}} << "Button37"
                                               << "'16777216' is out of range (0..16777215)";
        QTest::newRow("serial number negative") << none << Fields{{"Edit28", "-1"}} << "Button37"
                                                << "'-1' is out of range (0..16777215)";
        QTest::newRow("assembly number too big") << none << Fields{{"Edit26", "16777216"}} << "Button39"
                                                 << "'16777216' is out of range (0..16777215)";
        QTest::newRow("assembly number beyond 32 bits") << none << Fields{{"Edit26", "2147483648"}} << "Button39"
                                                        << "'2147483648' is not a valid integer value";
        QTest::newRow("sensor type 256") << none << Fields{{"Edit9", "256"}} << "Button7"
                                         << "'256' is out of range (0..255)";
        QTest::newRow("manufacturer 300") << none << Fields{{"Edit10", "300"}} << "Button7"
                                          << "'300' is out of range (0..255)";
        QTest::newRow("manufacturer empty") << none << Fields{{"Edit10", ""}} << "Button7"
                                            << "'' is not a valid integer value";
        QTest::newRow("month 256") << none << Fields{{"Edit25", "256"}} << "Button33"
                                   << "'256' is out of range (0..255)";
        QTest::newRow("day 256") << none << Fields{{"Edit29", "256"}} << "Button33"
                                 << "'256' is out of range (0..255)";
        QTest::newRow("year 1899") << none << Fields{{"Edit24", "1899"}} << "Button33"
                                   << "'1899' is out of range (1900..2155)";
        QTest::newRow("year 2156") << none << Fields{{"Edit24", "2156"}} << "Button33"
                                   << "'2156' is out of range (1900..2155)";
        QTest::newRow("year empty") << none << Fields{{"Edit24", ""}} << "Button33"
                                    << "'' is not a valid integer value";
        QTest::newRow("upper range not a number") << QStringList{"Button9"} << Fields{{"Edit11", "abc"}}
                                                  << "Button10" << "'abc' is not a valid floating point value";
        QTest::newRow("lower range empty") << QStringList{"Button9"} << Fields{{"Edit12", ""}} << "Button10"
                                           << "'' is not a valid floating point value";
        QTest::newRow("upper range beyond a single") << QStringList{"Button9"} << Fields{{"Edit11", "1e39"}}
                                                     << "Button10" << "'1e39' is not a valid floating point value";
        QTest::newRow("other current empty") << none << Fields{{"RadioButton6", "1"}, {"Edit7", ""}} << "Button6"
                                             << "'' is not a valid floating point value";
    }
    void inputRefused()
    {
        QFETCH(QStringList, before);
        QFETCH(Fields, typed);
        QFETCH(QString, set);
        QFETCH(QString, message);

        for (const QString& b : before)
            QCOMPARE(press(b), "upload successful!");
        d->putAll(kValidInputs);
        d->putAll(typed);
        const sim::ConverterState was = StateOf(*d);
        const std::int32_t sent = d->form.Link().BytesSent();
        const QString shownSent = d->text("Label56");

        const QString status = SendingStatus(set);
        // The handler got as far as its status text, and no further.
        QCOMPARE(press(set), status);
        QCOMPARE(rec.statuses, QStringList{status});
        QCOMPARE(d->errors, QStringList{message});
        QVERIFY(d->messages.isEmpty());
        // Nothing went out and nothing waits for an answer.
        QVERIFY(rec.steps.isEmpty());
        QCOMPARE(d->form.Link().BytesSent(), sent);
        QCOMPARE(d->text("Label56"), shownSent);
        QCOMPARE(d->form.Link().PendingRequest(), 0);
        QVERIFY(!d->form.Link().Timer3().isActive());
        QVERIFY(d->form.Comm1().RtsControl() == hart::TRtsControl::RtsDisable);
        QVERIFY(StateOf(*d) == was);
    }

    // -- RTS ------------------------------------------------------------------

    void rtsIsDroppedOnceTheFrameHasLeft_data()
    {
        QTest::addColumn<Fields>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("outcome");

        QTest::newRow("message") << Fields{} << "Button29" << true << "Write successful!";
        QTest::newRow("tag query") << Fields{} << "Button32" << true << "upload successful!";
        QTest::newRow("tag set") << Fields{} << "Button33" << true << "Write successful!";
        QTest::newRow("long tag") << Fields{} << "Button18" << true << "Write successful!";
        QTest::newRow("tag set refused") << Fields{{"Edit24", "1899"}} << "Button33" << false
                                         << "'1899' is out of range (1900..2155)";
        QTest::newRow("tag set, not an integer") << Fields{{"Edit25", "x"}} << "Button33" << false
                                                 << "'x' is not a valid integer value";
        // A request without RTS keeps the line down throughout.
        QTest::newRow("message query") << Fields{} << "Button28" << true << "upload successful!";
    }
    void rtsIsDroppedOnceTheFrameHasLeft()
    {
        QFETCH(Fields, typed);
        QFETCH(QString, button);
        QFETCH(bool, sent);
        QFETCH(QString, outcome);
        const bool keyed = hart::FindRequest(button.toStdString())->rts;

        d->putAll(kValidInputs);
        d->putAll(typed);
        const std::int32_t before = d->form.Link().BytesSent();
        rec.clear();
        QTest::mouseClick(d->w<QPushButton>(button.toLatin1()), Qt::LeftButton);
        // Straight after the handler the frame may still be on the line.
        QVERIFY(d->form.Comm1().RtsControl()
                == (sent && keyed ? hart::TRtsControl::RtsEnable : hart::TRtsControl::RtsDisable));
        if (sent) {
            QVERIFY(rec.rtsAtWrite == (keyed ? hart::TRtsControl::RtsEnable : hart::TRtsControl::RtsDisable));
            QCOMPARE(rec.steps.first(), keyed ? "rts-on" : "write");
            QCOMPARE(rec.steps.last(), "start");
            QVERIFY(d->form.Link().BytesSent() > before);
            // Dropped once the port reports the line drained.
            QTRY_VERIFY(d->form.Comm1().RtsControl() == hart::TRtsControl::RtsDisable);
            QCOMPARE(rec.steps.last(), keyed ? "rts-off" : "start");
        } else {
            QVERIFY(rec.steps.isEmpty());
            QCOMPARE(d->form.Link().BytesSent(), before);
            QCOMPARE(d->errors, QStringList{outcome});
        }
        if (sent)
            QTRY_COMPARE_WITH_TIMEOUT(d->text("Label68"), outcome, 5000);
        QVERIFY(d->form.Comm1().RtsControl() == hart::TRtsControl::RtsDisable);
    }

    // -- A port that goes away ------------------------------------------------

    // The far end closes while a request waits for its answer: the window says
    // why and is closed as Button1 would close it; opening again works.
    void portLostMidTransaction()
    {
        auto far = std::make_unique<mhtest::PtyPair>();
        QVERIFY2(far->Ok(), far->Error().c_str());
        WindowDriver w;
        QVERIFY(w.open(QString::fromStdString(far->SlavePath())));
        w.form.Link().Timer3().setInterval(300);
        QTest::mouseClick(w.w<QPushButton>("Button3"), Qt::LeftButton);
        QCOMPARE(far->ReadExactly(11).size(), std::size_t{11});
        QCOMPARE(w.form.Link().PendingRequest(), 100);
        far->CloseMaster();

        const QString lost = "Port disconnected: Input/output error";
        QTRY_COMPARE(w.status(), lost);
        QCOMPARE(w.text("Button1"), "Open");
        QVERIFY(!w.form.Comm1().IsOpen());
        QVERIFY(!w.form.Comm1().ReadThreadRunning());
        QVERIFY(!w.form.Comm1().WriteThreadRunning());
        QVERIFY(!w.w<QPushButton>("Button3")->isEnabled());
        QVERIFY(!w.form.Link().Buffer().portOpen());
        // No time-out text comes to hide the reason: its timer is off.
        QVERIFY(!w.form.Link().Timer3().isActive());
        QCOMPARE(w.status(), lost);

        w.form.Link().Timer3().setInterval(3000);
        QVERIFY(w.open());
        QCOMPARE(w.identify(), "upload successful!");
    }

    // -- Counters -------------------------------------------------------------

    void countersAfterAKnownSequence()
    {
        WindowDriver w;
        QVERIFY(w.open());
        w.withDevice([](sim::Device& dev) { dev.State().driftAmplitude = 0.0f; });
        QCOMPARE(w.text("Label56"), "");
        struct Step {
            const char* button;
            const char* outcome;
            const char* sent;     // running totals
            const char* received;
        };
        // Frames: short 11; long 17 + data (+1 after the checksum for 12, 35, 40).
        // Answers: 5 preambles + 12 framing bytes + data.
        const Step steps[] = {
            {"Button3", "upload successful!", "11", "24"},
            {"Button4", "upload successful!", "28", "64"},
            {"Button28", "upload successful!", "46", "104"},
            {"Button6", "Write successful!", "68", "124"},
            {"Button9", "upload successful!", "85", "157"},
            {"Button10", "Write successful!", "112", "182"},
            {"Button33", "Write successful!", "150", "219"},
        };
        w.putAll(kValidInputs);
        for (const Step& s : steps) {
            QCOMPARE(w.press(s.button), s.outcome);
            QCOMPARE(w.text("Label56"), s.sent);
            QCOMPARE(w.text("Label67"), s.received);
        }
        // Closing clears the labels, opening starts the counts again.
        w.close();
        QVERIFY(w.open());
        QCOMPARE(w.text("Label56"), "");
        QCOMPARE(w.press("Button38"), "upload successful!");
        QCOMPARE(w.text("Label56"), "17");
        QCOMPARE(w.text("Label67"), "19");
    }
};

QTEST_MAIN(TestDeviceE2e)
#include "test_device_e2e.moc"

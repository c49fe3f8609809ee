#include "sim/device.h"
#include "sim_frames.h"

#include <QtTest>

#include <cmath>

using namespace simtest;

namespace {

// Hardware revision 1 and Bell 202 current signalling share byte 7; the flags are byte 8.
const Bytes kIdentity = {0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03};
const Bytes kMessage = {0x45, 0x53, 0xD2, 0x58, 0x13, 0x85, 0x80, 0xD3, 0xC4, 0x09, 0x54, 0xED,
                        0x20, 0x14, 0x94, 0x80, 0x33, 0xCE, 0x58, 0x54, 0x94, 0x15, 0x28, 0x20};
const Bytes kTag = {0x0C, 0xF3, 0x96, 0x15, 0x25, 0x12};
const Bytes kDescriptor = {0x34, 0xF1, 0x02, 0x55, 0x38, 0x14, 0x3E, 0x02, 0x01, 0x49, 0x48, 0x20};
constexpr std::uint8_t kLoopFixed = 0x08; // device status while the loop current is fixed
const Bytes kOneCoefficientRow = Cat({{0x00, 0x00, 0x04, 0x00}, F(1.0f)});
const Bytes kAnalogDefault = Cat({F(20.0f), F(4.0f), F(0.0f), {0x27, 0x10}});

Bytes Counting(int n, std::uint8_t first = 0x10)
{
    Bytes b;
    for (int k = 0; k < n; ++k)
        b.push_back(std::uint8_t(first + k));
    return b;
}

sim::Device SteadyDevice()
{
    sim::ConverterState s;
    s.driftAmplitude = 0.0f;
    return sim::Device(s);
}

Bytes Flatten(const std::vector<sim::Transmission>& ts)
{
    Bytes out;
    for (const auto& t : ts)
        for (const auto& c : t.chunks)
            out.insert(out.end(), c.bytes.begin(), c.bytes.end());
    return out;
}

// The whole answer to one request (empty when there is none).
Bytes Ask(sim::Device& d, const Bytes& request, std::int64_t nowMs = 0)
{
    const auto ts = d.Feed(request, nowMs);
    if (ts.size() > 1)
        qWarning("more than one answer to one request");
    return Flatten(ts);
}

} // namespace

class TestSimDevice : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void shortFrameIdentity();
    void roundTrip_data();
    void roundTrip();
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
    void pollAddressChange();
    void longAddressChange_data();
    void longAddressChange();
    void processValues();
    void fixedCurrent();
    void loopFixedStatus_data();
    void loopFixedStatus();
    void identityByTag_data();
    void identityByTag();
    void mappingDrivesVariables();
    void faults_data();
    void faults();
    void badChecksumFault();
    void noiseFault();
    void faultedWriteIsNotApplied_data();
    void faultedWriteIsNotApplied();
    void faultScopes();
    void stream_data();
    void stream();
    void byteByByte();
    void silenceInsideFrameStartsOver();
    void timing();
};

void TestSimDevice::answers_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("data");

    const auto row = [](const char* name, int cmd, const Bytes& req, int code, const Bytes& data) {
        QTest::newRow(name) << cmd << Q(req) << code << Q(data);
    };
    const auto echo = [&](const char* name, int cmd, const Bytes& req) { row(name, cmd, req, 0, req); };

    row("0 identify (long frame)", 0, {}, 0, kIdentity);
    row("2 current and percent", 2, {}, 0, Cat({F(12.0f), F(50.0f)}));
    row("3 dynamic variables", 3, {}, 0,
        Cat({F(12.0f), {32}, F(12.0f), {39}, F(8.0f), {57}, F(50.0f), {250}, F(1.0f)}));
    row("12 message", 12, {}, 0, kMessage);
    row("13 tag descriptor date", 13, {}, 0, Cat({kTag, kDescriptor, {15, 7, 123}}));
    row("15 range", 15, {}, 0, Cat({{0, 0, 32}, F(20.0f), F(4.0f), F(1.0f), {0, 0x26}}));
    row("16 final assembly", 16, {}, 0, {0x01, 0x02, 0x03});
    row("20 long tag", 20, {}, 0, Cat({{'D', 'T'}, Repeat(0, 30)}));
    row("241 sensor type and manufacturer", 241, {}, 0, {0x05, 0x26});
    row("161 instrument 1", 161, {}, 0, {0x01, 0x01, 0x03, 0x08, 0x01, 0x03, 0x00, 0x00, 0x00, 0x02, 0xC4, 0x0B});
    row("163 instrument 2", 163, {}, 0, {0, 0, 0, 0});
    row("157 instrument 3", 157, {}, 0, {0, 0, 0, 0});
    row("159 instrument 4", 159, {}, 0, {0, 0, 0, 0});
    row("165 parsing rows", 165, {}, 0,
        Cat({{0x01, 0x03, 0x04, 0x00}, F(1.0f), kOneCoefficientRow, kOneCoefficientRow, kOneCoefficientRow,
             kOneCoefficientRow}));
    row("173 rs485", 173, {}, 0, {0x03, 0x00, 0x0A, 0x00});
    row("167 AD1", 167, {}, 0, kAnalogDefault);
    row("169 AD2", 169, {}, 0, kAnalogDefault);
    row("177 AD3", 177, {}, 0, kAnalogDefault);
    row("179 AD4", 179, {}, 0, kAnalogDefault);
    row("171 mapping", 171, {}, 0, {0x01, 0x20, 0x02, 0x27, 0x03, 0x39, 0x04, 0xFA});

    echo("6 poll address", 6, {0x03});
    echo("17 message", 17, Counting(24));
    echo("18 tag descriptor date", 18, Cat({Counting(18), {1, 12, 124}}));
    echo("19 final assembly", 19, {0x0A, 0x0B, 0x0C});
    echo("22 long tag", 22, Counting(32, 'A'));
    echo("35 range", 35, Cat({{12}, F(100.0f), F(0.0f)}));
    echo("40 release fixed current", 40, F(0.0f)); // fixing it sets a status bit: loopFixedStatus
    echo("49 device identifier", 49, {0x07, 0x08, 0x09});
    echo("240 sensor type and manufacturer", 240, {0x09, 0x11});
    echo("160 instrument 1", 160, Cat({{0x01, 0x01, 0x03, 0x06}, {0x01, 0x03, 0x00, 0x00, 0x00, 0x02}}));
    echo("162 instrument 2 at its limit", 162, Cat({{0x01, 0x00, 0x00, 15}, Counting(15)}));
    echo("156 instrument 3", 156, {0x00, 0x00, 0x00, 0x00});
    echo("158 instrument 4", 158, {0x01, 0x02, 0x03, 0x01, 0x44});
    echo("164 parsing rows", 164, Cat({{1, 2, 3, 2}, F(0.5f), Repeat(0, 32)}));
    echo("166 AD1", 166, Cat({F(10.0f), F(1.0f), F(0.5f), {0x11, 0x70}}));
    echo("168 AD2", 168, Cat({F(10.0f), F(1.0f), F(0.5f), {0x11, 0x70}}));
    echo("176 AD3", 176, Cat({F(10.0f), F(1.0f), F(0.5f), {0x11, 0x70}}));
    echo("178 AD4", 178, Cat({F(10.0f), F(1.0f), F(0.5f), {0x11, 0x70}}));
    echo("170 mapping", 170, {0x08, 0x0C, 0x07, 0x27, 0x00, 0x01, 0x05, 0x39});
    echo("172 rs485", 172, {0x06, 0x02, 0x00});

    row("1 primary variable", 1, {}, 0, Cat({{32}, F(12.0f)}));
    row("11 identity by tag", 11, kTag, 0, kIdentity);
    row("14 transducer: limits not known", 14, {}, 0, Cat({{0, 0, 0, 32}, {0x7F, 0xA0, 0, 0}, {0x7F, 0xA0, 0, 0}, {0x7F, 0xA0, 0, 0}}));
    row("250 not implemented", 250, {0x01}, 64, {});
    row("17 one byte short", 17, Counting(23), 5, {});
    row("40 without data", 40, {}, 5, {});
    row("160 header cut", 160, {0x01, 0x01, 0x03}, 5, {});
    row("160 fewer bytes than announced", 160, {0x01, 0x01, 0x03, 0x06, 0x01, 0x03}, 5, {});
    row("172 two bytes", 172, {0x03, 0x00}, 5, {});
    row("170 seven bytes", 170, Counting(7, 0), 5, {});
}

void TestSimDevice::answers()
{
    QFETCH(int, command);
    QFETCH(QByteArray, request);
    QFETCH(int, code);
    QFETCH(QByteArray, data);

    auto d = SteadyDevice();
    const Bytes got = Ask(d, LongRequest(std::uint8_t(command), B(request)));
    QCOMPARE(Q(got), Q(LongAnswer(std::uint8_t(command), std::uint8_t(code), B(data))));
}

void TestSimDevice::shortFrameIdentity()
{
    auto d = SteadyDevice();
    // The tool's own example: FF x6 02 00 00 00 02.
    QCOMPARE(Q(Ask(d, ShortRequest(0))), Q(ShortAnswer(0x00, kIdentity)));
    // The address is echoed as received, master bit included.
    QCOMPARE(Q(Ask(d, ShortRequest(0x80))), Q(ShortAnswer(0x80, kIdentity)));
}

void TestSimDevice::roundTrip_data()
{
    QTest::addColumn<int>("write");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("read");
    QTest::addColumn<QByteArray>("expected");

    const auto same = [](const char* name, int w, const Bytes& data, int r) {
        QTest::newRow(name) << w << Q(data) << r << Q(data);
    };
    // Any packed bytes read back unchanged, not only those of printable text.
    same("message", 17, Counting(24, 0xE0), 12);
    same("tag descriptor date", 18, Cat({Counting(18, 0xC0), {31, 1, 0}}), 13);
    same("final assembly", 19, {0xFF, 0xFE, 0xFD}, 16);
    same("long tag", 22, Cat({{'L', 'O', 'N', 'G'}, Repeat(0, 28)}), 20);
    same("instrument 1 with 20 bytes", 160, Cat({{0x01, 0xAA, 0x55, 20}, Counting(20)}), 161);
    same("instrument 2", 162, {0x01, 0x10, 0x20, 0x02, 0x0A, 0xFF}, 163);
    same("instrument 3", 156, Cat({{0x01, 0x00, 0x00, 15}, Counting(15, 0x80)}), 157);
    same("instrument 4", 158, {0x01, 0x04, 0x04, 0x01, 0x99}, 159);
    same("instrument 1 emptied", 160, {0x00, 0x00, 0x00, 0x00}, 161);
    same("parsing rows", 164,
         Cat({{1, 16, 2, 0}, F(1.0f), {2, 3, 4, 9}, F(0.25f), {3, 0, 8, 17}, F(-2.0f), {4, 255, 255, 26}, F(10.0f),
              {0, 0, 4, 21}, F(1.5f)}),
         165);
    same("AD1", 166, Cat({F(20.0f), F(4.0f), F(0.0f), {0x27, 0x10}}), 167);
    same("AD2", 168, Cat({F(0.1f), F(-5.0f), F(2.0f), {0xFF, 0xFF}}), 169);
    same("AD3", 176, Cat({F(1e6f), F(1e-6f), F(3.0f), {0x00, 0x00}}), 177);
    same("AD4", 178, Cat({F(5.0f), F(1.0f), F(1.0f), {0x03, 0xE8}}), 179);
    same("mapping", 170, {0x05, 0x0C, 0x06, 0x27, 0x07, 0x20, 0x08, 0x00}, 171);
    QTest::newRow("rs485") << 172 << Q({0x06, 0x02, 0x00}) << 173 << Q({0x06, 0x02, 0x00, 0x00});
    QTest::newRow("range") << 35 << Q(Cat({{12}, F(100.0f), F(-10.0f)})) << 15
                           << Q(Cat({{0, 0, 12}, F(100.0f), F(-10.0f), F(1.0f), {0, 0x26}}));
    QTest::newRow("release fixed current") << 40 << Q(F(0.0f)) << 2 << Q(Cat({F(12.0f), F(50.0f)}));
}

void TestSimDevice::roundTrip()
{
    QFETCH(int, write);
    QFETCH(QByteArray, data);
    QFETCH(int, read);
    QFETCH(QByteArray, expected);

    auto d = SteadyDevice();
    QCOMPARE(Q(Ask(d, LongRequest(std::uint8_t(write), B(data)))), Q(LongAnswer(std::uint8_t(write), 0, B(data))));
    QCOMPARE(Q(Ask(d, LongRequest(std::uint8_t(read)))), Q(LongAnswer(std::uint8_t(read), 0, B(expected))));
}

void TestSimDevice::refusedWritesChangeNothing_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("writeProtected");
    QTest::addColumn<int>("code");

    const auto row = [](const char* name, int cmd, const Bytes& data, int code, bool wp = false) {
        QTest::newRow(name) << cmd << Q(data) << wp << code;
    };
    row("instrument 1 with 21 bytes", 160, Cat({{0x01, 0x00, 0x00, 21}, Counting(21)}), 3);
    row("instrument 2 with 16 bytes", 162, Cat({{0x01, 0x00, 0x00, 16}, Counting(16)}), 3);
    row("instrument enable without selection", 160, {0xFF, 0x00, 0x00, 0x01, 0x01}, 2);
    row("poll address without selection", 6, {0xFF}, 2);
    row("poll address 16", 6, {16}, 2);
    row("mapping channel 9", 170, {0x01, 0x20, 0x09, 0x27, 0x03, 0x39, 0x04, 0xFA}, 2);
    row("baud index 7", 172, {0x07, 0x00, 0x0A}, 2);
    row("parsing command 5", 164, Cat({{5, 0, 4, 0}, F(1.0f), Repeat(0, 32)}), 2);
    row("parsing format 27 in the last row", 164, Cat({Repeat(0, 32), {0, 0, 4, 27}, F(1.0f)}), 2);
    row("month 13", 18, Cat({Counting(18), {15, 13, 123}}), 9);
    row("range without span", 35, Cat({{32}, F(20.0f), F(20.0f)}), 29);
    row("fixed current 30 mA", 40, F(30.0f), 3);
    row("fixed current 1 mA", 40, F(1.0f), 4);
    row("message while write protected", 17, Counting(24), 7, true);
}

void TestSimDevice::refusedWritesChangeNothing()
{
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(bool, writeProtected);
    QFETCH(int, code);

    auto d = SteadyDevice();
    d.State().writeProtect = writeProtected ? 1 : 0;
    const sim::ConverterState before = d.State();
    QCOMPARE(Q(Ask(d, LongRequest(std::uint8_t(command), B(data)))),
             Q(LongAnswer(std::uint8_t(command), std::uint8_t(code), {})));
    QVERIFY(d.State() == before);
}

void TestSimDevice::pollAddressChange()
{
    auto d = SteadyDevice();
    QCOMPARE(Q(Ask(d, LongRequest(6, {0x05}))), Q(LongAnswer(6, 0, {0x05})));
    QVERIFY(Ask(d, ShortRequest(0)).empty());
    QCOMPARE(Q(Ask(d, ShortRequest(5))), Q(ShortAnswer(0x05, kIdentity)));
    // The long address does not depend on the polling address.
    QCOMPARE(Q(Ask(d, LongRequest(241))), Q(LongAnswer(241, 0, {0x05, 0x26})));
}

void TestSimDevice::longAddressChange_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("newAddress");
    QTest::addColumn<QByteArray>("identity");

    QTest::newRow("240 sensor type and manufacturer")
        << 240 << Q({0x07, 0x11}) << Q({0x91, 0x07, 0x01, 0x02, 0x03})
        << Q({0xFE, 0x11, 0x07, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03});
    // Only the low six bits of the manufacturer are in the address.
    QTest::newRow("240 manufacturer with high bits")
        << 240 << Q({0x05, 0xE6}) << Q({0xA6, 0x05, 0x01, 0x02, 0x03})
        << Q({0xFE, 0xE6, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03});
    QTest::newRow("49 identifier")
        << 49 << Q({0xFF, 0xFF, 0xFF}) << Q({0xA6, 0x05, 0xFF, 0xFF, 0xFF})
        << Q({0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0xFF, 0xFF, 0xFF});
}

void TestSimDevice::longAddressChange()
{
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, newAddress);
    QFETCH(QByteArray, identity);

    auto d = SteadyDevice();
    // Answered at the address it was asked at.
    QCOMPARE(Q(Ask(d, LongRequest(std::uint8_t(command), B(data)))),
             Q(LongAnswer(std::uint8_t(command), 0, B(data))));
    const bool moved = B(newAddress) != kAddress;
    QCOMPARE(Ask(d, LongRequest(16)).empty(), moved);
    QCOMPARE(Q(Ask(d, LongRequest(0, {}, B(newAddress)))), Q(LongAnswer(0, 0, B(identity), B(newAddress))));
    QCOMPARE(Q(Ask(d, ShortRequest(0))), Q(ShortAnswer(0, B(identity))));
}

void TestSimDevice::processValues()
{
    sim::Device d; // drifting, as in use
    const auto at = [&](std::int64_t t) { return Ask(d, LongRequest(3), t); };
    const Bytes a = at(0);
    const Bytes b = at(7000);
    QCOMPARE(a.size(), std::size_t(5 + 9 + 26));
    const auto value = [](const Bytes& answer, int variable) {
        const std::size_t k = 20 + 5 * std::size_t(variable); // after header, status and current
        const std::uint32_t bits = std::uint32_t(answer[k]) << 24 | std::uint32_t(answer[k + 1]) << 16 |
                                   std::uint32_t(answer[k + 2]) << 8 | answer[k + 3];
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    };
    const float bases[4] = {12.0f, 8.0f, 50.0f, 1.0f};
    for (int v = 0; v < 4; ++v) {
        const float base = bases[v];
        const float slack = 0.0101f * std::max(std::fabs(base), 1.0f);
        QVERIFY2(value(a, v) != value(b, v), "a live value moves");
        QVERIFY(std::fabs(value(a, v) - base) <= slack);
        QVERIFY(std::fabs(value(b, v) - base) <= slack);
    }

    // The loop follows the primary variable within the range and saturates outside it.
    auto s = SteadyDevice();
    const std::pair<float, Bytes> cases[] = {
        {8.0f, Cat({F(8.0f), F(25.0f)})},
        {30.0f, Cat({F(20.5f), F(162.5f)})},
        {-10.0f, Cat({F(3.8f), F(-87.5f)})},
    };
    for (const auto& [pv, expected] : cases) {
        s.State().inputValues[1] = pv;
        QCOMPARE(Q(Ask(s, LongRequest(2))), Q(LongAnswer(2, 0, expected)));
    }
}

void TestSimDevice::fixedCurrent()
{
    auto d = SteadyDevice();
    Ask(d, LongRequest(40, F(4.0f)));
    QCOMPARE(Q(Ask(d, LongRequest(2))), Q(LongAnswer(2, 0, Cat({F(4.0f), F(0.0f)}), kAddress, 5, kLoopFixed)));
    // Command 3 reports the same loop current.
    const Bytes v3 = Ask(d, LongRequest(3));
    QCOMPARE(Q(Bytes(v3.begin() + 15, v3.begin() + 19)), Q(F(4.0f)));
    Ask(d, LongRequest(40, F(0.0f)));
    QCOMPARE(Q(Ask(d, LongRequest(2))), Q(LongAnswer(2, 0, Cat({F(12.0f), F(50.0f)}))));
}

void TestSimDevice::loopFixedStatus_data()
{
    QTest::addColumn<int>("preset");    // device status before the requests
    QTest::addColumn<QByteArray>("levels"); // command 40 levels in mA, in turn (0 = release)
    QTest::addColumn<QByteArray>("status"); // status byte of the answer to 40 and to the 3 after it, per level
    QTest::newRow("fixed") << 0 << QByteArray("\x0C", 1) << QByteArray("\x08\x08", 2);
    QTest::newRow("fixed, then released") << 0 << QByteArray("\x0C\x00", 2) << QByteArray("\x08\x08\x00\x00", 4);
    QTest::newRow("other bits stay") << 0x40 << QByteArray("\x04\x00", 2) << QByteArray("\x48\x48\x40\x40", 4);
    QTest::newRow("refused level fixes nothing") << 0 << QByteArray("\x01", 1) << QByteArray("\x00\x00", 2);
}

void TestSimDevice::loopFixedStatus()
{
    QFETCH(int, preset);
    QFETCH(QByteArray, levels);
    QFETCH(QByteArray, status);
    auto d = SteadyDevice();
    d.State().deviceStatus = std::uint8_t(preset);
    const auto statusOf = [](const Bytes& answer) { return answer.size() > 14 ? int(answer[14]) : -1; };
    for (qsizetype k = 0; k < levels.size(); ++k) {
        const Bytes a40 = Ask(d, LongRequest(40, F(float(std::uint8_t(levels[k])))));
        const Bytes a3 = Ask(d, LongRequest(3));
        QCOMPARE(statusOf(a40), int(std::uint8_t(status[2 * k])));
        QCOMPARE(statusOf(a3), int(std::uint8_t(status[2 * k + 1])));
    }
}

void TestSimDevice::identityByTag_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<bool>("answers");
    const Bytes broadcast{0x80, 0, 0, 0, 0};
    const Bytes otherTag = {0x0C, 0xF3, 0x96, 0x15, 0x25, 0x13};
    QTest::newRow("broadcast, its tag") << Q(broadcast) << Q(kTag) << true;
    QTest::newRow("broadcast, another tag") << Q(broadcast) << Q(otherTag) << false;
    QTest::newRow("its address, its tag") << Q(kAddress) << Q(kTag) << true;
    QTest::newRow("its address, another tag") << Q(kAddress) << Q(otherTag) << false;
    QTest::newRow("another address, its tag") << Q({0xA6, 0x05, 0x01, 0x02, 0x04}) << Q(kTag) << false;
    QTest::newRow("tag cut short") << Q(broadcast) << Q(Bytes(kTag.begin(), kTag.end() - 1)) << false;
}

void TestSimDevice::identityByTag()
{
    QFETCH(QByteArray, address);
    QFETCH(QByteArray, tag);
    QFETCH(bool, answers);
    auto d = SteadyDevice();
    const Bytes got = Ask(d, LongRequest(11, B(tag), B(address)));
    QCOMPARE(Q(got), answers ? Q(LongAnswer(11, 0, kIdentity, B(address))) : QByteArray());
    // Command 0 by the broadcast address is no identity request.
    if (B(address)[1] == 0)
        QCOMPARE(Q(Ask(d, LongRequest(0, {}, B(address)))), QByteArray());
}

void TestSimDevice::mappingDrivesVariables()
{
    auto d = SteadyDevice();
    // Variable 1 from input 5 in kPa, variable 3 closed.
    Ask(d, LongRequest(170, {0x05, 0x0C, 0x02, 0x27, 0x00, 0x39, 0x08, 0x20}));
    Ask(d, LongRequest(35, Cat({{0x0C}, F(200.0f), F(0.0f)})));
    const Bytes nan = {0x7F, 0xA0, 0x00, 0x00};
    QCOMPARE(Q(Ask(d, LongRequest(3))),
             Q(LongAnswer(3, 0, Cat({F(12.0f), {0x0C}, F(100.0f), {0x27}, F(8.0f), {0x39}, nan, {0x20}, F(0.5f)}))));
}

void TestSimDevice::faults_data()
{
    QTest::addColumn<int>("scope"); // -1 = all commands
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("splitAt"); // -1 = one chunk
    QTest::addColumn<int>("firstGap");
    QTest::addColumn<int>("secondGap");

    using K = sim::FaultKind;
    const Bytes normal = LongAnswer(16, 0, {0x01, 0x02, 0x03});
    const int half = int(normal.size() / 2);
    const auto row = [](const char* name, int scope, K kind, int value, int cmd, const Bytes& answer, int splitAt = -1,
                        int gap1 = 20, int gap2 = 0) {
        QTest::newRow(name) << scope << int(kind) << value << cmd << Q(answer) << splitAt << gap1 << gap2;
    };
    row("no answer", -1, K::NoAnswer, 0, 16, {});
    row("no answer to command 0 only", 0, K::NoAnswer, 0, 16, normal);
    row("busy", -1, K::ResponseCode, 32, 16, LongAnswer(16, 32, {}));
    row("not implemented", 16, K::ResponseCode, 64, 16, LongAnswer(16, 64, {}));
    row("communication error", -1, K::ResponseCode, 0x88, 16, LongAnswer(16, 0x88, {}));
    row("warning keeps data", -1, K::ResponseCode, 8, 16, LongAnswer(16, 8, {0x01, 0x02, 0x03}));
    row("12 preambles", -1, K::Preambles, 12, 16, LongAnswer(16, 0, {0x01, 0x02, 0x03}, kAddress, 12));
    row("15 preambles", 16, K::Preambles, 15, 16, LongAnswer(16, 0, {0x01, 0x02, 0x03}, kAddress, 15));
    row("split", -1, K::Split, 350, 16, normal, half, 20, 350);
    row("split default gap", -1, K::Split, 0, 16, normal, half, 20, 400);
    row("delay", 16, K::Delay, 1500, 16, normal, -1, 1520);
    row("wrong command", -1, K::WrongCommand, 3, 16, LongAnswer(3, 0, {0x01, 0x02, 0x03}));
    row("truncated by default", -1, K::Truncated, 0, 16, Bytes(normal.begin(), normal.end() - 2));
    row("truncated to 9", -1, K::Truncated, 9, 16, Bytes(normal.begin(), normal.begin() + 9));
    row("HART 7 identity", -1, K::LongIdentity, 0, 0,
        LongAnswer(0, 0,
                   {0xFE, 0x26, 0x05, 0x05, 0x07, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03, 0x05, 0x04, 0x00, 0x00,
                    0x00, 0x00, 0x26, 0x00, 0x26, 0x01}));
    row("HART 7 identity leaves other commands", -1, K::LongIdentity, 0, 16, normal);
}

void TestSimDevice::faults()
{
    QFETCH(int, scope);
    QFETCH(int, kind);
    QFETCH(int, value);
    QFETCH(int, command);
    QFETCH(QByteArray, answer);
    QFETCH(int, splitAt);
    QFETCH(int, firstGap);
    QFETCH(int, secondGap);

    auto d = SteadyDevice();
    d.SetFault(scope < 0 ? std::nullopt : std::optional<std::uint8_t>(std::uint8_t(scope)),
               {sim::FaultKind(kind), value});
    const auto ts = d.Feed(LongRequest(std::uint8_t(command)), 0);
    if (answer.isEmpty()) {
        QVERIFY(ts.empty());
        return;
    }
    QCOMPARE(ts.size(), std::size_t(1));
    const auto& chunks = ts[0].chunks;
    QCOMPARE(Q(Flatten(ts)), answer);
    QCOMPARE(chunks.size(), std::size_t(splitAt < 0 ? 1 : 2));
    QCOMPARE(chunks[0].gapBeforeMs, firstGap);
    if (splitAt >= 0) {
        QCOMPARE(int(chunks[0].bytes.size()), splitAt);
        QCOMPARE(chunks[1].gapBeforeMs, secondGap);
    }
}

void TestSimDevice::badChecksumFault()
{
    auto d = SteadyDevice();
    d.SetFault(std::nullopt, {sim::FaultKind::BadChecksum, 0});
    const Bytes good = LongAnswer(16, 0, {0x01, 0x02, 0x03});
    const Bytes got = Ask(d, LongRequest(16));
    QCOMPARE(got.size(), good.size());
    QVERIFY(std::equal(good.begin(), good.end() - 1, got.begin()));
    QVERIFY(got.back() != good.back());
}

void TestSimDevice::noiseFault()
{
    auto d = SteadyDevice();
    d.SetFault(std::uint8_t{16}, {sim::FaultKind::Noise, 200});
    const Bytes good = LongAnswer(16, 0, {0x01, 0x02, 0x03});
    const Bytes got = Ask(d, LongRequest(16));
    QCOMPARE(got.size(), 200 + good.size());
    QVERIFY(std::equal(good.begin(), good.end(), got.begin() + 200));
    QVERIFY(std::all_of(got.begin(), got.begin() + 200, [](std::uint8_t b) { return b <= 0x7E; }));
    // Noise, not a constant filler.
    QVERIFY(std::count(got.begin(), got.begin() + 200, got[0]) < 50);
}

void TestSimDevice::faultedWriteIsNotApplied_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("withData");
    QTest::newRow("busy") << 32 << false;
    QTest::newRow("write protected") << 7 << false;
    QTest::newRow("warning") << 8 << true;
}

void TestSimDevice::faultedWriteIsNotApplied()
{
    QFETCH(int, code);
    QFETCH(bool, withData);

    auto d = SteadyDevice();
    d.SetFault(std::uint8_t{172}, {sim::FaultKind::ResponseCode, code});
    const Bytes data = {0x00, 0x01, 0x02};
    QCOMPARE(Q(Ask(d, LongRequest(172, data))), Q(LongAnswer(172, std::uint8_t(code), withData ? data : Bytes{})));
    QCOMPARE(Q(Ask(d, LongRequest(173))), Q(LongAnswer(173, 0, {0x03, 0x00, 0x0A, 0x00})));
}

void TestSimDevice::faultScopes()
{
    using K = sim::FaultKind;
    auto d = SteadyDevice();
    const Bytes normal16 = LongAnswer(16, 0, {0x01, 0x02, 0x03});
    d.SetFault(std::nullopt, {K::ResponseCode, 32});
    d.SetFault(std::uint8_t{16}, {K::Preambles, 2});
    QCOMPARE(Q(Ask(d, LongRequest(16))), Q(LongAnswer(16, 0, {0x01, 0x02, 0x03}, kAddress, 2)));
    QCOMPARE(Q(Ask(d, LongRequest(241))), Q(LongAnswer(241, 32, {})));
    // A later fault of the same scope replaces the earlier.
    d.SetFault(std::uint8_t{16}, {K::NoAnswer, 0});
    QVERIFY(Ask(d, LongRequest(16)).empty());
    d.ClearFault(std::uint8_t{16});
    QCOMPARE(Q(Ask(d, LongRequest(16))), Q(LongAnswer(16, 32, {})));
    d.ClearFaults();
    QCOMPARE(Q(Ask(d, LongRequest(16))), Q(normal16));
}

void TestSimDevice::stream_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("answers");

    const Bytes a2 = LongAnswer(2, 0, Cat({F(12.0f), F(50.0f)}));
    const Bytes a16 = LongAnswer(16, 0, {0x01, 0x02, 0x03});
    const Bytes a40 = LongAnswer(40, 0, F(8.0f), kAddress, 5, kLoopFixed);
    const Bytes a12 = LongAnswer(12, 0, kMessage);
    const Bytes q16 = LongRequest(16);
    const auto row = [](const char* name, const Bytes& in, const Bytes& out) { QTest::newRow(name) << Q(in) << Q(out); };

    row("two frames in one piece", Cat({q16, LongRequest(2)}), Cat({a16, a2}));
    row("byte 0x40 after command 40", Cat({LongRequest(40, F(8.0f)), {0x40}, LongRequest(2)}),
        Cat({a40, LongAnswer(2, 0, Cat({F(8.0f), F(25.0f)}), kAddress, 5, kLoopFixed)}));
    row("byte 0x00 after command 12", Cat({LongRequest(12), {0x00}, q16}), Cat({a12, a16}));
    row("two preambles", LongRequest(16, {}, kAddress, 2), a16);
    row("one preamble", LongRequest(16, {}, kAddress, 1), {});
    row("noise before the preambles", Cat({{0x00, 0x13, 0x82, 0x02, 0x55}, q16}), a16);
    row("bad checksum", Cat({Bytes(q16.begin(), q16.end() - 1), {std::uint8_t(q16.back() ^ 1)}}), {});
    row("bad frame then a good one",
        Cat({Bytes(q16.begin(), q16.end() - 1), {std::uint8_t(q16.back() ^ 1)}, q16}), a16);
    row("other identifier", LongRequest(16, {}, {0xA6, 0x05, 0x01, 0x02, 0x04}), {});
    row("other manufacturer", LongRequest(16, {}, {0xA7, 0x05, 0x01, 0x02, 0x03}), {});
    row("never identified", LongRequest(16, {}, {0x80, 0x00, 0x00, 0x00, 0x00}), {});
    row("manufacturer without master bit", LongRequest(16, {}, {0x26, 0x05, 0x01, 0x02, 0x03}),
        LongAnswer(16, 0, {0x01, 0x02, 0x03}, {0x26, 0x05, 0x01, 0x02, 0x03}));
    row("short frame at another address", ShortRequest(1), {});
    row("short frame of command 2", ShortRequest(0, 2), {});
    row("answers are not requests", a16, {});
}

void TestSimDevice::stream()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, answers);
    auto d = SteadyDevice();
    QCOMPARE(Q(Flatten(d.Feed(B(input), 0))), answers);
}

void TestSimDevice::byteByByte()
{
    auto d = SteadyDevice();
    const Bytes input = Cat({LongRequest(40, F(8.0f)), {0x40}, ShortRequest(0), LongRequest(173)});
    std::vector<sim::Transmission> all;
    for (std::size_t k = 0; k < input.size(); ++k) {
        auto ts = d.Feed(std::span(&input[k], 1), std::int64_t(k));
        all.insert(all.end(), ts.begin(), ts.end());
    }
    QCOMPARE(all.size(), std::size_t(3));
    QCOMPARE(Q(Flatten(all)),
             Q(Cat({LongAnswer(40, 0, F(8.0f), kAddress, 5, kLoopFixed), ShortAnswer(0, kIdentity, 0, 5, kLoopFixed),
                    LongAnswer(173, 0, {3, 0, 10, 0}, kAddress, 5, kLoopFixed)})));
}

void TestSimDevice::silenceInsideFrameStartsOver()
{
    auto d = SteadyDevice();
    // A message write cut off after five of its 24 data bytes: without the gap
    // rule the next request would be taken for the rest of its data.
    const Bytes write = LongRequest(17, Counting(24));
    QVERIFY(d.Feed(std::span(write).first(16 + 5), 0).empty());
    QCOMPARE(Q(Flatten(d.Feed(LongRequest(16), 500))), Q(LongAnswer(16, 0, {0x01, 0x02, 0x03})));
}

void TestSimDevice::timing()
{
    auto d = SteadyDevice();
    const Bytes q = LongRequest(16);
    QVERIFY(d.Feed(std::span(q).first(5), 1000).empty());
    auto ts = d.Feed(std::span(q).subspan(5), 1040);
    QCOMPARE(ts.size(), std::size_t(1));
    QCOMPARE(ts[0].requestStartMs, std::int64_t(1000));
    QCOMPARE(ts[0].requestBytes, q.size());
    QCOMPARE(ts[0].chunks.at(0).gapBeforeMs, 20);
    d.SetTurnaroundMs(0);
    ts = d.Feed(q, 2000);
    QCOMPARE(ts.at(0).chunks.at(0).gapBeforeMs, 0);
}

QTEST_APPLESS_MAIN(TestSimDevice)
#include "test_sim_device.moc"

#include "hart/frames.h"
#include "support/bytes.h"

#include <QtTest>

#include <algorithm>

#include <set>

using namespace hart;
using testing::Hex;
using testing::HexOf;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A frame built here byte by byte, apart from the builders under test.
Bytes Make(int preambles, std::uint8_t delimiter, int expansion, int dataBytes)
{
    Bytes f(static_cast<std::size_t>(preambles), 0xFF);
    f.push_back(static_cast<std::uint8_t>(delimiter | expansion << 5));
    const Bytes address = (delimiter & 0x80) ? Bytes{0xA6, 0x05, 0x01, 0x02, 0x03} : Bytes{0x85};
    f.insert(f.end(), address.begin(), address.end());
    for (int k = 0; k < expansion; ++k)
        f.push_back(static_cast<std::uint8_t>(0xE0 + k));
    f.push_back(0x03); // command
    f.push_back(static_cast<std::uint8_t>(dataBytes));
    for (int k = 0; k < dataBytes; ++k)
        f.push_back(static_cast<std::uint8_t>(k * 7));
    std::uint8_t sum = 0;
    for (std::size_t k = static_cast<std::size_t>(preambles); k < f.size(); ++k)
        sum ^= f[k];
    f.push_back(sum);
    return f;
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

QString StateText(const FrameSpan& f)
{
    switch (f.state) {
    case FrameState::None: return "none";
    case FrameState::NeedMore: return QString("more %1").arg(f.needed);
    case FrameState::Whole: break;
    }
    return QString("whole %1 %2 %3")
        .arg(f.type == FrameType::Request ? "request" : f.type == FrameType::Answer ? "answer" : "burst")
        .arg(f.checksumOk ? "ok" : "bad")
        .arg(f.byteCount);
}

} // namespace

class TestFrames : public QObject {
    Q_OBJECT
private slots:
    void shortFrame_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("frame");
        QTest::newRow("address 5") << 5 << "FF FF FF FF FF FF 02 05 00 00 07";
        QTest::newRow("address 0") << 0 << "FF FF FF FF FF FF 02 00 00 00 02";
        QTest::newRow("address 15") << 15 << "FF FF FF FF FF FF 02 0F 00 00 0D";
        QTest::newRow("no selection") << 0xFF << "FF FF FF FF FF FF 02 FF 00 00 FD";
    }
    void shortFrame()
    {
        QFETCH(int, address);
        QFETCH(QString, frame);
        QCOMPARE(HexOf(ShortFrame(static_cast<std::uint8_t>(address))), frame);
    }

    void longFrame_data()
    {
        QTest::addColumn<int>("manufacturer");
        QTest::addColumn<int>("preambles");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("frame");
        QTest::newRow("command 3 to a known device")
            << 0x26 << 8 << 3 << ""
            << "FF FF FF FF FF FF FF FF 82 A6 05 01 02 03 03 00 22";
        QTest::newRow("flag bits of the manufacturer code are not address")
            << 0xE6 << 8 << 3 << ""
            << "FF FF FF FF FF FF FF FF 82 A6 05 01 02 03 03 00 22";
        QTest::newRow("six preambles with data")
            << 0x26 << 6 << 160 << "01 00 00 01 0A"
            << "FF FF FF FF FF FF 82 A6 05 01 02 03 A0 05 01 00 00 01 0A 8E";
    }
    void longFrame()
    {
        QFETCH(int, manufacturer);
        QFETCH(int, preambles);
        QFETCH(int, command);
        QFETCH(QString, data);
        QFETCH(QString, frame);
        DeviceIdentity id;
        id.manufacturer = static_cast<std::uint8_t>(manufacturer);
        id.deviceType = 5;
        id.identifier = {1, 2, 3};
        QCOMPARE(HexOf(LongFrame(preambles, id, static_cast<std::uint8_t>(command), Hex(data.toLatin1()))), frame);
    }

    void longFrameBeforeIdentify()
    {
        QCOMPARE(HexOf(LongFrame(8, DeviceIdentity{}, 2, {})), "FF FF FF FF FF FF FF FF 82 80 00 00 00 00 02 00 00");
    }

    void frameMustFit()
    {
        std::array<std::uint8_t, 16> small{};
        QCOMPARE(BuildLongFrame(small, 8, {}, 3, {}), std::size_t{0});
        QCOMPARE(BuildShortFrame(std::span(small).first(10), 0), std::size_t{0});
    }

    // Answers are taken only when whole and right.
    void parseAnswer_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<int>("header");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("data");
        const char* good = "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00 36";
        QTest::newRow("write answer") << good << 4 << true << 0x11 << "";
        QTest::newRow("header not at FF") << good << 5 << false << 0 << "";
        QTest::newRow("checksum wrong") << "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00 37" << 4 << false << 0 << "";
        QTest::newRow("checksum missing") << "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00" << 4 << false << 0 << "";
        QTest::newRow("cut in the address") << "FF FF 86 A6 05" << 1 << false << 0 << "";
        QTest::newRow("count below two") << "FF 86 A6 05 01 02 03 11 01 00 37" << 0 << false << 0 << "";
        QTest::newRow("data") << "FF 86 A6 05 01 02 03 02 0A 00 00 41 40 00 00 41 48 00 00 25" << 0 << true << 2
                              << "41 40 00 00 41 48 00 00";
        QTest::newRow("short identify answer")
            << "FF FF FF FF FF 06 80 00 0E 00 00 FE 26 05 05 05 01 01 01 00 01 02 03 54" << 4 << true << 0
            << "FE 26 05 05 05 01 01 01 00 01 02 03";
        QTest::newRow("other delimiter") << "FF 82 A6 05 01 02 03 11 02 00 00 33" << 0 << false << 0 << "";
    }
    void parseAnswer()
    {
        QFETCH(QString, bytes);
        QFETCH(int, header);
        QFETCH(bool, valid);
        QFETCH(int, command);
        QFETCH(QString, data);
        const auto b = Hex(bytes.toLatin1());
        const auto f = AnswerFrame::Parse(b, static_cast<std::size_t>(header));
        QCOMPARE(f.has_value(), valid);
        if (valid) {
            QCOMPARE(int(f->command()), command);
            QCOMPARE(HexOf(f->data()), data);
            QCOMPARE(f->byteCount(), std::uint8_t(f->data().size() + 2));
        }
    }

    // Where the first frame starts and ends, and how far it has come.
    void grammar_data()
    {
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<int>("minPreambles");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("preambles");
        QTest::addColumn<int>("length");
        QTest::newRow("short request") << Hex("FF FF FF FF FF FF 02 05 00 00 07") << 1 << "whole request ok 0" << 0 << 6 << 11;
        QTest::newRow("long request") << Hex("FF FF FF FF FF FF FF FF 82 A6 05 01 02 03 03 00 22") << 1
                                      << "whole request ok 0" << 0 << 8 << 17;
        QTest::newRow("short answer") << Make(5, 0x06, 0, 14) << 1 << "whole answer ok 14" << 0 << 5 << 24;
        QTest::newRow("long answer") << Make(5, 0x86, 0, 26) << 1 << "whole answer ok 26" << 0 << 5 << 40;
        QTest::newRow("short burst") << Make(3, 0x01, 0, 4) << 1 << "whole burst ok 4" << 0 << 3 << 12;
        QTest::newRow("long burst") << Make(3, 0x81, 0, 7) << 1 << "whole burst ok 7" << 0 << 3 << 19;
        for (int e = 1; e <= 3; ++e) {
            QTest::addRow("long answer, %d expansion bytes", e) << Make(5, 0x86, e, 2) << 1 << "whole answer ok 2" << 0 << 5 << 16 + e;
            QTest::addRow("short request, %d expansion bytes", e) << Make(2, 0x02, e, 0) << 1 << "whole request ok 0" << 0 << 2 << 7 + e;
        }
        for (int p : {2, 5, 20})
            QTest::addRow("%d preambles", p) << Make(p, 0x82, 0, 0) << 1 << "whole request ok 0" << 0 << p << p + 9;
        QTest::newRow("one preamble") << Make(1, 0x86, 0, 2) << 1 << "whole answer ok 2" << 0 << 1 << 12;
        QTest::newRow("one preamble, two asked") << Make(1, 0x86, 0, 2) << 2 << "none" << 12 << 0 << 0;
        QTest::newRow("byte count 0") << Make(2, 0x86, 0, 0) << 1 << "whole answer ok 0" << 0 << 2 << 11;
        QTest::newRow("byte count 255") << Make(2, 0x86, 0, 255) << 1 << "whole answer ok 255" << 0 << 2 << 266;
        QTest::newRow("noise before") << Cat(Hex("00 13 FE 86"), Make(5, 0x86, 0, 2)) << 1 << "whole answer ok 2" << 4 << 5 << 16;
        QTest::newRow("preambles to no delimiter before")
            << Cat(Hex("FF 03 FF FF 80 FF FF 98"), Make(2, 0x86, 0, 2)) << 1 << "whole answer ok 2" << 8 << 2 << 13;
        QTest::newRow("trailing bytes") << Cat(Make(2, 0x86, 0, 2), Hex("FF FF 86")) << 1 << "whole answer ok 2" << 0 << 2 << 13;
        auto bad = Make(5, 0x86, 0, 2);
        bad.back() ^= 0x01;
        QTest::newRow("wrong checksum") << bad << 1 << "whole answer bad 2" << 0 << 5 << 16;
        QTest::newRow("preambles only") << Hex("00 FF FF FF") << 1 << "more 5" << 1 << 3 << 3;
        QTest::newRow("one preamble of two") << Hex("00 FF") << 2 << "more 6" << 1 << 1 << 1;
        QTest::newRow("nothing") << Bytes{} << 1 << "none" << 0 << 0 << 0;
        QTest::newRow("garbage") << Hex("00 01 02 03 80 7E") << 1 << "none" << 6 << 0 << 0;
        QTest::newRow("other physical layer") << Hex("FF FF 8E A6 05 01 02 03 11 00 00") << 1 << "none" << 11 << 0 << 0;
        QTest::newRow("not a frame type") << Hex("FF FF 83 A6 05 01 02 03 11 00 00") << 1 << "none" << 11 << 0 << 0;
        // A network carries frames without preambles.
        QTest::newRow("no preamble, none asked") << Make(0, 0x86, 0, 2) << 0 << "whole answer ok 2" << 0 << 0 << 11;
        QTest::newRow("no preamble, one asked") << Make(0, 0x86, 0, 2) << 1 << "none" << 11 << 0 << 0;
        QTest::newRow("no preamble, cut short") << Hex("86 A6 05 01 02 03") << 0 << "more 3" << 0 << 0 << 6;
        QTest::newRow("preambles, none asked") << Make(3, 0x86, 0, 2) << 0 << "whole answer ok 2" << 0 << 3 << 14;
    }
    void grammar()
    {
        QFETCH(Bytes, bytes);
        QFETCH(int, minPreambles);
        QFETCH(QString, state);
        QFETCH(int, start);
        QFETCH(int, preambles);
        QFETCH(int, length);
        const FrameSpan f = FindFrame(bytes, static_cast<std::size_t>(minPreambles));
        QCOMPARE(StateText(f), state);
        QCOMPARE(f.start, std::size_t(start));
        QCOMPARE(f.preambles, std::size_t(preambles));
        QCOMPARE(f.length, std::size_t(length));
        if (f.state == FrameState::Whole)
            QCOMPARE(f.checksumAt(), f.end() - 1);
    }

    // A frame cut after any of its bytes needs more: the rest exactly once the
    // byte count has come; before, the bytes up to the count and a checksum.
    void cutAnywhereNeedsMore_data()
    {
        QTest::addColumn<Bytes>("frame");
        QTest::addColumn<int>("expansion");
        QTest::newRow("short request") << Make(6, 0x02, 0, 0) << 0;
        QTest::newRow("long answer") << Make(5, 0x86, 0, 26) << 0;
        QTest::newRow("long burst, 2 expansion bytes") << Make(3, 0x81, 2, 7) << 2;
        QTest::newRow("short answer, 3 expansion bytes, 255 data bytes") << Make(2, 0x06, 3, 255) << 3;
    }
    void cutAnywhereNeedsMore()
    {
        QFETCH(Bytes, frame);
        QFETCH(int, expansion);
        const Bytes noisy = Cat(Hex("00 7E FF 10"), frame);
        const std::size_t at = 4; // where the frame starts
        const auto preambles = std::find_if(frame.begin(), frame.end(), [](std::uint8_t b) { return b != 0xFF; }) - frame.begin();
        const std::size_t delimiterAt = at + static_cast<std::size_t>(preambles);
        const std::size_t countAt = delimiterAt + 1 + ((noisy[delimiterAt] & 0x80) ? 5 : 1) + static_cast<std::size_t>(expansion) + 1;
        for (std::size_t k = at + 1; k < noisy.size(); ++k) {
            const FrameSpan f = FindFrame(std::span(noisy).first(k));
            QVERIFY2(f.state == FrameState::NeedMore, qPrintable(QString::number(k)));
            QCOMPARE(f.start, at);
            const std::size_t needed = k <= delimiterAt ? 5 : k > countAt ? noisy.size() - k : countAt + 2 - k;
            QVERIFY2(f.needed == needed, qPrintable(QString("cut at %1: %2, not %3").arg(k).arg(f.needed).arg(needed)));
            if (k > delimiterAt)
                QCOMPARE(f.mostNeeded(), k > countAt ? needed : needed + 255);
        }
        const FrameSpan whole = FindFrame(noisy);
        QVERIFY(whole.state == FrameState::Whole && whole.checksumOk);
        QCOMPARE(whole.end(), noisy.size());
    }

    // The answer is parsed with its expansion bytes skipped.
    void parseSkipsExpansionBytes()
    {
        const Bytes b = Make(1, 0x86, 2, 4);
        const auto f = AnswerFrame::Parse(b, 0);
        QVERIFY(f.has_value());
        QVERIFY(f->longAddress());
        QCOMPARE(HexOf(f->address()), QString("A6 05 01 02 03"));
        QCOMPARE(int(f->command()), 3);
        QCOMPARE(HexOf(f->data()), QString("0E 15"));
        QVERIFY(!AnswerFrame::Parse(Make(1, 0x81, 0, 4), 0)); // a burst frame answers nothing
    }

    void errorResponses()
    {
        const std::set<int> warnings{0, 8, 14, 24, 25, 26, 27, 30, 31};
        for (int rc = 0; rc < 256; ++rc) {
            const bool error = (rc & 0x80) || (rc < 96 && !warnings.count(rc));
            QVERIFY2(IsErrorResponse(static_cast<std::uint8_t>(rc)) == error, qPrintable(QString::number(rc)));
        }
    }
};

QTEST_APPLESS_MAIN(TestFrames)
#include "test_frames.moc"

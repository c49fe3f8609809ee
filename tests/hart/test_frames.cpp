#include "hart/frames.h"
#include "support/bytes.h"

#include <QtTest>

#include <set>

using namespace hart;
using testing::Hex;
using testing::HexOf;

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

#include "hart/frame_decoder.h"
#include "hart/frames.h"
#include "support/bytes.h"

#include <QtTest>

#include <random>

using namespace hart;
using testing::Hex;

namespace {

constexpr const char* kRequest3 = "FF FF FF FF FF FF FF FF 82 A6 05 01 02 03 03 00 22";
constexpr const char* kWriteAnswer = "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00 36";
constexpr const char* kAnswer3 = "FF FF FF FF FF 86 A6 05 01 02 03 03 1A 00 08 40 80 00 00 20 41 40 00 00 27 41 00 00 00 39 "
                                 "42 48 00 00 FA 00 00 00 00 7A";

QString Kind(PieceKind k)
{
    switch (k) {
    case PieceKind::Frame: return "Frame";
    case PieceKind::Cut: return "Cut";
    case PieceKind::Noise: return "Noise";
    }
    return {};
}

// Each piece as "Kind@offset+length", and for frames what a reader needs most.
QString Outline(const std::vector<LinePiece>& pieces)
{
    QStringList out;
    for (const auto& p : pieces) {
        QString s = QString("%1@%2+%3").arg(Kind(p.kind)).arg(p.offset).arg(p.length);
        if (p.kind != PieceKind::Noise && p.delimiter) {
            s += QString(" p%1 %2").arg(p.preambles).arg(p.type == FrameType::Request  ? "req"
                                                         : p.type == FrameType::Answer ? "ans"
                                                                                       : "burst");
            if (p.command)
                s += QString(" c%1").arg(*p.command);
            if (p.byteCount)
                s += QString(" n%1").arg(*p.byteCount);
            if (p.responseCode)
                s += QString(" rc%1 ds%2").arg(*p.responseCode).arg(*p.deviceStatus);
            if (p.kind == PieceKind::Frame)
                s += p.checksumOk ? " ok" : " bad";
        }
        out << s;
    }
    return out.join("; ");
}

} // namespace

class TestFrameDecoder : public QObject {
    Q_OBJECT
private slots:
    void pieces_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<QString>("outline");
        QTest::newRow("long request") << kRequest3 << "Frame@0+17 p8 req c3 n0 ok";
        QTest::newRow("short request") << "FF FF FF FF FF FF 02 05 00 00 07" << "Frame@0+11 p6 req c0 n0 ok";
        QTest::newRow("write answer") << kWriteAnswer << "Frame@0+16 p5 ans c17 n2 rc0 ds0 ok";
        QTest::newRow("answer with data") << kAnswer3 << "Frame@0+40 p5 ans c3 n26 rc0 ds8 ok";
        QTest::newRow("short answer")
            << "FF FF 06 00 00 0E 00 00 FE 26 05 05 05 01 01 01 00 01 02 03 D4" << "Frame@0+21 p2 ans c0 n14 rc0 ds0 ok";
        QTest::newRow("burst") << "FF FF FF 81 A6 05 01 02 03 01 07 00 48 20 41 40 00 00 4D"
                               << "Frame@0+19 p3 burst c1 n7 rc0 ds72 ok";
        QTest::newRow("communication error")
            << "FF FF 86 A6 05 01 02 03 28 02 88 00 87" << "Frame@0+13 p2 ans c40 n2 rc136 ds0 ok";
        QTest::newRow("bad checksum") << "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00 37"
                                      << "Frame@0+16 p5 ans c17 n2 rc0 ds0 bad";
        QTest::newRow("noise before answer")
            << QString("12 34 FF 00 ") + kWriteAnswer << "Noise@0+4; Frame@4+16 p5 ans c17 n2 rc0 ds0 ok";
        QTest::newRow("noise after answer") << QString(kWriteAnswer) + " 00 55" << "Frame@0+16 p5 ans c17 n2 rc0 ds0 ok; Noise@16+2";
        QTest::newRow("noise only") << "01 02 FF 03 80" << "Noise@0+5";
        QTest::newRow("cut before the checksum") << "FF FF FF FF FF 86 A6 05 01 02 03 11 02 00"
                                                 << "Cut@0+14 p5 ans c17 n2";
        QTest::newRow("cut in the address") << "FF FF 86 A6 05" << "Cut@0+5 p2 ans";
        QTest::newRow("preambles only") << "00 FF FF FF" << "Noise@0+1; Cut@1+3";
        QTest::newRow("cut frame then a whole one")
            << QString("FF FF 86 A6 05 01 02 03 03 1A 00 ") + kWriteAnswer
            << "Cut@0+11 p2 ans c3 n26; Frame@11+16 p5 ans c17 n2 rc0 ds0 ok";
        QTest::newRow("request echoed, then the answer")
            << QString(kRequest3) + " " + kWriteAnswer << "Frame@0+17 p8 req c3 n0 ok; Frame@17+16 p5 ans c17 n2 rc0 ds0 ok";
        QTest::newRow("expansion bytes skipped")
            << "FF FF C6 A6 05 01 02 03 E0 E1 11 02 00 00 77" << "Frame@0+15 p2 ans c17 n2 rc0 ds0 ok";
        QTest::newRow("burst, then a cut answer")
            << "FF FF 01 85 01 02 00 00 87 FF FF 86 A6" << "Frame@0+9 p2 burst c1 n2 rc0 ds0 ok; Cut@9+4 p2 ans";
        QTest::newRow("nothing") << "" << "";
    }
    void pieces()
    {
        QFETCH(QString, bytes);
        QFETCH(QString, outline);
        const auto raw = Hex(bytes.toLatin1());
        const auto pieces = DecodeLine(raw);
        QCOMPARE(Outline(pieces), outline);
        // Every byte is in exactly one piece.
        std::size_t next = 0;
        for (const auto& p : pieces) {
            QCOMPARE(p.offset, next);
            next += p.length;
        }
        QCOMPARE(next, raw.size());
    }

    // Any bytes at all, frame-like ones often: every byte lands in exactly one
    // piece, and describing a piece shows exactly its own bytes (and reads no
    // others: the sanitizers watch).
    void anyBytesCovered()
    {
        std::mt19937 random(13);
        const std::uint8_t likely[] = {0xFF, 0xFF, 0xFF, 0x82, 0x86, 0x02, 0x06, 0x81, 0x00, 0x03, 0x1A};
        for (int run = 0; run < 3000; ++run) {
            std::vector<std::uint8_t> bytes(random() % 80);
            for (auto& b : bytes)
                b = random() % 3 ? likely[random() % sizeof likely] : static_cast<std::uint8_t>(random());
            const auto pieces = DecodeLine(bytes);
            std::size_t next = 0;
            for (const auto& p : pieces) {
                QCOMPARE(p.offset, next);
                QVERIFY(p.length > 0);
                next += p.length;
                const std::string own = "  Bytes: " + HexText(std::span(bytes).subspan(p.offset, p.length)) + "\n";
                QVERIFY2(Details(p, bytes).ends_with(own), Details(p, bytes).c_str());
            }
            QCOMPARE(next, bytes.size());
        }
    }

    void words_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0x00 << "OK";
        QTest::newRow("fixed") << 0x08 << "Loop current fixed";
        QTest::newRow("malfunction and cold start") << 0xA0 << "Field device malfunction, Cold start";
        QTest::newRow("limits") << 0x03 << "Non-primary variable out of limits, Primary variable out of limits";
        QTest::newRow("changed, more, saturated") << 0x54 << "Configuration changed, More status available, Loop current saturated";
    }
    void words()
    {
        QFETCH(int, status);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(DeviceStatusText(static_cast<std::uint8_t>(status))), text);
    }

    void responseCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("success") << 0 << "Success";
        QTest::newRow("write protect") << 7 << "In write protect mode";
        QTest::newRow("busy") << 32 << "Busy";
        QTest::newRow("warning") << 8 << "Command-specific warning 8";
        QTest::newRow("error") << 9 << "Command-specific error 9";
        QTest::newRow("parity and overrun") << 0xE0 << "Communication error: Vertical parity error, Overrun error";
        QTest::newRow("framing and overflow") << 0x92 << "Communication error: Framing error, Buffer overflow";
        QTest::newRow("access restricted") << 16 << "Access restricted";
        QTest::newRow("not implemented") << 64 << "Command not implemented";
        QTest::newRow("warning above 95") << 100 << "Command-specific warning 100";
    }
    void responseCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(ResponseCodeText(static_cast<std::uint8_t>(code))), text);
    }

    // The outcome of a request that the device refused, as the command line,
    // the window and its live values say it.
    void answeredSentence_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("write protect") << 7 << "the device answered: in write protect mode (response code 7)";
        QTest::newRow("busy") << 32 << "the device answered: busy (response code 32)";
        QTest::newRow("invalid selection") << 2 << "the device answered: invalid selection (response code 2)";
        QTest::newRow("too few bytes") << 5 << "the device answered: too few data bytes received (response code 5)";
        QTest::newRow("access restricted") << 16 << "the device answered: access restricted (response code 16)";
        QTest::newRow("not implemented") << 64 << "the device answered: command not implemented (response code 64)";
        QTest::newRow("command-specific") << 9 << "the device answered: command-specific error (response code 9)";
        QTest::newRow("communication error")
            << 0x90 << "the device answered: communication error: Framing error (response code 144)";
    }
    void answeredSentence()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(DeviceAnsweredText(static_cast<std::uint8_t>(code))), text);
    }

    // What a reader sees first: the command's name, the status in words, a wrong checksum.
    void summaries_data()
    {
        QTest::addColumn<QString>("bytes");
        QTest::addColumn<QString>("summary");
        QTest::newRow("request") << kRequest3 << "Request cmd 3 Read Dynamic Variables And Loop Current, 0 data bytes";
        QTest::newRow("answer") << kAnswer3
                                << "Answer cmd 3 Read Dynamic Variables And Loop Current, Success, status Loop current "
                                   "fixed, 24 data bytes";
        QTest::newRow("unknown command, bad checksum")
            << "FF FF 82 A6 05 01 02 03 82 00 00" << "Request cmd 130 command 130, 0 data bytes, BAD CHECKSUM";
        QTest::newRow("noise and cut") << "00 01 FF FF 86 A6" << "Noise: 2 bytes | Cut Answer: cmd ?, 2 bytes";
    }
    void summaries()
    {
        QFETCH(QString, bytes);
        QFETCH(QString, summary);
        QCOMPARE(QString::fromStdString(Summary(DecodeLine(Hex(bytes.toLatin1())))), summary);
    }
};

QTEST_APPLESS_MAIN(TestFrameDecoder)
#include "test_frame_decoder.moc"

// Captures are judged by the reader that matters: tshark's HART-IP dissector.
#include "capture/pcapng.h"
#include "hart/frame_decoder.h"
#include "hart/frames.h"
#include "hart/request_table.h"
#include "sim/device.h"
#include "support/bytes.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using hart::Direction;
using hart::TrafficRecord;
using testing::Hex;

namespace {

constexpr const char* kFields[] = {"hart_ip.version", "hart_ip.message_type", "hart_ip.message_id",
                                   "hart_ip.transaction_id", "hart_ip.pt.command", "hart_ip.pt.length",
                                   "frame.packet_flags_direction", "frame.comment", "_ws.malformed"};

// One row per packet: the fields above, tab-separated.
QStringList Tshark(const QString& file)
{
    QStringList args{"-r", file, "-T", "fields", "-E", "occurrence=f"};
    for (const char* f : kFields)
        args << "-e" << f;
    QProcess p;
    p.start("tshark", args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qWarning("tshark: %s", p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

#define REQUIRE_TSHARK()                                                                                   \
    if (QStandardPaths::findExecutable("tshark").isEmpty())                                               \
    QSKIP("tshark is not installed (scripts/test installs it with apt-get): captures are not checked")

struct Line {
    std::int64_t t = 0;
    std::vector<TrafficRecord> records;
    void add(Direction d, std::vector<std::uint8_t> bytes) { records.push_back({d, t += 50'000'000, std::move(bytes)}); }
};

} // namespace

class TestPcapng : public QObject {
    Q_OBJECT
private slots:
    // Every query of the tool against the simulated converter, as the window
    // would send them, then read back by tshark frame by frame.
    void wholeReadDecodes()
    {
        REQUIRE_TSHARK();
        sim::Device device;
        // One answer in two deliveries, as a slow modem hands it over, and
        // one byte by byte, as the batch path reads.
        device.SetFault(12, {sim::FaultKind::Split, 400});
        const std::uint8_t byteByByte = 13;
        hart::DeviceIdentity id;
        id.manufacturer = device.State().manufacturerId;
        id.deviceType = device.State().deviceType;
        id.identifier = device.State().deviceId;

        // What tshark must find: every frame sent and answered, with its command
        // and byte count, and the sequence number of the request it belongs to.
        QStringList expected;
        int sequence = 0;
        auto expect = [&](const std::vector<std::uint8_t>& frame, bool sent) {
            const auto p = hart::DecodeLine(frame).front();
            expected << QString("1\t%1\t3\t%2\t%3\t%4\t%5")
                            .arg(sent ? 0 : 1)
                            .arg(sequence)
                            .arg(*p.command)
                            .arg(*p.byteCount)
                            .arg(sent ? "0x00000002" : "0x00000001");
        };

        Line line;
        std::int64_t nowMs = 0;
        for (const auto& row : hart::RequestTable()) {
            if (row.kind != hart::TimeoutKind::Query)
                continue;
            auto frame = row.shape == hart::FrameShape::Short ? hart::ShortFrame(0) : hart::LongFrame(8, id, row.command, {});
            ++sequence;
            expect(frame, true);
            if (row.trailer)
                frame.push_back(*row.trailer);
            line.add(Direction::Sent, frame);
            for (const auto& t : device.Feed(frame, nowMs += 1000)) {
                std::vector<std::uint8_t> whole;
                for (const auto& chunk : t.chunks)
                    whole.insert(whole.end(), chunk.bytes.begin(), chunk.bytes.end());
                if (row.command == byteByByte)
                    for (auto b : whole)
                        line.add(Direction::Received, {b});
                else
                    for (const auto& chunk : t.chunks)
                        line.add(Direction::Received, chunk.bytes);
                expect(whole, false);
            }
        }
        QCOMPARE(expected.size(), 2 * 20); // every query and its answer

        QTemporaryDir dir;
        const QString file = dir.filePath("read.pcapng");
        const auto written = capture::WriteCaptureFile(file.toStdString(), line.records);
        QVERIFY2(written, written.error().c_str());
        QStringList got;
        QStringList joined;
        for (const QString& row : Tshark(file)) {
            got << row.section('\t', 0, 6) + (row.section('\t', 8).isEmpty() ? "" : " MALFORMED");
            if (row.contains("joined from"))
                joined << row.section('\t', 4, 4) + ": " + row.section('\t', 7, 7).section("; ", -1);
        }
        QCOMPARE(got, expected);
        QCOMPARE(joined, QStringList({"12: joined from 2 deliveries", "13: joined from 37 deliveries"}));
    }

    // What HART-IP cannot carry goes in the packets' comments; nothing is left out.
    void comments_data()
    {
        QTest::addColumn<QStringList>("deliveries");
        QTest::addColumn<QString>("comments");
        QTest::newRow("plain") << QStringList{"FF FF FF FF FF 86 A6 05 01 02 03 11 02 00 00 36"} << "preambles: 5";
        QTest::newRow("bad checksum") << QStringList{"FF FF 86 A6 05 01 02 03 11 02 00 00 37"}
                                      << "preambles: 2; bad checksum";
        QTest::newRow("noise and trailer")
            << QStringList{"00 17 FF 86 A6 05 01 02 03 11 02 00 00 36 40"}
            << "preambles: 1; bytes outside frames: 00 17; bytes outside frames: 40";
        QTest::newRow("noise only") << QStringList{"00 17"} << "no whole frame; bytes outside frames: 00 17";
        QTest::newRow("cut and never finished") << QStringList{"00 FF FF 86 A6"}
                                                << "no whole frame; bytes outside frames: 00 | "
                                                   "no whole frame; cut frame: FF FF 86 A6";
        QTest::newRow("finished by the next delivery")
            << QStringList{"00 FF FF 86 A6 05", "01 02 03 11 02 00 00 36"}
            << "no whole frame; bytes outside frames: 00 | preambles: 2; joined from 2 deliveries";
        QTest::newRow("cut, then a new answer")
            << QStringList{"FF FF 86 A6 05 01", "FF FF 86 A6 05 01 02 03 11 02 00 00 36"}
            << "preambles: 2; cut frame: FF FF 86 A6 05 01; joined from 2 deliveries";
    }
    void comments()
    {
        REQUIRE_TSHARK();
        QFETCH(QStringList, deliveries);
        QFETCH(QString, comments);
        std::vector<TrafficRecord> records;
        for (const QString& d : deliveries)
            records.push_back({Direction::Received, 1, Hex(d.toLatin1())});
        QTemporaryDir dir;
        const QString file = dir.filePath("c.pcapng");
        QVERIFY(capture::WriteCaptureFile(file.toStdString(), records));
        QStringList got;
        for (const QString& row : Tshark(file))
            got << row.section('\t', 7, 7);
        QCOMPARE(got.join(" | "), comments);
    }

    // A failed answer is shown, but a filter on HART-IP responses does not
    // count it as one.
    void failedAnswersAreNoResponses_data()
    {
        QTest::addColumn<QStringList>("deliveries");
        QTest::addColumn<QString>("packets"); // message type and command of each packet
        QTest::newRow("whole answer") << QStringList{"FF FF 86 A6 05 01 02 03 11 02 00 00 36"} << "1 17";
        QTest::newRow("bad checksum") << QStringList{"FF FF 86 A6 05 01 02 03 11 02 00 00 37"} << "3 -";
        QTest::newRow("cut and never finished") << QStringList{"FF FF 86 A6 05 01 02"} << "3 -";
        QTest::newRow("cut by the end of its delivery, finished by the next")
            << QStringList{"FF FF 86 A6 05", "01 02 03 11 02 00 00 36"} << "1 17";
        QTest::newRow("noise only") << QStringList{"00 17"} << "3 -";
        QTest::newRow("bad, then a whole one")
            << QStringList{"FF FF 86 A6 05 01 02 03 11 02 00 00 37 FF FF 86 A6 05 01 02 03 11 02 00 00 36"}
            << "3 - | 1 17";
    }
    void failedAnswersAreNoResponses()
    {
        REQUIRE_TSHARK();
        QFETCH(QStringList, deliveries);
        QFETCH(QString, packets);
        std::vector<TrafficRecord> records;
        for (const QString& d : deliveries)
            records.push_back({Direction::Received, 1, Hex(d.toLatin1())});
        QTemporaryDir dir;
        const QString file = dir.filePath("f.pcapng");
        QVERIFY(capture::WriteCaptureFile(file.toStdString(), records));
        QStringList got;
        for (const QString& row : Tshark(file)) {
            const QString command = row.section('\t', 4, 4);
            got << row.section('\t', 1, 1) + " " + (command.isEmpty() ? "-" : command);
            QVERIFY2(row.section('\t', 8).isEmpty(), qPrintable(row)); // never malformed
        }
        QCOMPARE(got.join(" | "), packets);
    }

    // The bytes of a tiny capture, one request and its answer, written out
    // here so that the file's layout is checked without tshark: section
    // header, interface (exported PDUs, nanoseconds), then per frame an
    // enhanced packet with the exported-PDU tags for UDP port 5094, the
    // HART-IP header and the frame from its delimiter, direction and comment.
    void goldenBytes()
    {
        capture::PcapngEncoder encoder(1'700'000'000'000'000'000);
        std::vector<std::uint8_t> file = encoder.Header();
        for (const TrafficRecord& r : {TrafficRecord{Direction::Sent, 5'000'000, Hex("FF FF 02 00 00 00 02")},
                                       TrafficRecord{Direction::Received, 105'000'000, Hex("00 FF FF 06 80 00 02 00 00 84")}}) {
            const auto packets = encoder.Packets(r);
            file.insert(file.end(), packets.begin(), packets.end());
        }
        const auto rest = encoder.Flush();
        file.insert(file.end(), rest.begin(), rest.end());
        const char* expected[] = {
            // section header: type, length 28, byte-order magic, version 1.0, length unknown, length again
            "0A 0D 0D 0A 1C 00 00 00 4D 3C 2B 1A 01 00 00 00 FF FF FF FF FF FF FF FF 1C 00 00 00",
            // interface: type 1, length 32, link type 252 (exported PDU), no snapshot limit,
            // option 9 (time resolution) = 9 (nanoseconds), end of options, length again
            "01 00 00 00 20 00 00 00 FC 00 00 00 00 00 00 00 09 00 01 00 09 00 00 00 00 00 00 00 20 00 00 00",
            // enhanced packet, 100 bytes: interface 0, time 1700000000005000000 ns (high, low), 37 bytes twice
            "06 00 00 00 64 00 00 00 00 00 00 00 FE 9C 97 17 40 4B 76 36 25 00 00 00 25 00 00 00",
            // exported-PDU tags (big-endian): table name "udp.port", table value 5094, end
            "00 0E 00 08 75 64 70 2E 70 6F 72 74 00 20 00 04 00 00 13 E6 00 00 00 00",
            // HART-IP: version 1, request, pass-through, status 0, sequence 1, length 13; the frame; padding
            "01 00 03 00 00 01 00 0D 02 00 00 00 02 00 00 00",
            // flags: outbound; comment "preambles: 2"; end of options; length again
            "02 00 04 00 02 00 00 00 01 00 0C 00 70 72 65 61 6D 62 6C 65 73 3A 20 32 00 00 00 00 64 00 00 00",
            // enhanced packet, 128 bytes: time 1700000000105000000 ns, 39 bytes twice
            "06 00 00 00 80 00 00 00 00 00 00 00 FE 9C 97 17 40 2C 6C 3C 27 00 00 00 27 00 00 00",
            "00 0E 00 08 75 64 70 2E 70 6F 72 74 00 20 00 04 00 00 13 E6 00 00 00 00",
            // HART-IP: version 1, response, pass-through, status 0, sequence 1 (the request's), length 15
            "01 01 03 00 00 01 00 0F 06 80 00 02 00 00 84 00",
            // flags: inbound; comment "preambles: 2; bytes outside frames: 00"; end; length again
            "02 00 04 00 01 00 00 00 01 00 26 00 70 72 65 61 6D 62 6C 65 73 3A 20 32 3B 20 62 79 74 65 73 20 6F 75 74 "
            "73 69 64 65 20 66 72 61 6D 65 73 3A 20 30 30 00 00 00 00 00 00 80 00 00 00",
        };
        QStringList golden;
        for (const char* part : expected)
            golden << QString(part);
        QCOMPARE(testing::HexOf(file), golden.join(' '));
    }

    // Messages off a HART-IP network go out whole, as they were, with the
    // addresses and ports they crossed: tshark shows each as HART-IP.
    void networkMessagesDecode_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("udp") << false;
        QTest::newRow("tcp") << true;
    }
    void networkMessagesDecode()
    {
        REQUIRE_TSHARK();
        QFETCH(bool, tcp);
        hart::NetworkEndpoints out;
        out.tcp = tcp;
        out.source = {127, 0, 0, 1};
        out.destination = {127, 0, 0, 2};
        out.sourcePort = 40001;
        out.destinationPort = 5094;
        hart::NetworkEndpoints in = out;
        std::swap(in.source, in.destination);
        std::swap(in.sourcePort, in.destinationPort);
        const char* messages[][2] = {
            {"S", "01 00 00 00 00 01 00 0D 01 00 00 EA 60"},    // session initiate
            {"R", "01 01 00 00 00 01 00 0D 01 00 00 EA 60"},
            {"S", "01 00 03 00 00 02 00 0D 02 80 00 00 82"},    // command 0, short frame
            {"R", "01 01 03 00 00 02 00 0F 06 80 00 02 00 00 84"},
            {"S", "01 00 02 00 00 03 00 08"},                   // keep-alive
            {"R", "01 01 02 00 00 03 00 08"},
            {"S", "01 00 01 00 00 04 00 08"},                   // session close
        };
        std::vector<TrafficRecord> records;
        std::int64_t t = 0;
        for (const auto& m : messages) {
            const bool sent = m[0][0] == 'S';
            records.push_back({sent ? Direction::Sent : Direction::Received, t += 1'000'000, Hex(m[1]), sent ? out : in});
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("net.pcapng");
        const auto written = capture::WriteCaptureFile(file.toStdString(), records);
        QVERIFY2(written, written.error().c_str());

        QProcess p;
        p.start("tshark", {"-r", file, "-T", "fields", "-E", "occurrence=f", "-e", "exported_pdu.ipv4_src", "-e",
                           "exported_pdu.src_port", "-e", "exported_pdu.ipv4_dst", "-e", "exported_pdu.dst_port", "-e",
                           "exported_pdu.port_type", "-e", "hart_ip.message_type", "-e", "hart_ip.message_id", "-e",
                           "hart_ip.transaction_id", "-e", "_ws.malformed"});
        QVERIFY(p.waitForFinished(60000));
        const QStringList rows = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        const QString type = tcp ? "2" : "3";
        const QString toServer = "127.0.0.1\t40001\t127.0.0.2\t5094\t" + type + "\t";
        const QString toClient = "127.0.0.2\t5094\t127.0.0.1\t40001\t" + type + "\t";
        QCOMPARE(rows, QStringList({toServer + "0\t0\t1\t", toClient + "1\t0\t1\t", toServer + "0\t3\t2\t",
                                    toClient + "1\t3\t2\t", toServer + "0\t2\t3\t", toClient + "1\t2\t3\t",
                                    toServer + "0\t1\t4\t"}));
    }

    // A cut frame waits for its rest only while the rest may still come, as
    // in the traffic window: not past its time-out, and never once it is
    // longer than any answer (a line of 0xFF is written, not held for ever).
    void cutFrameWaitsOnlyForItsRest_data()
    {
        QTest::addColumn<QStringList>("records"); // received: the time in ms, ":", then hex
        QTest::addColumn<QString>("packets");     // packets written after each record
        const QString head = "FF FF 86 A6 05 01 02 03 11 02";
        QTest::newRow("rest in time") << QStringList{"0:" + head, "300:00 00 36"} << "0 1";
        QTest::newRow("rest too late") << QStringList{"0:" + head, "338:00 00 36"} << "0 2";
        QTest::newRow("a line of 0xFF") << QStringList{"0:" + QString("FF ").repeated(290).trimmed()} << "1";
    }
    void cutFrameWaitsOnlyForItsRest()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, packets);
        capture::PcapngEncoder encoder(0);
        QStringList got;
        for (const QString& r : records) {
            const int colon = r.indexOf(':');
            const auto bytes = encoder.Packets({Direction::Received, r.left(colon).toLongLong() * 1'000'000,
                                                Hex(r.mid(colon + 1).toLatin1())});
            int blocks = 0;
            for (std::size_t at = 0; at + 8 <= bytes.size(); ++blocks)
                at += bytes[at + 4] | bytes[at + 5] << 8 | bytes[at + 6] << 16 | std::size_t{bytes[at + 7]} << 24;
            got << QString::number(blocks);
        }
        QCOMPARE(got.join(' '), packets);
    }

    void unwritablePathFails()
    {
        const auto written = capture::WriteCaptureFile("/nonexistent-dir/x.pcapng", {});
        QVERIFY(!written);
        QVERIFY(written.error().find("/nonexistent-dir/x.pcapng") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestPcapng)
#include "test_pcapng.moc"

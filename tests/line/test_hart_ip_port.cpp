#include "hart/frames.h"
#include "line/hart_ip_port.h"
#include "line/line.h"
#include "sim/hart_ip_server.h"
#include "support/hart_ip_server.h"

#include <QSignalSpy>
#include <QtTest>

using testsupport::Bytes;
using testsupport::HartIpServer;
namespace ip = hart::ip;

Q_DECLARE_METATYPE(Bytes)

namespace {

constexpr int kWaitMs = 5000;

line::HartIpTarget Target(const HartIpServer& server, bool tcp, std::uint32_t inactivityMs = 60000)
{
    line::HartIpTarget t;
    t.host = "127.0.0.1";
    t.port = server.Port();
    t.tcp = tcp;
    t.inactivityMs = inactivityMs;
    return t;
}

// Command 13 to manufacturer 0x26, device type 0x05, identifier 01 02 03,
// with a byte after the checksum as the fixed-current request has.
Bytes Request()
{
    auto f = hart::LongFrame(8, hart::DeviceIdentity{0x26, 0x05, 5, {0x01, 0x02, 0x03}}, 13, {});
    f.push_back(0x40);
    return f;
}

Bytes Body(const Bytes& message) { return Bytes(message.begin() + ip::kHeaderSize, message.end()); }

QByteArray Q(const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size())); }

// A port with its session open against `server`; its traffic kept in `records`.
struct Session {
    std::vector<hart::TrafficRecord> records; // outlives the port, which records its session close
    line::HartIpPort port;
    QSignalSpy received{&port, &line::HartIpPort::Received};
    QSignalSpy lost{&port, &line::HartIpPort::Lost};

    bool Open(const line::HartIpTarget& t)
    {
        port.SetTrafficSink([this](const hart::TrafficRecord& r) { records.push_back(r); });
        QSignalSpy opened(&port, &line::HartIpPort::Opened);
        port.Open(t);
        return opened.wait(kWaitMs) && port.IsOpen();
    }
    bool Send(const Bytes& frame) { return port.WriteBytes(frame.data(), static_cast<std::uint16_t>(frame.size())); }
};

} // namespace

class TestHartIpPort : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isHartIp");
        QTest::addColumn<QString>("host");   // empty: refused, `says` tells why
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QString>("says");
        QTest::newRow("serial port") << "/dev/ttyUSB0" << false << "" << 0 << false << "";
        QTest::newRow("COM name") << "COM3" << false << "" << 0 << false << "";
        QTest::newRow("host, default port") << "hart-ip://gw.plant" << true << "gw.plant" << 5094 << false << "";
        QTest::newRow("address and port") << "hart-ip://10.1.2.3:20004" << true << "10.1.2.3" << 20004 << false << "";
        QTest::newRow("tcp") << "hart-ip+tcp://gw:5094" << true << "gw" << 5094 << true << "";
        QTest::newRow("scheme in capitals") << "HART-IP://gw" << true << "gw" << 5094 << false << "";
        QTest::newRow("IPv6 with port") << "hart-ip://[::1]:6000" << true << "::1" << 6000 << false << "";
        QTest::newRow("IPv6 without port") << "hart-ip+tcp://[fe80::1]" << true << "fe80::1" << 5094 << true << "";
        QTest::newRow("trailing slash") << "hart-ip://gw/" << true << "gw" << 5094 << false << "";
        QTest::newRow("no host") << "hart-ip://" << true << "" << 0 << false << "the host is missing";
        QTest::newRow("port only") << "hart-ip://:5094" << true << "" << 0 << false << "the host is missing";
        QTest::newRow("port 0") << "hart-ip://gw:0" << true << "" << 0 << false << "not a number from 1 to 65535";
        QTest::newRow("port 65536") << "hart-ip://gw:65536" << true << "" << 0 << false << "not a number from 1 to 65535";
        QTest::newRow("port not a number") << "hart-ip://gw:http" << true << "" << 0 << false << "not a number from 1 to 65535";
        QTest::newRow("colon without port") << "hart-ip://gw:" << true << "" << 0 << false << "not a number from 1 to 65535";
        QTest::newRow("path") << "hart-ip://gw/x" << true << "" << 0 << false << "write HOST or HOST:PORT";
        QTest::newRow("control byte") << "hart-ip://g\x1bw" << true << "" << 0 << false << "write HOST or HOST:PORT";
        QTest::newRow("unclosed bracket") << "hart-ip://[::1:5094" << true << "" << 0 << false << "a ] is missing";
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, isHartIp);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, tcp);
        QFETCH(QString, says);
        const auto parsed = line::ParseHartIpName(name.toStdString());
        QCOMPARE(parsed.has_value(), isHartIp);
        if (!isHartIp)
            return;
        if (host.isEmpty()) {
            QVERIFY(!*parsed);
            QVERIFY2(QString::fromStdString(parsed->error()).contains(says), parsed->error().c_str());
            return;
        }
        QVERIFY2(parsed->ok(), parsed->error().c_str());
        const auto& t = parsed->value();
        QCOMPARE(QString::fromStdString(t.host), host);
        QCOMPARE(int(t.port), port);
        QCOMPARE(t.tcp, tcp);
        // The name written back reads as the same server.
        const auto again = line::ParseHartIpName(line::HartIpName(t));
        QVERIFY(again && *again);
        QCOMPARE((*again)->host, t.host);
        QCOMPARE((*again)->port, t.port);
        QCOMPARE((*again)->tcp, t.tcp);
    }

    void sessionSetUp_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<int>("status");     // of the initiate response; -1: an error message instead
        QTest::addColumn<int>("errorCode");
        QTest::addColumn<bool>("secondary");
        QTest::addColumn<QString>("says");   // empty: the session opens
        for (const bool tcp : {false, true}) {
            const char* p = tcp ? "tcp, " : "udp, ";
            QTest::newRow(QByteArray(p) + "opened") << tcp << 0 << 0 << false << "";
            QTest::newRow(QByteArray(p) + "secondary master") << tcp << 0 << 0 << true << "";
            QTest::newRow(QByteArray(p) + "timer set to nearest") << tcp << int(ip::kStatusSetToNearest) << 0 << false << "";
            QTest::newRow(QByteArray(p) + "sessions in use") << tcp << int(ip::kStatusSessionsInUse) << 0 << false << "all available sessions in use";
            QTest::newRow(QByteArray(p) + "version") << tcp << int(ip::kStatusVersionNotSupported) << 0 << false << "HART-IP version not supported";
            QTest::newRow(QByteArray(p) + "master type") << tcp << int(ip::kStatusInvalidSelection) << 0 << true << "does not take this master type";
            QTest::newRow(QByteArray(p) + "unknown status") << tcp << 77 << 0 << false << "status 77";
            QTest::newRow(QByteArray(p) + "primary taken") << tcp << -1 << int(ip::kErrorPrimaryUnavailable) << false << "primary master unavailable";
        }
    }
    void sessionSetUp()
    {
        QFETCH(bool, tcp);
        QFETCH(int, status);
        QFETCH(int, errorCode);
        QFETCH(bool, secondary);
        QFETCH(QString, says);
        HartIpServer server(tcp);
        if (status >= 0)
            server.initiateStatus = static_cast<std::uint8_t>(status);
        else
            server.initiateError = static_cast<std::uint8_t>(errorCode);
        line::HartIpPort port;
        QSignalSpy opened(&port, &line::HartIpPort::Opened);
        QSignalSpy failed(&port, &line::HartIpPort::Failed);
        auto t = Target(server, tcp);
        t.master = secondary ? ip::MasterType::Secondary : ip::MasterType::Primary;
        port.Open(t);
        QTRY_VERIFY_WITH_TIMEOUT(opened.count() + failed.count() > 0, kWaitMs);
        QCOMPARE(server.Count(ip::MessageId::SessionInitiate), 1);
        const auto body = ip::ParseSessionBody(server.got.front().body);
        QVERIFY(body);
        QCOMPARE(body->master, t.master);
        QCOMPARE(body->inactivityMs, t.inactivityMs);
        if (says.isEmpty()) {
            QCOMPARE(opened.count(), 1);
            QVERIFY(port.IsOpen());
            return;
        }
        QCOMPARE(failed.count(), 1);
        QVERIFY(!port.IsOpen());
        const QString reason = failed.front().front().toString();
        QVERIFY2(reason.contains(says), qPrintable(reason));
        QVERIFY2(reason.contains(QString::fromStdString(line::HartIpName(t))), qPrintable(reason));
        const Bytes frame = Request();
        QVERIFY(!port.WriteBytes(frame.data(), static_cast<std::uint16_t>(frame.size())));
    }

    void passThroughRoundTrip_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("udp") << false;
        QTest::newRow("tcp") << true;
    }
    void passThroughRoundTrip()
    {
        QFETCH(bool, tcp);
        HartIpServer server(tcp);
        const Bytes answerData{0x11, 0x22};
        Bytes answer;
        server.passThrough = [&](const ip::Header& h, std::span<const std::uint8_t> frame) {
            answer = testsupport::SlaveAnswer(frame, 0, answerData);
            return std::vector<Bytes>{ip::PassThrough(ip::MessageType::Response, h.sequence, answer)};
        };
        Session s;
        QVERIFY(s.Open(Target(server, tcp)));
        QVERIFY(s.Send(Request()));
        QVERIFY(s.received.wait(kWaitMs));
        // Out: the frame alone, without preambles or the byte after it.
        const auto& pass = server.got.back();
        QCOMPARE(pass.header.id, ip::MessageId::PassThrough);
        const Bytes sent = Request();
        QCOMPARE(pass.body, Bytes(sent.begin() + 8, sent.end() - 1));
        // In: the answer frame as the server sent it.
        QCOMPARE(s.received.front().front().toByteArray(), Q(answer));
        // Every message on the network was recorded whole, with the loopback endpoints.
        QCOMPARE(int(s.records.size()), 4); // initiate and its response, the pass-through and its response
        for (std::size_t k = 0; k < s.records.size(); ++k) {
            const auto& r = s.records[k];
            QVERIFY(r.network);
            QCOMPARE(r.network->tcp, tcp);
            QVERIFY(!r.network->ipv6);
            QCOMPARE(r.direction, k % 2 ? hart::Direction::Received : hart::Direction::Sent);
            const std::array<std::uint8_t, 4> loopback{127, 0, 0, 1};
            QVERIFY(std::equal(loopback.begin(), loopback.end(), r.network->source.begin()));
            QVERIFY(std::equal(loopback.begin(), loopback.end(), r.network->destination.begin()));
            QCOMPARE(k % 2 ? r.network->sourcePort : r.network->destinationPort, server.Port());
            const auto parsed = ip::Parse(r.bytes);
            QVERIFY(parsed.message);
            QCOMPARE(parsed.length, r.bytes.size());
        }
        QCOMPARE(Body(s.records[2].bytes), pass.body);
    }

    // A response with another sequence number is never delivered, whatever it holds.
    void wrongSequenceIgnored()
    {
        HartIpServer server(false);
        server.passThrough = [](const ip::Header& h, std::span<const std::uint8_t> frame) {
            return std::vector<Bytes>{
                ip::PassThrough(ip::MessageType::Response, static_cast<std::uint16_t>(h.sequence - 1), testsupport::SlaveAnswer(frame, 7)),
                ip::PassThrough(ip::MessageType::Response, static_cast<std::uint16_t>(h.sequence + 1), testsupport::SlaveAnswer(frame, 6)),
                ip::PassThrough(ip::MessageType::Response, h.sequence, testsupport::SlaveAnswer(frame, 0)),
                // The right number once more: its request is no longer outstanding.
                ip::PassThrough(ip::MessageType::Response, h.sequence, testsupport::SlaveAnswer(frame, 5))};
        };
        Session s;
        QVERIFY(s.Open(Target(server, false)));
        QVERIFY(s.Send(Request()));
        QTRY_COMPARE_WITH_TIMEOUT(s.port.IgnoredMessages(), 3, kWaitMs);
        QCOMPARE(s.received.count(), 1);
        const QByteArray frame = s.received.front().front().toByteArray();
        QCOMPARE(std::uint8_t(frame.at(8)), std::uint8_t(0)); // the response code of the right answer
        QVERIFY(s.port.IsOpen());
    }

    void malformedDatagramDropped_data()
    {
        QTest::addColumn<Bytes>("bad");
        const Bytes good = ip::KeepAlive(1);
        Bytes version = good;
        version[0] = 2;
        Bytes id = good;
        id[2] = 9;
        Bytes type = good;
        type[1] = 7;
        Bytes past = ip::PassThrough(ip::MessageType::Response, 1, Bytes{0x86, 0, 0, 0, 0, 0, 0, 0, 0});
        past.resize(past.size() - 3);
        Bytes small = good;
        small[7] = 4;
        QTest::newRow("wrong version") << version;
        QTest::newRow("short header") << Bytes(good.begin(), good.begin() + 5);
        QTest::newRow("byte count past the end") << past;
        QTest::newRow("unknown message id") << id;
        QTest::newRow("unknown message type") << type;
        QTest::newRow("byte count below the header") << small;
        QTest::newRow("empty") << Bytes{};
    }
    // UDP: one message a datagram, so a bad one is dropped and the next is read.
    void malformedDatagramDropped()
    {
        QFETCH(Bytes, bad);
        HartIpServer server(false);
        server.passThrough = [&bad](const ip::Header& h, std::span<const std::uint8_t> frame) {
            return std::vector<Bytes>{bad, ip::PassThrough(ip::MessageType::Response, h.sequence, testsupport::SlaveAnswer(frame))};
        };
        Session s;
        QVERIFY(s.Open(Target(server, false)));
        QVERIFY(s.Send(Request()));
        QVERIFY(s.received.wait(kWaitMs));
        QCOMPARE(s.port.IgnoredMessages(), 1);
        QCOMPARE(s.lost.count(), 0);
        QVERIFY(s.port.IsOpen());
    }

    void malformedStreamEndsSession_data()
    {
        QTest::addColumn<Bytes>("bad");
        QTest::addColumn<QString>("says");
        Bytes version = ip::KeepAlive(1);
        version[0] = 0;
        Bytes id = ip::KeepAlive(1);
        id[2] = 4;
        Bytes tooLong = ip::KeepAlive(1);
        tooLong[6] = 0x10;
        QTest::newRow("wrong version") << version << "wrong version";
        QTest::newRow("unknown message id") << id << "unknown message id";
        QTest::newRow("too long") << tooLong << "message too long";
    }
    // TCP: where the next message starts is lost with a bad one, so the session ends.
    void malformedStreamEndsSession()
    {
        QFETCH(Bytes, bad);
        QFETCH(QString, says);
        HartIpServer server(true);
        server.passThrough = [&bad](const ip::Header&, std::span<const std::uint8_t>) { return std::vector<Bytes>{bad}; };
        Session s;
        QVERIFY(s.Open(Target(server, true)));
        QVERIFY(s.Send(Request()));
        QVERIFY(s.lost.wait(kWaitMs));
        const QString reason = s.lost.front().front().toString();
        QVERIFY2(reason.contains(says), qPrintable(reason));
        QCOMPARE(s.received.count(), 0);
        QVERIFY(!s.port.IsOpen());
    }

    // TCP: a message in pieces waits for the rest; two in one piece are both read.
    void streamReassembled()
    {
        HartIpServer server(true);
        Bytes whole;
        server.passThrough = [&](const ip::Header& h, std::span<const std::uint8_t> frame) {
            whole = ip::PassThrough(ip::MessageType::Response, h.sequence, testsupport::SlaveAnswer(frame, 0, {1, 2, 3}));
            const Bytes keepAlive = ip::Response(ip::Header{1, ip::MessageType::Request, ip::MessageId::KeepAlive, 0, 999}, 0);
            Bytes tail(whole.begin() + 10, whole.end());
            tail.insert(tail.end(), keepAlive.begin(), keepAlive.end());
            return std::vector<Bytes>{Bytes(whole.begin(), whole.begin() + 3), Bytes(whole.begin() + 3, whole.begin() + 10), tail};
        };
        Session s;
        QVERIFY(s.Open(Target(server, true)));
        QVERIFY(s.Send(Request()));
        QVERIFY(s.received.wait(kWaitMs));
        QCOMPARE(s.received.front().front().toByteArray(), Q(Body(whole)));
        QTRY_COMPARE_WITH_TIMEOUT(int(s.records.size()), 5, kWaitMs); // the keep-alive response after it was read too
        QVERIFY(s.port.IsOpen());
    }

    void keepAliveAcrossIdle_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("udp") << false;
        QTest::newRow("tcp") << true;
    }
    // Idle for longer than the inactivity timer of the simulator's server,
    // which grants less than was asked: the keep-alives keep the session.
    void keepAliveAcrossIdle()
    {
        QFETCH(bool, tcp);
        constexpr std::uint32_t kInactivityMs = 300;
        sim::HartIpServer::Options o;
        o.lineTiming = false;
        o.minInactivityMs = 100;
        o.maxInactivityMs = kInactivityMs;
        std::string error;
        auto server = sim::HartIpServer::Start(o, &error);
        QVERIFY2(server, error.c_str());
        line::HartIpTarget t;
        t.host = "127.0.0.1";
        t.port = server->Port();
        t.tcp = tcp;
        t.inactivityMs = 60000;
        Session s;
        QVERIFY(s.Open(t));
        const std::int64_t openedNs = s.records.back().timeNs;
        const auto keepAlivesAnswered = [&s] {
            return std::count_if(s.records.begin(), s.records.end(), [](const hart::TrafficRecord& r) {
                const auto p = ip::Parse(r.bytes);
                return r.direction == hart::Direction::Received && p.message &&
                       p.message->header.id == ip::MessageId::KeepAlive && p.message->header.status == 0;
            });
        };
        // The idle period is what is tested: it lasts until seven keep-alives are answered.
        QTRY_VERIFY_WITH_TIMEOUT(keepAlivesAnswered() >= 7, 20 * int(kInactivityMs));
        QVERIFY2(s.records.back().timeNs - openedNs > 2 * std::int64_t(kInactivityMs) * 1'000'000,
                 "keep-alives faster than the granted timer asks");
        QCOMPARE(server->SessionCount(), 1);
        QCOMPARE(s.lost.count(), 0);
        QVERIFY(s.Send(Request()));
        QVERIFY(s.received.wait(kWaitMs));
    }

    // A server that no longer answers, or is no longer there, ends the session in words.
    void serverGone_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<bool>("mute"); // still there, answering nothing
        QTest::addColumn<QString>("says");
        // No connection on UDP: silence is all there is to go by.
        QTest::newRow("udp, closed") << false << false << "stopped answering";
        QTest::newRow("udp, mute") << false << true << "stopped answering";
        QTest::newRow("tcp, closed") << true << false << "the server closed the connection";
        QTest::newRow("tcp, mute") << true << true << "stopped answering";
    }
    void serverGone()
    {
        QFETCH(bool, tcp);
        QFETCH(bool, mute);
        QFETCH(QString, says);
        HartIpServer server(tcp);
        Session s;
        QVERIFY(s.Open(Target(server, tcp, 600)));
        if (mute)
            server.mute = true;
        else
            server.Stop();
        s.Send(Request()); // the first message after it finds out
        QVERIFY(s.lost.wait(kWaitMs));
        const QString reason = s.lost.front().front().toString();
        QVERIFY2(reason.contains(says), qPrintable(reason));
        QCOMPARE(s.lost.count(), 1);
        QVERIFY(!s.port.IsOpen());
        QVERIFY(!s.Send(Request()));
    }

    // During a batch the requests keep the keep-alives from going; a request
    // sent while the one before is unanswered asks the server itself with a
    // keep-alive. A server gone quiet ends the session; a silent device
    // behind a server that answers does not.
    void unansweredRequestProbesServer_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<bool>("serverMute"); // else only the device is silent
        QTest::newRow("udp, server mute") << false << true;
        QTest::newRow("tcp, server mute") << true << true;
        QTest::newRow("udp, device silent") << false << false;
    }
    void unansweredRequestProbesServer()
    {
        QFETCH(bool, tcp);
        QFETCH(bool, serverMute);
        HartIpServer server(tcp);
        server.passThrough = [](const ip::Header&, std::span<const std::uint8_t>) { return std::vector<Bytes>{}; };
        Session s;
        QVERIFY(s.Open(Target(server, tcp))); // a minute's timer: no keep-alive of its own in this test
        server.mute = serverMute;
        QVERIFY(s.Send(Request()));
        QTRY_COMPARE_WITH_TIMEOUT(server.Count(ip::MessageId::PassThrough), 1, kWaitMs);
        QCOMPARE(server.Count(ip::MessageId::KeepAlive), 0); // one unanswered request says nothing yet
        QVERIFY(s.Send(Request()));
        QTRY_COMPARE_WITH_TIMEOUT(server.Count(ip::MessageId::KeepAlive), 1, kWaitMs);
        // The wait is bounded by the port's own probe timer.
        QCOMPARE(s.lost.wait(line::kHartIpProbeMs + kWaitMs), serverMute);
        if (serverMute) {
            const QString reason = s.lost.front().front().toString();
            QVERIFY2(reason.contains("stopped answering"), qPrintable(reason));
            QVERIFY(!s.port.IsOpen());
        } else {
            QVERIFY(s.port.IsOpen());
            QCOMPARE(s.lost.count(), 0);
        }
    }

    void closeEndsSession_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<bool>("byDestruction");
        QTest::newRow("udp, Close") << false << false;
        QTest::newRow("tcp, Close") << true << false;
        QTest::newRow("udp, gone") << false << true;
        QTest::newRow("tcp, gone") << true << true;
    }
    void closeEndsSession()
    {
        QFETCH(bool, tcp);
        QFETCH(bool, byDestruction);
        HartIpServer server(tcp);
        auto s = std::make_unique<Session>();
        QVERIFY(s->Open(Target(server, tcp)));
        if (byDestruction) {
            s.reset();
        } else {
            s->port.Close();
            s->port.Close();
            QVERIFY(!s->port.IsOpen());
            QCOMPARE(s->lost.count(), 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.Count(ip::MessageId::SessionClose), 1, kWaitMs);
    }

    // The batch path over the network: the frame comes without preambles and
    // is judged as a wired answer is.
    void transactorOverHartIp()
    {
        HartIpServer server(false);
        int asked = 0;
        server.passThrough = [&](const ip::Header& h, std::span<const std::uint8_t> frame) {
            // The first request goes unanswered: the Transactor sends it again.
            if (++asked == 1)
                return std::vector<Bytes>{};
            return std::vector<Bytes>{ip::PassThrough(ip::MessageType::Response, h.sequence, testsupport::SlaveAnswer(frame, 0, {0xAB}))};
        };
        line::Line::Options o;
        o.hartIp = Target(server, false);
        std::vector<hart::TrafficRecord> records;
        o.traffic = [&records](const hart::TrafficRecord& r) { records.push_back(r); };
        auto opened = line::Line::Open(o);
        QVERIFY2(opened.ok(), opened.error().c_str());
        auto l = opened.take();
        QVERIFY(l->HartIp());
        l->Transactor().SetAnswerStartMs(200);
        hart::TransactionResult result;
        bool done = false;
        auto reply = l->Transactor().Submit(hart::Transaction{Request(), 13, false, 2}, [&](const hart::TransactionResult& r) {
            result = r;
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, kWaitMs);
        QVERIFY(result.ok());
        QCOMPARE(result.repeats, 1);
        const auto frame = result.Frame();
        QVERIFY(frame);
        QCOMPARE(frame->command(), std::uint8_t(13));
        QCOMPARE(frame->data().size(), std::size_t(1));
        QCOMPARE(frame->data()[0], std::uint8_t(0xAB));
        // Every record is a HART-IP message: nothing of a serial line.
        QVERIFY(!records.empty());
        for (const auto& r : records)
            QVERIFY(r.network);
        l.reset();
        QTRY_COMPARE_WITH_TIMEOUT(server.Count(ip::MessageId::SessionClose), 1, kWaitMs);
    }
};

QTEST_GUILESS_MAIN(TestHartIpPort)
#include "test_hart_ip_port.moc"

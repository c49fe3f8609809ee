#include "sim/hart_ip_server.h"
#include "hart_ip_client.h"

#include <QtTest>

using namespace simtest;

namespace {

// Identity of the default converter, as command 0 answers it.
const Bytes kIdentity = {0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03};

sim::HartIpServerOptions Fast()
{
    sim::HartIpServerOptions o;
    o.lineTiming = false;
    o.turnaroundMs = 0;
    return o;
}

std::unique_ptr<sim::HartIpServer> StartServer(sim::HartIpServerOptions o = Fast())
{
    std::string error;
    auto s = sim::HartIpServer::Start(std::move(o), &error);
    if (!s)
        qWarning("start: %s", error.c_str());
    return s;
}

Bytes Session(std::uint16_t seq, std::uint32_t ms = 60000, ip::MasterType m = ip::MasterType::Primary)
{
    return ip::SessionInitiate(seq, m, ms);
}

// A session opened on `c`, as a client does first.
bool Open(Client& c, std::uint16_t seq = 1)
{
    if (!c.Ok() || !c.Send(Session(seq)))
        return false;
    const auto r = Read(c);
    return r && r->header.type == ip::MessageType::Response && r->header.status == ip::kStatusSuccess;
}

} // namespace

class TestHartIpServer : public QObject {
    Q_OBJECT
private slots:
    void sessionInitiate_data();
    void sessionInitiate();
    void tooManySessions();
    void passThrough_data();
    void passThrough();
    void independentClients();
    void malformed_data();
    void malformed();
    void inactivityEndsSessions();
    void lineTiming();
    void floodIsBounded();
    void badOptions();
};

void TestHartIpServer::sessionInitiate_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    const auto rows = [](const char* transport, bool tcp) {
        const auto row = [&](const char* name, const Bytes& req, int status, const Bytes& body) {
            QTest::newRow(qPrintable(QString("%1 %2").arg(transport, name))) << tcp << Q(req) << status << Q(body);
        };
        row("primary", Session(9), 0, {1, 0x00, 0x00, 0xEA, 0x60});
        row("secondary", Session(9, 60000, ip::MasterType::Secondary), 0, {0, 0x00, 0x00, 0xEA, 0x60});
        row("timer above the range", Session(9, 3'600'000), 8, {1, 0x00, 0x09, 0x27, 0xC0});
        row("timer below the range", Session(9, 10), 8, {1, 0x00, 0x00, 0x03, 0xE8});
        const ip::Header h{1, ip::MessageType::Request, ip::MessageId::SessionInitiate, 0, 9};
        row("body too short", ip::Encode(h, Bytes{1, 0, 0}), 5, {});
        row("master type 2", ip::Encode(h, Bytes{2, 0, 0, 0xEA, 0x60}), 2, {});
    };
    rows("UDP", false);
    rows("TCP", true);
}

void TestHartIpServer::sessionInitiate()
{
    QFETCH(bool, tcp);
    QFETCH(QByteArray, request);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    auto s = StartServer();
    QVERIFY(s);
    Client c(tcp, s->Port());
    QVERIFY(c.Send(B(request)));
    const auto r = Read(c);
    QVERIFY(r);
    QCOMPARE(r->header.type, ip::MessageType::Response);
    QCOMPARE(r->header.id, ip::MessageId::SessionInitiate);
    QCOMPARE(r->header.sequence, std::uint16_t(9));
    QCOMPARE(int(r->header.status), status);
    QCOMPARE(Q(r->body), body);
    const bool opened = status == 0 || status == 8;
    QCOMPARE(s->SessionCount(), opened ? 1 : 0);
    if (!opened)
        return;
    // The session is there: a second initiate is refused, a keep-alive and the close are answered.
    QVERIFY(c.Send(Session(10)));
    QVERIFY(c.Send(ip::KeepAlive(0xBEEF)));
    QVERIFY(c.Send(ip::SessionClose(0xBEF0)));
    using T = ip::MessageType;
    for (const ip::Header& h : {ip::Header{1, T::Response, ip::MessageId::SessionInitiate, 16, 10, 13},
                                ip::Header{1, T::Response, ip::MessageId::KeepAlive, 0, 0xBEEF, 8},
                                ip::Header{1, T::Response, ip::MessageId::SessionClose, 0, 0xBEF0, 8}}) {
        const auto next = Read(c);
        QVERIFY(next);
        QCOMPARE(next->header, h);
    }
    QCOMPARE(s->SessionCount(), 0);
    if (tcp) { // the connection ends with its session
        QVERIFY(c.Closed(3000));
        return;
    }
    QVERIFY(c.Send(ip::KeepAlive(3)));
    const auto gone = Read(c);
    QVERIFY(gone);
    QCOMPARE(gone->header.type, ip::MessageType::Error);
    QCOMPARE(gone->body, Bytes{ip::kErrorSessionClosed});
}

void TestHartIpServer::tooManySessions()
{
    auto o = Fast();
    o.maxSessions = 2;
    auto s = StartServer(o);
    QVERIFY(s);
    Client a(false, s->Port()), b(true, s->Port()), c(false, s->Port()), d(true, s->Port());
    QVERIFY(Open(a));
    QVERIFY(Open(b));
    for (Client* late : {&c, &d}) {
        QVERIFY(late->Send(Session(4)));
        const auto r = Read(*late);
        QVERIFY(r);
        QCOMPARE(int(r->header.status), int(ip::kStatusSessionsInUse));
    }
    // One closed: a place is free again.
    QVERIFY(a.Send(ip::SessionClose(2)));
    QVERIFY(Read(a));
    QVERIFY(Open(c, 5));
    QCOMPARE(s->SessionCount(), 2);
}

void TestHartIpServer::passThrough_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<bool>("session");
    QTest::addColumn<int>("fault"); // -1 none, else a FaultKind for every command, with value 3
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("expected"); // body of the reply; empty: none
    for (const bool tcp : {false, true}) {
        const QString t = tcp ? "TCP " : "UDP ";
        const auto row = [&](const char* name, bool session, int fault, const Bytes& req, const Bytes& expected) {
            QTest::newRow(qPrintable(t + name)) << tcp << session << fault << Q(req) << Q(expected);
        };
        row("command 0", true, -1, Tail(ShortRequest(0), 6), Tail(ShortAnswer(0, kIdentity), 5));
        row("command 0 sent with preambles", true, -1, ShortRequest(0), Tail(ShortAnswer(0, kIdentity), 5));
        row("noise stripped", true, int(sim::FaultKind::Noise), ShortRequest(0), Tail(ShortAnswer(0, kIdentity), 5));
        row("3 preambles stripped", true, int(sim::FaultKind::Preambles), ShortRequest(0),
            Tail(ShortAnswer(0, kIdentity), 5));
        row("no answer from the device", true, int(sim::FaultKind::NoAnswer), ShortRequest(0), {});
        row("another device's address", true, -1, Tail(LongRequest(3, {}, {0xA6, 0x05, 0x01, 0x02, 0x04}), 8), {});
        row("half a frame", true, -1, Bytes{0x82, 0xA6, 0x05}, {});
        row("without a session", false, -1, Tail(ShortRequest(0), 6), {ip::kErrorSessionClosed});
    }
}

void TestHartIpServer::passThrough()
{
    QFETCH(bool, tcp);
    QFETCH(bool, session);
    QFETCH(int, fault);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, expected);
    auto s = StartServer();
    QVERIFY(s);
    if (fault >= 0)
        s->WithDevice([&](sim::Device& d) { d.SetFault(std::nullopt, {sim::FaultKind(fault), 3}); });
    Client c(tcp, s->Port());
    QVERIFY(c.Ok());
    if (session)
        QVERIFY(Open(c));
    QVERIFY(c.Send(ip::Encode({1, ip::MessageType::Request, ip::MessageId::PassThrough, 0, 0x1234}, B(request))));
    // A keep-alive behind it: whatever comes first tells whether the request was answered.
    QVERIFY(c.Send(ip::KeepAlive(0x1235)));
    const auto r = Read(c);
    QVERIFY(r);
    if (expected.isEmpty()) {
        QCOMPARE(r->header.sequence, std::uint16_t(0x1235));
        return;
    }
    QCOMPARE(r->header.sequence, std::uint16_t(0x1234));
    QCOMPARE(r->header.id, ip::MessageId::PassThrough);
    QCOMPARE(r->header.type, session ? ip::MessageType::Response : ip::MessageType::Error);
    QCOMPARE(Q(r->body), expected);
}

void TestHartIpServer::independentClients()
{
    auto s = StartServer();
    QVERIFY(s);
    Client a(false, s->Port()), b(false, s->Port()), c(true, s->Port());
    QVERIFY(Open(a, 100));
    QVERIFY(Open(b, 7));
    QVERIFY(Open(c, 60000));
    const Bytes frame = Tail(ShortAnswer(0, kIdentity), 5);
    // Interleaved, each with its own numbering; one client's several requests in flight.
    for (std::uint16_t k = 0; k < 5; ++k) {
        QVERIFY(a.Send(ip::PassThrough(ip::MessageType::Request, std::uint16_t(101 + k), ShortRequest(0))));
        QVERIFY(b.Send(ip::PassThrough(ip::MessageType::Request, std::uint16_t(8 + k), ShortRequest(0))));
        QVERIFY(c.Send(ip::PassThrough(ip::MessageType::Request, std::uint16_t(65533 + k), ShortRequest(0))));
    }
    for (std::uint16_t k = 0; k < 5; ++k) {
        using Turn = std::pair<Client*, int>;
        for (auto [client, seq] : std::initializer_list<Turn>{{&a, 101 + k}, {&b, 8 + k}, {&c, 65533 + k}}) {
            const auto r = Read(*client);
            QVERIFY(r);
            QCOMPARE(r->header.sequence, std::uint16_t(seq));
            QCOMPARE(r->body, frame);
        }
    }
    QCOMPARE(s->SessionCount(), 3);
}

void TestHartIpServer::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // TCP: what makes it whole, as a stream waits for it; empty: the connection is closed.
    QTest::addColumn<QByteArray>("rest");
    QTest::addColumn<int>("sequence"); // of the first answer on TCP after the rest
    QTest::newRow("wrong version") << Q({2, 0, 2, 0, 0, 1, 0, 8}) << QByteArray() << 0;
    // With its rest, a keep-alive with sequence 1.
    QTest::newRow("short header") << Q({1, 0, 2, 0, 0}) << Q({1, 0, 8}) << 1;
    // With its rest, a pass-through of no frame: not answered, the keep-alive behind it is.
    QTest::newRow("byte count past the end") << Q({1, 0, 3, 0, 0, 1, 0, 20, 0x02, 0x00}) << Q(Bytes(10, 0)) << 78;
    QTest::newRow("unknown message id") << Q({1, 0, 4, 0, 0, 1, 0, 8}) << QByteArray() << 0;
    QTest::newRow("unknown message type") << Q({1, 7, 2, 0, 0, 1, 0, 8}) << QByteArray() << 0;
    QTest::newRow("byte count below the header") << Q({1, 0, 2, 0, 0, 1, 0, 7}) << QByteArray() << 0;
    QTest::newRow("byte count beyond any message") << Q({1, 0, 3, 0, 0, 1, 0xFF, 0xFF}) << QByteArray() << 0;
}

void TestHartIpServer::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, rest);
    QFETCH(int, sequence);
    auto s = StartServer();
    QVERIFY(s);

    // UDP: dropped; the session and the server go on.
    Client u(false, s->Port());
    QVERIFY(Open(u));
    QVERIFY(u.Send(B(bytes)));
    QVERIFY(u.Send(ip::KeepAlive(77)));
    auto r = Read(u);
    QVERIFY(r);
    QCOMPARE(r->header.sequence, std::uint16_t(77));

    Client t(true, s->Port());
    QVERIFY(Open(t));
    QVERIFY(t.Send(B(bytes)));
    if (!rest.isEmpty()) {
        QVERIFY(t.Send(B(rest)));
        QVERIFY(t.Send(ip::KeepAlive(78)));
        r = Read(t);
        QVERIFY(r);
        QCOMPARE(r->header.id, ip::MessageId::KeepAlive);
        QCOMPARE(int(r->header.sequence), sequence);
    } else {
        QVERIFY(t.Closed(3000));
    }
    // The server still serves a newcomer.
    Client n(true, s->Port());
    QVERIFY(Open(n));
    QVERIFY(n.Send(ip::PassThrough(ip::MessageType::Request, 3, ShortRequest(0))));
    r = Read(n);
    QVERIFY(r);
    QCOMPARE(r->body, Tail(ShortAnswer(0, kIdentity), 5));
}

void TestHartIpServer::inactivityEndsSessions()
{
    auto o = Fast();
    o.minInactivityMs = 50;
    o.maxInactivityMs = 150;
    auto s = StartServer(o);
    QVERIFY(s);
    Client u(false, s->Port()), t(true, s->Port());
    QVERIFY(u.Send(Session(1)));
    auto r = Read(u);
    QVERIFY(r);
    QCOMPARE(int(r->header.status), int(ip::kStatusSetToNearest));
    QCOMPARE(r->body, (Bytes{1, 0, 0, 0, 150}));
    QVERIFY(t.Send(Session(1)));
    const std::int64_t opened = NowMs();
    r = Read(t);
    QVERIFY(r);
    QCOMPARE(int(r->header.status), int(ip::kStatusSetToNearest));
    QCOMPARE(s->SessionCount(), 2);
    // The TCP session, opened last, ends with its connection; the UDP one ended before.
    QVERIFY(t.Closed(5000));
    QVERIFY2(NowMs() - opened >= 140, qPrintable(QString::number(NowMs() - opened)));
    QCOMPARE(s->SessionCount(), 0);
    QVERIFY(u.Send(ip::KeepAlive(2)));
    r = Read(u);
    QVERIFY(r);
    QCOMPARE(r->header.type, ip::MessageType::Error);
}

void TestHartIpServer::lineTiming()
{
    sim::HartIpServerOptions o; // line timing, 20 ms turnaround
    auto s = StartServer(o);
    QVERIFY(s);
    Client c(false, s->Port());
    QVERIFY(Open(c));
    const std::int64_t sent = NowMs();
    QVERIFY(c.Send(ip::PassThrough(ip::MessageType::Request, 2, ShortRequest(0))));
    const auto r = Read(c);
    QVERIFY(r);
    // 5 + 5 request bytes, 20 ms, 5 + 19 answer bytes, at 9.17 ms a byte.
    QVERIFY2(NowMs() - sent >= 330, qPrintable(QString::number(NowMs() - sent)));
    QCOMPARE(r->body, Tail(ShortAnswer(0, kIdentity), 5));
}

void TestHartIpServer::floodIsBounded()
{
    sim::HartIpEngine engine{sim::HartIpServerOptions{}};
    sim::Device device;
    const sim::HartIpPeer peer;
    engine.Datagram(peer, Session(1), device, 0);
    // Each answer waits for the loop; past 64 waiting, requests go unanswered until the backlog drains.
    const Bytes request = ip::PassThrough(ip::MessageType::Request, 2, ShortRequest(0));
    int answered = 0;
    std::int64_t lastDue = 0;
    for (int k = 0; k < 80; ++k)
        for (const auto& send : engine.Datagram(peer, request, device, 0).sends) {
            ++answered;
            lastDue = send.dueNs;
        }
    QCOMPARE(answered, 64);
    QCOMPARE(engine.Datagram(peer, request, device, lastDue).sends.size(), std::size_t(1));
}

void TestHartIpServer::badOptions()
{
    auto first = StartServer();
    QVERIFY(first);
    // A host name (no look-ups), no sessions, bounds the wrong way round, and a port in use.
    for (const auto change : std::initializer_list<void (*)(sim::HartIpServerOptions&, std::uint16_t)>{
             [](auto& o, auto) { o.address = "example.com"; }, [](auto& o, auto) { o.maxSessions = 0; },
             [](auto& o, auto) { o.maxInactivityMs = 10; }, [](auto& o, auto port) { o.port = port; }}) {
        auto o = Fast();
        change(o, first->Port());
        std::string error;
        QVERIFY(!sim::HartIpServer::Start(o, &error));
        QVERIFY(!error.empty());
    }
}

QTEST_GUILESS_MAIN(TestHartIpServer)
#include "test_hart_ip_server.moc"

#include "sim/cli.h"
#include "sim/pty_simulator.h"
#include "hart_ip_client.h"
#include "pty_io.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace simtest;

namespace {

bool Parse(const QStringList& args, sim::CommandLine* cli, std::string* error)
{
    std::vector<std::string> a;
    for (const QString& s : args)
        a.push_back(s.toStdString());
    return sim::ParseCommandLine(a, cli, error);
}

} // namespace

class TestHartSim : public QObject {
    Q_OBJECT
private slots:
    void options_data();
    void options();
    void badOptions_data();
    void badOptions();
    void refusesBadOptions();
    void hartIpOptions_data();
    void hartIpOptions();
    void servesOverHartIp();
    void servesUntilTerminated();
    void loopFixedStatusOnTheLine_data();
    void loopFixedStatusOnTheLine();
    void endsWithItsInput();
    void help();
};

void TestHartSim::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("lineTiming");
    QTest::addColumn<int>("pollAddress");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("command"); // of the one fault; -1 = all, -2 = no fault
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");

    using K = sim::FaultKind;
    const auto row = [](const char* name, QStringList args, int cmd = -2, K kind = K::NoAnswer, int value = 0) {
        QTest::newRow(name) << args << true << 0 << QString() << cmd << int(kind) << value;
    };
    QTest::newRow("plain") << QStringList{} << true << 0 << QString() << -2 << 0 << 0;
    QTest::newRow("fast, address, link") << QStringList{"--fast", "--poll-address", "3", "--link", "/tmp/x"} << false
                                         << 3 << "/tmp/x" << -2 << 0 << 0;
    QTest::newRow("joined values") << QStringList{"--poll-address=15", "--link=/tmp/y"} << true << 15 << "/tmp/y"
                                   << -2 << 0 << 0;
    row("no answer to 0", {"--no-answer=0"}, 0, K::NoAnswer);
    row("busy for command 3", {"--response-code=32:3"}, 3, K::ResponseCode, 32);
    row("split by default", {"--split"}, -1, K::Split, 400);
    row("split for command 12", {"--split=500:12"}, 12, K::Split, 500);
    row("truncate by default", {"--truncate"}, -1, K::Truncated, 0);
    row("HART 7 identity", {"--hart7-identity"}, 0, K::LongIdentity, 0);
}

void TestHartSim::options()
{
    QFETCH(QStringList, args);
    QFETCH(bool, lineTiming);
    QFETCH(int, pollAddress);
    QFETCH(QString, link);
    QFETCH(int, command);
    QFETCH(int, kind);
    QFETCH(int, value);

    sim::CommandLine cli;
    std::string error;
    QVERIFY2(Parse(args, &cli, &error), error.c_str());
    QCOMPARE(cli.simulator.lineTiming, lineTiming);
    QCOMPARE(cli.simulator.pollAddress, pollAddress);
    QCOMPARE(QString::fromStdString(cli.linkPath), link);
    if (command == -2) {
        QVERIFY(cli.faults.empty());
        return;
    }
    QCOMPARE(cli.faults.size(), std::size_t(1));
    QCOMPARE(cli.faults[0].command.has_value() ? int(*cli.faults[0].command) : -1, command);
    QCOMPARE(int(cli.faults[0].fault.kind), kind);
    QCOMPARE(cli.faults[0].fault.value, value);
}

void TestHartSim::badOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown") << QStringList{"--bogus"};
    QTest::newRow("address too high") << QStringList{"--poll-address", "16"};
    QTest::newRow("link missing") << QStringList{"--link"};
    QTest::newRow("delay without value") << QStringList{"--delay"};
    QTest::newRow("response code 0") << QStringList{"--response-code=0"};
    QTest::newRow("command 256") << QStringList{"--split=10:256"};
    QTest::newRow("value on a flag") << QStringList{"--fast=1"};
    QTest::newRow("two commands") << QStringList{"--no-answer=3:4"};
    QTest::newRow("HART-IP port missing") << QStringList{"--hart-ip"};
    QTest::newRow("HART-IP port too high") << QStringList{"--hart-ip", "65536"};
    QTest::newRow("HART-IP host name") << QStringList{"--hart-ip", "example.com:5094"};
    QTest::newRow("HART-IP IPv6 without brackets") << QStringList{"--hart-ip", "::1:5094"};
    QTest::newRow("HART-IP empty port") << QStringList{"--hart-ip", "127.0.0.1:"};
    QTest::newRow("HART-IP with a link") << QStringList{"--hart-ip", "5094", "--link", "/tmp/x"};
    QTest::newRow("sessions without HART-IP") << QStringList{"--max-sessions", "2"};
    QTest::newRow("no sessions") << QStringList{"--hart-ip", "0", "--max-sessions", "0"};
}

void TestHartSim::badOptions()
{
    QFETCH(QStringList, args);
    sim::CommandLine cli;
    std::string error;
    QVERIFY(!Parse(args, &cli, &error));
    QVERIFY(!error.empty());
}

void TestHartSim::refusesBadOptions()
{
    QProcess p;
    p.start(HART_SIM_PATH, {"--fast", "--delay=soon"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(p.readAllStandardError().contains("--delay"));
}

void TestHartSim::hartIpOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("maxSessions");
    QTest::addColumn<int>("minInactivity");
    QTest::addColumn<int>("maxInactivity");
    QTest::newRow("port only") << QStringList{"--hart-ip", "5094"} << "127.0.0.1" << 5094 << 8 << 1000 << 600000;
    QTest::newRow("all IPv4 addresses") << QStringList{"--hart-ip", "0.0.0.0:20004"} << "0.0.0.0" << 20004 << 8 << 1000
                                        << 600000;
    QTest::newRow("IPv6 loopback") << QStringList{"--hart-ip", "[::1]:5094"} << "::1" << 5094 << 8 << 1000 << 600000;
    QTest::newRow("session limits") << QStringList{"--max-sessions", "2", "--max-inactivity=300", "--hart-ip", "1"}
                                    << "127.0.0.1" << 1 << 2 << 300 << 300;
}

void TestHartSim::hartIpOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, address);
    QFETCH(int, port);
    QFETCH(int, maxSessions);
    QFETCH(int, minInactivity);
    QFETCH(int, maxInactivity);
    sim::CommandLine cli;
    std::string error;
    QVERIFY2(Parse(args, &cli, &error), error.c_str());
    QVERIFY(cli.hartIp);
    const sim::HartIpServerOptions o = sim::HartIpOptions(cli);
    QCOMPARE(QString::fromStdString(o.address), address);
    QCOMPARE(int(o.port), port);
    QCOMPARE(o.maxSessions, maxSessions);
    QCOMPARE(int(o.minInactivityMs), minInactivity);
    QCOMPARE(int(o.maxInactivityMs), maxInactivity);
}

void TestHartSim::servesOverHartIp()
{
    QProcess p;
    p.start(HART_SIM_PATH, {"--hart-ip", "0", "--fast", "--turnaround", "0", "--no-answer=3"});
    QVERIFY(p.waitForStarted(10000));
    QVERIFY(p.waitForReadyRead(10000));
    const QString line = QString::fromUtf8(p.readLine()).trimmed();
    QVERIFY2(line.startsWith("127.0.0.1:"), qPrintable(line));
    bool ok = false;
    const int port = line.mid(10).toInt(&ok);
    QVERIFY(ok && port > 0 && port < 65536);

    for (const bool tcp : {false, true}) {
        Client c(tcp, std::uint16_t(port));
        QVERIFY(c.Send(ip::SessionInitiate(1, ip::MasterType::Primary, 60000)));
        auto r = Read(c);
        QVERIFY(r);
        QCOMPARE(int(r->header.status), 0);
        QVERIFY(c.Send(ip::PassThrough(ip::MessageType::Request, 2, ShortRequest(0))));
        r = Read(c);
        QVERIFY(r);
        QCOMPARE(r->header.sequence, std::uint16_t(2));
        QCOMPARE(r->body[3], std::uint8_t(14)); // the identity's byte count
        // The fault option holds: command 3 goes unanswered, the keep-alive behind it does not.
        QVERIFY(c.Send(ip::PassThrough(ip::MessageType::Request, 3, LongRequest(3))));
        QVERIFY(c.Send(ip::KeepAlive(4)));
        r = Read(c);
        QVERIFY(r);
        QCOMPARE(r->header.sequence, std::uint16_t(4));
    }
    p.terminate();
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

void TestHartSim::loopFixedStatusOnTheLine_data()
{
    QTest::addColumn<bool>("program"); // hart-sim, or the simulated converter the window starts
    QTest::newRow("hart-sim") << true;
    QTest::newRow("built-in simulated converter") << false;
}

void TestHartSim::loopFixedStatusOnTheLine()
{
    QFETCH(bool, program);
    QProcess p;
    std::unique_ptr<sim::PtySimulator> builtIn;
    std::string path;
    if (program) {
        p.start(HART_SIM_PATH, {"--fast", "--ignore-stdin"});
        QVERIFY(p.waitForStarted(10000));
        QVERIFY(p.waitForReadyRead(10000));
        path = QString::fromUtf8(p.readLine()).trimmed().toStdString();
    } else {
        sim::PtySimulatorOptions o;
        o.lineTiming = false;
        std::string error;
        builtIn = sim::PtySimulator::Start(o, &error);
        QVERIFY2(builtIn, error.c_str());
        path = builtIn->SlavePath();
    }
    const int fd = OpenPort(path);
    QVERIFY(fd >= 0);
    // Status byte of the answer to each request, in turn.
    const auto statusAfter = [fd](const Bytes& request, std::size_t answerLength) {
        if (!Send(fd, request))
            return -1;
        const Received r = Receive(fd, answerLength, 2000);
        return r.bytes.size() == answerLength ? int(r.bytes[5 + 1 + 5 + 1 + 1 + 1]) : -1;
    };
    const std::size_t answer40 = 5 + 1 + 5 + 2 + 2 + 4 + 1;
    const std::size_t answer2 = 5 + 1 + 5 + 2 + 2 + 8 + 1;
    QCOMPARE(statusAfter(LongRequest(2), answer2), 0x00);
    QCOMPARE(statusAfter(LongRequest(40, F(12.0f)), answer40), 0x08);
    QCOMPARE(statusAfter(LongRequest(2), answer2), 0x08);
    QCOMPARE(statusAfter(LongRequest(40, F(0.0f)), answer40), 0x00);
    QCOMPARE(statusAfter(LongRequest(2), answer2), 0x00);
    ::close(fd);
    if (program) {
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
    }
}

void TestHartSim::servesUntilTerminated()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("hart");
    QProcess p;
    p.start(HART_SIM_PATH, {"--fast", "--link", link});
    QVERIFY(p.waitForStarted(10000));
    QVERIFY(p.waitForReadyRead(10000));
    const QString path = QString::fromUtf8(p.readLine()).trimmed();
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(link).symLinkTarget(), path);

    const int fd = OpenPort(link.toStdString());
    QVERIFY(fd >= 0);
    const Bytes expected =
        ShortAnswer(0, {0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03});
    QVERIFY(Send(fd, ShortRequest(0)));
    QCOMPARE(Q(Receive(fd, expected.size(), 2000).bytes), Q(expected));
    ::close(fd);

    p.terminate(); // SIGTERM
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestHartSim::endsWithItsInput()
{
    QProcess p;
    p.start(HART_SIM_PATH, {"--fast", "--preambles=12"});
    QVERIFY(p.waitForReadyRead(10000));
    QVERIFY(QFileInfo::exists(QString::fromUtf8(p.readLine()).trimmed()));
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

void TestHartSim::help()
{
    QProcess p;
    p.start(HART_SIM_PATH, {"--help"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray text = p.readAllStandardOutput();
    for (const char* option : {"--link", "--fast", "--poll-address", "--no-answer", "--bad-checksum",
                               "--response-code", "--preambles", "--noise", "--split", "--delay", "--wrong-command",
                               "--truncate", "--hart7-identity", "--hart-ip", "--max-sessions", "--max-inactivity"})
        QVERIFY2(text.contains(option), option);
}

QTEST_GUILESS_MAIN(TestHartSim)
#include "test_hart_sim.moc"

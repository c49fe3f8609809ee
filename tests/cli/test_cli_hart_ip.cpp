// modbus-hart-config over HART-IP, run in this process against a loopback
// server that hands each pass-through frame to a simulated converter.
#include "cli/cli.h"
#include "sim/device.h"
#include "sim/sample_states.h"
#include "support/hart_ip_server.h"

#include <QJsonDocument>
#include <QTimer>
#include <QtTest>

#include <sstream>

using testsupport::Bytes;
using testsupport::HartIpServer;
namespace ip = hart::ip;

namespace {

// The converter behind the server: each frame goes on its wire with
// preambles, the answer comes back without them. After `answers` answers
// the server goes away.
void ServeDevice(HartIpServer& server, sim::Device& device, int answers = 1 << 30)
{
    auto count = std::make_shared<int>(0);
    server.passThrough = [&server, &device, answers, count](const ip::Header& h, std::span<const std::uint8_t> frame) {
        std::vector<Bytes> out;
        if (++*count > answers) {
            QTimer::singleShot(0, &server, [&server] { server.Stop(); });
            return out;
        }
        Bytes wired(5, 0xFF);
        wired.insert(wired.end(), frame.begin(), frame.end());
        for (const auto& t : device.Feed(wired, 0)) {
            Bytes answer;
            for (const auto& c : t.chunks)
                answer.insert(answer.end(), c.bytes.begin(), c.bytes.end());
            out.push_back(ip::PassThrough(ip::MessageType::Response, h.sequence, answer));
        }
        return out;
    };
}

struct Outcome {
    int exit = -1;
    QString out;
    QString err;
};

Outcome Run(const QStringList& args)
{
    std::ostringstream out, err;
    cli::Io io{out, err, false};
    const int exit = cli::Run(args, io);
    return {exit, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

QStringList Server(const HartIpServer& server, bool tcp)
{
    QStringList a{"--hart-ip", QString("127.0.0.1:%1").arg(server.Port())};
    if (tcp)
        a << "--tcp";
    return a;
}

} // namespace

class TestCliHartIp : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<int>("status"); // of the session initiate
        QTest::addColumn<QString>("says"); // empty: the read is done
        QTest::newRow("udp") << false << 0 << "";
        QTest::newRow("tcp") << true << 0 << "";
        QTest::newRow("refused") << false << int(ip::kStatusSessionsInUse) << "all available sessions in use";
    }
    // The whole configuration comes over the network and the session is
    // closed after; a refused session changes nothing and is said in words.
    void read()
    {
        QFETCH(bool, tcp);
        QFETCH(int, status);
        QFETCH(QString, says);
        HartIpServer server(tcp);
        server.initiateStatus = static_cast<std::uint8_t>(status);
        sim::Device device(sim::OtherConverterState());
        ServeDevice(server, device);
        const Outcome r = Run(QStringList{"read"} + Server(server, tcp));
        QCOMPARE(server.Count(ip::MessageId::SessionInitiate), 1);
        if (!says.isEmpty()) {
            QCOMPARE(r.exit, int(cli::kRefused));
            QVERIFY2(r.err.contains(says), qPrintable(r.err));
            QVERIFY(r.out.isEmpty());
            QCOMPARE(server.Count(ip::MessageId::PassThrough), 0);
            return;
        }
        QVERIFY2(r.exit == cli::kDone, qPrintable(r.err));
        QVERIFY(QJsonDocument::fromJson(r.out.toUtf8()).isObject());
        QVERIFY2(r.err.contains("Read "), qPrintable(r.err));
        QVERIFY(server.Count(ip::MessageId::PassThrough) > 10);
        QTRY_COMPARE_WITH_TIMEOUT(server.Count(ip::MessageId::SessionClose), 1, 5000);
    }

    // The server goes away in the middle of a read: said, and the read ends as on a lost port.
    void serverGoneMidRead()
    {
        HartIpServer server(true);
        sim::Device device(sim::OtherConverterState());
        ServeDevice(server, device, 4);
        const Outcome r = Run(QStringList{"read"} + Server(server, true));
        QVERIFY2(r.exit == cli::kDifferences || r.exit == cli::kRefused, qPrintable(QString::number(r.exit)));
        QVERIFY2(r.err.contains("was lost"), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCliHartIp)
#include "test_cli_hart_ip.moc"

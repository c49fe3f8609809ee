#include "bench/hart_ip_batch.h"

#include "config/batch.h"
#include "hart/hart_ip.h"
#include "line/line.h"
#include "sim/device.h"
#include "sim/pty_simulator.h"
#include "sim/sample_states.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int kReadLimitMs = 60000;

// The simulated converter served over HART-IP (UDP, loopback) as
// `hart-sim --hart-ip --fast` serves it: a session for anyone, each
// pass-through frame fed to the device with the preambles a gateway puts on
// the wire, its answer sent whole after the device's turnaround. To measure
// the simulator's own server instead, start it in StartServer() below: the
// bench needs only its port.
class SimBridge : public QObject {
public:
    explicit SimBridge(int turnaroundMs) : device_(sim::OtherConverterState())
    {
        device_.SetTurnaroundMs(turnaroundMs);
        socket_.bind(QHostAddress::LocalHost, 0);
        clock_.start();
        connect(&socket_, &QUdpSocket::readyRead, this, [this] {
            while (socket_.hasPendingDatagrams())
                Take(socket_.receiveDatagram());
        });
    }
    quint16 Port() const { return socket_.localPort(); }

private:
    void Take(const QNetworkDatagram& d)
    {
        const QByteArray bytes = d.data();
        const auto parsed = hart::ip::Parse({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
        if (!parsed.message || parsed.message->header.type != hart::ip::MessageType::Request)
            return;
        const auto& m = *parsed.message;
        const auto reply = [this, d](const std::vector<std::uint8_t>& message) {
            socket_.writeDatagram(reinterpret_cast<const char*>(message.data()), static_cast<qint64>(message.size()),
                                  d.senderAddress(), static_cast<quint16>(d.senderPort()));
        };
        if (m.header.id != hart::ip::MessageId::PassThrough) {
            reply(hart::ip::Response(m.header, 0, m.header.id == hart::ip::MessageId::SessionInitiate ? m.body : std::span<const std::uint8_t>{}));
            return;
        }
        std::vector<std::uint8_t> wired(5, 0xFF);
        wired.insert(wired.end(), m.body.begin(), m.body.end());
        for (const sim::Transmission& t : device_.Feed(wired, clock_.elapsed())) {
            std::vector<std::uint8_t> answer;
            for (const sim::Chunk& c : t.chunks)
                answer.insert(answer.end(), c.bytes.begin(), c.bytes.end());
            const int gap = t.chunks.empty() ? 0 : t.chunks.front().gapBeforeMs;
            const auto message = hart::ip::PassThrough(hart::ip::MessageType::Response, m.header.sequence, answer);
            QTimer::singleShot(gap, Qt::PreciseTimer, this, [reply, message] { reply(message); });
        }
    }

    sim::Device device_;
    QUdpSocket socket_;
    QElapsedTimer clock_;
};

// One whole read on `l`: its time, and its transactions in *transactions.
double TimeRead(line::Line& l, int* transactions, QString* error)
{
    config::BatchRunner runner(l.Transactor());
    QEventLoop loop;
    config::BatchReport report;
    bool finished = false;
    QObject::connect(&runner, &config::BatchRunner::Finished, &loop, [&](const config::BatchReport& r) {
        report = r;
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kReadLimitMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    runner.Read(0);
    if (!finished)
        loop.exec();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (!finished || report.status != config::BatchStatus::Done || report.repeats != 0) {
        *error = finished ? "a read failed or repeated a request: " + QString::fromStdString(report.message)
                          : QString("a read did not finish");
        return 0;
    }
    *transactions = report.transactions;
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

HartIpBenchResult RunHartIpBench(int runs)
{
    HartIpBenchResult out;
    out.runs = runs;
    out.turnaroundMs = sim::PtySimulatorOptions{}.turnaroundMs;
    out.server = "the simulated converter behind a loopback HART-IP (UDP) server in the bench";

    line::Line::Options pty;
    pty.simulate = true;
    pty.simulator.lineTiming = false;
    auto ptyLine = line::Line::Open(pty);
    if (!ptyLine) {
        out.error = QString::fromStdString(ptyLine.error());
        return out;
    }
    auto serial = ptyLine.take();
    serial->Simulator()->WithDevice([](sim::Device& d) { d.State() = sim::OtherConverterState(); });

    SimBridge server(out.turnaroundMs);
    line::Line::Options net;
    net.hartIp = line::HartIpTarget{};
    net.hartIp->host = "127.0.0.1";
    net.hartIp->port = server.Port();
    auto netLine = line::Line::Open(net);
    if (!netLine) {
        out.error = QString::fromStdString(netLine.error());
        return out;
    }
    auto hartIp = netLine.take();

    // Alternating, so that a slower moment of the machine falls on both.
    std::vector<double> ptyMs, hartIpMs;
    for (int k = 0; k < runs; ++k) {
        int a = 0, b = 0;
        ptyMs.push_back(TimeRead(*serial, &a, &out.error));
        if (!out.error.isEmpty())
            return out;
        hartIpMs.push_back(TimeRead(*hartIp, &b, &out.error));
        if (!out.error.isEmpty())
            return out;
        if (a != b) {
            out.error = QString("the reads took %1 and %2 transactions").arg(a).arg(b);
            return out;
        }
        out.transactions = a;
    }
    out.ptyMs = Median(ptyMs);
    out.hartIpMs = Median(hartIpMs);
    return out;
}

} // namespace bench

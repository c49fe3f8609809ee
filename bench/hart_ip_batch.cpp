#include "bench/hart_ip_batch.h"

#include "config/batch.h"
#include "line/line.h"
#include "sim/device.h"
#include "sim/hart_ip_server.h"
#include "sim/pty_simulator.h"
#include "sim/sample_states.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int kReadLimitMs = 60000;

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
    out.server = "hart-sim's HART-IP server (UDP, loopback, no line timing)";

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

    // As `hart-sim --hart-ip --fast` serves it, with the pseudo-terminal's turnaround.
    sim::HartIpServer::Options serve;
    serve.lineTiming = false;
    serve.turnaroundMs = out.turnaroundMs;
    std::string error;
    const auto server = sim::HartIpServer::Start(serve, &error);
    if (!server) {
        out.error = QString::fromStdString(error);
        return out;
    }
    server->WithDevice([](sim::Device& d) { d.State() = sim::OtherConverterState(); });
    line::Line::Options net;
    net.hartIp = line::HartIpTarget{};
    net.hartIp->host = "127.0.0.1";
    net.hartIp->port = server->Port();
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

#include "sim/pty_simulator.h"
#include "pty_io.h"

#include <QtTest>

#include <atomic>
#include <ctime>
#include <future>
#include <span>
#include <thread>

#include <sys/file.h>

using namespace simtest;

namespace {

// Hardware revision 1 and Bell 202 current signalling share byte 7; the flags are byte 8.
const Bytes kIdentity = {0xFE, 0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x08, 0x00, 0x01, 0x02, 0x03};

std::unique_ptr<sim::PtySimulator> StartSim(bool lineTiming, decltype(sim::PtySimulator::Options::trace) trace = {})
{
    sim::PtySimulator::Options o;
    o.lineTiming = lineTiming;
    o.trace = std::move(trace);
    std::string error;
    auto s = sim::PtySimulator::Start(o, &error);
    if (!s)
        qWarning("start: %s", error.c_str());
    return s;
}

double CpuMs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

} // namespace

class TestSimPty : public QObject {
    Q_OBJECT
private slots:
    void answersOnTheSlave();
    void lineTiming();
    void faultsFromAnotherThread();
    void idleThreadSleeps();
    void stopIsPrompt();
    void badPollAddress();
};

void TestSimPty::answersOnTheSlave()
{
    auto s = StartSim(false);
    QVERIFY(s);
    for (int round = 0; round < 2; ++round) { // the port closed and opened again
        const int fd = OpenPort(s->SlavePath());
        QVERIFY(fd >= 0);
        // The port takes an exclusive lock; the simulator must not hold one.
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        const Bytes expected = ShortAnswer(0, kIdentity);
        QVERIFY(Send(fd, ShortRequest(0)));
        const Received r = Receive(fd, expected.size() + 1, 1000);
        QCOMPARE(Q(r.bytes), Q(expected));
        ::close(fd);
    }
}

void TestSimPty::lineTiming()
{
    auto s = StartSim(true);
    QVERIFY(s);
    const int fd = OpenPort(s->SlavePath());
    QVERIFY(fd >= 0);
    const Bytes expected = ShortAnswer(0, kIdentity);
    const std::int64_t sent = NowMs();
    QVERIFY(Send(fd, ShortRequest(0)));
    const Received r = Receive(fd, expected.size(), 3000);
    ::close(fd);
    QCOMPARE(Q(r.bytes), Q(expected));
    // 11 request bytes at 9.17 ms, 20 ms turnaround, then 24 bytes one by one.
    QVERIFY2(r.firstMs - sent >= 110, qPrintable(QString::number(r.firstMs - sent)));
    QVERIFY2(r.lastMs - r.firstMs >= 190, qPrintable(QString::number(r.lastMs - r.firstMs)));
    QVERIFY2(r.lastMs - sent < 1500, qPrintable(QString::number(r.lastMs - sent)));
}

void TestSimPty::faultsFromAnotherThread()
{
    auto s = StartSim(false);
    QVERIFY(s);
    const int fd = OpenPort(s->SlavePath());
    QVERIFY(fd >= 0);
    s->WithDevice([](sim::Device& d) { d.SetFault(std::uint8_t{0}, {sim::FaultKind::Split, 400}); });
    const Bytes expected = ShortAnswer(0, kIdentity);
    QVERIFY(Send(fd, ShortRequest(0)));
    const Received first = Receive(fd, expected.size() / 2, 1000);
    const Received rest = Receive(fd, expected.size() - first.bytes.size(), 2000);
    ::close(fd);
    QCOMPARE(Q(Cat({first.bytes, rest.bytes})), Q(expected));
    QVERIFY2(rest.firstMs - first.lastMs >= 350, qPrintable(QString::number(rest.firstMs - first.lastMs)));
}

void TestSimPty::idleThreadSleeps()
{
    auto s = StartSim(true);
    QVERIFY(s);
    // The pause is the window the CPU time is measured over.
    const auto idleCpu = [] {
        const double before = CpuMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return CpuMs() - before;
    };
    QVERIFY2(idleCpu() < 50, "idle without a port user");
    const int fd = OpenPort(s->SlavePath());
    QVERIFY(fd >= 0);
    QVERIFY(Send(fd, ShortRequest(0)));
    Receive(fd, 24, 2000);
    ::close(fd);
    // A closed port user must not leave the master signalling a hang-up.
    QVERIFY2(idleCpu() < 50, "idle after the port user closed");
}

void TestSimPty::stopIsPrompt()
{
    std::promise<void> scheduled;
    std::atomic<bool> said{false};
    auto s = StartSim(true, [&](bool received, std::span<const std::uint8_t>) {
        if (!received && !said.exchange(true))
            scheduled.set_value();
    });
    QVERIFY(s);
    s->WithDevice([](sim::Device& d) { d.SetFault(std::nullopt, {sim::FaultKind::Delay, 10000}); });
    const int fd = OpenPort(s->SlavePath());
    QVERIFY(fd >= 0);
    QVERIFY(Send(fd, ShortRequest(0)));
    // The answer is pending, 10 s off, when Stop comes.
    QVERIFY(scheduled.get_future().wait_for(std::chrono::seconds(3)) == std::future_status::ready);
    const std::int64_t t0 = NowMs();
    s->Stop();
    QVERIFY2(NowMs() - t0 < 500, "Stop waits for a pending answer");
    s->Stop(); // twice is harmless
    s.reset();
    ::close(fd);
}

void TestSimPty::badPollAddress()
{
    sim::PtySimulator::Options o;
    o.pollAddress = 16;
    std::string error;
    QVERIFY(!sim::PtySimulator::Start(o, &error));
    QVERIFY(!error.empty());
}

QTEST_APPLESS_MAIN(TestSimPty)
#include "test_sim_pty.moc"

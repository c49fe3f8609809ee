// The serial port under stress, from the window where the user would see it:
// the adapter pulled in the middle of a transaction, a thousand openings and
// closings, and ten mebibytes through the port and back.
#include "support/window_driver.h"
#include "tests/serial/pty_pair.h"

#include <QElapsedTimer>

#include <cstddef>

#include <dirent.h>
#include <malloc.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime; GCC ships no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
extern "C" void __sanitizer_purge_allocator();
#endif

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <random>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using mhtest::PtyPair;
using testing::WindowDriver;

namespace {

int Entries(const char* dir)
{
    DIR* d = opendir(dir);
    if (!d)
        return -1;
    int n = 0;
    while (const dirent* e = readdir(d))
        if (e->d_name[0] != '.')
            ++n;
    closedir(d);
    return n - (std::string(dir) == "/proc/self/fd" ? 1 : 0); // the directory's own descriptor
}

// What RSS may grow by over 1000 open/close cycles. Without the sanitizers it
// does not grow at all; with them their per-thread bookkeeping adds about
// 2.5 MiB before it levels off, while the heap count stays flat.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kRssSlackKiB = 4 * 1024;
#else
constexpr long kRssSlackKiB = 1024;
#endif

int OpenFds() { return Entries("/proc/self/fd"); }
int Threads() { return Entries("/proc/self/task"); }

// Resident memory once the allocator has handed back what it only keeps
// (under AddressSanitizer: the quarantine of freed blocks).
long RssKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_purge_allocator();
#else
    malloc_trim(0);
#endif
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the program holds on the heap.
std::size_t HeapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

std::uint8_t Xor(const std::vector<std::uint8_t>& bytes, std::size_t from)
{
    std::uint8_t x = 0;
    for (std::size_t k = from; k < bytes.size(); ++k)
        x ^= bytes[k];
    return x;
}

// The converter's answer to the communication test at address 0: manufacturer
// 0x26, device type 5, 5 preambles, identifier 01 02 03.
std::vector<std::uint8_t> IdentifyAnswer()
{
    std::vector<std::uint8_t> a = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x06, 0x80, 0x00, 0x0E, 0x00, 0x00, 0xFE,
                                   0x26, 0x05, 0x05, 0x05, 0x01, 0x01, 0x01, 0x00, 0x01, 0x02, 0x03};
    a.push_back(Xor(a, 5));
    return a;
}

const std::vector<std::uint8_t> kIdentifyRequest = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x02};

} // namespace

class TestSerialStress : public QObject {
    Q_OBJECT
private slots:
    void adapterPulledMidTransaction_data();
    void adapterPulledMidTransaction();
    void thousandOpenCloseCycles();
    void tenMebibytesThroughThePort();
};

void TestSerialStress::adapterPulledMidTransaction_data()
{
    // How much of the answer came before the line went: the window's verdict on it.
    QTest::addColumn<int>("answerBytes");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("request out, nothing back") << 0 << "Upload data timeout!";
    QTest::newRow("half the answer back") << 12 << "upload failed!";
}

void TestSerialStress::adapterPulledMidTransaction()
{
    QFETCH(int, answerBytes);
    QFETCH(QString, outcome);
    WindowDriver d;
    d.form.Link().Timer3().setInterval(800); // the time-out's length is not what is tested here
    int hangups = 0;
    d.form.Comm1().OnRequestHangup = [&](serial::TComm*) { ++hangups; };
    const int fds = OpenFds();
    const int threads = Threads();

    // Counts what the port hands the window, to know the answer's bytes were
    // taken off the line before it goes dead.
    const auto delivered = std::make_shared<int>(0); // the port keeps the handler
    auto deliver = d.form.Comm1().OnReceiveData;
    d.form.Comm1().OnReceiveData = [delivered, deliver](serial::TComm* sender, const void* buffer, std::uint16_t length) {
        if (buffer)
            *delivered += length;
        deliver(sender, buffer, length);
    };

    auto pty = std::make_unique<PtyPair>();
    QVERIFY2(pty->Ok(), pty->Error().c_str());
    QVERIFY(d.open(QString::fromStdString(pty->SlavePath())));
    QTest::mouseClick(d.w<QPushButton>("Button3"), Qt::LeftButton);
    QCOMPARE(pty->ReadExactly(kIdentifyRequest.size(), 3s), kIdentifyRequest);
    if (answerBytes > 0) {
        const auto answer = IdentifyAnswer();
        QVERIFY(pty->WriteAll(answer.data(), std::size_t(answerBytes)));
        QTRY_COMPARE_WITH_TIMEOUT(*delivered, answerBytes, 3000);
    }
    pty->CloseMaster(); // the adapter is pulled

    // One hang-up, and both threads end by themselves. The window's own handler
    // is replaced here: the component alone leaves the port open until closed.
    QTRY_COMPARE_WITH_TIMEOUT(hangups, 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!d.form.Comm1().ReadThreadRunning() && !d.form.Comm1().WriteThreadRunning(), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(Threads(), threads, 3000);
    QVERIFY(d.form.Comm1().IsOpen());
    QCOMPARE(d.text("Button1"), "Close");
    // The pending request ends as any unanswered or cut-off one does.
    QTRY_COMPARE_WITH_TIMEOUT(d.status(), outcome, 3000);

    // Nothing spins on the dead line: neither the threads that are left nor the
    // window's loop. The pauses are the windows the CPU time is measured over.
    double cpu = CpuSeconds();
    std::this_thread::sleep_for(300ms);
    const double idleThreads = CpuSeconds() - cpu;
    cpu = CpuSeconds();
    QTest::qWait(300);
    const double idleLoop = CpuSeconds() - cpu;
    qInfo("CPU over 300 ms after the hang-up: %.1f ms (threads), %.1f ms (with the event loop)", idleThreads * 1e3,
          idleLoop * 1e3);
    QVERIFY2(idleThreads < 0.02, qPrintable(QString("%1 s of CPU in 300 ms").arg(idleThreads)));
    QVERIFY2(idleLoop < 0.06, qPrintable(QString("%1 s of CPU in 300 ms of event loop").arg(idleLoop)));
    QCOMPARE(hangups, 1);

    // A request on the dead port goes nowhere and times out; the window carries on.
    QCOMPARE(d.press("Button34"), "Upload data timeout!");
    QCOMPARE(hangups, 1);

    // "Close", then "Open" on the adapter plugged in again: a fresh line that answers.
    d.close();
    QCOMPARE(d.text("Button1"), "Open");
    QVERIFY(!d.form.Comm1().IsOpen());
    pty = std::make_unique<PtyPair>();
    QVERIFY2(pty->Ok(), pty->Error().c_str());
    QVERIFY(d.open(QString::fromStdString(pty->SlavePath())));
    QVERIFY(d.form.Comm1().ReadThreadRunning() && d.form.Comm1().WriteThreadRunning());
    const int answersBefore = d.answers;
    QTest::mouseClick(d.w<QPushButton>("Button3"), Qt::LeftButton);
    QCOMPARE(pty->ReadExactly(kIdentifyRequest.size(), 3s), kIdentifyRequest);
    QVERIFY(pty->WriteAll(IdentifyAnswer()));
    QTRY_VERIFY_WITH_TIMEOUT(d.answers > answersBefore, 3000);
    QCOMPARE(d.status(), "upload successful!");
    QCOMPARE(d.text("Edit1"), "38");
    QCOMPARE(d.text("Edit4"), "66051");
    QCOMPARE(hangups, 1); // nothing left over from the pulled line
    QVERIFY(d.errors.isEmpty());

    d.close();
    pty.reset();
    QCOMPARE(Threads(), threads);
    QCOMPARE(OpenFds(), fds);
}

void TestSerialStress::thousandOpenCloseCycles()
{
    WindowDriver d;
    const auto cycle = [&]() -> bool {
        QTest::mouseClick(d.w<QPushButton>("Button1"), Qt::LeftButton);
        const bool opened = d.text("Button1") == "Close" && d.form.Comm1().IsOpen();
        QTest::mouseClick(d.w<QPushButton>("Button1"), Qt::LeftButton);
        const bool closed = d.text("Button1") == "Open" && !d.form.Comm1().IsOpen();
        QCoreApplication::processEvents(); // what the threads posted, as between two clicks of a user
        return opened && closed;
    };
    // The port's threads are joined by the time it is closed; what they and
    // the window posted, deletions included, is handled before anything is counted.
    const auto settle = [] {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    // The first opening starts the simulated converter; later ones reuse it.
    QVERIFY(d.open());
    QCOMPARE(d.identify(), "upload successful!");
    d.close();
    // Warm-up: the allocators and the sanitizer's shadow settle in the first few hundred.
    for (int i = 0; i < 300; ++i)
        QVERIFY(cycle());
    settle();

    const int fds = OpenFds();
    const int threads = Threads();
    const long rss = RssKiB();
    const std::size_t heap = HeapInUse();
    QElapsedTimer clock;
    clock.start();
    int bad = 0;
    for (int i = 0; i < 1000; ++i)
        bad += cycle() ? 0 : 1;
    const qint64 ms = clock.elapsed();
    settle();
    const long rssGrowth = RssKiB() - rss;
    const long long heapGrowth = (long long)HeapInUse() - (long long)heap;
    qInfo("1000 cycles in %lld ms; RSS %+ld KiB, heap %+lld bytes", ms, rssGrowth, heapGrowth);

    QCOMPARE(bad, 0);
    QCOMPARE(OpenFds(), fds);
    QCOMPARE(Threads(), threads);
    // A leak of a port's worth of state (its link, queues, threads' stacks) per cycle would be
    // hundreds of KiB to many MiB over 1000 cycles.
    QVERIFY2(heapGrowth < 64 * 1024, qPrintable(QString("heap grew by %1 bytes").arg(heapGrowth)));
    QVERIFY2(rssGrowth < kRssSlackKiB, qPrintable(QString("RSS grew by %1 KiB").arg(rssGrowth)));
    QVERIFY(d.errors.isEmpty());

    // And the port still works.
    QVERIFY(d.open());
    QCOMPARE(d.identify(), "upload successful!");
    d.close();
}

void TestSerialStress::tenMebibytesThroughThePort()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    serial::TComm comm;
    // The window's line settings.
    comm.SetCommName(pty.SlavePath());
    comm.SetBaudRate(1200);
    comm.SetParity(serial::TParity::Odd);
    comm.SetByteSize(serial::TByteSize::_8);
    comm.SetStopBits(serial::TStopBits::_1);
    comm.SetReadIntervalTimeout(300);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    std::vector<std::uint8_t> received;
    std::size_t deliveries = 0;
    std::size_t largest = 0;
    comm.OnReceiveData = [&](serial::TComm*, const void* block, std::uint16_t n) {
        const auto* p = static_cast<const std::uint8_t*>(block);
        received.insert(received.end(), p, p + n);
        ++deliveries;
        largest = std::max<std::size_t>(largest, n);
    };

    constexpr std::size_t kTotal = 10u << 20;
    std::vector<std::uint8_t> sent(kTotal);
    std::mt19937 random(20240511);
    for (auto& b : sent)
        b = std::uint8_t(random());
    received.reserve(kTotal);
    comm.OpenPort();

    // The far end sends back whatever it gets, as it gets it.
    std::atomic<bool> stop{false};
    std::atomic<bool> echoFailed{false};
    std::size_t echoed = 0;
    std::thread echo([&] {
        std::vector<std::uint8_t> buffer(1 << 16);
        while (!stop && echoed < kTotal) {
            pollfd p{pty.MasterFd(), POLLIN, 0};
            if (poll(&p, 1, 100) <= 0)
                continue;
            const ssize_t n = ::read(pty.MasterFd(), buffer.data(), buffer.size());
            if (n <= 0)
                continue;
            if (!pty.WriteAll(buffer.data(), std::size_t(n), 10s)) {
                echoFailed = true;
                return;
            }
            echoed += std::size_t(n);
        }
    });

    QElapsedTimer clock;
    clock.start();
    std::uniform_int_distribution<int> chunk(1, 65535);
    int refused = 0;
    for (std::size_t pos = 0; pos < kTotal;) {
        const auto n = std::uint16_t(std::min<std::size_t>(std::size_t(chunk(random)), kTotal - pos));
        refused += comm.WriteBytes(sent.data() + pos, n) ? 0 : 1;
        pos += n;
    }
    const bool arrived = QTest::qWaitFor([&] { return received.size() >= kTotal || echoFailed; }, 60000);
    const qint64 ms = clock.elapsed();
    stop = true;
    echo.join();
    comm.ClosePort();
    qInfo("10 MiB out and back in %lld ms, %zu deliveries", ms, deliveries);

    QCOMPARE(refused, 0);
    QVERIFY(!echoFailed);
    QVERIFY2(arrived, qPrintable(QString("%1 of %2 bytes back").arg(received.size()).arg(kTotal)));
    QCOMPARE(received.size(), kTotal);
    const auto mismatch = std::mismatch(sent.begin(), sent.end(), received.begin());
    QVERIFY2(mismatch.first == sent.end(),
             qPrintable(QString("first difference at byte %1").arg(mismatch.first - sent.begin())));
    QVERIFY(largest <= 2048); // one read's worth per delivery
    QVERIFY2(ms < 30000, qPrintable(QString("%1 ms").arg(ms)));
}

QTEST_MAIN(TestSerialStress)
#include "test_serial_stress.moc"

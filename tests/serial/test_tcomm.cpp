// TComm against pseudo-terminals: the test holds the master side.

#include "serial/tcomm.h"
#include "serial/pty_pair.h"

#include <QtCore/QDeadlineTimer>
#include <QtCore/QTemporaryFile>
#include <QtTest/QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

using namespace serial;
using mhtest::PtyPair;
using namespace std::chrono_literals;

namespace {

int CountEntries(const char* dir)
{
    int n = 0;
    if (DIR* d = opendir(dir)) {
        while (dirent* e = readdir(d))
            n += e->d_name[0] != '.';
        closedir(d);
    }
    return n;
}

// One descriptor is the directory stream itself; it cancels out in comparisons.
int OpenFds() { return CountEntries("/proc/self/fd"); }
int Threads() { return CountEntries("/proc/self/task"); }

double CpuSeconds()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// How often each thread went to sleep; every wake-up ends in one.
std::map<std::string, long> TaskSleeps()
{
    std::map<std::string, long> sleeps;
    if (DIR* d = opendir("/proc/self/task")) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] == '.')
                continue;
            std::ifstream status(std::string("/proc/self/task/") + e->d_name + "/status");
            std::string line;
            while (std::getline(status, line))
                if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
                    sleeps[e->d_name] = std::stol(line.substr(line.find(':') + 1));
        }
        closedir(d);
    }
    return sleeps;
}

// Sleeps of the threads that are not in `others`.
long SleepsOfNewThreads(const std::map<std::string, long>& others)
{
    long total = 0;
    for (const auto& [task, n] : TaskSleeps())
        if (!others.count(task))
            total += n;
    return total;
}

// Whether every thread not in `others` is blocked and stays so for a moment:
// a thread preempted on its way to its wait is runnable, not asleep. The
// pause is the moment the threads are watched over.
bool NewThreadsSettled(const std::map<std::string, long>& others)
{
    const auto before = TaskSleeps();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const auto& [task, n] : TaskSleeps()) {
        if (others.count(task))
            continue;
        std::ifstream stat(std::string("/proc/self/task/") + task + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')'); // the name may hold blanks
        if (close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'S')
            return false;
        const auto was = before.find(task);
        if (was == before.end() || was->second != n)
            return false;
    }
    return true;
}

std::string FirstLine(const std::string& s)
{
    return s.substr(0, s.find('\n'));
}

// A component set up as the main window runs it, recording its events.
struct Harness {
    TComm comm;
    std::vector<std::vector<std::uint8_t>> deliveries;
    std::vector<std::uint8_t> received;
    int unterminated = 0;
    int hangups = 0;
    int sendEmpty = 0;

    explicit Harness(const std::string& path)
    {
        comm.SetCommName(path);
        comm.SetBaudRate(1200);
        comm.SetParity(TParity::Odd);
        comm.SetReadIntervalTimeout(300);
        comm.SetRtsControl(TRtsControl::RtsDisable);
        comm.SetOutx_XonXoffFlow(false);
        comm.SetInx_XonXoffFlow(false);
        comm.OnReceiveData = [this](TComm*, const void* buffer, std::uint16_t length) {
            const auto* p = static_cast<const std::uint8_t*>(buffer);
            deliveries.emplace_back(p, p + length);
            received.insert(received.end(), p, p + length);
            unterminated += p[length] != 0;
        };
        comm.OnRequestHangup = [this](TComm*) { ++hangups; };
        comm.OnSendDataEmpty = [this](TComm*) { ++sendEmpty; };
    }
};

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = std::uint8_t(gen());
    return v;
}

std::vector<std::uint8_t> Bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}

} // namespace

class TestTComm : public QObject {
    Q_OBJECT

private slots:
    void openCloseStates();
    void openTwiceKeepsPortWorking();
    void refusedDevices_data();
    void refusedDevices();
    void secondOpenOfOpenPortFails();
    void eventCreationFailureLeavesNothing_data();
    void eventCreationFailureLeavesNothing();
    void writeBytesRefused();
    void largeBlockArrivesWhole();
    void mebibyteBothWays();
    void deliveriesFollowInterval_data();
    void deliveriesFollowInterval();
    void nullCharsDropped();
    void sendDataEmptyOncePerRun();
    void settersApplyOnlyChanges_data();
    void settersApplyOnlyChanges();
    void parityAndNameStoredOnly();
    void idleOpenPortNeverWakes();
    void hangupOnceThenReopen();
    void drainWaitersRunInOrderOnce_data();
    void drainWaitersRunInOrderOnce();
    void drainWaitsForTheFarEnd();
    void hangupReasonNamesTheSystemError();
    void closeDropsPendingEvents();
    void destructorClosesPort();
    void manyOpenCloseCycles();
};

void TestTComm::openCloseStates()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    const int fds = OpenFds();
    const int threads = Threads();
    Harness h(pty.SlavePath());

    QVERIFY(!h.comm.IsOpen());
    QVERIFY(h.comm.SendDataEmpty());
    QCOMPARE(h.comm.PortDescriptor(), -1);
    h.comm.ClosePort(); // closed: nothing happens
    QVERIFY(!h.comm.IsOpen());

    h.comm.OpenPort();
    QVERIFY(h.comm.IsOpen());
    QVERIFY(h.comm.PortDescriptor() >= 0);
    QVERIFY(h.comm.ReadThreadRunning());
    QVERIFY(h.comm.WriteThreadRunning());
    QCOMPARE(Threads(), threads + 2);

    // Closing right after the open ends both threads.
    h.comm.ClosePort();
    QVERIFY(!h.comm.IsOpen());
    QVERIFY(!h.comm.ReadThreadRunning());
    QVERIFY(!h.comm.WriteThreadRunning());
    QCOMPARE(h.comm.PortDescriptor(), -1);
    QCOMPARE(Threads(), threads);
    QCOMPARE(OpenFds(), fds);
    h.comm.ClosePort();
    QVERIFY(!h.comm.IsOpen());
}

void TestTComm::openTwiceKeepsPortWorking()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    const int fd = h.comm.PortDescriptor();
    try {
        h.comm.OpenPort();
        QFAIL("second OpenPort did not raise");
    } catch (const ECommsError& e) {
        QCOMPARE(std::string(e.what()), std::string("This serial port already opened"));
    }
    QVERIFY(h.comm.IsOpen());
    QCOMPARE(h.comm.PortDescriptor(), fd);

    QVERIFY(h.comm.WriteBytes("ping", 4));
    QCOMPARE(pty.ReadExactly(4), Bytes("ping"));
    QVERIFY(pty.WriteAll(std::string("pong")));
    QTRY_COMPARE(h.received, Bytes("pong"));
}

void TestTComm::refusedDevices_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("regular file") << QString() << QString("File handle is not a comm handle ");
    QTest::newRow("/dev/null") << QString("/dev/null") << QString("File handle is not a comm handle ");
    QTest::newRow("missing path") << QString("/nonexistent/ttyUSB7")
                                  << QString("Error opening serial port\nNo such file or directory");
    QTest::newRow("COM9 without hardware") << QString("COM9") << QString();
}

void TestTComm::refusedDevices()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    QTemporaryFile file;
    if (path.isEmpty()) {
        QVERIFY(file.open());
        file.write("not a port");
        file.flush();
        path = file.fileName();
    }
    if (path == "COM9" && QFile::exists("/dev/ttyS8"))
        QSKIP("this machine has /dev/ttyS8");
    const int fds = OpenFds();
    TComm comm;
    comm.SetCommName(path.toStdString());
    try {
        comm.OpenPort();
        QFAIL("OpenPort did not raise");
    } catch (const ECommsError& e) {
        if (message.isEmpty())
            QCOMPARE(FirstLine(e.what()), std::string("Error opening serial port"));
        else
            QCOMPARE(QString::fromStdString(e.what()), message);
    }
    QVERIFY(!comm.IsOpen());
    QCOMPARE(OpenFds(), fds);
}

void TestTComm::secondOpenOfOpenPortFails()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness first(pty.SlavePath());
    first.comm.OpenPort();
    const int fds = OpenFds();
    const int threads = Threads();

    TComm second;
    second.SetCommName(pty.SlavePath());
    try {
        second.OpenPort();
        QFAIL("a second open of the same port succeeded");
    } catch (const ECommsError& e) {
        QCOMPARE(std::string(e.what()), std::string("Error opening serial port\nDevice or resource busy"));
    }
    QVERIFY(!second.IsOpen());
    QCOMPARE(OpenFds(), fds);
    QCOMPARE(Threads(), threads);

    QVERIFY(first.comm.WriteBytes("ok", 2));
    QCOMPARE(pty.ReadExactly(2), Bytes("ok"));
}

void TestTComm::eventCreationFailureLeavesNothing_data()
{
    // Descriptors left below the limit after the port: 0, 1 or 2 of the
    // three events the open needs.
    QTest::addColumn<int>("spare");
    QTest::newRow("first event") << 0;
    QTest::newRow("second event") << 1;
    QTest::newRow("third event") << 2;
}

void TestTComm::eventCreationFailureLeavesNothing()
{
    QFETCH(int, spare);
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    const int fds = OpenFds();
    const int threads = Threads();

    const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    QVERIFY(lowestFree >= 0);
    close(lowestFree);
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(lowestFree + 1 + spare);
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &tight), 0);
    std::string message;
    try {
        comm.OpenPort();
    } catch (const ECommsError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_NOFILE, &saved);

    QCOMPARE(message, std::string("Unable to create event\nToo many open files"));
    QVERIFY(!comm.IsOpen());
    QCOMPARE(OpenFds(), fds);
    QCOMPARE(Threads(), threads);
    comm.OpenPort(); // nothing was left holding the port
    QVERIFY(comm.IsOpen());
}

void TestTComm::writeBytesRefused()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    QVERIFY(!h.comm.WriteBytes("x", 1));
    h.comm.OpenPort();
    QVERIFY(!h.comm.WriteBytes("x", 0));
    QVERIFY(!h.comm.WriteBytes(nullptr, 5));
    QVERIFY(h.comm.SendDataEmpty());
    // Nothing was queued by the refused calls: the first byte out is the next one.
    QVERIFY(h.comm.WriteBytes("Z", 1));
    QCOMPARE(pty.ReadExactly(1), Bytes("Z"));
    h.comm.ClosePort();
    QVERIFY(!h.comm.WriteBytes("x", 1));
}

void TestTComm::largeBlockArrivesWhole()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    const auto block = RandomBytes(65535, 1);
    QVERIFY(h.comm.WriteBytes(block.data(), std::uint16_t(block.size())));
    // The pty holds far less than the block, so the sender is still busy.
    QVERIFY(!h.comm.SendDataEmpty());
    QCOMPARE(pty.ReadExactly(block.size()), block);
    QTRY_VERIFY(h.comm.SendDataEmpty());
}

void TestTComm::mebibyteBothWays()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    const auto out = RandomBytes(1 << 20, 2);
    const auto in = RandomBytes(1 << 20, 3);

    std::vector<std::uint8_t> masterGot;
    bool masterWrote = false;
    std::thread reader([&] { masterGot = pty.ReadExactly(out.size(), 20s); });
    std::thread writer([&] { masterWrote = pty.WriteAll(in, 20s); });
    bool accepted = true;
    for (std::size_t pos = 0; pos < out.size();) {
        const auto n = std::uint16_t(std::min<std::size_t>(65535, out.size() - pos));
        accepted = accepted && h.comm.WriteBytes(out.data() + pos, n);
        pos += n;
    }
    QTRY_COMPARE_WITH_TIMEOUT(h.received.size(), in.size(), 30000);
    reader.join();
    writer.join();
    QVERIFY(accepted);
    QVERIFY(masterWrote);
    QVERIFY(masterGot == out);
    QVERIFY(h.received == in);
    QCOMPARE(h.unterminated, 0);
    for (const auto& d : h.deliveries)
        QVERIFY(d.size() <= 2048);
}

void TestTComm::deliveriesFollowInterval_data()
{
    // Chunks written by the master with a pause after each, and the
    // delivery sizes the handler must see.
    QTest::addColumn<QList<int>>("chunkSizes");
    QTest::addColumn<QList<int>>("pausesMs");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("gaps under 300 ms join") << QList<int>{3, 3, 3} << QList<int>{100, 100, 0} << QList<int>{9};
    QTest::newRow("gap over 300 ms splits") << QList<int>{2, 2} << QList<int>{450, 0} << QList<int>{2, 2};
    QTest::newRow("2048-byte cap") << QList<int>{5000} << QList<int>{0} << QList<int>{2048, 2048, 904};
}

void TestTComm::deliveriesFollowInterval()
{
    QFETCH(QList<int>, chunkSizes);
    QFETCH(QList<int>, pausesMs);
    QFETCH(QList<int>, expected);
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();

    std::vector<std::uint8_t> sent;
    std::uint8_t next = 1;
    for (int i = 0; i < chunkSizes.size(); ++i) {
        std::vector<std::uint8_t> chunk(std::size_t(chunkSizes[i]));
        for (auto& b : chunk)
            b = next = std::uint8_t(next % 255 + 1); // never 0, so the terminator stands out
        QVERIFY(pty.WriteAll(chunk));
        sent.insert(sent.end(), chunk.begin(), chunk.end());
        if (pausesMs[i] > 0)
            QTest::qWait(pausesMs[i]);
    }
    QTRY_COMPARE(h.received.size(), sent.size());
    QList<int> sizes;
    for (const auto& d : h.deliveries)
        sizes << int(d.size());
    QCOMPARE(sizes, expected);
    QVERIFY(h.received == sent);
    QCOMPARE(h.unterminated, 0);
}

void TestTComm::nullCharsDropped()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.SetReadIntervalTimeout(20);
    h.comm.SetIgnoreNullChar(true);
    h.comm.OpenPort();
    QVERIFY(pty.WriteAll(std::string("a\0b\0\0c", 6)));
    QTRY_COMPARE(h.deliveries.size(), std::size_t(1));
    QCOMPARE(h.received, Bytes("abc"));
}

void TestTComm::sendDataEmptyOncePerRun()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    QTRY_COMPARE(h.sendEmpty, 1);

    // The first block overfills the pty, so the other two wait in the
    // queue: one run, one announcement.
    const auto block = RandomBytes(20000, 4);
    for (int i = 0; i < 3; ++i)
        QVERIFY(h.comm.WriteBytes(block.data(), std::uint16_t(block.size())));
    QVERIFY(!h.comm.SendDataEmpty());
    QCOMPARE(pty.ReadExactly(3 * block.size()).size(), 3 * block.size());
    QTRY_COMPARE(h.sendEmpty, 2);
    QVERIFY(h.comm.SendDataEmpty());

    QVERIFY(h.comm.WriteBytes("tail", 4));
    QCOMPARE(pty.ReadExactly(4), Bytes("tail"));
    QTRY_COMPARE(h.sendEmpty, 3);

    // Waiting out one receive interval gives late extra announcements time to show.
    QVERIFY(pty.WriteAll(std::string("!")));
    QTRY_COMPARE(h.deliveries.size(), std::size_t(1));
    QCOMPARE(h.sendEmpty, 3);
}

namespace {

struct SetterRow {
    const char* name;
    std::function<void(TComm&)> sameValue;
    std::function<void(TComm&)> newValue;
};

#define ROW(prop, stored, other) \
    { #prop, [](TComm& c) { c.Set##prop(stored); }, [](TComm& c) { c.Set##prop(other); } }

// Every state property, with its stored value in the harness and another.
const std::vector<SetterRow>& SetterRows()
{
    static const std::vector<SetterRow> rows = {
        ROW(BaudRate, 1200, 2400), ROW(ParityCheck, false, true), ROW(Outx_CtsFlow, false, true),
        ROW(Outx_DsrFlow, false, true), ROW(DtrControl, TDtrControl::DtrEnable, TDtrControl::DtrDisable),
        ROW(DsrSensitivity, false, true), ROW(TxContinueOnXoff, true, false), ROW(Outx_XonXoffFlow, false, true),
        ROW(Inx_XonXoffFlow, false, true), ROW(ReplaceWhenParityError, false, true), ROW(IgnoreNullChar, false, true),
        ROW(RtsControl, TRtsControl::RtsDisable, TRtsControl::RtsEnable), ROW(XonLimit, 500, 100),
        ROW(XoffLimit, 500, 100), ROW(ByteSize, TByteSize::_8, TByteSize::_7), ROW(StopBits, TStopBits::_1, TStopBits::_2),
        ROW(XonChar, 17, 1), ROW(XoffChar, 19, 2), ROW(ReplacedChar, 0, '?'),
    };
    return rows;
}
#undef ROW

// Switches on echo behind the component's back; ApplyCommState always
// switches it off again, which shows whether it ran.
void TamperEcho(PtyPair& pty)
{
    termios t = pty.SlaveTermios();
    t.c_lflag |= ECHO;
    tcsetattr(pty.MasterFd(), TCSANOW, &t);
}

bool EchoOn(const PtyPair& pty)
{
    return (pty.SlaveTermios().c_lflag & ECHO) != 0;
}

} // namespace

void TestTComm::settersApplyOnlyChanges_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < SetterRows().size(); ++i)
        QTest::newRow(SetterRows()[i].name) << int(i);
}

void TestTComm::settersApplyOnlyChanges()
{
    QFETCH(int, row);
    const SetterRow& r = SetterRows()[std::size_t(row)];
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    QVERIFY(!EchoOn(pty));

    TamperEcho(pty);
    QVERIFY(EchoOn(pty));
    r.sameValue(h.comm);
    QVERIFY2(EchoOn(pty), "assigning the stored value touched the port");
    r.newValue(h.comm);
    QVERIFY2(!EchoOn(pty), "a changed value was not pushed to the port");

    // While closed a setter only stores.
    h.comm.ClosePort();
    TamperEcho(pty);
    r.sameValue(h.comm);
    QVERIFY(EchoOn(pty));
}

void TestTComm::parityAndNameStoredOnly()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.SetParity(TParity::None);
    h.comm.OpenPort();
    QVERIFY(!(pty.SlaveTermios().c_cflag & PARODD));

    TamperEcho(pty);
    h.comm.SetParity(TParity::Odd);
    h.comm.SetCommName("/dev/elsewhere");
    QCOMPARE(h.comm.Parity(), TParity::Odd);
    QCOMPARE(h.comm.CommName(), std::string("/dev/elsewhere"));
    QVERIFY(EchoOn(pty));
    QVERIFY(!(pty.SlaveTermios().c_cflag & PARODD));
    QVERIFY(h.comm.WriteBytes("still", 5)); // the open port is the same
    QCOMPARE(pty.ReadExactly(5), Bytes("still"));

    // The next state change carries the stored parity along. (A pty keeps
    // PARODD but always clears PARENB and forces 8 data bits.)
    h.comm.SetStopBits(TStopBits::_1_5);
    const termios t = pty.SlaveTermios();
    QVERIFY(!EchoOn(pty));
    QVERIFY(t.c_cflag & PARODD);
    QVERIFY(!(t.c_cflag & CMSPAR));
    QVERIFY(t.c_cflag & CSTOPB); // 1.5 runs as 2
    QCOMPARE(cfgetospeed(&t), speed_t(B1200));
    QVERIFY(!(t.c_cflag & CRTSCTS));
    QVERIFY(!(t.c_iflag & (IXON | IXOFF)));
}

void TestTComm::idleOpenPortNeverWakes()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    const auto others = TaskSleeps();
    h.comm.OpenPort();
    QTRY_COMPARE(h.sendEmpty, 1);
    // A first exchange leaves the receiver idle after a delivery.
    QVERIFY(pty.WriteAll(std::string("x")));
    QTRY_COMPARE(h.deliveries.size(), std::size_t(1));
    QTRY_VERIFY(NewThreadsSettled(others));

    const long sleeps = SleepsOfNewThreads(others);
    const double cpu = CpuSeconds();
    std::this_thread::sleep_for(400ms);
    QCOMPARE(SleepsOfNewThreads(others) - sleeps, 0L);
    QVERIFY(CpuSeconds() - cpu < 0.05);
}

void TestTComm::hangupOnceThenReopen()
{
    const int threads = Threads();
    auto pty = std::make_unique<PtyPair>();
    QVERIFY2(pty->Ok(), pty->Error().c_str());
    Harness h(pty->SlavePath());
    h.comm.OpenPort();
    QVERIFY(pty->WriteAll(std::string("partial")));
    pty->CloseMaster();

    // Both threads see the hang-up; the handler hears of it once.
    QTRY_VERIFY(!h.comm.ReadThreadRunning() && !h.comm.WriteThreadRunning());
    QTRY_COMPARE(h.hangups, 1);
    QVERIFY(h.comm.IsOpen());
    QVERIFY(!h.comm.WriteBytes("x", 1));
    // A thread reported ended may still be leaving the kernel's task list.
    QTRY_COMPARE(Threads(), threads);

    const double cpu = CpuSeconds();
    std::this_thread::sleep_for(300ms);
    QVERIFY(CpuSeconds() - cpu < 0.05);
    QCoreApplication::processEvents();
    QCOMPARE(h.hangups, 1);

    h.comm.ClosePort();
    QVERIFY(!h.comm.IsOpen());
    pty = std::make_unique<PtyPair>();
    QVERIFY2(pty->Ok(), pty->Error().c_str());
    h.comm.SetCommName(pty->SlavePath());
    h.comm.OpenPort();
    QVERIFY(h.comm.WriteBytes("again", 5));
    QCOMPARE(pty->ReadExactly(5), Bytes("again"));
    const std::size_t before = h.received.size();
    QVERIFY(pty->WriteAll(std::string("back")));
    QTRY_COMPARE(h.received.size(), before + 4);
    QCOMPARE(h.hangups, 1);
}

// How the line is left while callbacks wait for it to drain.
enum class DrainEnd { Nothing, Read, Close, Hangup };

void TestTComm::drainWaitersRunInOrderOnce_data()
{
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("blocks");
    QTest::newRow("closed port: at once") << int(DrainEnd::Nothing) << -1;
    QTest::newRow("nothing written: at once") << int(DrainEnd::Nothing) << 0;
    QTest::newRow("far end reads") << int(DrainEnd::Read) << 1;
    QTest::newRow("far end reads, two blocks") << int(DrainEnd::Read) << 2;
    QTest::newRow("closed while waiting") << int(DrainEnd::Close) << 2;
    QTest::newRow("hang-up while waiting") << int(DrainEnd::Hangup) << 2;
}

void TestTComm::drainWaitersRunInOrderOnce()
{
    QFETCH(int, end);
    QFETCH(int, blocks);
    auto pty = std::make_unique<PtyPair>();
    QVERIFY2(pty->Ok(), pty->Error().c_str());
    Harness h(pty->SlavePath());
    std::vector<std::string> runs;
    h.comm.OnRequestHangup = [&](TComm*) { runs.push_back("hangup"); };
    const auto others = TaskSleeps();
    // The port's threads have done all they can and sleep; what they posted is handled.
    const auto settled = [&] {
        if (!QTest::qWaitFor([&] { return NewThreadsSettled(others); }, 5000))
            return false;
        QCoreApplication::processEvents();
        return true;
    };
    if (blocks >= 0)
        h.comm.OpenPort();
    const auto block = RandomBytes(65535, 7);
    for (int k = 0; k < std::max(blocks, 0); ++k)
        QVERIFY(h.comm.WriteBytes(block.data(), std::uint16_t(block.size())));
    h.comm.WhenDrained([&] { runs.push_back("first"); });
    h.comm.WhenDrained([&] { runs.push_back("second"); });
    const std::vector<std::string> both{"first", "second"};
    if (blocks <= 0) {
        QCOMPARE(runs, both);
        return;
    }
    // The far end reads nothing yet: the frames cannot have left.
    QVERIFY(settled());
    QVERIFY(runs.empty());

    switch (DrainEnd(end)) {
    case DrainEnd::Read:
        QCOMPARE(pty->ReadExactly(block.size() * std::size_t(blocks)).size(), block.size() * std::size_t(blocks));
        QTRY_COMPARE(runs, both);
        break;
    case DrainEnd::Close:
        h.comm.ClosePort();
        QCOMPARE(runs, both);
        break;
    case DrainEnd::Hangup:
        pty->CloseMaster();
        QTRY_COMPARE(runs, (std::vector<std::string>{"first", "second", "hangup"}));
        break;
    case DrainEnd::Nothing:
        break;
    }
    QVERIFY(settled()); // nothing runs twice
    h.comm.ClosePort();
    QCOMPARE(runs.size(), std::size_t(DrainEnd(end) == DrainEnd::Hangup ? 3 : 2));
}

void TestTComm::drainWaitsForTheFarEnd()
{
    // A callback registered after a later write waits for that write too.
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    QTRY_COMPARE(h.sendEmpty, 1);
    QVERIFY(h.comm.WriteBytes("abc", 3));
    QCOMPARE(pty.ReadExactly(3), Bytes("abc"));
    int runs = 0;
    // "Empty" is said after "drained": once it is heard, the port knows the bytes left.
    QTRY_COMPARE(h.sendEmpty, 2);
    h.comm.WhenDrained([&] { ++runs; });
    QCOMPARE(runs, 1); // nothing outstanding
    QVERIFY(h.comm.WriteBytes("de", 2));
    h.comm.WhenDrained([&] { ++runs; });
    QCOMPARE(runs, 1);
    QCOMPARE(pty.ReadExactly(2), Bytes("de"));
    QTRY_COMPARE(runs, 2);
}

void TestTComm::hangupReasonNamesTheSystemError()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.OpenPort();
    pty.CloseMaster();
    QTRY_COMPARE(h.hangups, 1);
    // A pseudo-terminal whose far end closed reads as an I/O error.
    QCOMPARE(QString::fromStdString(h.comm.HangupReason()), QString::fromStdString(SystemReason(EIO)));
    QCOMPARE(QString::fromStdString(HangupReasonText(0)), "The device hung up");
}

void TestTComm::closeDropsPendingEvents()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    h.comm.SetReadIntervalTimeout(5);
    const auto others = TaskSleeps();
    // The event loop stays still throughout, so what the port's threads post
    // waits in the queue; the test only watches the threads go to sleep.
    const auto stillUntil = [](const auto& done) {
        const QDeadlineTimer deadline(5000);
        while (!done())
            if (deadline.hasExpired())
                return false;
        return true;
    };
    h.comm.OpenPort();
    QVERIFY(stillUntil([&] { return NewThreadsSettled(others); }));
    const long sleeps = SleepsOfNewThreads(others);
    QVERIFY(pty.WriteAll(std::string("late")));
    // Woken by the bytes, the reader holds them the interval, posts them and sleeps again.
    QVERIFY(stillUntil([&] { return SleepsOfNewThreads(others) > sleeps && NewThreadsSettled(others); }));
    h.comm.ClosePort();
    h.comm.SetCommName(pty.SlavePath());
    h.comm.OpenPort(); // a new open must not receive the old one's events either
    QTRY_COMPARE(h.sendEmpty, 1);
    QCoreApplication::processEvents();
    QVERIFY(h.deliveries.empty());
}

void TestTComm::destructorClosesPort()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    const int fds = OpenFds();
    const int threads = Threads();
    auto comm = std::make_unique<TComm>();
    comm->SetCommName(pty.SlavePath());
    comm->OpenPort();
    comm.reset();
    QCOMPARE(Threads(), threads);
    QCOMPARE(OpenFds(), fds);
    TComm next;
    next.SetCommName(pty.SlavePath());
    next.OpenPort(); // the lock went with the descriptor
    QVERIFY(next.IsOpen());
}

void TestTComm::manyOpenCloseCycles()
{
    PtyPair pty;
    QVERIFY2(pty.Ok(), pty.Error().c_str());
    Harness h(pty.SlavePath());
    const int fds = OpenFds();
    const int threads = Threads();
    for (int i = 0; i < 500; ++i) {
        h.comm.OpenPort();
        h.comm.ClosePort();
    }
    QCoreApplication::processEvents();
    QCOMPARE(OpenFds(), fds);
    QCOMPARE(Threads(), threads);
    QCOMPARE(h.sendEmpty, 0); // every announcement belonged to a closed open
}

QTEST_GUILESS_MAIN(TestTComm)
#include "test_tcomm.moc"

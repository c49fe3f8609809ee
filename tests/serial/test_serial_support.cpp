// The pieces under the component: error texts, delivery timing, line-event
// bits and the interruptible worker thread.

#include "serial/comm_error.h"
#include "serial/comm_link.h"
#include "serial/line_settings.h"
#include "serial/read_timing.h"
#include "serial/worker.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

using namespace serial;
using namespace std::chrono_literals;

class TestSerialSupport : public QObject {
    Q_OBJECT

private slots:
    void errorMessages_data();
    void errorMessages();
    void portGroup_data();
    void portGroup();
    void readDeadline_data();
    void readDeadline();
    void pollTimeoutRoundsUp();
    void lineEventBits();
    void workerStopsBlockedCall();
};

void TestSerialSupport::errorMessages_data()
{
    QTest::addColumn<int>("err");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no error") << 0 << "Error opening serial port";
    QTest::newRow("missing") << int(ENOENT) << "Error opening serial port\nNo such file or directory";
    QTest::newRow("busy") << int(EBUSY) << "Error opening serial port\nDevice or resource busy";
    QTest::newRow("locked") << int(EWOULDBLOCK) << "Error opening serial port\nDevice or resource busy";
    QTest::newRow("permission")
        << int(EACCES)
        << "Error opening serial port\nPermission denied\nTo use /dev/ttyUSB0, your user must be in the \"dialout\" "
           "group. Add it with\n    sudo adduser $USER dialout\nthen log out and log in again.";
    QTest::newRow("not permitted")
        << int(EPERM)
        << "Error opening serial port\nOperation not permitted\nTo use /dev/ttyUSB0, your user must be in the "
           "\"dialout\" group. Add it with\n    sudo adduser $USER dialout\nthen log out and log in again.";
    QTest::newRow("other") << int(EIO) << "Error opening serial port\nInput/output error";
}

void TestSerialSupport::errorMessages()
{
    QFETCH(int, err);
    QFETCH(QString, expected);
    const ECommsError e = CommsError(kMsgOpenFailed, err, "/dev/ttyUSB0");
    QCOMPARE(QString::fromStdString(e.what()), expected);
}

void TestSerialSupport::portGroup_data()
{
    // The group to join is the device node's own; root's group or an unknown
    // node falls back to the distribution's serial group.
    QTest::addColumn<int>("gid"); // -1: no such file; else the file's group
    QTest::addColumn<QString>("expected");
    QTest::newRow("no such port") << -1 << "dialout";
    QTest::newRow("owned by root's group") << 0 << "dialout";
    QTest::newRow("owned by another group") << 65534 << "nogroup";
}

void TestSerialSupport::portGroup()
{
    QFETCH(int, gid);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray path = dir.filePath(QStringLiteral("ttyX")).toLocal8Bit();
    if (gid >= 0) {
        QFile file(QString::fromLocal8Bit(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        if (::chown(path.constData(), static_cast<uid_t>(-1), static_cast<gid_t>(gid)) != 0)
            QSKIP("changing a file's group needs root");
    }
    QCOMPARE(QString::fromStdString(PortGroup(path.toStdString())), expected);
    QVERIFY(QString::fromStdString(PermissionHint(path.toStdString()))
                .contains(QStringLiteral("sudo adduser $USER ") + expected + QLatin1Char('\n')));
}

void TestSerialSupport::readDeadline_data()
{
    // Byte arrivals in ms after the last delivery, and when the delivery is
    // due (-1: not before the block is full).
    QTest::addColumn<quint32>("interval");
    QTest::addColumn<quint32>("multiplier");
    QTest::addColumn<quint32>("constant");
    QTest::addColumn<QList<int>>("arrivals");
    QTest::addColumn<int>("due");
    QTest::newRow("interval after last byte") << 300u << 0u << 0u << QList<int>{0, 100, 250} << 550;
    QTest::newRow("no time-outs wait for a full block") << 0u << 0u << 0u << QList<int>{10} << -1;
    QTest::newRow("total from the read start") << 0u << 0u << 1000u << QList<int>{400} << 1000;
    // Empty reads restart every 1000 ms, so a byte at 2500 belongs to the read from 2000.
    QTest::newRow("total counts whole empty periods") << 0u << 0u << 1000u << QList<int>{2500} << 3000;
    QTest::newRow("interval before total") << 300u << 0u << 1000u << QList<int>{2500} << 2800;
    QTest::newRow("total before interval") << 300u << 0u << 1000u << QList<int>{2500, 2800} << 3000;
    QTest::newRow("multiplier per requested byte") << 0u << 1u << 0u << QList<int>{100} << 2048;
    QTest::newRow("maximal interval delivers at once") << 0xFFFFFFFFu << 0u << 0u << QList<int>{40} << 40;
}

void TestSerialSupport::readDeadline()
{
    QFETCH(quint32, interval);
    QFETCH(quint32, multiplier);
    QFETCH(quint32, constant);
    QFETCH(QList<int>, arrivals);
    QFETCH(int, due);
    const ReadClock::TimePoint start{};
    const ReadTimeouts t{interval, multiplier, constant};
    ReadClock clock(start);
    QVERIFY(!clock.Deadline(t));
    for (int ms : arrivals)
        clock.BytesArrived(start + std::chrono::milliseconds(ms), t);
    const auto deadline = clock.Deadline(t);
    if (due < 0) {
        QVERIFY(!deadline);
        QCOMPARE(clock.PollTimeout(start, t), -1);
    } else {
        QVERIFY(deadline);
        QCOMPARE(std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - start).count(), qint64(due));
    }
    // After a delivery the clock idles without a deadline.
    clock.Delivered(start + 5000ms);
    QVERIFY(!clock.Deadline(t));
    QCOMPARE(clock.PollTimeout(start + 5000ms, t), -1);
}

void TestSerialSupport::pollTimeoutRoundsUp()
{
    const ReadClock::TimePoint start{};
    const ReadTimeouts t{300, 0, 0};
    ReadClock clock(start);
    clock.BytesArrived(start, t);
    QCOMPARE(clock.PollTimeout(start, t), 300);
    QCOMPARE(clock.PollTimeout(start + 299500us, t), 1); // never 0 before the deadline
    QCOMPARE(clock.PollTimeout(start + 300ms, t), 0);
    QCOMPARE(clock.PollTimeout(start + 400ms, t), 0);
}

void TestSerialSupport::lineEventBits()
{
    const serial_icounter_struct before{};
    struct Row {
        int serial_icounter_struct::*counter;
        std::uint32_t lineBits;
        std::uint32_t modemBits;
    };
    const Row rows[] = {
        {&serial_icounter_struct::buf_overrun, kLineErrorRxOverflow, 0},
        {&serial_icounter_struct::overrun, kLineErrorOverrun, 0},
        {&serial_icounter_struct::parity, kLineErrorParity, 0},
        {&serial_icounter_struct::frame, kLineErrorFrame, 0},
        {&serial_icounter_struct::brk, kLineErrorBreak, 0},
        {&serial_icounter_struct::dcd, 0, kModemCarrierDetect},
        {&serial_icounter_struct::rng, 0, kModemRing},
        {&serial_icounter_struct::rx, 0, 0},
        {&serial_icounter_struct::cts, 0, 0},
    };
    for (const Row& r : rows) {
        serial_icounter_struct after{};
        after.*r.counter = 3;
        QCOMPARE(detail::LineErrorBits(before, after), r.lineBits);
        QCOMPARE(detail::ModemEventBits(before, after), r.modemBits);
    }
    serial_icounter_struct both{};
    both.dcd = 1;
    both.rng = 1;
    both.frame = 1;
    both.brk = 2;
    QCOMPARE(detail::ModemEventBits(before, both), std::uint32_t(12));
    QCOMPARE(detail::LineErrorBits(before, both), kLineErrorFrame | kLineErrorBreak);
    QCOMPARE(detail::LineErrorBits(both, both), 0u);
}

void TestSerialSupport::workerStopsBlockedCall()
{
    // Stands for the modem-line ioctl: a read nobody will ever satisfy.
    int fds[2];
    QCOMPARE(pipe(fds), 0);
    QVERIFY(InstallInterruptHandler());
    Worker worker;
    std::atomic<int> interrupted{0};
    std::atomic<pid_t> tid{0};
    worker.Start(
        [&](const std::atomic<bool>& stop) {
            tid = ::gettid();
            char c;
            while (!stop) {
                const ssize_t n = ::read(fds[0], &c, 1);
                if (n < 0 && errno == EINTR)
                    ++interrupted;
                else
                    break;
            }
        },
        true);
    QVERIFY(worker.Running());
    // Asleep after taking its id can only be asleep in the read.
    const auto blocked = [&] {
        if (tid == 0)
            return false;
        std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')'); // the name may hold blanks
        return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'S';
    };
    QTRY_VERIFY_WITH_TIMEOUT(blocked(), 5000);
    const auto begin = std::chrono::steady_clock::now();
    QVERIFY(worker.Stop(5s));
    QVERIFY(std::chrono::steady_clock::now() - begin < 2s);
    QVERIFY(interrupted >= 1);
    QVERIFY(!worker.Running());
    close(fds[0]);
    close(fds[1]);
}

QTEST_GUILESS_MAIN(TestSerialSupport)
#include "test_serial_support.moc"

#include "serial/comm_link.h"

#include "serial/line_settings.h"
#include "serial/worker.h"

#include <QtCore/QCoreApplication>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace serial::detail {

void NotifySink::Post(std::unique_ptr<CommEvent> event)
{
    std::lock_guard lock(mutex_);
    if (target_)
        QCoreApplication::postEvent(target_, event.release());
}

void NotifySink::Detach()
{
    std::lock_guard lock(mutex_);
    target_ = nullptr;
}

void PortLink::Post(int type, std::uint32_t value, std::unique_ptr<std::uint8_t[]> block)
{
    sink->Post(std::make_unique<CommEvent>(type, generation, value, std::move(block)));
}

void PortLink::RequestHangup(int err)
{
    if (!hangupPosted.exchange(true))
        Post(kEventRequestHangup, std::uint32_t(err));
}

ReadTimeouts PortLink::Timeouts() const
{
    return {readInterval.load(), readTotalMultiplier.load(), readTotalConstant.load()};
}

std::uint32_t LineErrorBits(const serial_icounter_struct& before, const serial_icounter_struct& after)
{
    std::uint32_t bits = 0;
    if (after.buf_overrun != before.buf_overrun)
        bits |= kLineErrorRxOverflow;
    if (after.overrun != before.overrun)
        bits |= kLineErrorOverrun;
    if (after.parity != before.parity)
        bits |= kLineErrorParity;
    if (after.frame != before.frame)
        bits |= kLineErrorFrame;
    if (after.brk != before.brk)
        bits |= kLineErrorBreak;
    return bits;
}

std::uint32_t ModemEventBits(const serial_icounter_struct& before, const serial_icounter_struct& after)
{
    std::uint32_t bits = 0;
    if (after.dcd != before.dcd)
        bits |= kModemCarrierDetect;
    if (after.rng != before.rng)
        bits |= kModemRing;
    return bits;
}

bool HasModemCounters(int fd)
{
    serial_icounter_struct counts{};
    return ioctl(fd, TIOCGICOUNT, &counts) == 0;
}

namespace {

constexpr short kGone = POLLHUP | POLLERR | POLLNVAL;

// The error a call on a line reported gone by poll would give: what the
// user is told, whichever thread notices first.
int GoneErrno(short revents)
{
    return (revents & POLLNVAL) ? EBADF : EIO;
}

void DrainEventFd(int fd)
{
    eventfd_t value;
    (void)eventfd_read(fd, &value);
}

// Writes all of `block`, resuming after partial writes. False when the
// port is closing or gone (the latter with a hang-up request).
bool WriteBlock(PortLink& link, const std::vector<std::uint8_t>& block)
{
    const int fd = link.port.Get();
    std::size_t pos = 0;
    while (pos < block.size()) {
        const ssize_t written = ::write(fd, block.data() + pos, block.size() - pos);
        if (written > 0) {
            pos += std::size_t(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            pollfd fds[2] = {{link.closeEvent.Get(), POLLIN, 0}, {fd, POLLOUT, 0}};
            if (poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                link.RequestHangup(errno);
                return false;
            }
            if (fds[0].revents)
                return false;
            if (fds[1].revents & kGone) {
                link.RequestHangup(GoneErrno(fds[1].revents));
                return false;
            }
            continue;
        }
        link.RequestHangup(written < 0 ? errno : EIO);
        return false;
    }
    return true;
}

// Waits until what was written has left the line. False when the port is
// closing (a close flushes the output, which ends the wait) or gone.
bool DrainLine(PortLink& link)
{
    while (!link.closing) {
        if (tcdrain(link.port.Get()) == 0)
            return true;
        if (errno != EINTR) {
            link.RequestHangup(errno);
            return false;
        }
    }
    return false;
}

// Sleeps until there is work. False when the thread is to end.
bool WaitForWork(PortLink& link)
{
    // The port is watched only for a hang-up, so an unplugged device ends
    // the sender as well.
    pollfd fds[3] = {{link.closeEvent.Get(), POLLIN, 0}, {link.sendWake.Get(), POLLIN, 0}, {link.port.Get(), 0, 0}};
    if (poll(fds, 3, -1) < 0) {
        if (errno == EINTR)
            return true;
        link.RequestHangup(errno);
        return false;
    }
    if (fds[0].revents)
        return false;
    if (fds[2].revents & kGone) {
        link.RequestHangup(GoneErrno(fds[2].revents));
        return false;
    }
    if (fds[1].revents & POLLIN)
        DrainEventFd(link.sendWake.Get());
    return true;
}

} // namespace

void RunSender(PortLink& link)
{
    RaiseThreadPriority(1);
    bool announceEmpty = true;
    std::uint32_t written = 0;  // blocks of this open written so far
    bool undrained = false;     // some of them may still be on their way out
    for (;;) {
        std::vector<std::uint8_t> block;
        bool taken = false;
        {
            std::lock_guard lock(link.sendMutex);
            if (link.sendQueue.empty()) {
                link.sendDataEmpty = true;
            } else {
                block = std::move(link.sendQueue.front());
                link.sendQueue.pop_front();
                taken = true;
            }
        }
        if (!taken) {
            // Drained only once the queue is empty: the waiters want every
            // byte handed over, and a modem must stay keyed between blocks.
            if (undrained) {
                if (!DrainLine(link))
                    break;
                undrained = false;
                link.Post(kEventDrained, written);
                continue;
            }
            if (announceEmpty) {
                link.Post(kEventSendDataEmpty);
                announceEmpty = false;
            }
            if (!WaitForWork(link))
                break;
            continue;
        }
        if (link.closing)
            break;
        if (!WriteBlock(link, block))
            break;
        ++written;
        undrained = true;
        announceEmpty = true;
    }
    std::uint32_t accepted = 0;
    {
        std::lock_guard lock(link.sendMutex);
        link.sendAccepting = false;
        link.sendQueue.clear();
        link.sendDataEmpty = true;
        accepted = link.sendAccepted;
    }
    tcflush(link.port.Get(), TCOFLUSH);
    // Nothing more will leave: no waiter may wait for it.
    link.Post(kEventDrained, accepted);
}

void RunReceiver(PortLink& link)
{
    RaiseThreadPriority(2);
    const int fd = link.port.Get();
    serial_icounter_struct counts{};
    const bool haveCounts = ioctl(fd, TIOCGICOUNT, &counts) == 0;

    std::uint8_t buffer[kReadBlockSize];
    std::size_t pending = 0;
    ReadClock clock(ReadClock::Clock::now());

    auto deliver = [&]() -> bool {
        if (pending == 0)
            return true;
        std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[pending + 1]);
        if (!block) {
            link.RequestHangup(ENOMEM);
            return false;
        }
        std::memcpy(block.get(), buffer, pending);
        block[pending] = 0;
        link.Post(kEventReceiveData, std::uint32_t(pending), std::move(block));
        pending = 0;
        clock.Delivered(ReadClock::Clock::now());
        return true;
    };

    for (;;) {
        const ReadTimeouts timeouts = link.Timeouts();
        pollfd fds[3] = {{link.closeEvent.Get(), POLLIN, 0}, {link.readWake.Get(), POLLIN, 0}, {fd, POLLIN, 0}};
        if (poll(fds, 3, clock.PollTimeout(ReadClock::Clock::now(), timeouts)) < 0) {
            if (errno == EINTR)
                continue;
            link.RequestHangup(errno);
            break;
        }
        if (fds[0].revents)
            break; // the close discards whatever was gathered
        if (fds[1].revents & POLLIN)
            DrainEventFd(link.readWake.Get());

        bool gone = false;
        int goneErr = EIO;
        if (fds[2].revents & (POLLIN | kGone)) {
            const ssize_t got = ::read(fd, buffer + pending, kReadBlockSize - pending);
            if (got > 0) {
                std::uint8_t* first = buffer + pending;
                std::uint8_t* last = first + got;
                if (link.ignoreNullChar)
                    last = std::remove(first, last, std::uint8_t(0));
                if (last != first) {
                    clock.BytesArrived(ReadClock::Clock::now(), timeouts);
                    pending += std::size_t(last - first);
                }
                if (haveCounts) {
                    serial_icounter_struct now{};
                    if (ioctl(fd, TIOCGICOUNT, &now) == 0) {
                        if (const auto bits = LineErrorBits(counts, now))
                            link.Post(kEventReceiveError, bits);
                        counts = now;
                    }
                }
            } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                gone = (fds[2].revents & kGone) != 0;
                goneErr = GoneErrno(fds[2].revents);
            } else {
                gone = true; // end of file or EIO: the device went away
                goneErr = got < 0 ? errno : EIO;
            }
        }
        if (gone) {
            deliver();
            link.RequestHangup(goneErr);
            break;
        }
        const auto due = clock.Deadline(timeouts);
        if (pending == kReadBlockSize || (due && *due <= ReadClock::Clock::now())) {
            if (!deliver())
                break;
        }
    }
    tcflush(fd, TCIFLUSH);
}

void RunModemWatch(PortLink& link, const std::atomic<bool>& stop)
{
    const int fd = link.port.Get();
    serial_icounter_struct before{};
    if (ioctl(fd, TIOCGICOUNT, &before) != 0)
        return;
    int idleWakeups = 0;
    while (!stop) {
        if (ioctl(fd, TIOCMIWAIT, TIOCM_CD | TIOCM_RNG) != 0) {
            if (errno == EINTR)
                continue;
            return; // unsupported, or the device went away (the receiver reports that)
        }
        serial_icounter_struct after{};
        if (ioctl(fd, TIOCGICOUNT, &after) != 0)
            return;
        const auto bits = ModemEventBits(before, after);
        before = after;
        if (bits != 0) {
            idleWakeups = 0;
            link.Post(kEventModemState, bits);
        } else if (++idleWakeups > 100) {
            return; // a driver that wakes without a change must not keep this thread busy
        }
    }
}

} // namespace serial::detail

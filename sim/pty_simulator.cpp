#include "sim/pty_simulator.h"

#include "sim/serving.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace sim {
namespace {

// Writes all of `bytes`; a full buffer (nobody reading the other side) drops
// the rest. False when the pty is broken.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

} // namespace

std::unique_ptr<PtySimulator> PtySimulator::Start(Options options, std::string* error)
{
    const auto fail = [&](std::string message) -> std::unique_ptr<PtySimulator> {
        if (error)
            *error = std::move(message);
        return nullptr;
    };
    if (options.pollAddress < 0 || options.pollAddress > 15)
        return fail("poll address must be 0..15");

    UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (master.get() < 0)
        return fail(ErrnoText("posix_openpt"));
    if (::grantpt(master.get()) != 0)
        return fail(ErrnoText("grantpt"));
    if (::unlockpt(master.get()) != 0)
        return fail(ErrnoText("unlockpt"));
    char name[128];
    if (::ptsname_r(master.get(), name, sizeof name) != 0)
        return fail(ErrnoText("ptsname_r"));

    // Our own slave descriptor: raw, so that the line discipline neither echoes
    // requests back to us nor rewrites bytes, and kept open so that the master
    // never hangs up while the port's user closes and reopens its side.
    UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (slave.get() < 0)
        return fail(ErrnoText(name));
    termios tio{};
    if (::tcgetattr(slave.get(), &tio) != 0)
        return fail(ErrnoText("tcgetattr"));
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B1200);
    ::cfsetospeed(&tio, B1200);
    if (::tcsetattr(slave.get(), TCSANOW, &tio) != 0)
        return fail(ErrnoText("tcsetattr"));

    const int flags = ::fcntl(master.get(), F_GETFL);
    if (flags < 0 || ::fcntl(master.get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return fail(ErrnoText("fcntl"));
    std::unique_ptr<PtySimulator> sim(new PtySimulator(std::move(options), master.release(), slave.release(), name));
    std::string why;
    if (!sim->serving_.Prepare(&why))
        return fail(why);
    try {
        sim->serving_.Start([s = sim.get()] { s->Run(); });
    } catch (const std::system_error& e) {
        return fail(std::string("thread: ") + e.what());
    }
    return sim;
}

PtySimulator::PtySimulator(Options options, int masterFd, int slaveFd, std::string slavePath)
    : options_(std::move(options)), masterFd_(masterFd), slaveFd_(slaveFd), slavePath_(std::move(slavePath))
{
    device_.State().pollAddress = static_cast<std::uint8_t>(options_.pollAddress);
    device_.SetTurnaroundMs(options_.turnaroundMs);
}

PtySimulator::~PtySimulator() { Stop(); }

void PtySimulator::WithDevice(const std::function<void(Device&)>& fn)
{
    const std::lock_guard lock(deviceMutex_);
    fn(device_);
}

void PtySimulator::Stop()
{
    const std::lock_guard lock(stopMutex_);
    serving_.Stop();
    for (int* fd : {&masterFd_, &slaveFd_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void PtySimulator::Run()
{
    struct Step {
        std::int64_t dueNs;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Step> steps; // in order of their deadlines
    std::int64_t busyUntilNs = 0;
    bool masterOk = true;
    const std::int64_t epochNs = MonotonicNs();
    const auto now = [epochNs] { return MonotonicNs() - epochNs; };
    std::uint8_t buffer[512];

    const auto schedule = [&](const Transmission& t, std::int64_t arrivedNs) {
        std::int64_t at = options_.lineTiming
                              ? t.requestStartMs * kNsPerMs + static_cast<std::int64_t>(t.requestBytes) * kByteNs
                              : arrivedNs;
        at = std::max(at, busyUntilNs); // half duplex: one answer after the other
        if (options_.trace) {
            std::vector<std::uint8_t> all;
            for (const Chunk& chunk : t.chunks)
                all.insert(all.end(), chunk.bytes.begin(), chunk.bytes.end());
            options_.trace(false, all);
        }
        for (const Chunk& chunk : t.chunks) {
            at += std::int64_t{chunk.gapBeforeMs} * kNsPerMs;
            if (options_.lineTiming) {
                for (const std::uint8_t b : chunk.bytes) {
                    steps.push_back({at, {b}});
                    at += kByteNs;
                }
            } else {
                steps.push_back({at, chunk.bytes});
            }
        }
        busyUntilNs = at;
    };

    for (;;) {
        pollfd fds[2] = {{serving_.StopFd(), POLLIN, 0}, {masterOk ? masterFd_ : -1, POLLIN, 0}};
        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (!steps.empty()) {
            const std::int64_t wait = std::max<std::int64_t>(0, steps.front().dueNs - now());
            timeout.tv_sec = static_cast<time_t>(wait / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(wait % 1'000'000'000);
            timeoutPtr = &timeout;
        }
        if (::ppoll(fds, 2, timeoutPtr, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0)
            return;

        if (const short ev = fds[1].revents; ev != 0) {
            const ssize_t n = (ev & POLLIN) ? ::read(masterFd_, buffer, sizeof buffer) : 0;
            if (n > 0) {
                const std::span<const std::uint8_t> got(buffer, static_cast<std::size_t>(n));
                if (options_.trace)
                    options_.trace(true, got);
                const std::int64_t arrived = now();
                std::vector<Transmission> answers;
                {
                    const std::lock_guard lock(deviceMutex_);
                    answers = device_.Feed(got, arrived / kNsPerMs);
                }
                for (const Transmission& t : answers)
                    schedule(t, arrived);
            } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                // Hang-up or I/O error: never expected while we hold the slave
                // open; from here on only the stop request is waited for.
                masterOk = false;
                steps.clear();
            }
        }

        const std::int64_t t = now();
        while (masterOk && !steps.empty() && steps.front().dueNs <= t) {
            const Step& step = steps.front();
            const std::int64_t late = t - step.dueNs;
            if (!WriteAll(masterFd_, step.bytes)) {
                masterOk = false;
                steps.clear();
                break;
            }
            steps.pop_front();
            // A line never catches up: what follows a late byte or gap keeps
            // its spacing from when that one really went out, not a burst.
            if (late > 0) {
                for (Step& next : steps)
                    next.dueNs += late;
                busyUntilNs += late;
            }
        }
    }
}

} // namespace sim

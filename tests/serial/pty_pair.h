#pragma once

// A pseudo-terminal pair for tests: the test holds the master side and the
// code under test opens SlavePath() like a serial port.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace mhtest {

class PtyPair {
public:
    using Ms = std::chrono::milliseconds;

    // Opens the master non-blocking; the slave starts raw, so bytes pass unchanged
    // even before the code under test configures it.
    PtyPair()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            Fail("posix_openpt/grantpt/unlockpt");
            return;
        }
        char name[128];
        if (ptsname_r(master_, name, sizeof name) != 0) {
            Fail("ptsname_r");
            return;
        }
        slavePath_ = name;
        termios t{};
        if (tcgetattr(master_, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(master_, TCSANOW, &t);
        }
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;
    ~PtyPair() { CloseMaster(); }

    bool Ok() const { return master_ >= 0 && !slavePath_.empty(); }
    const std::string& Error() const { return error_; }
    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // The slave's settings as the code under test left them. A pty forces
    // 8 data bits and no PARENB; the other flags are kept.
    termios SlaveTermios() const
    {
        termios t{};
        tcgetattr(master_, &t);
        return t;
    }

    // Writes everything unless `timeout` passes without progress.
    bool WriteAll(const void* data, std::size_t size, Ms timeout = Ms(5000))
    {
        const auto* p = static_cast<const std::uint8_t*>(data);
        while (size > 0) {
            const ssize_t n = ::write(master_, p, size);
            if (n > 0) {
                p += n;
                size -= std::size_t(n);
            } else if (n < 0 && errno == EAGAIN) {
                if (!Wait(POLLOUT, timeout))
                    return false;
            } else if (!(n < 0 && errno == EINTR)) {
                return false;
            }
        }
        return true;
    }
    bool WriteAll(const std::vector<std::uint8_t>& data, Ms timeout = Ms(5000))
    {
        return WriteAll(data.data(), data.size(), timeout);
    }
    bool WriteAll(const std::string& data, Ms timeout = Ms(5000)) { return WriteAll(data.data(), data.size(), timeout); }

    // Reads until `size` bytes are in or `timeout` passes without a byte.
    std::vector<std::uint8_t> ReadExactly(std::size_t size, Ms timeout = Ms(5000))
    {
        std::vector<std::uint8_t> out;
        out.reserve(size);
        std::uint8_t buffer[4096];
        while (out.size() < size) {
            const std::size_t want = std::min(sizeof buffer, size - out.size());
            const ssize_t n = ::read(master_, buffer, want);
            if (n > 0)
                out.insert(out.end(), buffer, buffer + n);
            else if (n < 0 && errno == EAGAIN) {
                if (!Wait(POLLIN, timeout))
                    break;
            } else if (!(n < 0 && errno == EINTR))
                break;
        }
        return out;
    }

    // Waits up to `timeout` for a first byte, then takes what is there.
    std::vector<std::uint8_t> ReadAvailable(Ms timeout)
    {
        std::vector<std::uint8_t> out;
        if (!Wait(POLLIN, timeout))
            return out;
        std::uint8_t buffer[4096];
        for (;;) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    // The slave sees a hang-up.
    void CloseMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    bool Wait(short events, Ms timeout)
    {
        pollfd p{master_, events, 0};
        int r;
        do {
            r = poll(&p, 1, int(timeout.count()));
        } while (r < 0 && errno == EINTR);
        return r > 0 && (p.revents & events);
    }
    void Fail(const char* what)
    {
        error_ = std::string(what) + " failed, errno " + std::to_string(errno);
        CloseMaster();
    }

    int master_ = -1;
    std::string slavePath_;
    std::string error_;
};

} // namespace mhtest

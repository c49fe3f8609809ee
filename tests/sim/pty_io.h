#pragma once

// The port user's side of the simulator's pseudo-terminal, for tests.

#include "sim_frames.h"

#include <chrono>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace simtest {

inline std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Opened and set up the way a serial port is: raw, 8O1.
inline int OpenPort(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    tio.c_cflag |= PARENB | PARODD;
    ::tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

inline bool Send(int fd, const Bytes& bytes)
{
    return ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
}

struct Received {
    Bytes bytes;
    std::int64_t firstMs = -1; // arrival of the first and of the last byte
    std::int64_t lastMs = -1;
};

// Reads until `want` bytes have come or `timeoutMs` has passed.
inline Received Receive(int fd, std::size_t want, int timeoutMs)
{
    Received r;
    const std::int64_t end = NowMs() + timeoutMs;
    while (r.bytes.size() < want) {
        const std::int64_t left = end - NowMs();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0)
            continue;
        std::uint8_t buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            continue;
        const std::int64_t t = NowMs();
        if (r.firstMs < 0)
            r.firstMs = t;
        r.lastMs = t;
        r.bytes.insert(r.bytes.end(), buf, buf + n);
    }
    return r;
}

} // namespace simtest

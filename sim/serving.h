#pragma once

// What the simulator's servers (pseudo-terminal, HART-IP) share: the clock
// they time answers by, their descriptors, and the thread they serve on.

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace sim {

// One character of 11 bits (start, 8 data, parity, stop) at 1200 baud.
inline constexpr std::int64_t kByteNs = 11'000'000'000LL / 1200;
inline constexpr std::int64_t kNsPerMs = 1'000'000;

std::int64_t MonotonicNs();
// "what: " and the text of errno.
std::string ErrnoText(const std::string& what);

// A file descriptor, closed when it goes.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1);

private:
    int fd_;
};

// The thread a server runs on, and the descriptor its poll watches to learn
// that it is to end.
class ServingThread {
public:
    ServingThread() = default;
    ~ServingThread() { Stop(); }
    ServingThread(const ServingThread&) = delete;
    ServingThread& operator=(const ServingThread&) = delete;

    // Makes the stop descriptor; false and the reason in *error when it cannot.
    bool Prepare(std::string* error);
    // Readable once Stop() is called.
    int StopFd() const { return stop_.get(); }
    // Throws std::system_error when no thread can be started, as std::thread does.
    void Start(std::function<void()> run);
    // Wakes the thread, waits for it to end and closes the stop descriptor.
    // Safe more than once; callers on several threads serialize it.
    void Stop();

private:
    UniqueFd stop_;
    std::thread thread_;
};

} // namespace sim

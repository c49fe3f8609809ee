#include "sim/serving.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <sys/eventfd.h>
#include <unistd.h>

namespace sim {

std::int64_t MonotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

bool ServingThread::Prepare(std::string* error)
{
    stop_.reset(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (stop_.get() >= 0)
        return true;
    if (error)
        *error = ErrnoText("eventfd");
    return false;
}

void ServingThread::Start(std::function<void()> run) { thread_ = std::thread(std::move(run)); }

void ServingThread::Stop()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        if (::write(stop_.get(), &one, sizeof one) != sizeof one) {
            // Only fails when the counter would overflow, which already wakes the thread.
        }
        thread_.join();
    }
    stop_.reset();
}

} // namespace sim

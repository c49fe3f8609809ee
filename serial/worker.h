#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <thread>

namespace serial {

// A thread of the component with a bounded stop. The body gets a stop flag;
// bodies that wait on the close descriptor may ignore it.
class Worker {
public:
    using Body = std::function<void(const std::atomic<bool>& stop)>;

    Worker() = default;
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;
    ~Worker();

    // Throws std::system_error when no thread can be created. An
    // interruptible body may block in system calls that only a signal ends
    // (an ioctl that waits for modem lines); Stop breaks them with EINTR.
    void Start(Body body, bool interruptible = false);
    bool Started() const { return thread_.joinable(); }
    bool Running() const;
    // Sets the stop flag and waits up to `limit` for the end. A thread that
    // does not end is detached rather than killed: whatever it uses is held
    // by its body, so it can finish later without touching freed memory.
    // Returns false in that case.
    bool Stop(std::chrono::milliseconds limit);

private:
    std::thread thread_;
    std::future<void> ended_;
    std::shared_ptr<std::atomic<bool>> stop_;
    bool interruptible_ = false;
};

// Installs the do-nothing handler of the signal that interrupts blocking
// calls. False when the application already uses that signal.
bool InstallInterruptHandler();

// Moves the calling thread `steps` nice levels up; silently stays when that
// is not permitted.
void RaiseThreadPriority(int steps);

} // namespace serial

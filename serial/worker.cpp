#include "serial/worker.h"

#include <QtCore/QtGlobal>

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <mutex>

namespace serial {
namespace {

int InterruptSignal()
{
    return SIGRTMAX - 2;
}

void IgnoreInterrupt(int) {}

} // namespace

bool InstallInterruptHandler()
{
    static std::once_flag once;
    static bool installed = false;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(InterruptSignal(), nullptr, &current) != 0)
            return;
        if (current.sa_handler == IgnoreInterrupt) {
            installed = true;
            return;
        }
        if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL)
            return;
        struct sigaction action {};
        action.sa_handler = IgnoreInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no SA_RESTART: the blocking call must return EINTR
        installed = sigaction(InterruptSignal(), &action, nullptr) == 0;
    });
    return installed;
}

void RaiseThreadPriority(int steps)
{
    const pid_t tid = gettid();
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, id_t(tid));
    if (errno == 0)
        (void)setpriority(PRIO_PROCESS, id_t(tid), nice - steps);
}

Worker::~Worker()
{
    if (thread_.joinable())
        Stop(std::chrono::seconds(10));
}

void Worker::Start(Body body, bool interruptible)
{
    std::promise<void> ended;
    auto future = ended.get_future();
    auto stop = std::make_shared<std::atomic<bool>>(false);
    thread_ = std::thread([body = std::move(body), stop, interruptible, ended = std::move(ended)]() mutable {
        ended.set_value_at_thread_exit();
        if (interruptible) {
            sigset_t set;
            sigemptyset(&set);
            sigaddset(&set, InterruptSignal());
            pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        }
        body(*stop);
    });
    ended_ = std::move(future);
    stop_ = std::move(stop);
    interruptible_ = interruptible;
}

bool Worker::Running() const
{
    return thread_.joinable() && ended_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

bool Worker::Stop(std::chrono::milliseconds limit)
{
    if (!thread_.joinable())
        return true;
    stop_->store(true);
    bool ended = false;
    if (interruptible_) {
        // A signal that lands just before the thread enters its blocking call
        // is lost, so it is repeated until the thread is out.
        const auto until = std::chrono::steady_clock::now() + limit;
        do {
            pthread_kill(thread_.native_handle(), InterruptSignal());
            ended = ended_.wait_for(std::chrono::milliseconds(10)) == std::future_status::ready;
        } while (!ended && std::chrono::steady_clock::now() < until);
    } else {
        ended = ended_.wait_for(limit) == std::future_status::ready;
    }
    if (ended) {
        thread_.join();
        return true;
    }
    qWarning("serial: a port thread did not end within %lld ms; it is left to finish on its own",
             static_cast<long long>(limit.count()));
    thread_.detach();
    return false;
}

} // namespace serial

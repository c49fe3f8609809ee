#include "cli/signals.h"

#include <fcntl.h>
#include <unistd.h>

namespace cli {

namespace {

int gSignalPipe[2] = {-1, -1};

void Note(int sig)
{
    const char b = static_cast<char>(sig);
    [[maybe_unused]] const auto n = ::write(gSignalPipe[1], &b, 1);
}

} // namespace

OnSignals::OnSignals(std::function<void(int signal)> react)
{
    if (gSignalPipe[0] < 0 && ::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [react = std::move(react)] {
        char b[16];
        for (ssize_t n; (n = ::read(gSignalPipe[0], b, sizeof b)) > 0;)
            for (ssize_t k = 0; k < n; ++k)
                react(b[k]);
    });
    struct sigaction sa {};
    sa.sa_handler = Note;
    ::sigemptyset(&sa.sa_mask);
    for (std::size_t k = 0; k < kSignals.size(); ++k)
        ::sigaction(kSignals[k], &sa, &old_[k]);
}

OnSignals::~OnSignals()
{
    if (!notifier_)
        return;
    for (std::size_t k = 0; k < kSignals.size(); ++k)
        ::sigaction(kSignals[k], &old_[k], nullptr);
}

} // namespace cli

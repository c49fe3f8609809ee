#pragma once

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <functional>
#include <memory>

namespace cli {

// SIGINT, SIGTERM and SIGHUP reach `react` on the event loop while this
// lives; the handler itself only writes the signal's number to a pipe.
class OnSignals {
public:
    explicit OnSignals(std::function<void(int signal)> react);
    ~OnSignals();
    OnSignals(const OnSignals&) = delete;
    OnSignals& operator=(const OnSignals&) = delete;

private:
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, 3> old_{};
};

} // namespace cli

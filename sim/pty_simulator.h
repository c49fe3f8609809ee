#pragma once

#include "sim/device.h"
#include "sim/serving.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace sim {

struct PtySimulatorOptions {
    // Answers go out at 1200 baud (about 9.17 ms a byte) and start only once
    // the request would have crossed such a line; off, an answer is written
    // whole after the turnaround.
    bool lineTiming = true;
    int pollAddress = 0;
    int turnaroundMs = 20;
    // Called on the simulator's thread with every block read (`received`) and
    // every answer when it is scheduled; leave empty for no tracing.
    std::function<void(bool received, std::span<const std::uint8_t> bytes)> trace;
};

// A simulated converter on the master side of a pseudo-terminal pair: a
// serial-port user opens SlavePath() like any port and talks to the Device.
class PtySimulator {
public:
    using Options = PtySimulatorOptions;

    // Nothing and a message in *error when the pty or the thread cannot be set up.
    static std::unique_ptr<PtySimulator> Start(Options options, std::string* error);
    ~PtySimulator();
    PtySimulator(const PtySimulator&) = delete;
    PtySimulator& operator=(const PtySimulator&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    // Runs `fn` on the device while the simulator's thread keeps off it.
    void WithDevice(const std::function<void(Device&)>& fn);
    // Ends the thread (answers still pending are dropped) and closes the pty.
    // Safe to call more than once.
    void Stop();

private:
    PtySimulator(Options options, int masterFd, int slaveFd, std::string slavePath);
    void Run();

    Options options_;
    int masterFd_ = -1;
    int slaveFd_ = -1; // held so that the master never sees a hang-up
    std::string slavePath_;
    std::mutex deviceMutex_;
    Device device_;
    std::mutex stopMutex_;
    ServingThread serving_;
};

} // namespace sim

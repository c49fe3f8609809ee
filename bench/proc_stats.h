#pragma once

// What the kernel tells about this process: its threads, their context
// switches, its resident memory, and the machine it runs on.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace bench {

std::int64_t MonotonicNs();
inline double NsToMs(std::int64_t ns) { return double(ns) / 1e6; }

std::set<pid_t> ThreadIds();
pid_t MainThreadId();

struct ContextSwitches {
    std::int64_t voluntary = 0;
    std::int64_t nonvoluntary = 0;
    std::int64_t total() const { return voluntary + nonvoluntary; }
};
// Nothing when the thread has ended.
std::optional<ContextSwitches> ThreadContextSwitches(pid_t tid);
// The thread's nice value; nothing when it has ended.
std::optional<int> ThreadNice(pid_t tid);

struct Memory {
    std::uint64_t residentBytes = 0; // now
    std::uint64_t peakBytes = 0;     // high-water mark of the process
};
Memory ProcessMemory();

struct Machine {
    std::string cpu;
    int logicalCpus = 0;
    std::string kernel;
    std::string loadAverage; // 1, 5 and 15 minutes
    std::string compiler;
};
Machine DescribeMachine();

} // namespace bench

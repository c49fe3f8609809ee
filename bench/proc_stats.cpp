#include "bench/proc_stats.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <dirent.h>

#include <ctime>
#include <fstream>
#include <sstream>
#include <vector>

namespace bench {

namespace {

std::string TaskPath(pid_t tid, const char* file)
{
    return "/proc/self/task/" + std::to_string(tid) + "/" + file;
}

// The value of a "Key:   value" line of a /proc status file.
std::optional<std::string> StatusField(const std::string& path, const std::string& key)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == ':') {
            std::size_t at = key.size() + 1;
            while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
                ++at;
            return line.substr(at);
        }
    }
    return std::nullopt;
}

std::uint64_t KilobytesField(const std::string& path, const std::string& key)
{
    const auto v = StatusField(path, key);
    return v ? std::stoull(*v) * 1024 : 0; // "1234 kB"
}

} // namespace

std::int64_t MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::set<pid_t> ThreadIds()
{
    std::set<pid_t> ids;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (const dirent* e = readdir(dir)) {
            if (e->d_name[0] != '.')
                ids.insert(pid_t(std::stol(e->d_name)));
        }
        closedir(dir);
    }
    return ids;
}

pid_t MainThreadId() { return getpid(); }

std::optional<ContextSwitches> ThreadContextSwitches(pid_t tid)
{
    const std::string path = TaskPath(tid, "status");
    const auto v = StatusField(path, "voluntary_ctxt_switches");
    const auto n = StatusField(path, "nonvoluntary_ctxt_switches");
    if (!v || !n)
        return std::nullopt;
    return ContextSwitches{std::stoll(*v), std::stoll(*n)};
}

std::optional<int> ThreadNice(pid_t tid)
{
    std::ifstream in(TaskPath(tid, "stat"));
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The name in brackets may hold spaces; the fields after it are plain.
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 1));
    std::vector<std::string> f;
    for (std::string s; fields >> s;)
        f.push_back(s);
    // f[0] is field 3 (state); nice is field 19.
    if (f.size() < 17)
        return std::nullopt;
    return std::stoi(f[16]);
}

Memory ProcessMemory()
{
    Memory m;
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0, resident = 0;
    if (statm >> size >> resident)
        m.residentBytes = resident * std::uint64_t(sysconf(_SC_PAGESIZE));
    m.peakBytes = KilobytesField("/proc/self/status", "VmHWM");
    return m;
}

Machine DescribeMachine()
{
    Machine m;
    m.cpu = "unknown";
    // cpuinfo pads its keys with tabs: "model name\t: AMD ..."
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos && colon + 2 <= line.size())
                m.cpu = line.substr(colon + 2);
            break;
        }
    }
    m.logicalCpus = int(sysconf(_SC_NPROCESSORS_ONLN));
    utsname u{};
    if (uname(&u) == 0)
        m.kernel = std::string(u.sysname) + " " + u.release + " " + u.machine;
    std::ifstream load("/proc/loadavg");
    std::string a, b, c;
    if (load >> a >> b >> c)
        m.loadAverage = a + " " + b + " " + c;
#if defined(__clang__)
    m.compiler = "clang " __clang_version__;
#elif defined(__GNUC__)
    m.compiler = "g++ " __VERSION__;
#endif
    return m;
}

} // namespace bench

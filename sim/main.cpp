// hart-sim: the simulated converter as a program of its own.

#include "sim/cli.h"
#include "sim/hart_ip_server.h"
#include "sim/pty_simulator.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Trace(bool received, std::span<const std::uint8_t> bytes)
{
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    std::fputs(received ? "rx:" : "tx:", stderr);
    for (const std::uint8_t b : bytes)
        std::fprintf(stderr, " %02X", b);
    std::fputc('\n', stderr);
}

// Replaces an old symbolic link, never any other kind of file.
bool MakeLink(const std::string& link, const std::string& target, std::string* error)
{
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            *error = link + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        *error = link + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Removes the link only while it is still ours.
void RemoveLink(const std::string& link, const std::string& target)
{
    char buf[4096];
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf);
    if (n > 0 && std::string(buf, static_cast<std::size_t>(n)) == target)
        ::unlink(link.c_str());
}

// Blocks until SIGTERM, SIGINT or SIGHUP arrives or, unless ignored, standard input ends.
void Serve(int signalFd, bool watchStdin)
{
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {watchStdin ? STDIN_FILENO : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0)
            return;
        if (fds[1].revents & POLLNVAL)
            return; // no standard input at all
        if (fds[1].revents != 0) {
            char buf[256];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                return;
        }
    }
}

// The one line a caller waits for; false when it could not be written.
bool PrintLine(const std::string& line)
{
    if (std::printf("%s\n", line.c_str()) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "hart-sim: standard output: %s\n", std::strerror(errno));
        return false;
    }
    return true;
}

// Puts the command line's faults on the device, whichever way it is served.
std::function<void(sim::Device&)> FaultsOf(const sim::CommandLine& cli)
{
    return [&cli](sim::Device& device) {
        for (const auto& f : cli.faults)
            device.SetFault(f.command, f.fault);
    };
}

int ServeHartIp(const sim::CommandLine& cli, int signalFd)
{
    std::string error;
    auto server = sim::HartIpServer::Start(sim::HartIpOptions(cli), &error);
    if (!server) {
        std::fprintf(stderr, "hart-sim: %s\n", error.c_str());
        return 1;
    }
    server->WithDevice(FaultsOf(cli));
    const std::string port = std::to_string(server->Port());
    if (!PrintLine(server->IsIpv6() ? "[" + server->Address() + "]:" + port : server->Address() + ":" + port))
        return 1;
    Serve(signalFd, !cli.ignoreStdin);
    server->Stop();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    sim::CommandLine cli;
    std::string error;
    if (!sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &cli, &error)) {
        std::fprintf(stderr, "hart-sim: %s\nTry 'hart-sim --help'.\n", error.c_str());
        return 2;
    }
    if (cli.help) {
        std::fputs(sim::HelpText().c_str(), stdout);
        return 0;
    }

    // Blocked before the simulator's thread exists, so that only the signalfd sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP); // its terminal closed: end as cleanly
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    const int signalFd = ::signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::fprintf(stderr, "hart-sim: signalfd: %s\n", std::strerror(errno));
        return 1;
    }

    if (cli.verbose)
        cli.simulator.trace = Trace;
    if (cli.hartIp) {
        const int code = ServeHartIp(cli, signalFd);
        ::close(signalFd);
        return code;
    }
    auto simulator = sim::PtySimulator::Start(cli.simulator, &error);
    if (!simulator) {
        std::fprintf(stderr, "hart-sim: %s\n", error.c_str());
        return 1;
    }
    simulator->WithDevice(FaultsOf(cli));
    const std::string path = simulator->SlavePath();
    if (!cli.linkPath.empty() && !MakeLink(cli.linkPath, path, &error)) {
        std::fprintf(stderr, "hart-sim: %s\n", error.c_str());
        return 1;
    }

    if (!PrintLine(path)) {
        simulator->Stop();
        if (!cli.linkPath.empty())
            RemoveLink(cli.linkPath, path);
        return 1;
    }

    Serve(signalFd, !cli.ignoreStdin);

    simulator->Stop();
    if (!cli.linkPath.empty())
        RemoveLink(cli.linkPath, path);
    ::close(signalFd);
    return 0;
}

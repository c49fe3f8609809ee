#pragma once

#include "sim/device.h"
#include "sim/hart_ip_server.h"
#include "sim/pty_simulator.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct ScopedFault {
    std::optional<std::uint8_t> command; // empty: every command
    Fault fault;
};

// Where --hart-ip serves.
struct HartIpListen {
    std::string address = "127.0.0.1";
    std::uint16_t port = 0; // 0: any free port
    bool operator==(const HartIpListen&) const = default;
};

// What the hart-sim command line asks for.
struct CommandLine {
    PtySimulatorOptions simulator;
    std::optional<HartIpListen> hartIp; // serve over HART-IP instead of a pseudo-terminal
    int maxSessions = HartIpServerOptions{}.maxSessions;
    std::uint32_t maxInactivityMs = HartIpServerOptions{}.maxInactivityMs;
    std::string linkPath;     // empty: no symbolic link
    bool ignoreStdin = false; // serve until a signal only
    bool verbose = false;     // trace requests and answers on standard error
    bool help = false;
    std::vector<ScopedFault> faults; // in command-line order; a later one replaces an earlier of the same scope
};

// The arguments without the program name. False, with a message in *error,
// for an unknown option or a bad value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error);

// The server's options from the command line (its --hart-ip and the simulator's options).
HartIpServerOptions HartIpOptions(const CommandLine& cli);

std::string HelpText();

} // namespace sim

#pragma once

#include "sim/device.h"
#include "sim/pty_simulator.h"

#include <optional>
#include <string>
#include <vector>

namespace sim {

struct ScopedFault {
    std::optional<std::uint8_t> command; // empty: every command
    Fault fault;
};

// What the hart-sim command line asks for.
struct CommandLine {
    PtySimulatorOptions simulator;
    std::string linkPath;     // empty: no symbolic link
    bool ignoreStdin = false; // serve until a signal only
    bool verbose = false;     // trace requests and answers on standard error
    bool help = false;
    std::vector<ScopedFault> faults; // in command-line order; a later one replaces an earlier of the same scope
};

// The arguments without the program name. False, with a message in *error,
// for an unknown option or a bad value.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error);

std::string HelpText();

} // namespace sim

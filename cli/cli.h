#pragma once

#include "codec/result.h"
#include "config/batch.h"
#include "hart/transport.h"
#include "line/hart_ip_port.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace line {
class Line;
}

namespace cli {

inline constexpr const char* kProgramName = "modbus-hart-config";

// Exit statuses, as scripts rely on them.
enum Exit : int {
    kDone = 0,        // done; diff: equal
    kDifferences = 1, // diff: differences; write: stopped after changing something
    kRefused = 2,     // refused or failed before anything was changed
};

// Everything the command line said.
struct Options {
    std::string command;
    std::vector<std::string> files;
    std::string output;    // -o FILE; "-" is standard output
    std::string port;      // --port NAME
    std::string capture;   // --capture FILE: the line's traffic as a pcapng file
    std::string backupDir; // --backup-dir DIR: where write keeps its backups
    bool simulate = false; // --simulate
    std::optional<line::HartIpTarget> hartIp; // --hart-ip HOST[:PORT], with --tcp
    int address = 0;       // --address N
    std::string addresses = "0-15"; // --addresses FIRST-LAST (scan)
    bool withIdentity = false;
    bool force = false;
    bool dryRun = false;
    std::string points;    // --points 4,12,20 (loop-test)
    double holdSeconds = 5; // --hold SECONDS (loop-test)
    bool yes = false;      // --yes: no question before the loop current is fixed
    std::string file;      // --file CONFIG (report)
    std::string operatorName; // --operator NAME (report)
    std::string device;    // --device UNIQUE-ID (history)
    std::string since;     // --since DATE (history)
    bool json = false;     // --json (history)
    bool help = false;
    bool version = false;
};

// Where a command writes: results on `out`, errors and progress on `err`;
// progress only when `err` is a terminal.
struct Io {
    std::ostream& out;
    std::ostream& err;
    bool progress = false;
    hart::TrafficSink traffic = {}; // every frame on the line, when it is captured
    bool outLost = false;           // standard output failed (and it was said on err)
};

// Flushes `io.out`; false, said once on `io.err`, when what was written did not arrive.
bool OutputArrived(Io& io);

// One subcommand: adding one is a row here and a function.
struct Command {
    std::string_view name;
    std::string_view usage;   // after the program name
    std::string_view summary; // one line for --help
    int minFiles;
    int maxFiles;
    std::string_view options; // every option it takes, space separated; any other is refused
    int (*run)(const Options&, Io&);
};

std::span<const Command> Commands();
const Command* FindCommand(std::string_view name);

// Arguments without the program name. Fails with a plain sentence.
codec::Result<Options> ParseArguments(const QStringList& args);
std::string HelpText();
std::string VersionText();

// The whole program after QCoreApplication is set up.
int Run(const QStringList& args, Io& io);

// The commands.
int RunRead(const Options& o, Io& io);
int RunDiff(const Options& o, Io& io);
int RunWrite(const Options& o, Io& io);
int RunScan(const Options& o, Io& io);
int RunLoopTest(const Options& o, Io& io);
int RunReport(const Options& o, Io& io);
int RunHistory(const Options& o, Io& io);

// The device's configuration read whole or in part (what failed is said on
// io.err); nothing when it could not be read at all.
std::optional<config::BatchReport> ReadDevice(const Options& o, Io& io);

// The port or the simulated converter named by the options, open; nothing
// (and the reason on io.err) when it cannot be.
std::unique_ptr<line::Line> OpenLine(const Options& o, Io& io);

} // namespace cli

#include "sim/cli.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include <arpa/inet.h>

namespace sim {
namespace {

std::optional<int> Number(std::string_view text, int lo, int hi)
{
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || ptr != end || v < lo || v > hi)
        return std::nullopt;
    return v;
}

// "[ADDR:]PORT": an IPv4 address or "localhost", or an IPv6 address in brackets.
std::optional<HartIpListen> ParseListen(std::string_view text)
{
    HartIpListen out;
    std::string_view port = text;
    if (text.starts_with('[')) {
        const auto close = text.find("]:");
        if (close == std::string_view::npos)
            return std::nullopt;
        out.address = std::string(text.substr(1, close - 1));
        port = text.substr(close + 2);
        in6_addr a6{};
        if (::inet_pton(AF_INET6, out.address.c_str(), &a6) != 1)
            return std::nullopt;
    } else if (const auto colon = text.find(':'); colon != std::string_view::npos) {
        out.address = std::string(text.substr(0, colon));
        port = text.substr(colon + 1);
        in_addr a4{};
        if (out.address != "localhost" && ::inet_pton(AF_INET, out.address.c_str(), &a4) != 1)
            return std::nullopt;
    }
    const auto p = Number(port, 0, 65535);
    if (!p)
        return std::nullopt;
    out.port = static_cast<std::uint16_t>(*p);
    return out;
}

struct FaultOption {
    std::string_view name;
    FaultKind kind;
    bool hasValue;     // VALUE[:CMD]; otherwise [=CMD] alone
    bool valueOptional;
    int lo, hi, defaultValue;
    std::string_view form;
};

constexpr FaultOption kFaultOptions[] = {
    {"--no-answer", FaultKind::NoAnswer, false, false, 0, 0, 0, "--no-answer[=CMD]"},
    {"--bad-checksum", FaultKind::BadChecksum, false, false, 0, 0, 0, "--bad-checksum[=CMD]"},
    {"--response-code", FaultKind::ResponseCode, true, false, 1, 255, 0, "--response-code=RC[:CMD], RC 1..255"},
    {"--preambles", FaultKind::Preambles, true, false, 0, 255, 0, "--preambles=N[:CMD], N 0..255"},
    {"--noise", FaultKind::Noise, true, false, 0, 1000, 0, "--noise=N[:CMD], N 0..1000"},
    {"--split", FaultKind::Split, true, true, 1, 60000, 400, "--split[=MS[:CMD]], MS 1..60000"},
    {"--delay", FaultKind::Delay, true, false, 0, 60000, 0, "--delay=MS[:CMD], MS 0..60000"},
    {"--wrong-command", FaultKind::WrongCommand, true, false, 0, 255, 0, "--wrong-command=C[:CMD], C 0..255"},
    {"--truncate", FaultKind::Truncated, true, true, 0, 255, 0, "--truncate[=N[:CMD]], N 0..255"},
};

// "VALUE[:CMD]" or "[CMD]" into *fault and *command.
bool ParseFault(const FaultOption& o, std::optional<std::string_view> arg, ScopedFault* out)
{
    out->fault = {o.kind, o.defaultValue};
    out->command.reset();
    if (!arg)
        return !o.hasValue || o.valueOptional;
    std::string_view text = *arg;
    std::optional<std::string_view> command;
    if (o.hasValue) {
        if (const auto colon = text.find(':'); colon != std::string_view::npos) {
            command = text.substr(colon + 1);
            text = text.substr(0, colon);
        }
        const auto value = Number(text, o.lo, o.hi);
        if (!value)
            return false;
        out->fault.value = *value;
    } else {
        command = text;
    }
    if (command) {
        const auto c = Number(*command, 0, 255);
        if (!c)
            return false;
        out->command = static_cast<std::uint8_t>(*c);
    }
    return true;
}

} // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out, std::string* error)
{
    *out = {};
    const auto fail = [&](std::string message) {
        if (error)
            *error = std::move(message);
        return false;
    };
    bool sessionOptions = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        // Options that always take a value accept it as the next argument too.
        const auto needValue = [&]() -> bool {
            if (!value && i + 1 < args.size())
                value = args[++i];
            return value.has_value();
        };
        const auto noValue = [&]() { return !value.has_value(); };

        if ((name == "--help" || name == "-h") && noValue()) {
            out->help = true;
        } else if (name == "--fast" && noValue()) {
            out->simulator.lineTiming = false;
        } else if (name == "--verbose" && noValue()) {
            out->verbose = true;
        } else if (name == "--ignore-stdin" && noValue()) {
            out->ignoreStdin = true;
        } else if (name == "--link") {
            if (!needValue() || value->empty())
                return fail("--link needs a path");
            out->linkPath = std::string(*value);
        } else if (name == "--poll-address") {
            const auto v = needValue() ? Number(*value, 0, 15) : std::nullopt;
            if (!v)
                return fail("--poll-address needs a number 0..15");
            out->simulator.pollAddress = *v;
        } else if (name == "--turnaround") {
            const auto v = needValue() ? Number(*value, 0, 10000) : std::nullopt;
            if (!v)
                return fail("--turnaround needs a number of ms 0..10000");
            out->simulator.turnaroundMs = *v;
        } else if (name == "--hart-ip") {
            const auto listen = needValue() ? ParseListen(*value) : std::nullopt;
            if (!listen)
                return fail("--hart-ip needs [ADDR:]PORT: a numeric address (IPv6 in brackets) and a port 0..65535");
            out->hartIp = *listen;
        } else if (name == "--max-sessions") {
            const auto v = needValue() ? Number(*value, 1, 64) : std::nullopt;
            if (!v)
                return fail("--max-sessions needs a number 1..64");
            out->maxSessions = *v;
            sessionOptions = true;
        } else if (name == "--max-inactivity") {
            const auto v = needValue() ? Number(*value, 10, 3600000) : std::nullopt;
            if (!v)
                return fail("--max-inactivity needs a number of ms 10..3600000");
            out->maxInactivityMs = static_cast<std::uint32_t>(*v);
            sessionOptions = true;
        } else if (name == "--hart7-identity" && noValue()) {
            out->faults.push_back({std::uint8_t{0}, {FaultKind::LongIdentity, 0}});
        } else {
            const FaultOption* option = nullptr;
            for (const auto& o : kFaultOptions)
                if (o.name == name)
                    option = &o;
            if (!option)
                return fail("unknown option " + std::string(arg));
            ScopedFault f;
            if (!ParseFault(*option, value, &f))
                return fail("bad " + std::string(option->name) + ": expected " + std::string(option->form) +
                            ", CMD 0..255");
            out->faults.push_back(f);
        }
    }
    if (out->hartIp && !out->linkPath.empty())
        return fail("--link is for the pseudo-terminal, not for --hart-ip");
    if (!out->hartIp && sessionOptions)
        return fail("--max-sessions and --max-inactivity need --hart-ip");
    return true;
}

HartIpServerOptions HartIpOptions(const CommandLine& cli)
{
    HartIpServerOptions o;
    if (cli.hartIp) {
        o.address = cli.hartIp->address;
        o.port = cli.hartIp->port;
    }
    o.lineTiming = cli.simulator.lineTiming;
    o.pollAddress = cli.simulator.pollAddress;
    o.turnaroundMs = cli.simulator.turnaroundMs;
    o.maxSessions = cli.maxSessions;
    o.maxInactivityMs = cli.maxInactivityMs;
    o.minInactivityMs = std::min(o.minInactivityMs, o.maxInactivityMs);
    o.trace = cli.simulator.trace;
    return o;
}

std::string HelpText()
{
    return R"(Usage: hart-sim [OPTION]...
Simulated Modbus-HART converter (a HART slave) on a pseudo-terminal.
Prints the path of the terminal to open as the first line on standard output,
then serves until SIGTERM, SIGINT or SIGHUP, or until standard input ends.
With --hart-ip it serves as a HART-IP gateway instead and prints ADDR:PORT.

  --link PATH           also make a symbolic link PATH to the terminal
                        (replaces an existing link; removed on exit)
  --hart-ip [ADDR:]PORT serve HART-IP (UDP and TCP) on PORT, 0 for any free
                        port, at ADDR (default 127.0.0.1; IPv6 in brackets)
  --max-sessions N      HART-IP sessions at once, 1..64 (default 8)
  --max-inactivity MS   longest inactivity timer a HART-IP client gets
                        (default 600000); a longer request is shortened
  --fast                no line timing: answers are written whole after the
                        turnaround instead of at 1200 baud (HART-IP: instead
                        of after the time the loop behind a gateway takes)
  --poll-address N      polling address, 0..15 (default 0)
  --turnaround MS       pause between request and answer (default 20)
  --ignore-stdin        serve until a signal only (for standard input /dev/null)
  --verbose             trace received bytes and answers on standard error
  -h, --help            show this text

Faults. Each applies to command CMD, or to every command when CMD is left
out; a fault for one command wins over the one for all commands, and a later
option replaces an earlier one of the same scope.
  --no-answer[=CMD]           no answer at all
  --bad-checksum[=CMD]        answer with a wrong checksum
  --response-code=RC[:CMD]    answer with response code RC (e.g. 32 busy,
                              64 not implemented, 7 write protected); an
                              error code carries no data, and nothing is
                              changed by a faulted write
  --preambles=N[:CMD]         N preambles instead of 5 (e.g. 12 or 15)
  --noise=N[:CMD]             N bytes of noise (never 0xFF) before the answer
  --split[=MS[:CMD]]          answer in two halves MS ms apart (default 400)
  --delay=MS[:CMD]            answer MS ms later than normal
  --wrong-command=C[:CMD]     answer carries command number C
  --truncate[=N[:CMD]]        keep only N bytes of the answer; N omitted or 0
                              drops the checksum and the last data byte
  --hart7-identity            command 0 answers with the HART 7 layout
                              (byte count 24)

Examples:
  hart-sim --fast --link /tmp/hart
  hart-sim --response-code=32:3 --split=500:12 --noise=4
  hart-sim --hart-ip 5094 --fast
)";
}

} // namespace sim

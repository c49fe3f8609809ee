#include "cli/cli.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <charconv>
#include <sstream>

#ifndef MH_VERSION
#define MH_VERSION "unknown"
#endif

namespace cli {

namespace {

using Result = codec::Result<Options>;

// A marked text in the user's language, with its %1, %2 filled in (a translation may reorder them).
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string Tr(const char* text) { return QCoreApplication::translate("cli", text).toStdString(); }
std::string Tr(const char* text, std::string_view a) { return QCoreApplication::translate("cli", text).arg(Q(a)).toStdString(); }
std::string Tr(const char* text, std::string_view a, std::string_view b)
{
    return QCoreApplication::translate("cli", text).arg(Q(a), Q(b)).toStdString();
}

// Which command takes which option: the one place that says it.
const std::array kCommands{
    Command{"read", "read [-o FILE]", QT_TRANSLATE_NOOP("cli", "read the device's configuration; print it or write FILE"), 0, 0,
            "--port --simulate --address --capture -o", RunRead},
    Command{"diff", "diff FILE [FILE2]", QT_TRANSLATE_NOOP("cli", "compare the device with FILE, or FILE with FILE2"), 1, 2,
            "--port --simulate --address --capture --with-identity", RunDiff},
    Command{"write", "write FILE [--with-identity] [--force] [--dry-run] [--backup-dir DIR]",
            QT_TRANSLATE_NOOP("cli", "write what differs from FILE to the device, verifying each item"), 1, 1,
            "--port --simulate --address --capture --with-identity --force --dry-run --backup-dir", RunWrite},
    Command{"scan", "scan [--addresses 0-15|0-63]",
            QT_TRANSLATE_NOOP("cli", "poll the addresses with command 0 and list every device that answers"), 0, 0,
            "--port --simulate --capture --addresses", RunScan},
    Command{"loop-test", "loop-test [--points 4,12,20] [--hold SECONDS] [--yes]",
            QT_TRANSLATE_NOOP("cli", "step the loop current through the points (command 40), then release it"), 0, 0,
            "--port --simulate --address --capture --points --hold --yes", RunLoopTest},
    Command{"report", "report [-o FILE.pdf|FILE.html] [--file CONFIG] [--operator NAME]",
            QT_TRANSLATE_NOOP("cli", "write a commissioning report of the device, or of CONFIG"), 0, 0,
            "--port --simulate --address --capture -o --file --operator", RunReport},
    Command{"history", "history [--device UNIQUE-ID] [--since DATE] [--json]",
            QT_TRANSLATE_NOOP("cli", "list the writes to devices, oldest first"), 0, 0, "--device --since --json",
            RunHistory},
};

bool Takes(const Command& c, std::string_view option)
{
    std::string_view list = c.options;
    while (!list.empty()) {
        const auto space = list.find(' ');
        if (list.substr(0, space) == option)
            return true;
        if (space == std::string_view::npos)
            break;
        list.remove_prefix(space + 1);
    }
    return false;
}

} // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(std::string_view name)
{
    for (const auto& c : kCommands)
        if (c.name == name)
            return &c;
    return nullptr;
}

Result ParseArguments(const QStringList& args)
{
    Options o;
    std::vector<std::string> options; // every option given, checked against the command once it is known
    for (qsizetype k = 0; k < args.size(); ++k) {
        const std::string a = args[k].toStdString();
        auto value = [&](std::string* out) {
            if (k + 1 >= args.size())
                return false;
            *out = args[++k].toStdString();
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--simulate") {
            o.simulate = true;
            options.push_back(a);
        } else if (a == "--port") {
            if (!value(&o.port) || o.port.empty())
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --port needs a port name.")));
            options.push_back(a);
        } else if (a == "--capture") {
            if (!value(&o.capture) || o.capture.empty())
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --capture needs a file name.")));
            options.push_back(a);
        } else if (a == "--backup-dir") {
            if (!value(&o.backupDir) || o.backupDir.empty())
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --backup-dir needs a folder.")));
            options.push_back(a);
        } else if (a == "--address") {
            options.push_back(a);
            std::string n;
            if (!value(&n))
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --address needs a polling address from 0 to 15.")));
            const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), o.address);
            if (ec != std::errc{} || end != n.data() + n.size() || o.address < 0 || o.address > 15)
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The polling address '%1' is not a number from 0 to 15."), n));
        } else if (a == "--addresses") {
            if (!value(&o.addresses))
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --addresses needs a range such as 0-15.")));
            options.push_back(a);
        } else if (a == "-o" || a == "--output") {
            if (!value(&o.output) || o.output.empty())
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option %1 needs a file name."), a));
            options.push_back("-o");
        } else if (a == "--with-identity") {
            o.withIdentity = true;
            options.push_back(a);
        } else if (a == "--force") {
            o.force = true;
            options.push_back(a);
        } else if (a == "--dry-run") {
            o.dryRun = true;
            options.push_back(a);
        } else if (a == "--yes") {
            o.yes = true;
            options.push_back(a);
        } else if (a == "--json") {
            o.json = true;
            options.push_back(a);
        } else if (a == "--points" || a == "--file" || a == "--operator" || a == "--device" || a == "--since") {
            std::string* to = a == "--points" ? &o.points
                              : a == "--file" ? &o.file
                              : a == "--operator" ? &o.operatorName
                              : a == "--device" ? &o.device
                                                : &o.since;
            if (!value(to) || to->empty())
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option %1 needs a value."), a));
            options.push_back(a);
        } else if (a == "--hold") {
            std::string n;
            bool ok = value(&n);
            o.holdSeconds = ok ? QString::fromStdString(n).toDouble(&ok) : 0;
            if (!ok || !(o.holdSeconds >= 0 && o.holdSeconds <= 3600))
                return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --hold needs a number of seconds from 0 to 3600.")));
            options.push_back(a);
        } else if (a.size() > 1 && a[0] == '-') {
            return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Unknown option %1."), a));
        } else if (o.command.empty()) {
            o.command = a;
        } else {
            o.files.push_back(a);
        }
    }
    if (o.help || o.version)
        return Result::Ok(std::move(o));
    if (o.command.empty())
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "No command given: say read, diff, write, scan, loop-test, report or history.")));
    const Command* c = FindCommand(o.command);
    if (!c)
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Unknown command '%1'."), o.command));
    for (const auto& opt : options)
        if (!Takes(*c, opt))
            return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option %1 does not apply to %2."), opt, o.command));
    const int files = static_cast<int>(o.files.size());
    if (files < c->minFiles || files > c->maxFiles)
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Usage: %1 %2"), kProgramName, std::string(c->usage)));
    if (o.simulate && !o.port.empty())
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Give either --port or --simulate, not both.")));
    if (!o.file.empty() && (o.simulate || !o.port.empty()))
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Give either --file or a device (--port or --simulate), not both.")));
    return Result::Ok(std::move(o));
}

std::string HelpText()
{
    std::ostringstream s;
    s << Tr(QT_TRANSLATE_NOOP("cli", "Usage: %1 COMMAND [FILE...] [OPTIONS]\n\n"), kProgramName)
      << Tr(QT_TRANSLATE_NOOP("cli", "Reads, compares and clones the configuration of a MODBUS-HART converter.\n\nCommands:\n"));
    for (const auto& c : kCommands)
        s << "  " << c.usage << "\n      " << Tr(std::string(c.summary).c_str()) << "\n";
    s << Tr(QT_TRANSLATE_NOOP("cli",
        "\nOptions:\n"
        "  --port NAME      the serial port: COM3, /dev/ttyUSB0, ttyUSB0 or a path\n"
        "  --simulate       talk to the built-in simulated converter instead\n"
        "  --address N      polling address to identify, 0 to 15 (default 0)\n"
        "  --capture FILE   save every frame on the line in FILE, a pcapng capture for Wireshark\n"
        "  --with-identity  also compare or write the identity items\n"
        "  --force          write even to another manufacturer or device type, or give\n"
        "                   the device another's sensor serial number (its unique identifier)\n"
        "  --dry-run        print what would be written and send no setting\n"
        "  --backup-dir DIR write: keep the backup in DIR (default: the data folder's\n"
        "                   modbus-hart/backups, shared with the window)\n"
        "  -o FILE          read: write the file to FILE; - is standard output\n"
        "  --addresses R    scan: the polling addresses, 0-15 (default) up to 0-63\n"
        "  --help, --version\n\n"
        "Exit status: 0 done (diff: equal), 1 differences found, a read that saved only\n"
        "some items, or a write stopped after changing something, 2 refused or failed\n"
        "before changing anything.\n"
        "scan: 0 one or more devices found, 1 none, 2 an error.\n"))
      << Tr(QT_TRANSLATE_NOOP("cli",
        "\nCommissioning options:\n"
        "  --points LIST    loop-test: the currents in mA (default 4,8,12,16,20)\n"
        "  --hold SECONDS   loop-test: how long each point is held (default 5)\n"
        "  --yes            loop-test: no question before the loop current is fixed\n"
        "  --file CONFIG    report: the values of a configuration file, not of a device\n"
        "  --operator NAME  report: the name on the report\n"
        "  -o FILE          report: FILE.pdf or FILE.html (default report-TAG-DATE.pdf)\n"
        "  --device ID      history: only the device with this unique identifier\n"
        "  --since DATE     history: only the writes from DATE (YYYY-MM-DD) on\n"
        "  --json           history: the records as JSON Lines\n"
        "loop-test: 0 every point done and the loop released, 1 a point or the release\n"
        "failed or the test was stopped, 2 refused before anything was changed.\n"
        "The loop test and the writes of write are kept in the history (the data folder's\n"
        "modbus-hart/history.jsonl).\n"));
    return s.str();
}

std::string VersionText() { return std::string(kProgramName) + " " + MH_VERSION + "\n"; }

} // namespace cli

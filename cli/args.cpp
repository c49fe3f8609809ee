#include "cli/cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
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
            "--port --simulate --hart-ip --tcp --address --capture -o", RunRead},
    Command{"diff", "diff FILE [FILE2]", QT_TRANSLATE_NOOP("cli", "compare the device with FILE, or FILE with FILE2"), 1, 2,
            "--port --simulate --hart-ip --tcp --address --capture --with-identity", RunDiff},
    Command{"write", "write FILE [--with-identity] [--force] [--dry-run] [--backup-dir DIR]",
            QT_TRANSLATE_NOOP("cli", "write what differs from FILE to the device, verifying each item"), 1, 1,
            "--port --simulate --hart-ip --tcp --address --capture --with-identity --force --dry-run --backup-dir", RunWrite},
    Command{"scan", "scan [--addresses 0-15|0-63]",
            QT_TRANSLATE_NOOP("cli", "poll the addresses with command 0 and list every device that answers"), 0, 0,
            "--port --simulate --hart-ip --tcp --capture --addresses", RunScan},
    Command{"loop-test", "loop-test [--points 4,12,20] [--hold SECONDS] [--yes]",
            QT_TRANSLATE_NOOP("cli", "step the loop current through the points (command 40), then release it"), 0, 0,
            "--port --simulate --hart-ip --tcp --address --capture --points --hold --yes", RunLoopTest},
    Command{"report", "report [-o FILE.pdf|FILE.html] [--file CONFIG] [--operator NAME]",
            QT_TRANSLATE_NOOP("cli", "write a commissioning report of the device, or of CONFIG"), 0, 0,
            "--port --simulate --hart-ip --tcp --address --capture -o --file --operator", RunReport},
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

// Every option, with the message for one given without its value.
struct OptionRow {
    const char* name;        // as typed, "--port" or "-o"
    const char* needsValue;  // the message when the value is missing; nullptr for a flag
};
constexpr OptionRow kOptions[] = {
    {"--simulate", nullptr},
    {"--port", QT_TRANSLATE_NOOP("cli", "The option --port needs a port name.")},
    {"--hart-ip", QT_TRANSLATE_NOOP("cli", "The option --hart-ip needs a server, HOST or HOST:PORT.")},
    {"--tcp", nullptr},
    {"--capture", QT_TRANSLATE_NOOP("cli", "The option --capture needs a file name.")},
    {"--backup-dir", QT_TRANSLATE_NOOP("cli", "The option --backup-dir needs a folder.")},
    {"--address", QT_TRANSLATE_NOOP("cli", "The option --address needs a polling address from 0 to 15.")},
    {"--addresses", QT_TRANSLATE_NOOP("cli", "The option --addresses needs a range such as 0-15.")},
    {"-o", QT_TRANSLATE_NOOP("cli", "The option %1 needs a file name.")},
    {"--with-identity", nullptr},
    {"--force", nullptr},
    {"--dry-run", nullptr},
    {"--yes", nullptr},
    {"--json", nullptr},
    {"--points", QT_TRANSLATE_NOOP("cli", "The option %1 needs a value.")},
    {"--hold", QT_TRANSLATE_NOOP("cli", "The option --hold needs a number of seconds from 0 to 3600.")},
    {"--file", QT_TRANSLATE_NOOP("cli", "The option %1 needs a value.")},
    {"--operator", QT_TRANSLATE_NOOP("cli", "The option %1 needs a value.")},
    {"--device", QT_TRANSLATE_NOOP("cli", "The option %1 needs a value.")},
    {"--since", QT_TRANSLATE_NOOP("cli", "The option %1 needs a value.")},
};

std::string NeedsValue(const OptionRow& option, const std::string& given)
{
    return QString::fromLatin1(option.needsValue).contains(QLatin1String("%1")) ? Tr(option.needsValue, given) : Tr(option.needsValue);
}

QString Bare(const char* name) { return QString::fromLatin1(name).remove(QRegularExpression(QStringLiteral("^-+"))); }

Result ParseArguments(const QStringList& args)
{
    QCommandLineParser parser;
    // "-o" and "--port" alike; "-h" is not a bundle of -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("help"), QStringLiteral("h")}));
    parser.addOption(QCommandLineOption(QStringLiteral("version")));
    for (const auto& option : kOptions) {
        QStringList names{Bare(option.name)};
        if (names.front() == QLatin1String("o"))
            names << QStringLiteral("output");
        parser.addOption(option.needsValue ? QCommandLineOption(names, {}, QStringLiteral("value")) : QCommandLineOption(names));
    }
    if (!parser.parse(QStringList{QString::fromLatin1(kProgramName)} + args)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().front();
            return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Unknown option %1."),
                                   ((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name).toStdString()));
        }
        // The one other refusal: an option given last without its value.
        for (const auto& option : kOptions)
            if (option.needsValue && !args.isEmpty()
                && (args.back() == QLatin1String(option.name) || (std::string_view(option.name) == "-o" && args.back() == QLatin1String("--output"))))
                return Result::Fail(NeedsValue(option, args.back().toStdString()));
        return Result::Fail(parser.errorText().toStdString());
    }

    Options o;
    std::string hartIp;
    o.help = parser.isSet(QStringLiteral("help"));
    o.version = parser.isSet(QStringLiteral("version"));
    const auto text = [&](const char* name) { return parser.value(Bare(name)).toStdString(); };
    for (const auto& option : kOptions) {
        const std::string_view name = option.name;
        if (!parser.isSet(Bare(option.name)))
            continue;
        std::string* to = name == "--port"        ? &o.port
                          : name == "--capture"    ? &o.capture
                          : name == "--backup-dir" ? &o.backupDir
                          : name == "-o"           ? &o.output
                          : name == "--points"     ? &o.points
                          : name == "--file"       ? &o.file
                          : name == "--operator"   ? &o.operatorName
                          : name == "--device"     ? &o.device
                          : name == "--since"      ? &o.since
                          : name == "--addresses"  ? &o.addresses
                          : name == "--hart-ip"    ? &hartIp
                                                   : nullptr;
        if (to) {
            *to = text(option.name);
            if (to->empty() && to != &o.addresses)
                return Result::Fail(NeedsValue(option, option.name));
        }
    }
    o.simulate = parser.isSet(QStringLiteral("simulate"));
    o.withIdentity = parser.isSet(QStringLiteral("with-identity"));
    o.force = parser.isSet(QStringLiteral("force"));
    o.dryRun = parser.isSet(QStringLiteral("dry-run"));
    o.yes = parser.isSet(QStringLiteral("yes"));
    o.json = parser.isSet(QStringLiteral("json"));
    if (parser.isSet(QStringLiteral("address"))) {
        const std::string n = text("--address");
        const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), o.address);
        if (ec != std::errc{} || end != n.data() + n.size() || o.address < 0 || o.address > 15)
            return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The polling address '%1' is not a number from 0 to 15."), n));
    }
    if (parser.isSet(QStringLiteral("hold"))) {
        bool ok = false;
        o.holdSeconds = parser.value(QStringLiteral("hold")).toDouble(&ok);
        if (!ok || !(o.holdSeconds >= 0 && o.holdSeconds <= 3600))
            return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --hold needs a number of seconds from 0 to 3600.")));
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        o.command = positional.front().toStdString();
    for (qsizetype k = 1; k < positional.size(); ++k)
        o.files.push_back(positional[k].toStdString());
    // Every option given, in its command-line spelling, checked against the command once it is known.
    std::vector<std::string> options;
    for (const QString& name : parser.optionNames()) {
        if (name == QLatin1String("help") || name == QLatin1String("h") || name == QLatin1String("version"))
            continue;
        options.push_back(name == QLatin1String("o") || name == QLatin1String("output") ? std::string("-o")
                                                                                          : "--" + name.toStdString());
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
    const bool tcp = parser.isSet(QStringLiteral("tcp"));
    if (!hartIp.empty() && (o.simulate || !o.port.empty()))
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Give --hart-ip instead of --port or --simulate, not with them.")));
    if (tcp && hartIp.empty())
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "The option --tcp goes with --hart-ip.")));
    if (!hartIp.empty()) {
        // The option takes the server as HOST[:PORT]; the port selector's name is taken too.
        const bool named = line::ParseHartIpName(hartIp).has_value();
        const auto target = *line::ParseHartIpName(named ? hartIp : (tcp ? "hart-ip+tcp://" : "hart-ip://") + hartIp);
        if (!target)
            return Result::Fail(target.error());
        o.hartIp = *target;
        if (tcp)
            o.hartIp->tcp = true;
    }
    if (o.simulate && !o.port.empty())
        return Result::Fail(Tr(QT_TRANSLATE_NOOP("cli", "Give either --port or --simulate, not both.")));
    if (!o.file.empty() && (o.simulate || !o.port.empty() || o.hartIp))
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
        "\nHART-IP options (instead of --port or --simulate):\n"
        "  --hart-ip HOST[:PORT]\n"
        "                   talk through a HART-IP server (a gateway, multiplexer or\n"
        "                   remote I/O; port 5094 unless given), over UDP\n"
        "  --tcp            with --hart-ip: over TCP instead\n"))
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

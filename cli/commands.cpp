#include "cli/cli.h"

#include "capture/pcapng.h"
#include "config/batch.h"
#include "config/compare.h"
#include "config/file.h"
#include "line/line.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string IdentityText(const config::Configuration& c)
{
    if (!c.identity)
        return "an unidentified device";
    const auto& id = *c.identity;
    return "manufacturer " + std::to_string(id.ManufacturerCode()) + ", device type " + std::to_string(id.DeviceTypeCode())
           + ", serial number " + std::to_string(id.serialNumber()) + " at polling address "
           + std::to_string(id.pollingAddress);
}


// Ctrl-C or a termination request during a batch cancels it, so that the
// report of what was written still comes; the handler only writes a byte.
int gSignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char b = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[1], &b, 1);
}

class CancelOnSignal {
public:
    explicit CancelOnSignal(config::BatchRunner& runner)
    {
        if (gSignalPipe[0] < 0 && ::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [&runner] {
            char b[16];
            while (::read(gSignalPipe[0], b, sizeof b) > 0) {
            }
            runner.Cancel();
        });
        struct sigaction sa {};
        sa.sa_handler = OnSignal;
        ::sigemptyset(&sa.sa_mask);
        ::sigaction(SIGINT, &sa, &oldInt_);
        ::sigaction(SIGTERM, &sa, &oldTerm_);
    }
    ~CancelOnSignal()
    {
        if (!notifier_)
            return;
        ::sigaction(SIGINT, &oldInt_, nullptr);
        ::sigaction(SIGTERM, &oldTerm_, nullptr);
    }
    CancelOnSignal(const CancelOnSignal&) = delete;
    CancelOnSignal& operator=(const CancelOnSignal&) = delete;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};

// Runs one batch on the event loop until it reports; progress on a terminal.
config::BatchReport RunBatch(config::BatchRunner& runner, Io& io, const std::function<void()>& start)
{
    CancelOnSignal cancel(runner);
    QEventLoop loop;
    config::BatchReport report;
    bool finished = false;
    QObject::connect(&runner, &config::BatchRunner::Progress, &loop, [&](int done, int total, const QString& item) {
        if (io.progress)
            io.err << "\r" << done << "/" << total << " " << item.toStdString() << "\x1b[K" << std::flush;
    });
    QObject::connect(&runner, &config::BatchRunner::Finished, &loop, [&](const config::BatchReport& r) {
        report = r;
        finished = true;
        loop.quit();
    });
    start();
    if (!finished)
        loop.exec();
    if (io.progress)
        io.err << "\r\x1b[K" << std::flush;
    return report;
}

void PrintRepeats(const config::BatchReport& r, Io& io)
{
    if (r.repeats > 0)
        io.out << r.repeats << " of " << r.transactions << " requests had to be sent again.\n";
}

codec::Result<config::LoadedFile> Load(const std::string& path, Io& io)
{
    auto f = config::LoadFile(Q(path));
    if (!f)
        io.err << f.error() << "\n";
    return f;
}

// The device's configuration, read whole; nothing when it could not be.
std::optional<config::BatchReport> ReadDevice(const Options& o, Io& io)
{
    auto l = OpenLine(o, io);
    if (!l)
        return std::nullopt;
    config::BatchRunner runner(l->Transactor());
    auto r = RunBatch(runner, io, [&] { runner.Read(static_cast<std::uint8_t>(o.address)); });
    if (r.status != config::BatchStatus::Done) {
        io.err << "Reading the device failed: " << r.message << "\n";
        for (const auto& item : r.items)
            if (item.outcome == config::ItemOutcome::ReadFailed)
                io.err << "  " << item.item->name << ": " << item.reason << "\n";
        return std::nullopt;
    }
    return r;
}

int PrintComparison(const config::Configuration& left, const config::Configuration& right,
                    const std::string& leftName, const std::string& rightName, bool withIdentity, Io& io)
{
    const auto rows = config::Compare(left, right);
    int counted = 0;
    for (const auto& row : rows) {
        if (row.state == config::CompareState::Equal || row.state == config::CompareState::Neither)
            continue;
        const bool ignored = row.item->identity && !withIdentity;
        counted += ignored ? 0 : 1;
        io.out << row.item->name << ": " << config::StateText(row.state, leftName, rightName);
        if (ignored)
            io.out << " (identity item, compared only with --with-identity)";
        io.out << "\n";
        if (!row.left.empty())
            io.out << "  " << leftName << ": " << row.left << "\n";
        if (!row.right.empty())
            io.out << "  " << rightName << ": " << row.right << "\n";
    }
    if (config::AllEqual(rows, withIdentity)) {
        io.out << "The " << leftName << " and the " << rightName << " are equal.\n";
        return kDone;
    }
    io.out << counted << (counted == 1 ? " item differs" : " items differ") << " between the " << leftName
           << " and the " << rightName << ".\n";
    return kDifferences;
}

} // namespace

std::unique_ptr<line::Line> OpenLine(const Options& o, Io& io)
{
    if (o.port.empty() && !o.simulate) {
        io.err << "Give the port with --port NAME, or --simulate for the simulated converter.\n";
        return nullptr;
    }
    line::Line::Options lo;
    lo.port = o.port;
    lo.simulate = o.simulate;
    std::string error;
    auto l = line::Line::Open(lo, &error);
    if (!l)
        io.err << error << "\n";
    else if (io.traffic)
        l->Transactor().SetTrafficSink(io.traffic);
    return l;
}

int RunRead(const Options& o, Io& io)
{
    const auto r = ReadDevice(o, io);
    if (!r)
        return kRefused;
    const config::FileInfo info{QDateTime::currentDateTime(), config::DefaultSavedBy()};
    const std::string what = "Read " + std::to_string(r->count(config::ItemOutcome::Read)) + " items from "
                             + IdentityText(r->device);
    if (o.output.empty()) {
        io.out << config::ToJson(r->device, info).toStdString();
        io.err << what << ".\n";
    } else {
        const auto saved = config::SaveFile(Q(o.output), r->device, info);
        if (!saved) {
            io.err << saved.error() << "\n";
            return kRefused;
        }
        io.out << what << "; saved to " << o.output << ".\n";
    }
    PrintRepeats(*r, io);
    return kDone;
}

int RunDiff(const Options& o, Io& io)
{
    const auto file = Load(o.files[0], io);
    if (!file)
        return kRefused;
    if (o.files.size() == 2) {
        const auto other = Load(o.files[1], io);
        if (!other)
            return kRefused;
        return PrintComparison(file->configuration, other->configuration, "first file", "second file",
                               o.withIdentity, io);
    }
    const auto r = ReadDevice(o, io);
    if (!r)
        return kRefused;
    return PrintComparison(r->device, file->configuration, "device", "file", o.withIdentity, io);
}

int RunWrite(const Options& o, Io& io)
{
    const auto file = Load(o.files[0], io);
    if (!file)
        return kRefused;
    auto l = OpenLine(o, io);
    if (!l)
        return kRefused;
    config::WriteOptions w;
    w.pollingAddress = static_cast<std::uint8_t>(o.address);
    w.withIdentity = o.withIdentity;
    w.force = o.force;
    w.dryRun = o.dryRun;
    w.backupDirectory = config::DefaultBackupDirectory();
    if (!o.dryRun && !QDir().mkpath(w.backupDirectory)) {
        io.err << "Cannot create the backup folder " << w.backupDirectory.toStdString() << ".\n";
        return kRefused;
    }
    config::BatchRunner runner(l->Transactor());
    const auto r = RunBatch(runner, io, [&] { runner.Write(file->configuration, w); });

    auto lines = config::ReportLines(r);
    const std::string outcome = lines.empty() ? r.message : lines.back();
    if (!lines.empty())
        lines.pop_back();
    for (const auto& line : lines)
        io.out << line << "\n";
    const int unchanged = r.count(config::ItemOutcome::Unchanged);
    if (unchanged > 0)
        io.out << unchanged << (unchanged == 1 ? " item was" : " items were") << " already equal.\n";
    (r.status == config::BatchStatus::Done ? io.out : io.err) << outcome << "\n";
    switch (r.status) {
    case config::BatchStatus::Done: return kDone;
    case config::BatchStatus::Refused: return kRefused;
    case config::BatchStatus::Failed:
    case config::BatchStatus::Cancelled: break;
    }
    return r.changed ? kDifferences : kRefused;
}

int Run(const QStringList& args, Io& io)
{
    const auto o = ParseArguments(args);
    if (!o) {
        io.err << o.error() << "\nTry '" << kProgramName << " --help'.\n";
        return kRefused;
    }
    if (o->help) {
        io.out << HelpText();
        return kDone;
    }
    if (o->version) {
        io.out << VersionText();
        return kDone;
    }
    if (o->capture.empty())
        return FindCommand(o->command)->run(*o, io);

    capture::CaptureFile capture;
    std::string error;
    if (!capture.Open(o->capture, &error)) {
        io.err << error << "\n";
        return kRefused;
    }
    io.traffic = capture.Sink();
    const int status = FindCommand(o->command)->run(*o, io);
    io.traffic = nullptr;
    if (!capture.Close(&error)) {
        // The command's own outcome stands, but a lost capture is no success.
        io.err << error << "\n";
        return status == kDone ? kRefused : status;
    }
    return status;
}

} // namespace cli

#include "cli/cli.h"
#include "cli/signals.h"

#include "capture/pcapng.h"
#include "config/batch.h"
#include "config/compare.h"
#include "config/file.h"
#include "i18n/tr.h"
#include "line/line.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <set>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace cli {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string IdentityText(const config::Configuration& c)
{
    if (!c.identity)
        return i18n::Arg(QCoreApplication::translate("cli", "an unidentified device"));
    const auto& id = *c.identity;
    return i18n::Arg(QCoreApplication::translate("cli", "manufacturer %1, device type %2, serial number %3 at polling address %4"), id.ManufacturerCode(), id.DeviceTypeCode(), id.serialNumber(), id.pollingAddress);
}


// Runs one batch on the event loop until it reports; progress on a terminal,
// each settled item to `onItem` as it settles.
config::BatchReport RunBatch(config::BatchRunner& runner, Io& io, const std::function<void()>& start,
                             const std::function<void(const config::ItemResult&)>& onItem = {})
{
    // Ctrl-C cancels at once; a termination request, or the terminal hanging
    // up, lets the item in hand finish. Either way the report still comes.
    OnSignals cancel([&runner](int sig) { sig == SIGINT ? runner.Cancel() : runner.StopAfterItem(); });
    QEventLoop loop;
    config::BatchReport report;
    bool finished = false;
    QObject::connect(&runner, &config::BatchRunner::Progress, &loop, [&](int done, int total, const QString& item) {
        if (io.progress)
            io.err << "\r" << done << "/" << total << " " << item.toStdString() << "\x1b[K" << std::flush;
    });
    if (onItem)
        QObject::connect(&runner, &config::BatchRunner::ItemDone, &loop, [&](const config::ItemResult& r) {
            if (io.progress)
                io.err << "\r\x1b[K" << std::flush;
            onItem(r);
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

void PrintRepeats(const config::BatchReport& r, std::ostream& to)
{
    if (r.repeats > 0)
        to << config::RepeatsText(r, config::RepeatsForm::ReadLine) << "\n";
}

codec::Result<config::LoadedFile> Load(const std::string& path, Io& io)
{
    auto f = config::LoadFile(Q(path));
    if (!f)
        io.err << f.error() << "\n";
    return f;
}


// `unread`: the items the device did not give, with why; a device side only
// compares what the file holds.
int PrintComparison(const config::Configuration& left, const config::Configuration& right,
                    const std::string& leftName, const std::string& rightName, bool withIdentity, Io& io,
                    const std::vector<config::ItemResult>* unread = nullptr)
{
    const auto rows = config::Compare(left, right);
    const auto unreadReason = [&](const config::Item* item) -> const std::string* {
        if (unread)
            for (const auto& r : *unread)
                if (r.item == item && r.outcome == config::ItemOutcome::ReadFailed)
                    return &r.reason;
        return nullptr;
    };
    int counted = 0;
    for (const auto& row : rows) {
        if (row.state == config::CompareState::Equal || row.state == config::CompareState::Neither)
            continue;
        if (unread && row.state == config::CompareState::OnlyLeft)
            continue; // left out of the file: neither compared nor written
        const bool ignored = row.item->identity && !withIdentity;
        counted += ignored ? 0 : 1;
        io.out << row.item->name << ": ";
        if (const std::string* why = unreadReason(row.item))
            io.out << i18n::Arg(QCoreApplication::translate("cli", "could not be read from the %1 (%2)"), leftName, *why);
        else
            io.out << config::StateText(row.state, leftName, rightName);
        if (ignored)
            io.out << i18n::Arg(QCoreApplication::translate("cli", " (identity item, compared only with --with-identity)"));
        io.out << "\n";
        if (!row.left.empty())
            io.out << "  " << leftName << ": " << row.left << "\n";
        if (!row.right.empty())
            io.out << "  " << rightName << ": " << row.right << "\n";
    }
    if (counted == 0) {
        io.out << i18n::Arg(QCoreApplication::translate("cli", "The %1 and the %2 are equal."), leftName, rightName) << "\n";
        return kDone;
    }
    io.out << (counted == 1 ? i18n::Arg(QCoreApplication::translate("cli", "%1 item differs between the %2 and the %3."), counted, leftName, rightName)
                            : i18n::Arg(QCoreApplication::translate("cli", "%1 items differ between the %2 and the %3."), counted, leftName, rightName))
           << "\n";
    return kDifferences;
}

} // namespace

std::optional<config::BatchReport> ReadDevice(const Options& o, Io& io)
{
    auto l = OpenLine(o, io);
    if (!l)
        return std::nullopt;
    config::BatchRunner runner(l->Transactor());
    auto r = RunBatch(runner, io, [&] { runner.Read(static_cast<std::uint8_t>(o.address)); });
    if (r.status == config::BatchStatus::Done)
        return r;
    if (r.status == config::BatchStatus::Failed) {
        io.err << r.message << "\n";
    } else {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "Reading the device failed: %1"), r.message) << "\n";
    }
    for (const auto& item : r.items)
        if (item.outcome == config::ItemOutcome::ReadFailed)
            io.err << "  " << item.item->name << ": " << item.reason << "\n";
    if (r.status == config::BatchStatus::Failed)
        return r;
    return std::nullopt;
}

std::unique_ptr<line::Line> OpenLine(const Options& o, Io& io)
{
    if (o.port.empty() && !o.simulate && !o.hartIp) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "Give the port with --port NAME, or --simulate for the simulated converter.")) << "\n";
        return nullptr;
    }
    line::Line::Options lo;
    lo.port = o.port;
    lo.simulate = o.simulate;
    lo.hartIp = o.hartIp;
    // On a network the capture holds the HART-IP messages, session set-up included.
    lo.traffic = io.traffic;
    auto opened = line::Line::Open(lo);
    if (!opened) {
        io.err << opened.error() << "\n";
        return nullptr;
    }
    auto l = opened.take();
    if (auto* port = l->HartIp()) {
        // Said when it happens; the request in hand then fails as on a lost serial port.
        QObject::connect(port, &line::HartIpPort::Lost, port, [&io](const QString& why) {
            io.err << why.toStdString() << "\n" << std::flush;
        });
    }
    return l;
}

bool OutputArrived(Io& io)
{
    errno = 0;
    io.out.flush();
    if (io.out)
        return true;
    if (!io.outLost) {
        const int error = errno;
        io.err << (error != 0 ? i18n::Arg(QCoreApplication::translate("cli", "Standard output could not be written: %1."), std::strerror(error)) : i18n::Arg(QCoreApplication::translate("cli", "Standard output could not be written.")))
               << "\n";
        io.outLost = true;
    }
    return false;
}

int RunRead(const Options& o, Io& io)
{
    const auto r = ReadDevice(o, io);
    if (!r)
        return kRefused;
    // Part of a configuration is saved as such: the file leaves out what was not read.
    const int status = r->status == config::BatchStatus::Done ? kDone : kDifferences;
    const config::FileInfo info{QDateTime::currentDateTime(), config::DefaultSavedBy()};
    const std::string what = i18n::Arg(QCoreApplication::translate("cli", "%1 from %2"), config::ReadCountText(r->count(config::ItemOutcome::Read)), IdentityText(r->device));
    if (o.output.empty() || o.output == "-") {
        io.out << config::ToJson(r->device, info).toStdString();
        if (!OutputArrived(io))
            return kRefused;
        io.err << what << ".\n";
    } else {
        const auto saved = config::SaveFile(Q(o.output), r->device, info);
        if (!saved) {
            io.err << saved.error() << "\n";
            return kRefused;
        }
        io.out << i18n::Arg(QCoreApplication::translate("cli", "%1; saved to %2."), what, o.output) << "\n";
    }
    // Standard output holds the file alone when the file goes there.
    PrintRepeats(*r, o.output.empty() || o.output == "-" ? io.err : io.out);
    return OutputArrived(io) ? status : kRefused;
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
        const int status = PrintComparison(file->configuration, other->configuration, i18n::Arg(QCoreApplication::translate("cli", "first file")), i18n::Arg(QCoreApplication::translate("cli", "second file")),
                                           o.withIdentity, io);
        return OutputArrived(io) ? status : kRefused;
    }
    const auto r = ReadDevice(o, io);
    if (!r)
        return kRefused;
    const int status = PrintComparison(r->device, file->configuration, i18n::Arg(QCoreApplication::translate("cli", "device")), i18n::Arg(QCoreApplication::translate("cli", "file")), o.withIdentity, io,
        &r->items);
    return OutputArrived(io) ? status : kRefused;
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
    w.otherIdentifier = o.force;
    w.dryRun = o.dryRun;
    w.backupDirectory = o.backupDir.empty() ? config::DefaultBackupDirectory() : QDir(Q(o.backupDir)).absolutePath();
    if (!o.dryRun && !QDir().mkpath(w.backupDirectory)) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "Cannot create the backup folder %1."), w.backupDirectory) << "\n";
        return kRefused;
    }
    w.historyPath = config::DefaultHistoryPath();
    config::BatchRunner runner(l->Transactor());
    QObject::connect(&runner, &config::BatchRunner::HistoryNotKept, &runner, [&io](const QString& why) {
        io.err << i18n::Arg(QCoreApplication::translate("cli", "The history did not keep this write: %1"), why.toStdString()) << "\n";
    });
    // Each item's line goes out as the item settles, so a report cut short
    // (a dropped terminal) still holds what was done. A dry run writes
    // nothing, so its list waits for the whole plan and reads as the window's
    // question before a write does.
    std::set<const config::Item*> said;
    const auto r = RunBatch(runner, io, [&] { runner.Write(file->configuration, w); },
                            [&](const config::ItemResult& item) {
                                if (o.dryRun)
                                    return;
                                if (const auto line = config::ItemLine(item)) {
                                    io.out << *line << "\n" << std::flush;
                                    said.insert(item.item);
                                }
                            });

    if (o.dryRun && r.status == config::BatchStatus::Done)
        for (const auto& line : config::PreviewLines(r))
            io.out << line << "\n";
    for (const auto& item : r.items)
        if (!said.contains(item.item) && !(o.dryRun && item.outcome == config::ItemOutcome::WouldWrite))
            if (const auto line = config::ItemLine(item))
                io.out << *line << "\n";
    for (const auto& line : config::ClosingLines(r))
        io.out << line << "\n";
    const int unchanged = r.count(config::ItemOutcome::Unchanged);
    if (unchanged > 0)
        io.out << (unchanged == 1 ? i18n::Arg(QCoreApplication::translate("cli", "%1 item was already equal."), unchanged) : i18n::Arg(QCoreApplication::translate("cli", "%1 items were already equal."), unchanged)) << "\n";
    (r.status == config::BatchStatus::Done ? io.out : io.err) << r.message << "\n";
    if (r.otherIdentifier)
        io.err << i18n::Arg(QCoreApplication::translate("cli", "Give --force to write it anyway.")) << "\n";
    int status = kRefused;
    switch (r.status) {
    case config::BatchStatus::Done: status = kDone; break;
    case config::BatchStatus::Refused: status = kRefused; break;
    case config::BatchStatus::Failed:
    case config::BatchStatus::Cancelled: status = r.changed ? kDifferences : kRefused; break;
    }
    // A lost report is no success, and says nothing about the device.
    if (!OutputArrived(io) && status == kDone)
        status = r.changed ? kDifferences : kRefused;
    return status;
}

int Run(const QStringList& args, Io& io)
{
    const auto o = ParseArguments(args);
    if (!o) {
        io.err << o.error() << "\n" << i18n::Arg(QCoreApplication::translate("cli", "Try '%1 --help'."), kProgramName) << "\n";
        return kRefused;
    }
    if (o->help) {
        io.out << HelpText();
        return OutputArrived(io) ? kDone : kRefused;
    }
    if (o->version) {
        io.out << VersionText();
        return OutputArrived(io) ? kDone : kRefused;
    }
    if (o->capture.empty()) {
        const int status = FindCommand(o->command)->run(*o, io);
        return !OutputArrived(io) && status == kDone ? kRefused : status;
    }

    capture::CaptureFile capture;
    if (const auto opened = capture.Open(o->capture); !opened) {
        io.err << opened.error() << "\n";
        return kRefused;
    }
    io.traffic = capture.Sink();
    const int status = FindCommand(o->command)->run(*o, io);
    io.traffic = nullptr;
    if (const auto closed = capture.Close(); !closed) {
        // The command's own outcome stands, but a lost capture is no success.
        io.err << closed.error() << "\n";
        return status == kDone ? kRefused : status;
    }
    return !OutputArrived(io) && status == kDone ? kRefused : status;
}

} // namespace cli

#include "config/batch.h"

#include "codec/text.h"
#include "config/compare.h"
#include "config/file.h"
#include "device/identify.h"
#include "hart/frame_decoder.h"
#include "hart/request_frame.h"
#include "i18n/tr.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <cctype>
#include <functional>
#include <tuple>
#include <utility>

namespace config {

int BatchReport::count(ItemOutcome o) const
{
    int n = 0;
    for (const auto& r : items)
        n += r.outcome == o ? 1 : 0;
    return n;
}

std::string_view OutcomeText(ItemOutcome o)
{
    switch (o) {
    case ItemOutcome::Read: return QT_TRANSLATE_NOOP("config", "read");
    case ItemOutcome::ReadFailed: return QT_TRANSLATE_NOOP("config", "could not be read");
    case ItemOutcome::Unchanged: return QT_TRANSLATE_NOOP("config", "already equal");
    case ItemOutcome::WouldWrite: return QT_TRANSLATE_NOOP("config", "would be written");
    case ItemOutcome::Verified: return QT_TRANSLATE_NOOP("config", "written and verified");
    case ItemOutcome::Failed: return QT_TRANSLATE_NOOP("config", "failed");
    case ItemOutcome::NotAttempted: return QT_TRANSLATE_NOOP("config", "not attempted");
    case ItemOutcome::Skipped: return QT_TRANSLATE_NOOP("config", "not written");
    case ItemOutcome::WrittenNotVerified:
        return QT_TRANSLATE_NOOP("config", "written, not verified (the device may have taken the value)");
    }
    return {};
}

std::optional<std::string> ItemLine(const ItemResult& item)
{
    if (item.outcome == ItemOutcome::Read || item.outcome == ItemOutcome::Unchanged)
        return std::nullopt;
    std::string line = std::string(item.item->name) + ": "
                       + i18n::Arg(QCoreApplication::translate("config", OutcomeText(item.outcome).data()));
    if (!item.reason.empty())
        line += " (" + item.reason + ")";
    if (item.outcome == ItemOutcome::WouldWrite || item.outcome == ItemOutcome::Verified
        || item.outcome == ItemOutcome::Skipped || item.outcome == ItemOutcome::WrittenNotVerified)
        line += ": " + item.from + " -> " + item.to;
    return line;
}

std::vector<std::string> ReportLines(const BatchReport& r)
{
    std::vector<std::string> lines;
    for (const auto& item : r.items)
        if (auto line = ItemLine(item))
            lines.push_back(std::move(*line));
    for (auto& line : ClosingLines(r))
        lines.push_back(std::move(line));
    lines.push_back(r.message);
    return lines;
}

std::vector<std::string> ClosingLines(const BatchReport& r)
{
    std::vector<std::string> lines;
    if (!r.backupPath.isEmpty())
        lines.push_back(
            i18n::Arg(QCoreApplication::translate("config", "The device's configuration before writing was saved to %1."), r.backupPath));
    if (r.repeats > 0)
        lines.push_back(RepeatsText(r, RepeatsForm::ReportLine));
    return lines;
}

std::vector<std::string> PreviewLines(const BatchReport& r)
{
    std::string device = i18n::Arg(QCoreApplication::translate("config", "Device: "));
    const auto& d = r.device;
    if (d.tagDescriptorDate) {
        std::string tag = d.tagDescriptorDate->tag;
        while (!tag.empty() && tag.back() == ' ')
            tag.pop_back();
        device += i18n::Arg(QCoreApplication::translate("config", "tag \"%1\", "), codec::EscapeControl(tag, true));
    } else {
        device += i18n::Arg(QCoreApplication::translate("config", "tag not read, "));
    }
    if (d.identity)
        device += i18n::Arg(QCoreApplication::translate("config", "polling address %1, unique identifier %2"), d.identity->pollingAddress, d.identity->serialNumber());
    else
        device += i18n::Arg(QCoreApplication::translate("config", "not identified"));
    std::vector<std::string> lines{device};
    for (const auto& item : r.items)
        if (item.outcome == ItemOutcome::WouldWrite)
            lines.push_back(std::string(item.item->name) + ": " + (item.from.empty() ? i18n::Arg(QCoreApplication::translate("config", "(not read)")) : item.from)
                            + " -> " + item.to);
    return lines;
}

namespace {

using Next = std::function<void(const hart::TransactionResult&)>;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }


// The backup holds what was read, item for item, and the identity the file keeps.
bool SameAsRead(const Configuration& back, const Configuration& read)
{
    const auto saved = [](const std::optional<hart::DeviceIdentity>& id) {
        return id ? std::optional(std::tuple(id->manufacturer, id->deviceType, id->serialNumber(), id->pollingAddress))
                  : std::nullopt;
    };
    return saved(back.identity) == saved(read.identity) && AllEqual(Compare(back, read), true);
}

// "1 item", "2 items": `what` is written for the plural.
std::string Count(int n, std::string_view what)
{
    std::string text(what);
    if (n == 1 && text.starts_with("items"))
        text.erase(4, 1);
    // The texts Count is given, and their singulars, for the translation tools.
    [[maybe_unused]] static constexpr const char* kCounted[] = {QT_TRANSLATE_NOOP("config", "item"),
        QT_TRANSLATE_NOOP("config", "items"), QT_TRANSLATE_NOOP("config", "item would be written"),
        QT_TRANSLATE_NOOP("config", "items would be written"), QT_TRANSLATE_NOOP("config", "item written and verified"),
        QT_TRANSLATE_NOOP("config", "items written and verified"), QT_TRANSLATE_NOOP("config", "not attempted")};
    return std::to_string(n) + " " + i18n::Arg(QCoreApplication::translate("config", text.c_str()));
}

QString BackupPath(const QString& directory, const hart::DeviceIdentity& id)
{
    const QString stem = QStringLiteral("modbus-hart-backup-%1-%2-%3-%4")
                             .arg(id.ManufacturerCode())
                             .arg(id.DeviceTypeCode())
                             .arg(id.serialNumber())
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QDir dir(directory);
    QString path = dir.filePath(stem + QStringLiteral(".json"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("-%1.json").arg(n));
    return path;
}

} // namespace

std::string ReadCountText(int read)
{
    return i18n::Arg(QCoreApplication::translate("config", "Read %1"), Count(read, "items"));
}

std::string RepeatsText(const BatchReport& r, RepeatsForm form)
{
    if (r.repeats <= 0)
        return {};
    switch (form) {
    case RepeatsForm::ReportLine:
        return i18n::Arg(QCoreApplication::translate("config", "%1 requests had to be sent again."), r.repeats);
    case RepeatsForm::ReadLine:
        return i18n::Arg(QCoreApplication::translate("config", "%1 of %2 requests had to be sent again."), r.repeats, r.transactions);
    case RepeatsForm::Aside:
        return i18n::Arg(QCoreApplication::translate("config", " (%1 of %2 requests sent again)"), r.repeats, r.transactions);
    }
    return {};
}

struct BatchRunner::Job {
    bool write = false;
    WriteOptions options;
    Configuration file;
    BatchReport report;
    std::uint8_t address = 0;
    hart::DeviceIdentity id;
    std::vector<std::uint8_t> identifyAnswer; // the latest one
    bool cancelled = false;
    bool stopAfterItem = false;
    bool awaiting = false; // planned, waiting for Proceed or Cancel
    const Item* unverified = nullptr; // written and answered, its read-back not yet judged
    int done = 0;
    int total = 0;

    std::vector<const Item*> reads;
    std::size_t readAt = 0;
    std::vector<std::vector<std::uint8_t>> readAnswers; // per entry of Items(), empty when not read

    std::vector<const Item*> writes;
    std::size_t writeAt = 0;

    std::string refusal;                // refused before starting: reported from the event loop
    std::unique_ptr<hart::Reply> reply; // the request out; withdrawn when the job goes
};

BatchRunner::BatchRunner(hart::Transport& transport, hart::LineOwner* owner, QObject* parent)
    : QObject(parent), transport_(transport), owner_(owner)
{
    end_.setSingleShot(true);
    end_.setInterval(0);
    connect(&end_, &QTimer::timeout, this, &BatchRunner::EndLater);
}

// The job goes first, and with it the request it has out.
BatchRunner::~BatchRunner() = default;

bool BatchRunner::Busy() const { return job_ != nullptr; }

void BatchRunner::StopAfterItem()
{
    if (job_ && job_->awaiting)
        return Cancel(); // no item is in hand
    if (job_)
        job_->stopAfterItem = true;
}

void BatchRunner::Proceed()
{
    if (!job_ || !job_->awaiting || job_->cancelled)
        return;
    job_->awaiting = false;
    // The question may have stood open for minutes: the device that answers
    // now must still be the one that was read and shown, or nothing is written.
    const hart::DeviceIdentity shown = job_->id;
    Identify(
        [this, shown] {
            if (job_->id != shown)
                return Finish(BatchStatus::Refused,
                              i18n::Arg(QCoreApplication::translate("config", "Nothing was written: another device now answers at polling address %1 (unique identifier %2, read and shown was %3)."), job_->address, job_->id.serialNumber(), shown.serialNumber()));
            SaveBackup();
        },
        [this](const std::string& why) {
            Finish(BatchStatus::Refused, i18n::Arg(QCoreApplication::translate("config", "Nothing was written: the device no longer answers (%1)."), why));
        });
}

void BatchRunner::Cancel()
{
    if (!job_ || job_->cancelled)
        return;
    job_->cancelled = true;
    // The request out ends as Cancelled and stops the batch from its answer;
    // without one (waiting for Proceed, or for the line) it stops from the event loop.
    if (job_->reply && !job_->reply->IsFinished())
        job_->reply->Cancel();
    else
        end_.start();
}

void BatchRunner::EndLater()
{
    if (!job_)
        return;
    if (!job_->refusal.empty())
        return Finish(BatchStatus::Refused, job_->refusal);
    StopIfCancelled();
}

void BatchRunner::Begin()
{
    if (!owner_)
        return Start();
    owner_->Claim(hart::LineClient::Batch, this, [this] {
        if (job_ && !job_->cancelled)
            Start();
    });
}

void BatchRunner::Read(std::uint8_t pollingAddress)
{
    if (job_)
        return;
    job_ = std::make_unique<Job>();
    job_->address = pollingAddress;
    Begin();
}

void BatchRunner::Write(const Configuration& file, const WriteOptions& options)
{
    if (job_)
        return;
    job_ = std::make_unique<Job>();
    job_->write = true;
    job_->options = options;
    job_->file = file;
    job_->address = options.pollingAddress;
    // Values are checked once the device has been read: a value the device could
    // not take is refused only when it would be sent, so that a device's own
    // backup (a date never set, say) restores.
    std::string refusal;
    if (!options.dryRun && options.backupDirectory.isEmpty())
        refusal = i18n::Arg(QCoreApplication::translate("config", "The file was not written: no directory for the backup was given."));
    if (refusal.empty())
        return Begin();
    // Reported from the event loop like every other outcome, never from inside Write.
    job_->refusal = refusal;
    end_.start();
}

void BatchRunner::Send(const hart::Transaction& t, const QString& item, bool writeStep,
                       std::function<void(const hart::TransactionResult&)> next)
{
    emit Progress(job_->done, job_->total, item);
    // The handle goes with the job: no answer reaches a batch that has ended.
    job_->reply = transport_.Submit(t, [this, writeStep, next = std::move(next)](const hart::TransactionResult& r) {
        auto& job = *job_;
        ++job.report.transactions;
        job.report.repeats += r.repeats;
        ++job.done;
        // A write's outcome must be recorded even when cancelled; anything else just stops.
        if (!writeStep && StopIfCancelled())
            return;
        next(r);
    });
}

bool BatchRunner::StopIfCancelled()
{
    if (!job_->cancelled)
        return false;
    // Its write went out and was answered: whether it holds is not known.
    if (const Item* item = std::exchange(job_->unverified, nullptr))
        SettleItem(*item, ItemOutcome::WrittenNotVerified);
    Finish(BatchStatus::Cancelled, job_->report.changed ? i18n::Arg(QCoreApplication::translate("config", "Cancelled after writing part of the file."))
                                                        : i18n::Arg(QCoreApplication::translate("config", "Cancelled; nothing was written.")));
    return true;
}

void BatchRunner::Start()
{
    auto& job = *job_;
    for (const auto& item : Items())
        if (!item.readByIdentify())
            job.reads.push_back(&item);
    job.readAnswers.resize(Items().size());
    job.total = 1 + static_cast<int>(job.reads.size());
    Identify([this] { job_->write ? CheckDeviceType() : ReadNext(); }, [this](const std::string& why) {
        Finish(BatchStatus::Refused, i18n::Arg(QCoreApplication::translate("config", "No device answered at polling address %1: %2."), job_->address, why));
    });
}

void BatchRunner::Identify(std::function<void()> next, std::function<void(const std::string&)> failed)
{
    const auto t = hart::MakeTransaction(hart::Request(hart::RequestId::Button3), {}, {}, job_->address);
    Send(t, QStringLiteral("identify"), false, [this, next, failed](const hart::TransactionResult& r) {
        if (StopIfCancelled())
            return;
        if (const auto answered = hart::UsableAnswer(r); !answered)
            return failed(answered.error());
        const auto decoded = device::DecodeIdentify(r.Frame()->data(), job_->address);
        if (!decoded)
            return failed(i18n::Arg(QCoreApplication::translate("config", "the identify answer is too short")));
        job_->id = decoded->identity;
        job_->identifyAnswer = r.answer;
        next();
    });
}

// Decodes an answer into `into`, or says why not.
codec::Result<void> BatchRunner::DecodeInto(const Item& item, const hart::TransactionResult& r, Configuration& into)
{
    if (auto answered = hart::UsableAnswer(r); !answered)
        return answered;
    if (!item.decode({r.Frame()->data(), job_->address}, into))
        return codec::Result<void>::Fail(i18n::Arg(QCoreApplication::translate("config", "the answer is too short")));
    return codec::Result<void>::Ok();
}

void BatchRunner::ReadNext()
{
    auto& job = *job_;
    if (job.readAt == 0) {
        // The items that come with the identify answer.
        job.report.device.identity = job.id;
        job.report.identifyAnswer = job.identifyAnswer;
        hart::TransactionResult identify;
        identify.answer = job.identifyAnswer;
        for (std::size_t k = 0; k < Items().size(); ++k) {
            const Item& item = Items()[k];
            if (!item.readByIdentify())
                continue;
            if (DecodeInto(item, identify, job.report.device))
                job.readAnswers[k] = job.identifyAnswer;
        }
    }
    if (StopBetweenItems())
        return;
    if (job.readAt == job.reads.size())
        return ReadDone();

    const Item& item = *job.reads[job.readAt];
    Send(ReadRequest(item, job.id, job.address), Q(item.name), false, [this, &item](const hart::TransactionResult& r) {
        auto& job = *job_;
        const auto decoded = DecodeInto(item, r, job.report.device);
        const std::string& why = decoded.error();
        if (decoded)
            job.readAnswers[static_cast<std::size_t>(&item - Items().data())] = r.answer;
        else if (job.write && item.has(job.file))
            return Finish(BatchStatus::Refused,
                i18n::Arg(QCoreApplication::translate("config", "Nothing was written: the device's %1 could not be read first (%2)."), item.name, why));
        else // a write leaves an item the file does not hold alone; the backup lacks it
            SettleItem(item, ItemOutcome::ReadFailed, why);
        ++job.readAt;
        ReadNext();
    });
}

void BatchRunner::ReadDone()
{
    auto& job = *job_;
    for (std::size_t k = 0; k < Items().size(); ++k) {
        if (job.readAnswers[k].empty())
            continue;
        job.report.answers.push_back({&Items()[k], job.readAnswers[k]});
        if (!job.write)
            job.report.items.push_back({&Items()[k], ItemOutcome::Read, {}, {}, {}});
    }
    if (job.write)
        return PlanWrite();

    const int failed = job.report.count(ItemOutcome::ReadFailed);
    if (failed == 0)
        return Finish(BatchStatus::Done, ReadCountText(job.report.count(ItemOutcome::Read)) + ".");
    std::string list;
    for (const auto& r : job.report.items)
        if (r.outcome == ItemOutcome::ReadFailed)
            list += (list.empty() ? "" : ", ") + std::string(r.item->name) + " (" + r.reason + ")";
    Finish(BatchStatus::Failed, i18n::Arg(QCoreApplication::translate("config", "%1; %2: %3."), ReadCountText(job.report.count(ItemOutcome::Read)), Count(failed, "could not be read"), list));
}

// Before reading the whole target: a file for another kind of device is
// refused at once, and so is an identity that would make two devices one.
void BatchRunner::CheckDeviceType()
{
    auto& job = *job_;
    const auto& file = job.file;
    if (!job.options.force) {
        if (!file.identity)
            return Finish(BatchStatus::Refused,
                          i18n::Arg(QCoreApplication::translate("config", "Nothing was written: the file names no device type (force to write it anyway).")));
        if (file.identity->ManufacturerCode() != job.id.ManufacturerCode() || file.identity->DeviceTypeCode() != job.id.DeviceTypeCode())
            return Finish(BatchStatus::Refused,
                          i18n::Arg(QCoreApplication::translate("config", "Nothing was written: the device is manufacturer %1, device type %2, the file is for manufacturer %3, device type %4 (force to write it anyway)."), job.id.ManufacturerCode(), job.id.DeviceTypeCode(), file.identity->ManufacturerCode(), file.identity->DeviceTypeCode()));
    }
    if (job.options.withIdentity && !job.options.otherIdentifier && file.serialNumber
        && *file.serialNumber != job.id.serialNumber()) {
        job.report.otherIdentifier = true;
        return Finish(BatchStatus::Refused,
                      i18n::Arg(QCoreApplication::translate("config", "Nothing was written: the file's sensor serial number %1 is not this device's (%2); the converter uses it as its unique identifier, so two devices would share one."), *file.serialNumber, job.id.serialNumber()));
    }

    ReadNext();
}

void BatchRunner::PlanWrite()
{
    auto& job = *job_;
    const auto& file = job.file;
    const auto& device = job.report.device;

    // A value the device could not take stops the write before anything is planned or sent.
    for (const Item* item : ItemsInWriteOrder()) {
        const bool sent = item->has(file) && (!item->has(device) || !item->equal(device, file))
                          && (!item->identity || job.options.withIdentity);
        if (const auto data = sent ? item->buildWrite(file) : codec::Result<std::vector<std::uint8_t>>::Ok({}); !data)
            return Finish(BatchStatus::Refused,
                i18n::Arg(QCoreApplication::translate("config", "The file was not written: item \"%1\": %2."), item->name, data.error()));
    }

    for (const Item* item : ItemsInWriteOrder()) {
        if (!item->has(file))
            continue;
        ItemResult r{item, ItemOutcome::Unchanged, {}, item->has(device) ? item->text(device) : std::string(),
                     item->text(file)};
        const bool differs = !item->has(device) || !item->equal(device, file);
        if (differs && item->identity && !job.options.withIdentity) {
            r.outcome = ItemOutcome::Skipped;
            r.reason = i18n::Arg(QCoreApplication::translate("config", "identity item, not asked for"));
        } else if (differs) {
            r.outcome = job.options.dryRun ? ItemOutcome::WouldWrite : ItemOutcome::NotAttempted;
            job.writes.push_back(item);
            job.total += 1 + (item->identity ? 1 : 0) + (item->readByIdentify() ? 0 : 1);
        }
        job.report.items.push_back(r);
        if (r.outcome != ItemOutcome::NotAttempted)
            emit ItemDone(r);
    }

    if (job.options.dryRun)
        return Finish(BatchStatus::Done, job.writes.empty()
                                             ? i18n::Arg(QCoreApplication::translate("config", "Nothing would be written: the device already matches."))
                                             : i18n::Arg(QCoreApplication::translate("config", "%1; nothing was sent."), Count(static_cast<int>(job.writes.size()), "items would be written")));
    // Nothing to undo, so no backup.
    if (job.writes.empty())
        return Finish(BatchStatus::Done, i18n::Arg(QCoreApplication::translate("config", "Nothing to write: the device already matches.")));
    if (job.options.preview) {
        job.awaiting = true;
        BatchReport plan = job.report;
        for (auto& r : plan.items)
            if (r.outcome == ItemOutcome::NotAttempted)
                r.outcome = ItemOutcome::WouldWrite;
        emit Preview(plan);
        return;
    }
    SaveBackup();
}

// No setting goes out before the backup is on disk and reads back as what was read.
void BatchRunner::SaveBackup()
{
    auto& job = *job_;
    const auto& device = job.report.device;
    const QString path = BackupPath(job.options.backupDirectory, job.id);
    std::string problem;
    if (const auto saved = SaveFile(path, device, {QDateTime::currentDateTimeUtc(), DefaultSavedBy()}); !saved) {
        problem = i18n::Arg(QCoreApplication::translate("config", "the backup could not be saved: %1"), saved.error());
    } else if (const auto back = LoadFile(path); !back) {
        problem = i18n::Arg(QCoreApplication::translate("config", "the backup does not read back: %1"), back.error());
    } else if (!SameAsRead(back->configuration, device)) {
        problem = i18n::Arg(QCoreApplication::translate("config", "the backup %1 does not read back as what was read"), path);
    }
    if (!problem.empty()) {
        QFile::remove(path); // a backup that cannot restore is no backup
        std::erase_if(job.report.items, [](const ItemResult& r) { return r.outcome == ItemOutcome::NotAttempted; });
        return Finish(BatchStatus::Refused, i18n::Arg(QCoreApplication::translate("config", "Nothing was written: %1."), problem));
    }
    job.report.backupPath = path;
    WriteNext();
}

ItemResult& BatchRunner::ResultOf(const Item& item)
{
    for (auto& r : job_->report.items)
        if (r.item == &item)
            return r;
    job_->report.items.push_back({&item, ItemOutcome::NotAttempted, {}, {}, {}});
    return job_->report.items.back();
}

void BatchRunner::SettleItem(const Item& item, ItemOutcome outcome, const std::string& reason,
                             std::optional<HistoryOutcome> history)
{
    auto& r = ResultOf(item);
    r.outcome = outcome;
    r.reason = reason;
    if (outcome == ItemOutcome::Verified)
        history = HistoryOutcome::Verified;
    else if (outcome == ItemOutcome::WrittenNotVerified)
        history = HistoryOutcome::PossiblyTaken;
    if (history && !job_->options.historyPath.isEmpty()) {
        const auto& device = job_->report.device;
        const QString tag = device.tagDescriptorDate ? QString::fromStdString(device.tagDescriptorDate->tag) : QString();
        auto record = MakeHistoryRecord(job_->id, tag, Q(item.name), *history);
        if (!r.from.empty())
            record.before = QString::fromStdString(r.from);
        record.after = QString::fromStdString(r.to);
        if (*history != HistoryOutcome::Verified)
            record.detail = QString::fromStdString(reason);
        // The write stands whatever happens to its record; a lost record is said.
        if (const auto kept = AppendHistory(job_->options.historyPath, record); !kept)
            emit HistoryNotKept(QString::fromStdString(kept.error()));
    }
    emit ItemDone(r);
}

bool BatchRunner::StopBetweenItems()
{
    if (job_->stopAfterItem)
        job_->cancelled = true;
    return StopIfCancelled();
}

void BatchRunner::WriteFailed(const Item& item, const std::string& why, std::optional<HistoryOutcome> history)
{
    job_->unverified = nullptr;
    SettleItem(item, ItemOutcome::Failed, why, history);
    const auto& report = job_->report;
    Finish(job_->cancelled ? BatchStatus::Cancelled : BatchStatus::Failed,
           i18n::Arg(QCoreApplication::translate("config", "Stopped at %1: %2. %3, %4."), item.name, why, Count(report.count(ItemOutcome::Verified), "items written and verified"), Count(report.count(ItemOutcome::NotAttempted), "not attempted")));
}

void BatchRunner::WriteNext()
{
    auto& job = *job_;
    if (StopBetweenItems())
        return;
    if (job.writeAt == job.writes.size())
        return Finish(BatchStatus::Done,
                      i18n::Arg(QCoreApplication::translate("config", "Wrote %1, each read back equal."), Count(job.report.count(ItemOutcome::Verified), "items")));

    const Item& item = *job.writes[job.writeAt];
    const auto request = WriteRequest(item, job.file, job.id);
    if (!request) // Validate passed, so this cannot happen; stop rather than skip
        return WriteFailed(item, request.error(), std::nullopt);
    Send(*request, Q(item.name), true, [this, &item](const hart::TransactionResult& r) {
        // A write that went out may have been taken even without a clean
        // answer; only a refusal by the device, or a port that took nothing,
        // leaves it surely unchanged.
        const auto frame = r.Frame();
        const bool refused = r.error == hart::TransactionError::Busy
                             || (frame && hart::IsErrorResponse(frame->responseCode()));
        if (!refused && r.error != hart::TransactionError::PortFailed)
            job_->report.changed = true;
        if (r.error == hart::TransactionError::Cancelled)
            return WriteFailed(item, i18n::Arg(QCoreApplication::translate("config", "cancelled before the answer; the device may have taken the value")));
        if (const auto answered = hart::UsableAnswer(r); !answered)
            return WriteFailed(item,
                               refused ? answered.error()
                                       : i18n::Arg(QCoreApplication::translate("config", "%1; the device may have taken the value"), answered.error()),
                               refused ? HistoryOutcome::Refused
                               : r.error == hart::TransactionError::PortFailed ? HistoryOutcome::NoAnswer
                                                                               : HistoryOutcome::PossiblyTaken);
        job_->unverified = &item;
        if (StopIfCancelled())
            return;
        if (!item.identity)
            return ReadBack(item);
        // The device's address may have changed: find it again where it now answers.
        if (&item == FindItem("pollingAddress"))
            job_->address = *job_->file.pollingAddress;
        Identify([this, &item] { ReadBack(item); },
                 [this, &item](const std::string& why) {
                     WriteFailed(item, i18n::Arg(QCoreApplication::translate("config", "written, but the device did not answer the identify afterwards (%1)"), why));
                 });
    });
}

void BatchRunner::ReadBack(const Item& item)
{
    if (item.readByIdentify()) {
        hart::TransactionResult identify;
        identify.answer = job_->identifyAnswer;
        return Verify(item, identify);
    }
    if (StopIfCancelled())
        return;
    Send(ReadRequest(item, job_->id, job_->address), Q(item.name), false,
         [this, &item](const hart::TransactionResult& r) { Verify(item, r); });
}

void BatchRunner::Verify(const Item& item, const hart::TransactionResult& r)
{
    Configuration back;
    if (const auto decoded = DecodeInto(item, r, back); !decoded)
        return WriteFailed(item, i18n::Arg(QCoreApplication::translate("config", "written, but reading it back failed (%1)"), decoded.error()));
    if (!item.equal(back, job_->file))
        return WriteFailed(item, i18n::Arg(QCoreApplication::translate("config", "read back %1, meant %2"), item.text(back), item.text(job_->file)));
    job_->unverified = nullptr;
    SettleItem(item, ItemOutcome::Verified);
    ++job_->writeAt;
    WriteNext();
}

void BatchRunner::Finish(BatchStatus status, const std::string& message)
{
    auto job = std::move(job_);
    end_.stop();
    if (owner_)
        owner_->Release(this);
    job->report.status = status;
    job->report.message = message;
    emit Progress(job->total, job->total, QString());
    emit Finished(job->report);
}

QString DefaultBackupDirectory()
{
    // Not the program's own data folder: the window and modbus-hart-config
    // have different names, and their backups belong together.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QDir::current().filePath(QStringLiteral("backups"))
                          : QDir(base).filePath(QStringLiteral("modbus-hart/backups"));
}

} // namespace config

#pragma once

#include "codec/result.h"
#include "config/configuration.h"
#include "config/history.h"
#include "config/items.h"
#include "hart/line_owner.h"
#include "hart/transport.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace config {

enum class ItemOutcome {
    Read,         // read: decoded
    ReadFailed,   // read: no usable answer (reason says why)
    Unchanged,    // write: already equal, nothing sent
    WouldWrite,   // dry run: differs, would be written
    Verified,     // write: written and read back equal
    Failed,       // write: refused by the device, no answer, or read back different
    NotAttempted, // write: left after a failure or a cancel
    Skipped,      // write: identity item, not asked for
    WrittenNotVerified, // write: went out and was answered, the read-back was cancelled
};

struct ItemResult {
    const Item* item = nullptr;
    ItemOutcome outcome = ItemOutcome::NotAttempted;
    std::string reason; // for ReadFailed and Failed
    std::string from;   // write: the device's value before, as text
    std::string to;     // write: the value meant
};

// The answer to a query, last preamble through checksum, as the window's own
// decoders take it (the identify answer for items read by the identify).
struct ItemAnswer {
    const Item* item = nullptr;
    std::vector<std::uint8_t> answer;
};

enum class BatchStatus {
    Done,      // read whole / everything written and verified (or nothing to write)
    Refused,   // stopped before sending any setting: no answer to the identify, wrong device type, bad value,
               // no backup
    Failed,    // write: stopped on a failure, `changed` tells whether something was written before it;
               // read: some items could not be read, `device` holds the others
    Cancelled,
};

struct BatchReport {
    BatchStatus status = BatchStatus::Done;
    std::string message;     // one plain sentence about the outcome
    bool changed = false;    // at least one setting was, or may have been, taken by the device
    int transactions = 0;
    int repeats = 0;         // requests sent again after no answer, a broken frame or busy
    Configuration device;    // read: what was read; write: the target as read before writing
    std::vector<std::uint8_t> identifyAnswer;
    std::vector<ItemAnswer> answers; // read only, in table order
    std::vector<ItemResult> items;   // per item, in the order handled
    QString backupPath;              // write: where the target's configuration was saved first
    // Write refused because the identity items would give this device the
    // unique identifier of another (WriteOptions::otherIdentifier allows it).
    bool otherIdentifier = false;

    int count(ItemOutcome o) const;
};

// "written and verified", "failed", "not attempted", ...
std::string_view OutcomeText(ItemOutcome o);
// The line of one item's outcome in a report; nothing for an item read or
// already equal.
std::optional<std::string> ItemLine(const ItemResult& r);
// The report as plain sentences: one per item that was written, would be
// written, failed or was left, then the outcome; for people, not parsers.
std::vector<std::string> ReportLines(const BatchReport& r);
// The lines of a report after its items, before the outcome: where the
// backup is, how many requests went again.
std::vector<std::string> ClosingLines(const BatchReport& r);
// How much a read got, "Read 40 items": the batch's outcome and the command
// line's report both say it so.
std::string ReadCountText(int read);
// The places the requests sent again are counted: a line of a write's
// report, a line after a read, an aside after the outcome on the window's
// status line.
enum class RepeatsForm { ReportLine, ReadLine, Aside };
// How many requests had to be sent again; empty when none did.
std::string RepeatsText(const BatchReport& r, RepeatsForm form);
// What a write is about to change, for the engineer to confirm: the device
// it goes to (tag, polling address, unique identifier), then one line per
// item that would be written, device value -> file value, in write order.
// The window's question and the command line's dry run both print these.
std::vector<std::string> PreviewLines(const BatchReport& r);

// Where the window and the command line keep the backups of the devices
// they write: "modbus-hart/backups" in the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share), or "backups" in the working folder
// when there is none.
QString DefaultBackupDirectory();

struct WriteOptions {
    std::uint8_t pollingAddress = 0; // where to identify the target
    bool withIdentity = false;       // also write the identity items
    bool force = false;              // write even to another manufacturer or device type
    // Write the identity items even when the file's sensor serial number (the
    // converter's unique identifier) is not the device's own.
    bool otherIdentifier = false;
    bool dryRun = false;             // report what would be written, send no setting
    // Once the write is planned, stop for Preview and wait for Proceed or
    // Cancel before the backup and any setting.
    bool preview = false;
    QString historyPath{};           // each write settled is recorded here; empty: not recorded
    QString backupDirectory;         // required unless dryRun; the runner names the file
};

// Reads and writes whole configurations over a transport, asynchronously:
// each step runs from the transport's answer callback, so the caller's event
// loop stays free. One batch at a time. With a line owner a batch holds the
// line from its start to its report.
class BatchRunner : public QObject {
    Q_OBJECT
public:
    explicit BatchRunner(hart::Transport& transport, hart::LineOwner* owner = nullptr, QObject* parent = nullptr);
    ~BatchRunner() override;

    // Both start a batch and return at once; Finished reports it. Ignored while Busy().
    // Identify at `pollingAddress`, then read every item.
    void Read(std::uint8_t pollingAddress);
    // Clone `file` onto the device (see WriteOptions). Values are checked first:
    // a bad one refuses the batch before anything is sent.
    void Write(const Configuration& file, const WriteOptions& options);
    // Goes on with a write that stopped for Preview; ignored otherwise.
    void Proceed();
    // Stops after the request on the line; Finished reports Cancelled.
    void Cancel();
    // Lets the item in hand finish (a write with its read-back), then stops
    // as Cancel does.
    void StopAfterItem();
    bool Busy() const;

signals:
    void Progress(int done, int total, const QString& item);
    // An item's outcome is settled (all but those left not attempted at the end).
    void ItemDone(const config::ItemResult& result);
    void Finished(const config::BatchReport& report);
    // A write with WriteOptions::preview is planned and waits: the report so
    // far, the items to be written marked WouldWrite. Not emitted when
    // nothing differs. The line is not used until Proceed or Cancel.
    void Preview(const config::BatchReport& plan);
    // A write's record could not be added to the history (why); the write itself stands.
    void HistoryNotKept(const QString& why);

private:
    struct Job;
    void Start();
    void Send(const hart::Transaction& t, const QString& item, bool writeStep,
              std::function<void(const hart::TransactionResult&)> next);
    bool StopIfCancelled();
    bool StopBetweenItems();
    void SettleItem(const Item& item, ItemOutcome outcome, const std::string& reason = {},
                    std::optional<HistoryOutcome> history = std::nullopt);
    void SaveBackup();
    void Identify(std::function<void()> next, std::function<void(const std::string&)> failed);
    codec::Result<void> DecodeInto(const Item& item, const hart::TransactionResult& r, Configuration& into);
    void ReadNext();
    void ReadDone();
    void CheckDeviceType();
    void PlanWrite();
    void WriteNext();
    void ReadBack(const Item& item);
    void Verify(const Item& item, const hart::TransactionResult& r);
    ItemResult& ResultOf(const Item& item);
    void WriteFailed(const Item& item, const std::string& why,
                     std::optional<HistoryOutcome> history = HistoryOutcome::PossiblyTaken);
    void Finish(BatchStatus status, const std::string& message);
    void Begin(); // once the line is the batch's
    void EndLater();

    hart::Transport& transport_;
    hart::LineOwner* owner_;
    std::unique_ptr<Job> job_; // its request goes with it
    QTimer end_;               // ends a batch without a request out, from the event loop
};

} // namespace config

Q_DECLARE_METATYPE(config::BatchReport)

#pragma once

#include "config/batch.h"
#include "config/configuration.h"
#include "hart/line_owner.h"
#include "hart/transport.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace app {

// What the page's buttons may do in a given moment.
struct PageSituation {
    bool portOpen = false;
    bool batchRunning = false;
    bool linkWaiting = false; // a button of the other pages waits for its answer
    bool haveDevice = false;  // a configuration was read from the device
    bool haveFile = false;    // a file was opened
    bool offline = false;     // the file is shown on the pages for editing, no device connected
};
struct PageButtons {
    bool read = false, open = false, save = false, compare = false, write = false, cancel = false, identity = false;
    bool operator==(const PageButtons&) const = default;
};
PageButtons ButtonsFor(const PageSituation& s);

// The window's side of the page: the line, what the other pages share, and the
// questions the page needs answered on the spot. What the page only announces
// goes out as ConfigPage's signals.
struct ConfigPageHost {
    hart::Transport* transport = nullptr;
    // Who holds the line; a button's request holding it or waiting for it keeps batches back.
    hart::LineOwner* owner = nullptr;
    std::function<bool()> portOpen;
    std::function<std::uint8_t()> pollingAddress;
    // Asks for a file name; empty when the user gave none.
    std::function<QString(bool save)> chooseFile;
    // Asks the user a yes/no question; true for yes.
    std::function<bool(const QString&)> confirm;
    // Shows what a write is about to change (config::PreviewLines: the
    // device, then one line per item); true to write. Without it nothing is written.
    std::function<bool(const QStringList& preview)> confirmWrite;
    QString backupDirectory;
    // Each write settled is recorded here; empty: not recorded.
    QString historyPath;
    QString loopTestPath; // where loop tests are kept, for the report
    // Where to save the report, `proposal` offered; empty: not saved. None: a file dialog asks.
    std::function<QString(const QString& proposal)> chooseReport;
    // The operator's name for the report, `last` offered; none: cancelled. None: an input dialog asks.
    std::function<std::optional<QString>(const QString& last)> askOperator;
    // Offline editing: what the pages show, built as their Set buttons build it,
    // over the configuration shown; none when a value is refused (the refusal
    // shown as a Set shows it). Without it no file is edited offline.
    std::function<std::optional<config::Configuration>(const config::Configuration& shown)> pagesConfiguration;
};

// The "Configuration File" page: read a device, open and save files,
// compare them item by item, write a file to the device.
class ConfigPage : public QWidget {
    Q_OBJECT
public:
    explicit ConfigPage(ConfigPageHost host, QWidget* parent = nullptr);
    ~ConfigPage() override;

    bool BatchRunning() const;
    // Brings the buttons up to date with the port and the other pages.
    void UpdateButtons();
    // Shown beside the buttons: the last outcome.
    QString StatusText() const;
    QString BackupPath() const;
    // The name "Save File..." proposes for the configuration read last.
    QString SaveNameProposal() const;
    // A file opened with no device connected is edited on the pages until a port opens.
    bool Offline() const { return offline_; }

signals:
    // With no device connected: show the file's values on the pages for editing.
    void FileOpenedOffline(const config::Configuration& c);
    // The batch takes the line (true) and gives it back (false).
    void BatchRunningChanged(bool running);
    // A read came in whole: for the other pages to show.
    void DeviceRead(const config::BatchReport& report);
    // A write ended: for the other pages to show what the device now holds.
    void DeviceWritten(const config::BatchReport& report);
    // A file could not be opened or saved.
    void ErrorRaised(const QString& text);

private:
    void ReadDevice();
    void OpenFile();
    void SaveFile();
    void CompareWithDevice();
    void WriteDevice();
    void ShowHistory();
    void SaveReport();
    void Start(bool write, bool otherIdentifier = false);
    void Finished(const config::BatchReport& report);
    void ConfirmWrite(const config::BatchReport& plan);
    void Progress(int done, int total, const QString& item);
    void ItemDone(const config::ItemResult& result);
    void ShowProgress(const QString& request);
    void FillTable();
    void ShowDetail();
    void SetStatus(const QString& text);
    void ShowFileName();
    bool LinkWaiting() const;

    ConfigPageHost host_;
    std::unique_ptr<config::BatchRunner> runner_;
    enum class Batch { None, Read, Compare, Write } batch_ = Batch::None;
    std::optional<config::Configuration> device_;
    std::vector<config::ItemResult> unread_; // items the last read could not read, with why
    std::optional<config::Configuration> file_;
    QString filePath_;
    bool offline_ = false;
    QString backupPath_;
    // What the last write did to each item it handled, by file key: the table's markers.
    std::map<std::string_view, config::ItemResult> outcomes_;

    // Items, not requests: progress counts what the result line counts.
    // A read counts every item of the table; the write that follows it only
    // the items it writes.
    enum class Phase { Reading, Writing } phase_ = Phase::Reading;
    int itemsDone_ = 0;
    int itemsTotal_ = 0;
    QString request_; // the request on the line: an item key or "identify"
    QString historyNotKept_; // why the history missed a record of this batch: said with its outcome

    QPushButton* readButton_;
    QPushButton* openButton_;
    QPushButton* saveButton_;
    QPushButton* compareButton_;
    QPushButton* writeButton_;
    QPushButton* cancelButton_;
    QPushButton* historyButton_;
    QPushButton* reportButton_;
    QCheckBox* identityCheck_;
    QTableWidget* table_;
    QTextEdit* detail_;
    QProgressBar* progress_;
    QLabel* status_;
    QLabel* fileLabel_;
    QLabel* backupLabel_;
};

} // namespace app

#include "app/config_page.h"
#include "app/scan_live.h"

#include "app/tform1.h"
#include "config/compare.h"
#include "config/file.h"
#include "config/items.h"
#include "hart/transactor.h"
#include "line/line.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <set>

namespace app {

namespace {

const QColor kDiffers(0xFF, 0xD8, 0xA8);
const QColor kOneSide(0xFF, 0xF3, 0xB0);
const QColor kUnread(0xF4, 0xC7, 0xC7);

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QPushButton* Button(QWidget* parent, const char* name, const char* text)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

PageButtons ButtonsFor(const PageSituation& s)
{
    const bool idle = !s.batchRunning;
    const bool lineFree = idle && s.portOpen && !s.linkWaiting;
    PageButtons b;
    b.read = lineFree;
    b.open = idle;
    b.save = idle && s.haveDevice;
    b.compare = lineFree && s.haveFile;
    b.write = lineFree && s.haveFile;
    b.cancel = s.batchRunning;
    b.identity = idle;
    return b;
}

ConfigPage::ConfigPage(ConfigPageHost host, QWidget* parent) : QWidget(parent), host_(std::move(host))
{
    setObjectName("TabSheetConfig");
    auto* layout = new QVBoxLayout(this);

    auto* buttons = new QHBoxLayout;
    readButton_ = Button(this, "ConfigRead", "Read from Device");
    openButton_ = Button(this, "ConfigOpen", "Open File...");
    saveButton_ = Button(this, "ConfigSave", "Save File...");
    compareButton_ = Button(this, "ConfigCompare", "Compare");
    writeButton_ = Button(this, "ConfigWrite", "Write to Device");
    cancelButton_ = Button(this, "ConfigCancel", "Cancel");
    for (QPushButton* b : {readButton_, openButton_, saveButton_, compareButton_, writeButton_})
        buttons->addWidget(b);
    identityCheck_ = new QCheckBox("Write identity items too", this);
    identityCheck_->setObjectName("ConfigIdentity");
    buttons->addWidget(identityCheck_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    fileLabel_ = new QLabel("File: (none)", this);
    fileLabel_->setObjectName("ConfigFileName");
    layout->addWidget(fileLabel_);

    table_ = new QTableWidget(static_cast<int>(config::Items().size()), 4, this);
    table_->setObjectName("ConfigTable");
    // Tab leaves the table for the next control; the arrow keys move between its cells.
    table_->setTabKeyNavigation(false);
    table_->setHorizontalHeaderLabels({"Item", "Device", "File", "State"});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    layout->addWidget(table_, 1);

    auto* bottom = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ConfigProgress");
    progress_->setVisible(false);
    bottom->addWidget(progress_, 1);
    bottom->addWidget(cancelButton_);
    layout->addLayout(bottom);
    status_ = new QLabel(this);
    status_->setObjectName("ConfigStatus");
    status_->setWordWrap(true);
    layout->addWidget(status_);
    backupLabel_ = new QLabel(this);
    backupLabel_->setObjectName("ConfigBackup");
    backupLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(backupLabel_);

    connect(readButton_, &QPushButton::clicked, this, &ConfigPage::ReadDevice);
    connect(openButton_, &QPushButton::clicked, this, &ConfigPage::OpenFile);
    connect(saveButton_, &QPushButton::clicked, this, &ConfigPage::SaveFile);
    connect(compareButton_, &QPushButton::clicked, this, &ConfigPage::CompareWithDevice);
    connect(writeButton_, &QPushButton::clicked, this, &ConfigPage::WriteDevice);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        if (runner_)
            runner_->Cancel();
    });

    FillTable();
    UpdateButtons();
}

ConfigPage::~ConfigPage() = default;

bool ConfigPage::BatchRunning() const { return batch_ != Batch::None; }
bool ConfigPage::LinkWaiting() const { return host_.owner && host_.owner->Wants(hart::LineClient::Button); }
QString ConfigPage::StatusText() const { return status_->text(); }
QString ConfigPage::BackupPath() const { return backupPath_; }

void ConfigPage::SetStatus(const QString& text) { status_->setText(text); }

void ConfigPage::UpdateButtons()
{
    PageSituation s;
    s.portOpen = host_.portOpen && host_.portOpen();
    s.batchRunning = BatchRunning();
    s.linkWaiting = LinkWaiting();
    s.haveDevice = device_.has_value();
    s.haveFile = file_.has_value();
    const PageButtons b = ButtonsFor(s);
    readButton_->setEnabled(b.read);
    openButton_->setEnabled(b.open);
    saveButton_->setEnabled(b.save);
    compareButton_->setEnabled(b.compare);
    writeButton_->setEnabled(b.write);
    cancelButton_->setEnabled(b.cancel);
    identityCheck_->setEnabled(b.identity);
}

void ConfigPage::FillTable()
{
    const config::Configuration none;
    const auto rows = config::Compare(device_ ? *device_ : none, file_ ? *file_ : none);
    const auto items = config::Items();
    table_->setRowCount(static_cast<int>(items.size()));
    for (int r = 0; r < static_cast<int>(items.size()); ++r) {
        const auto& item = items[static_cast<std::size_t>(r)];
        QString device, file, state;
        QColor background;
        config::CompareState cs = config::CompareState::Neither;
        for (const auto& row : rows) {
            if (row.item == &item) {
                device = QString::fromStdString(row.left);
                file = QString::fromStdString(row.right);
                cs = row.state;
                if (cs != config::CompareState::Neither && device_ && file_)
                    state = QString::fromStdString(config::StateText(cs, "device", "file"));
            }
        }
        QString name = Q(item.name);
        if (item.identity)
            name += " (identity)";
        for (const auto& u : unread_)
            if (u.item == &item) {
                device = "could not be read: " + QString::fromStdString(u.reason);
                background = kUnread;
            }
        const QString cells[] = {name, device, file, state};
        if (device_ && file_ && !background.isValid()) {
            if (cs == config::CompareState::Different)
                background = kDiffers;
            else if (cs == config::CompareState::OnlyLeft || cs == config::CompareState::OnlyRight)
                background = kOneSide;
        }
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (background.isValid())
                cell->setBackground(background);
            table_->setItem(r, c, cell);
        }
    }
}

void ConfigPage::ReadDevice()
{
    batch_ = Batch::Read;
    Start(false);
}

void ConfigPage::CompareWithDevice()
{
    batch_ = Batch::Compare;
    Start(false);
}

void ConfigPage::WriteDevice()
{
    batch_ = Batch::Write;
    Start(true);
}

void ConfigPage::Start(bool write, bool otherIdentifier)
{
    // A press that came in before the buttons caught up with the line.
    if (!host_.transport || LinkWaiting() || (host_.portOpen && !host_.portOpen())) {
        batch_ = Batch::None;
        UpdateButtons();
        return;
    }
    config::WriteOptions w;
    if (write) {
        w.pollingAddress = host_.pollingAddress ? host_.pollingAddress() : 0;
        w.withIdentity = identityCheck_->isChecked();
        w.otherIdentifier = otherIdentifier;
        w.backupDirectory = host_.backupDirectory;
        w.preview = true;
        if (!QDir().mkpath(w.backupDirectory)) {
            batch_ = Batch::None;
            if (host_.showError)
                host_.showError("Cannot create the backup folder " + w.backupDirectory);
            return;
        }
    }
    runner_ = std::make_unique<config::BatchRunner>(*host_.transport, host_.owner);
    connect(runner_.get(), &config::BatchRunner::Progress, this, &ConfigPage::Progress);
    connect(runner_.get(), &config::BatchRunner::Finished, this, &ConfigPage::Finished);
    // Queued: the question waits on its own, not inside the answer that completed the plan.
    connect(runner_.get(), &config::BatchRunner::Preview, this, &ConfigPage::ConfirmWrite, Qt::QueuedConnection);
    if (host_.batchRunning)
        host_.batchRunning(true);
    progress_->setRange(0, 0);
    progress_->setValue(0);
    progress_->setVisible(true);
    SetStatus(write ? "Writing to the device..." : "Reading the device...");
    UpdateButtons();
    if (write)
        runner_->Write(*file_, w);
    else
        runner_->Read(host_.pollingAddress ? host_.pollingAddress() : 0);
}

void ConfigPage::ConfirmWrite(const config::BatchReport& plan)
{
    // A plan of a batch that has ended since is no question any more.
    if (!runner_ || sender() != runner_.get() || batch_ != Batch::Write)
        return;
    QStringList lines;
    for (const auto& line : config::PreviewLines(plan))
        lines << QString::fromStdString(line);
    SetStatus("Waiting for the write to be confirmed...");
    const bool yes = host_.confirmWrite && host_.confirmWrite(lines);
    // The question may have let the batch end meanwhile.
    if (!runner_ || batch_ != Batch::Write)
        return;
    if (yes) {
        SetStatus("Writing to the device...");
        runner_->Proceed();
    } else {
        runner_->Cancel();
    }
}

void ConfigPage::Progress(int done, int total, const QString& item)
{
    progress_->setRange(0, total);
    progress_->setValue(done);
    progress_->setFormat(QString("%v/%m ") + item);
}

void ConfigPage::Finished(const config::BatchReport& report)
{
    const Batch batch = batch_;
    batch_ = Batch::None;
    // The runner emitted this; it may only go once it has returned.
    runner_.release()->deleteLater();
    progress_->setVisible(false);
    if (host_.batchRunning)
        host_.batchRunning(false);

    // Identity items that would make this device another: only on a yes.
    if (batch == Batch::Write && report.otherIdentifier && host_.confirm
        && host_.confirm(QString::fromStdString(report.message) + "\n\nWrite the identity items anyway?")) {
        batch_ = Batch::Write;
        return Start(true, true);
    }

    QString text = QString::fromStdString(report.message);
    if (report.repeats > 0)
        text += QString(" (%1 of %2 requests sent again)").arg(report.repeats).arg(report.transactions);
    if (batch == Batch::Write) {
        if (!report.backupPath.isEmpty()) {
            backupPath_ = report.backupPath;
            backupLabel_->setText("Backup of the device before writing: " + backupPath_);
        }
        QStringList failed, notAttempted, unverified;
        int written = 0;
        for (const auto& r : report.items) {
            if (r.outcome == config::ItemOutcome::Verified)
                ++written;
            else if (r.outcome == config::ItemOutcome::Failed)
                failed << Q(r.item->name) + ": " + QString::fromStdString(r.reason);
            else if (r.outcome == config::ItemOutcome::NotAttempted)
                notAttempted << Q(r.item->name);
            else if (r.outcome == config::ItemOutcome::WrittenNotVerified || r.outcome == config::ItemOutcome::Failed)
                unverified << Q(r.item->name);
        }
        text += QString("\n%1 written and verified.").arg(written);
        if (!unverified.isEmpty())
            text += "\n" + unverified.join(", ") + ": " + Q(config::OutcomeText(config::ItemOutcome::WrittenNotVerified));
        if (!failed.isEmpty())
            text += "\nFailed: " + failed.join("; ");
        if (!notAttempted.isEmpty())
            text += "\nNot attempted: " + notAttempted.join(", ");
        // What the device holds now: as it was, plus what was verified; an
        // item that failed or was not verified may or may not have been taken,
        // so it is not known (a Save must not claim the old value).
        config::Configuration now = report.device;
        for (const auto& r : report.items) {
            if (r.outcome == config::ItemOutcome::Verified && file_)
                r.item->take(*file_, now);
            else if (r.outcome == config::ItemOutcome::WrittenNotVerified || r.outcome == config::ItemOutcome::Failed)
                r.item->take(config::Configuration{}, now);
        }
        if (report.status != config::BatchStatus::Refused) {
            device_ = now;
            unread_.clear(); // what an earlier read missed is no longer what the table shows
        }
        if (host_.showWritten)
            host_.showWritten(report);
    } else if (report.status == config::BatchStatus::Done || report.status == config::BatchStatus::Failed) {
        // A read that missed some items keeps the others; the table marks the missing.
        device_ = report.device;
        unread_.clear();
        for (const auto& r : report.items)
            if (r.outcome == config::ItemOutcome::ReadFailed)
                unread_.push_back(r);
        if (host_.showRead)
            host_.showRead(report);
        if (batch == Batch::Compare && file_) {
            const auto rows = config::Compare(*device_, *file_);
            int differ = 0;
            for (const auto& row : rows)
                differ += row.state != config::CompareState::Equal && row.state != config::CompareState::Neither
                                  && (!row.item->identity || identityCheck_->isChecked())
                              ? 1
                              : 0;
            text = config::AllEqual(rows, identityCheck_->isChecked())
                       ? QString("The device and the file are equal.")
                       : QString("%1 item(s) differ between the device and the file.").arg(differ);
            if (!unread_.empty())
                text += "\n" + QString::fromStdString(report.message);
        }
    }
    SetStatus(text);
    FillTable();
    UpdateButtons();
}

void ConfigPage::OpenFile()
{
    const QString path = host_.chooseFile ? host_.chooseFile(false) : QString();
    if (path.isEmpty())
        return;
    const auto loaded = config::LoadFile(path);
    if (!loaded) {
        if (host_.showError)
            host_.showError(QString::fromStdString(loaded.error()));
        return;
    }
    file_ = loaded->configuration;
    filePath_ = path;
    fileLabel_->setText("File: " + QDir::toNativeSeparators(path));
    SetStatus("Opened " + QFileInfo(path).fileName() + ".");
    FillTable();
    UpdateButtons();
}

void ConfigPage::SaveFile()
{
    if (!device_)
        return;
    const QString path = host_.chooseFile ? host_.chooseFile(true) : QString();
    if (path.isEmpty())
        return;
    const config::FileInfo info{QDateTime::currentDateTime(), config::DefaultSavedBy()};
    const auto saved = config::SaveFile(path, *device_, info);
    if (!saved) {
        if (host_.showError)
            host_.showError(QString::fromStdString(saved.error()));
        return;
    }
    SetStatus("Saved the device's configuration to " + QDir::toNativeSeparators(path) + ".");
}

// ---- the window's side

namespace {

// The device on top, the items in a list that scrolls on a small screen;
// Cancel is the default, so a stray Enter writes nothing.
bool ConfirmWriteDialog(QWidget* parent, const QStringList& preview)
{
    QDialog dialog(parent);
    dialog.setObjectName("ConfigWritePreview");
    dialog.setWindowTitle("Write to Device");
    auto* layout = new QVBoxLayout(&dialog);
    auto* device = new QLabel(preview.value(0), &dialog);
    device->setTextFormat(Qt::PlainText);
    device->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(device);
    auto* heading = new QLabel(QString("These items will be written (device value -> file value):"), &dialog);
    layout->addWidget(heading);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("ConfigWritePreviewItems");
    list->setAccessibleName("Items to write");
    list->addItems(preview.mid(1));
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(&dialog);
    auto* write = buttons->addButton("Write", QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    write->setAutoDefault(false);
    cancel->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for a typical value pair; the list scrolls for the rest.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(560, 320)));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

struct TForm1::ConfigFileWiring {
    // The page's batch uses the window's batch path: the page goes first.
    ~ConfigFileWiring() { delete page; }
    ConfigPage* page = nullptr;
};

void TForm1::WireConfigurationFile()
{
    configFile_ = std::make_shared<ConfigFileWiring>();
    auto& wiring = *configFile_;
    transactor_.SetPort(batchPort_.get());

    ConfigPageHost host;
    host.transport = &transactor_;
    host.owner = &lineOwner_;
    host.portOpen = [this] { return link_.Buffer().portOpen(); };
    host.pollingAddress = [this] { return SelectedPollingAddress(ui_.ComboBox9); };
    host.batchRunning = [this](bool running) {
        // The pages keep their own enabled rules underneath: a disabled page
        // only greys out its controls for the time of the batch.
        for (QWidget* page : {ui_.TabSheet6, ui_.TabSheet8, ui_.TabSheet9, ui_.TabSheet1, ui_.TabSheet2})
            page->setEnabled(!running);
        ui_.Button1->setEnabled(!running);
    };
    host.showRead = [this](const config::BatchReport& report) {
        std::set<int> shown;
        polledAddress_ = SelectedPollingAddress(ui_.ComboBox9);
        for (const auto& a : report.answers) {
            const int code = a.item->query().pendingCode;
            if (!shown.insert(code).second)
                continue;
            if (const auto frame = hart::AnswerFrame::Parse(a.answer, 0))
                link_.Decode(code, *frame);
        }
    };
    host.showWritten = [this](const config::BatchReport& report) { ShowWritten(report); };
    host.showError = [this](const QString& text) { ShowError(text); };
    host.confirm = [this](const QString& question) {
        if (options_.confirm)
            return options_.confirm(question);
        return QMessageBox::question(this, "Write Identity", question) == QMessageBox::Yes;
    };
    host.confirmWrite = [this](const QStringList& preview) {
        if (options_.confirm)
            return options_.confirm(preview.join('\n'));
        return ConfirmWriteDialog(this, preview);
    };
    host.chooseFile = [this](bool save) {
        if (options_.chooseFile)
            return options_.chooseFile(save);
        const QString filter = "Configuration files (*.json);;All files (*)";
        return save ? QFileDialog::getSaveFileName(this, "Save Configuration", QString(), filter)
                    : QFileDialog::getOpenFileName(this, "Open Configuration", QString(), filter);
    };
    host.backupDirectory = config::DefaultBackupDirectory();

    wiring.page = new ConfigPage(std::move(host));
    // Short, so that all six captions fit the designed width without scroll arrows.
    const int tab = ui_.PageControl2->addTab(wiring.page, "Config File");
    ui_.PageControl2->setTabToolTip(tab, "Configuration File");

    // The page follows the port and the other pages' requests; queued, so
    // that it sees the state after the handler that changed it.
    auto update = [this] { configFile_->page->UpdateButtons(); };
    connect(&link_, &hart::HartLink::StatusChanged, wiring.page, update, Qt::QueuedConnection);
    connect(&link_, &hart::HartLink::AnswerHandled, wiring.page, update, Qt::QueuedConnection);
    connect(&lineOwner_, &hart::LineOwner::HolderChanged, wiring.page, update, Qt::QueuedConnection);
    connect(ui_.Button1, &QPushButton::clicked, wiring.page, update, Qt::QueuedConnection);
    connect(ui_.PageControl2, &QTabWidget::currentChanged, wiring.page, update);
}

} // namespace app

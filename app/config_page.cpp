#include "app/config_page.h"
#include "config/item_captions.h"
#include "app/history_dialog.h"
#include "app/scan_live.h"

#include "app/tform1.h"
#include "config/compare.h"
#include "config/file.h"
#include "config/history.h"
#include "config/loop_test.h"
#include "report/from_configuration.h"
#include "config/items.h"
#include "hart/transactor.h"
#include "line/line.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <QDateTime>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
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
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace app {

using config::CompareFields;
using config::ItemCaption;
using config::ProposedSaveName;
using config::SafeText;

namespace {

const QColor kDiffers(0xFF, 0xD8, 0xA8);
const QColor kOneSide(0xFF, 0xF3, 0xB0);
const QColor kUnread(0xF4, 0xC7, 0xC7);
const QColor kVerified(0xD4, 0xF0, 0xC8);

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QPushButton* Button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A tooltip that wraps, so a long value shows whole on any screen.
QString WrappingTip(const QString& text)
{
    return text.isEmpty() ? QString() : QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

// The runner's name for the request that identifies the device.
const QString kIdentify = QStringLiteral("identify");

} // namespace

PageButtons ButtonsFor(const PageSituation& s)
{
    const bool idle = !s.batchRunning;
    const bool lineFree = idle && s.portOpen && !s.linkWaiting;
    PageButtons b;
    b.read = lineFree;
    b.open = idle;
    b.save = idle && (s.haveDevice || s.offline);
    b.compare = lineFree && s.haveFile;
    b.write = lineFree && s.haveFile;
    b.cancel = s.batchRunning;
    b.identity = idle;
    return b;
}

ConfigPage::ConfigPage(ConfigPageHost host, QWidget* parent) : QWidget(parent), host_(std::move(host))
{
    setObjectName("TabSheetConfig");
    // Like the other pages: a window smaller than designed scrolls the page.
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("TabSheetConfigScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName("TabSheetConfigContent");
    scroll->setWidget(content);
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    fill->addWidget(scroll);
    auto* layout = new QVBoxLayout(content);

    auto* buttons = new QHBoxLayout;
    readButton_ = Button(this, "ConfigRead", tr("Read from Device"));
    openButton_ = Button(this, "ConfigOpen", tr("Open File..."));
    saveButton_ = Button(this, "ConfigSave", tr("Save File..."));
    compareButton_ = Button(this, "ConfigCompare", tr("Compare"));
    writeButton_ = Button(this, "ConfigWrite", tr("Write to Device"));
    cancelButton_ = Button(this, "ConfigCancel", tr("Cancel"));
    historyButton_ = Button(this, "ConfigHistory", tr("History..."));
    reportButton_ = Button(this, "ConfigReport", tr("Report..."));
    for (QPushButton* b : {readButton_, openButton_, saveButton_, compareButton_, writeButton_})
        buttons->addWidget(b);
    identityCheck_ = new QCheckBox(tr("Write identity items too"), this);
    identityCheck_->setObjectName("ConfigIdentity");
    buttons->addWidget(identityCheck_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    fileLabel_ = new QLabel(tr("File: (none)"), this);
    fileLabel_->setObjectName("ConfigFileName");
    layout->addWidget(fileLabel_);

    table_ = new QTableWidget(static_cast<int>(config::Items().size()), 4, this);
    table_->setObjectName("ConfigTable");
    // Tab leaves the table for the next control; the arrow keys move between its cells.
    table_->setTabKeyNavigation(false);
    table_->setHorizontalHeaderLabels({tr("Item"), tr("Device"), tr("File"), tr("State")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    table_->setMinimumHeight(120);
    // One line per item, cut with an ellipsis: the tooltip and the pane below show it whole.
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideRight);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);

    // The selected row whole: every field of device and file, the differing ones marked.
    detail_ = new QTextEdit(this);
    detail_->setObjectName("ConfigDetail");
    detail_->setReadOnly(true);
    detail_->setAccessibleName(tr("Selected item"));
    detail_->setMinimumHeight(80);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("ConfigSplit");
    split->setChildrenCollapsible(false);
    split->addWidget(table_);
    split->addWidget(detail_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(reportButton_);
    bottom->addWidget(historyButton_);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ConfigProgress");
    progress_->setVisible(false);
    bottom->addWidget(progress_, 1);
    bottom->addStretch(0);
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
    connect(table_, &QTableWidget::itemSelectionChanged, this, &ConfigPage::ShowDetail);
    connect(historyButton_, &QPushButton::clicked, this, &ConfigPage::ShowHistory);
    connect(reportButton_, &QPushButton::clicked, this, &ConfigPage::SaveReport);

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
    if (offline_ && s.portOpen) { // a device is connected: its values are what the pages are for now
        offline_ = false;
        ShowFileName();
    }
    s.offline = offline_;
    const PageButtons b = ButtonsFor(s);
    readButton_->setEnabled(b.read);
    openButton_->setEnabled(b.open);
    saveButton_->setEnabled(b.save);
    compareButton_->setEnabled(b.compare);
    writeButton_->setEnabled(b.write);
    cancelButton_->setEnabled(b.cancel);
    identityCheck_->setEnabled(b.identity);
    // A report of what the page shows: the device read, else the open file.
    reportButton_->setEnabled(!s.batchRunning && (s.haveDevice || s.haveFile));
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
                device = SafeText(row.left);
                file = SafeText(row.right);
                cs = row.state;
                if (cs != config::CompareState::Neither && device_ && file_)
                    state = QString::fromStdString(config::StateText(cs, "device", "file"));
            }
        }
        QString name = ItemCaption(item.name);
        if (item.identity)
            name += tr(" (identity)");
        for (const auto& u : unread_)
            if (u.item == &item) {
                device = tr("could not be read: ") + SafeText(u.reason);
                background = kUnread;
            }
        if (device_ && file_ && !background.isValid()) {
            if (cs == config::CompareState::Different)
                background = kDiffers;
            else if (cs == config::CompareState::OnlyLeft || cs == config::CompareState::OnlyRight)
                background = kOneSide;
        }
        // What the last write did to the item says more than the comparison after it.
        if (const auto done = outcomes_.find(item.name); done != outcomes_.end()) {
            const config::ItemResult& o = done->second;
            state = Q(config::OutcomeText(o.outcome));
            if (!o.reason.empty())
                state += " (" + SafeText(o.reason) + ")";
            if (o.outcome == config::ItemOutcome::Verified)
                background = kVerified;
            else if (o.outcome == config::ItemOutcome::Failed)
                background = kUnread;
            else if (o.outcome == config::ItemOutcome::WrittenNotVerified || o.outcome == config::ItemOutcome::NotAttempted)
                background = kOneSide;
        }
        const QString cells[] = {name, device, file, state};
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (background.isValid())
                cell->setBackground(background);
            // The file's key for the item; the whole value where a cell cuts it.
            cell->setToolTip(c == 0 ? Q(item.name) : WrappingTip(cells[c]));
            table_->setItem(r, c, cell);
        }
    }
    ShowDetail();
}

void ConfigPage::ShowDetail()
{
    const int r = table_->currentRow();
    const auto items = config::Items();
    if (r < 0 || r >= static_cast<int>(items.size()) || table_->selectedItems().isEmpty()) {
        detail_->setPlainText(tr("Select a row to see its item whole."));
        return;
    }
    const auto& item = items[static_cast<std::size_t>(r)];
    const auto h = [](const QString& t) { return t.toHtmlEscaped(); };
    QString html = "<p><b>" + h(ItemCaption(item.name)) + "</b> &nbsp; " + h(tr("file key: %1").arg(Q(item.name)))
                   + "</p>";
    for (const auto& u : unread_)
        if (u.item == &item)
            html += "<p>" + h(tr("Device: could not be read: %1").arg(SafeText(u.reason))) + "</p>";
    if (const auto done = outcomes_.find(item.name); done != outcomes_.end())
        html += "<p>" + h(table_->item(r, 3)->text()) + "</p>";
    const auto fields = CompareFields(item, device_ ? &*device_ : nullptr, file_ ? &*file_ : nullptr);
    if (fields.empty()) {
        html += "<p>" + h(tr("Not read from the device and not in a file.")) + "</p>";
    } else {
        // Marked by colour and by a sign, so the difference shows without colour too.
        html += "<table border='1' cellspacing='0' cellpadding='3'><tr><th></th><th>" + h(tr("Device")) + "</th><th>"
                + h(tr("File")) + "</th></tr>";
        const bool both = device_ && file_;
        for (const auto& f : fields) {
            const bool mark = both && f.differs;
            const QString cell = mark ? QStringLiteral("<td bgcolor='%1'>").arg(kDiffers.name()) : QStringLiteral("<td>");
            html += "<tr>" + cell + (mark ? QStringLiteral("&#8800; ") : QString()) + h(f.caption) + "</td>" + cell
                    + h(f.device) + "</td>" + cell + h(f.file) + "</td></tr>";
        }
        html += "</table>";
    }
    detail_->setHtml(html);
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
        w.historyPath = host_.historyPath;
        if (!QDir().mkpath(w.backupDirectory)) {
            batch_ = Batch::None;
            // An outcome like any other batch's: said on the status line.
            SetStatus(tr("Cannot create the backup folder ") + QDir::toNativeSeparators(w.backupDirectory));
            UpdateButtons();
            return;
        }
    }
    runner_ = std::make_unique<config::BatchRunner>(*host_.transport, host_.owner);
    connect(runner_.get(), &config::BatchRunner::Progress, this, &ConfigPage::Progress);
    connect(runner_.get(), &config::BatchRunner::Finished, this, &ConfigPage::Finished);
    connect(runner_.get(), &config::BatchRunner::ItemDone, this, &ConfigPage::ItemDone);
    connect(runner_.get(), &config::BatchRunner::HistoryNotKept, this, [this](const QString& why) {
        historyNotKept_ = why;
        SetStatus(tr("The history is not kept: ") + why);
    });
    historyNotKept_.clear();
    // Queued: the question waits on its own, not inside the answer that completed the plan.
    connect(runner_.get(), &config::BatchRunner::Preview, this, &ConfigPage::ConfirmWrite, Qt::QueuedConnection);
    emit BatchRunningChanged(true);
    outcomes_.clear();
    phase_ = Phase::Reading;
    itemsDone_ = 0;
    itemsTotal_ = static_cast<int>(config::Items().size());
    request_.clear();
    ShowProgress(QString());
    progress_->setVisible(true);
    SetStatus(write ? tr("Writing to the device...") : tr("Reading the device..."));
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
    // From here on the items counted are the ones written.
    phase_ = Phase::Writing;
    itemsDone_ = 0;
    itemsTotal_ = 0;
    for (const auto& r : plan.items)
        itemsTotal_ += r.outcome == config::ItemOutcome::WouldWrite ? 1 : 0;
    request_.clear();
    ShowProgress(QString());
    SetStatus(tr("Waiting for the write to be confirmed..."));
    const bool yes = host_.confirmWrite && host_.confirmWrite(lines);
    // The question may have let the batch end meanwhile.
    if (!runner_ || batch_ != Batch::Write)
        return;
    if (yes) {
        SetStatus(tr("Writing to the device..."));
        runner_->Proceed();
    } else {
        runner_->Cancel();
    }
}

void ConfigPage::Progress(int, int, const QString& request)
{
    // The runner counts requests (a write is a request and a read-back);
    // the page counts items. A request's progress comes as it goes out, so
    // the one before it has been answered.
    if (phase_ == Phase::Reading && !request_.isEmpty()) {
        if (request_ == kIdentify) {
            for (const auto& item : config::Items())
                itemsDone_ += item.readByIdentify() ? 1 : 0;
        } else {
            ++itemsDone_;
        }
    }
    request_ = request;
    ShowProgress(request);
}

void ConfigPage::ItemDone(const config::ItemResult& result)
{
    if (phase_ != Phase::Writing)
        return;
    using O = config::ItemOutcome;
    if (result.outcome == O::Verified || result.outcome == O::Failed || result.outcome == O::WrittenNotVerified)
        ++itemsDone_;
    ShowProgress(request_);
}

void ConfigPage::ShowProgress(const QString& request)
{
    const int done = std::min(itemsDone_, itemsTotal_);
    QString what;
    if (request == kIdentify)
        what = tr("identifying the device");
    else if (!request.isEmpty())
        what = ItemCaption(request.toStdString());
    QString text = phase_ == Phase::Writing ? tr("Writing: %1 of %2 items").arg(done).arg(itemsTotal_)
                                            : tr("Reading: %1 of %2 items").arg(done).arg(itemsTotal_);
    if (!what.isEmpty())
        text += " - " + what;
    progress_->setFormat(text);
    progress_->setRange(0, std::max(itemsTotal_, 1));
    progress_->setValue(done);
}

void ConfigPage::Finished(const config::BatchReport& report)
{
    const Batch batch = batch_;
    batch_ = Batch::None;
    // The runner emitted this; it may only go once it has returned.
    runner_.release()->deleteLater();
    progress_->setVisible(false);
    emit BatchRunningChanged(false);

    // Identity items that would make this device another: only on a yes.
    if (batch == Batch::Write && report.otherIdentifier && host_.confirm
        && host_.confirm(QString::fromStdString(report.message) + tr("\n\nWrite the identity items anyway?"))) {
        batch_ = Batch::Write;
        return Start(true, true);
    }

    // The outcome is said once, on the status line; the table marks the items.
    QString text = QString::fromStdString(report.message);
    text += QString::fromStdString(config::RepeatsText(report, config::RepeatsForm::Aside));
    if (batch == Batch::Write) {
        if (!report.backupPath.isEmpty()) {
            backupPath_ = report.backupPath;
            backupLabel_->setText(tr("Backup of the device before writing: ") + QDir::toNativeSeparators(backupPath_));
        }
        if (report.status != config::BatchStatus::Refused)
            for (const auto& r : report.items)
                if (r.outcome != config::ItemOutcome::Read && r.outcome != config::ItemOutcome::Unchanged)
                    outcomes_[r.item->name] = r;
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
        emit DeviceWritten(report);
    } else if (report.status == config::BatchStatus::Done || report.status == config::BatchStatus::Failed) {
        // A read that missed some items keeps the others; the table marks the missing.
        device_ = report.device;
        unread_.clear();
        for (const auto& r : report.items)
            if (r.outcome == config::ItemOutcome::ReadFailed)
                unread_.push_back(r);
        emit DeviceRead(report);
        if (batch == Batch::Compare && file_) {
            // Every differing row of the table is counted; identity rows apart
            // when a write would leave them.
            int differ = 0;
            int identityApart = 0;
            for (const auto& row : config::Compare(*device_, *file_)) {
                if (row.state == config::CompareState::Equal || row.state == config::CompareState::Neither)
                    continue;
                ++(row.item->identity && !identityCheck_->isChecked() ? identityApart : differ);
            }
            QString compared;
            if (differ == 0 && identityApart == 0)
                compared = tr("The device and the file are equal.");
            else if (differ == 0)
                compared = tr("The device and the file are equal but for %1 identity item(s), written only with "
                              "\"Write identity items too\".")
                               .arg(identityApart);
            else
                compared = tr("%1 item(s) differ between the device and the file.").arg(differ);
            if (differ > 0 && identityApart > 0)
                compared += " " + tr("%1 identity item(s) differ too, written only with \"Write identity items too\".")
                                      .arg(identityApart);
            text += "\n" + compared;
        }
    }
    // The outcome would hide it otherwise; a lost record is worth saying.
    if (!historyNotKept_.isEmpty())
        text += "\n" + tr("The history is not kept: ") + historyNotKept_;
    SetStatus(text);
    FillTable();
    UpdateButtons();
}

void ConfigPage::ShowHistory()
{
    HistoryDialogHost h;
    h.path = host_.historyPath;
    // The device read last is the one the engineer is working on.
    if (device_ && device_->serialNumber)
        h.device = *device_->serialNumber;
    auto* dialog = new HistoryDialog(std::move(h), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void ConfigPage::SaveReport()
{
    if (BatchRunning() || (!device_ && !file_))
        return;
    const config::Configuration& c = device_ ? *device_ : *file_;
    const QString source = device_ ? tr("the device at polling address %1").arg(host_.pollingAddress ? host_.pollingAddress() : 0)
                                   : tr("the file %1").arg(QFileInfo(filePath_).fileName());
    const QString proposal = report::DefaultReportName(c, QDate::currentDate());
    const QString path = host_.chooseReport
                             ? host_.chooseReport(proposal)
                             : QFileDialog::getSaveFileName(this, tr("Save Report"), proposal,
                                                            tr("PDF files (*.pdf);;HTML files (*.html *.htm)"));
    if (path.isEmpty())
        return;
    // The last name given is offered again: one engineer makes many reports.
    QSettings settings(QStringLiteral("quorvane"), QStringLiteral("modbus-hart"));
    const QString last = settings.value(QStringLiteral("report/operator")).toString();
    std::optional<QString> name;
    if (host_.askOperator) {
        name = host_.askOperator(last);
    } else {
        bool ok = false;
        const QString given = QInputDialog::getText(this, tr("Report"), tr("Operator name:"), QLineEdit::Normal, last, &ok);
        if (ok)
            name = given;
    }
    if (!name)
        return;
    settings.setValue(QStringLiteral("report/operator"), name->trimmed());
    const auto d = report::Assemble(c, source, name->trimmed(), host_.loopTestPath, host_.historyPath);
    const auto saved = report::Save(path, d);
    if (!saved) {
        SetStatus(QString::fromStdString(saved.error()));
        return;
    }
    SetStatus(tr("The report is saved to %1.").arg(QDir::toNativeSeparators(path)));
}

void ConfigPage::OpenFile()
{
    const QString path = host_.chooseFile ? host_.chooseFile(false) : QString();
    if (path.isEmpty())
        return;
    const auto loaded = config::LoadFile(path);
    if (!loaded) {
        emit ErrorRaised(QString::fromStdString(loaded.error()));
        return;
    }
    file_ = loaded->configuration;
    filePath_ = path;
    outcomes_.clear(); // they were about the file before
    // No device to show: the pages show the file, to be edited and saved.
    offline_ = host_.pagesConfiguration && !(host_.portOpen && host_.portOpen());
    if (offline_)
        emit FileOpenedOffline(*file_);
    ShowFileName();
    SetStatus(tr("Opened ") + QFileInfo(path).fileName() + ".");
    FillTable();
    UpdateButtons();
}

void ConfigPage::ShowFileName()
{
    const QString name = QDir::toNativeSeparators(filePath_);
    fileLabel_->setText(offline_ ? tr("offline: editing %1").arg(name) : tr("File: ") + name);
}

void ConfigPage::SaveFile()
{
    // Offline the pages are saved, built and checked as their Set buttons would
    // send them: a refused value saves nothing, before a name is asked for.
    std::optional<config::Configuration> pages;
    if (offline_ && file_ && host_.pagesConfiguration) {
        pages = host_.pagesConfiguration(*file_);
        if (!pages)
            return;
    } else if (!device_) {
        return;
    }
    QString path = host_.chooseFile ? host_.chooseFile(true) : QString();
    if (path.isEmpty())
        return;
    // A name given without an extension is a configuration file all the same.
    // The window's dialog adds it itself and asks before replacing; a name
    // that only now names an existing file is asked about here.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".json");
        if (QFileInfo::exists(path)
            && !(host_.confirm && host_.confirm(tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)))))
            return;
    }
    const config::FileInfo info{QDateTime::currentDateTime(), config::DefaultSavedBy()};
    const auto saved = config::SaveFile(path, pages ? *pages : *device_, info);
    if (!saved) {
        emit ErrorRaised(QString::fromStdString(saved.error()));
        return;
    }
    if (pages) {
        // The saved file is the one being edited now.
        file_ = *pages;
        filePath_ = path;
        outcomes_.clear();
        ShowFileName();
        FillTable();
        SetStatus(tr("Saved the pages' configuration to %1.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    SetStatus(tr("Saved the device's configuration to ") + QDir::toNativeSeparators(path) + ".");
}

QString ConfigPage::SaveNameProposal() const
{
    std::optional<std::string> tag;
    const auto& shown = offline_ ? file_ : device_; // offline the pages' file is what is saved
    if (shown && shown->tagDescriptorDate)
        tag = shown->tagDescriptorDate->tag;
    return ProposedSaveName(tag, QDate::currentDate());
}

// ---- the window's side

namespace {

// The device on top, the items in a list that scrolls on a small screen;
// Cancel is the default, so a stray Enter writes nothing.
bool ConfirmWriteDialog(QWidget* parent, const QStringList& preview)
{
    QDialog dialog(parent);
    dialog.setObjectName("ConfigWritePreview");
    dialog.setWindowTitle(ConfigPage::tr("Write to Device"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* device = new QLabel(preview.value(0), &dialog);
    device->setTextFormat(Qt::PlainText);
    device->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(device);
    auto* heading = new QLabel(ConfigPage::tr("These items will be written (device value -> file value):"), &dialog);
    layout->addWidget(heading);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("ConfigWritePreviewItems");
    list->setAccessibleName(ConfigPage::tr("Items to write"));
    list->addItems(preview.mid(1));
    layout->addWidget(list, 1);
    auto* buttons = new QDialogButtonBox(&dialog);
    auto* write = buttons->addButton(ConfigPage::tr("Write"), QDialogButtonBox::AcceptRole);
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

// Opens and saves in the folder used last (kept with the window's placement);
// a save proposes the device's tag and today's date and adds ".json" to a
// name given without one, asking before it replaces a file.
QString ChooseConfigurationFile(QWidget* parent, bool save, const QString& proposed)
{
    QSettings settings(QStringLiteral("quorvane"), QStringLiteral("modbus-hart"));
    const QString key = QStringLiteral("configurationFile/directory");
    QString folder = settings.value(key).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QFileDialog dialog(parent, save ? ConfigPage::tr("Save Configuration") : ConfigPage::tr("Open Configuration"), folder,
                       ConfigPage::tr("Configuration files (*.json);;All files (*)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) {
        dialog.setDefaultSuffix(QStringLiteral("json"));
        dialog.selectFile(QDir(folder).filePath(proposed));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    settings.setValue(key, QFileInfo(path).absolutePath());
    return path;
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
    host.confirm = [this](const QString& question) {
        if (options_.confirm)
            return options_.confirm(question);
        return QMessageBox::question(this, ConfigPage::tr("Write Identity"), question) == QMessageBox::Yes;
    };
    host.confirmWrite = [this](const QStringList& preview) {
        if (options_.confirm)
            return options_.confirm(preview.join('\n'));
        return ConfirmWriteDialog(this, preview);
    };
    host.chooseFile = [this](bool save) {
        if (options_.chooseFile)
            return options_.chooseFile(save);
        return ChooseConfigurationFile(this, save, save ? configFile_->page->SaveNameProposal() : QString());
    };
    host.backupDirectory = config::DefaultBackupDirectory();
    host.historyPath = historyPath_;
    host.pagesConfiguration = [this](const config::Configuration& shown) { return PagesConfiguration(shown); };
    host.loopTestPath = config::DefaultLoopTestPath();

    wiring.page = new ConfigPage(std::move(host));
    connect(wiring.page, &ConfigPage::BatchRunningChanged, this, [this](bool running) {
        // The pages keep their own enabled rules underneath: a disabled page
        // only greys out its controls for the time of the batch.
        for (QWidget* page : {ui_.TabSheet6, ui_.TabSheet8, ui_.TabSheet9, ui_.TabSheet1, ui_.TabSheet2})
            page->setEnabled(!running);
        ui_.Button1->setEnabled(!running);
    });
    connect(wiring.page, &ConfigPage::DeviceRead, this, [this](const config::BatchReport& report) {
        std::set<int> shown;
        polledAddress_ = SelectedPollingAddress(ui_.ComboBox9);
        for (const auto& a : report.answers) {
            const int code = a.item->query().pendingCode;
            if (!shown.insert(code).second)
                continue;
            if (const auto frame = hart::AnswerFrame::Parse(a.answer, 0))
                link_.Decode(code, *frame);
        }
    });
    connect(wiring.page, &ConfigPage::DeviceWritten, this, &TForm1::ShowWritten);
    connect(wiring.page, &ConfigPage::ErrorRaised, this, &TForm1::ShowError);
    connect(wiring.page, &ConfigPage::FileOpenedOffline, this, &TForm1::ShowConfiguration);
    // Short, so that all six captions fit the designed width without scroll arrows.
    const int tab = ui_.PageControl2->addTab(wiring.page, ConfigPage::tr("Config File"));
    ui_.PageControl2->setTabToolTip(tab, ConfigPage::tr("Configuration File"));

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

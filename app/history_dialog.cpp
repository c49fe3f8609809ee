#include "app/history_dialog.h"

#include "codec/text.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

// Texts from the file are whatever was written there: control bytes shown escaped.
QString Shown(const QString& text) { return QString::fromStdString(codec::EscapeControl(text.toStdString(), true)); }

} // namespace

HistoryDialog::HistoryDialog(HistoryDialogHost host, QWidget* parent) : QDialog(parent), host_(std::move(host))
{
    setObjectName("HistoryDialog");
    setWindowTitle(tr("History"));
    auto* layout = new QVBoxLayout(this);
    all_ = new QCheckBox(tr("All devices"), this);
    all_->setObjectName("HistoryAll");
    all_->setChecked(!host_.device);
    all_->setEnabled(host_.device.has_value());
    layout->addWidget(all_);
    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName("HistoryTable");
    table_->setHorizontalHeaderLabels({tr("Time (UTC)"), tr("Device"), tr("Tag"), tr("Item"), tr("Before"),
                                       tr("After"), tr("Outcome")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);
    status_ = new QLabel(this);
    status_->setObjectName("HistoryStatus");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);
    auto* buttons = new QHBoxLayout;
    export_ = new QPushButton(tr("Export CSV..."), this);
    export_->setObjectName("HistoryExport");
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("HistoryClose");
    buttons->addWidget(export_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(all_, &QCheckBox::toggled, this, &HistoryDialog::Reload);
    connect(export_, &QPushButton::clicked, this, &HistoryDialog::Export);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(820, 420);
    Reload();
}

QString HistoryDialog::StatusText() const { return status_->text(); }

void HistoryDialog::Reload()
{
    shown_.clear();
    table_->setRowCount(0);
    const auto log = config::ReadHistory(host_.path);
    if (!log) {
        status_->setText(tr("The history cannot be read: %1").arg(QString::fromStdString(log.error())));
        export_->setEnabled(false);
        return;
    }
    config::HistoryFilter filter;
    if (!all_->isChecked())
        filter.uniqueIdentifier = host_.device;
    shown_ = config::Select(log->records, filter);
    // Newest first; records of one moment keep the file's order reversed.
    std::reverse(shown_.begin(), shown_.end());
    std::stable_sort(shown_.begin(), shown_.end(),
                     [](const config::HistoryRecord& a, const config::HistoryRecord& b) { return a.time > b.time; });
    table_->setRowCount(static_cast<int>(shown_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto& r = shown_[static_cast<std::size_t>(row)];
        QString outcome = config::HistoryOutcomeText(r.outcome);
        if (!r.detail.isEmpty())
            outcome += QStringLiteral(": ") + r.detail;
        const QStringList cells{r.time.toUTC().toString(Qt::ISODate), QString::number(r.uniqueIdentifier),
                                r.tag, r.item, r.before.value_or(QString()), r.after, outcome};
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, new QTableWidgetItem(Shown(cells[column])));
    }
    QString text = tr("Records: %1").arg(shown_.size());
    // Said once, here: the damaged lines cost no record, but they are not hidden.
    if (!log->warnings.empty()) {
        QStringList lines;
        for (const auto& w : log->warnings)
            lines << QString::number(w.line);
        text += "\n" + tr("Skipped damaged lines of the file: %1 (line numbers: %2).").arg(lines.size()).arg(lines.join(", "));
    }
    status_->setText(text);
    export_->setEnabled(!shown_.empty());
}

void HistoryDialog::Export()
{
    QString path = host_.chooseCsv ? host_.chooseCsv()
                                   : QFileDialog::getSaveFileName(this, tr("Export History"), QString(),
                                                                  tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray csv = config::HistoryCsv(shown_);
    // Unbuffered: a write cut short by a full disk must fail here, not pass at the commit.
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(csv) == csv.size()
                       && file.commit();
    status_->setText(saved ? tr("Saved %1 records to %2.").arg(shown_.size()).arg(QDir::toNativeSeparators(path))
                           : tr("Not saved: %1").arg(file.errorString()));
}

} // namespace app

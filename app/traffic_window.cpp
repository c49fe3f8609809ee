#include "app/traffic_window.h"

#include "app/traffic_model.h"
#include "capture/pcapng.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

TrafficWindow::TrafficWindow(TrafficModel& model, Options options, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), options_(std::move(options))
{
    setObjectName("TrafficWindow");
    setWindowTitle(tr("Line Traffic"));
    resize(900, 560);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        bar->addWidget(b);
        return b;
    };
    QPushButton* clear = button("TrafficClear", tr("Clear"));
    pause_ = button("TrafficPause", tr("Pause"));
    pause_->setCheckable(true);
    QPushButton* copy = button("TrafficCopy", tr("Copy"));
    QPushButton* save = button("TrafficSave", tr("Save Capture…"));
    bar->addStretch(1);
    count_ = new QLabel(this);
    count_->setObjectName("TrafficCount");
    bar->addWidget(count_);
    layout->addLayout(bar);

    auto* split = new QSplitter(Qt::Vertical, this);
    table_ = new QTableView(split);
    table_->setObjectName("TrafficTable");
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: the view then never measures 100,000 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(TrafficModel::TimeColumn, 90);
    table_->setColumnWidth(TrafficModel::GapColumn, 80);
    table_->setColumnWidth(TrafficModel::DirectionColumn, 80);
    details_ = new QPlainTextEdit(split);
    details_->setObjectName("TrafficDetails");
    details_->setReadOnly(true);
    details_->setLineWrapMode(QPlainTextEdit::NoWrap);
    details_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    connect(clear, &QPushButton::clicked, this, [this] {
        model_.Clear();
        details_->clear();
    });
    connect(pause_, &QPushButton::toggled, this, [this](bool on) {
        model_.SetPaused(on);
        pause_->setText(on ? tr("Resume") : tr("Pause"));
        UpdateCount();
    });
    connect(copy, &QPushButton::clicked, this, &TrafficWindow::CopyAsText);
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = options_.askSavePath
                                 ? options_.askSavePath()
                                 : QFileDialog::getSaveFileName(this, tr("Save Capture"), "traffic.pcapng",
                                                                tr("pcapng captures (*.pcapng);;All files (*)"));
        if (path.isEmpty())
            return;
        const QString file = QFileInfo(path).suffix().isEmpty() ? path + ".pcapng" : path;
        if (SaveCapture(file))
            count_->setText(tr("%1 rows saved to %2").arg(model_.rowCount()).arg(QDir::toNativeSeparators(file)));
    });
    connect(&model_, &QAbstractItemModel::rowsAboutToBeInserted, this, &TrafficWindow::RowsAboutToArrive);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &TrafficWindow::RowsArrived);
    connect(&model_, &QAbstractItemModel::modelReset, this, &TrafficWindow::UpdateCount);
    // Clear drops the selection without a selectionChanged: nothing is being read, follow again.
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        reading_ = false;
        follow_ = true;
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TrafficWindow::ShowSelected);
    // A selected row is being read: new rows do not move it out of view.
    // Clearing the selection goes back to the newest row and follows again;
    // so does scrolling to the bottom by hand, the selection kept.
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const bool reading = table_->selectionModel()->hasSelection();
        if (reading_ && !reading)
            table_->scrollToBottom();
        reading_ = reading;
    });
    connect(table_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] {
        const QScrollBar* bar = table_->verticalScrollBar();
        if (bar->sliderPosition() >= bar->maximum())
            reading_ = false;
    });
    auto* unselect = new QAction(tr("Clear Selection"), table_);
    unselect->setShortcut(Qt::Key_Escape);
    unselect->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(unselect);
    connect(unselect, &QAction::triggered, table_, &QAbstractItemView::clearSelection);
    // The rest of a cut answer joins its row: the details follow.
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        const int current = table_->currentIndex().row();
        if (current >= from.row() && current <= to.row())
            ShowSelected();
    });
    UpdateCount();
    table_->scrollToBottom();
}

void TrafficWindow::RowsAboutToArrive()
{
    // Follows the line only while the newest row is in view and no row is
    // selected: a user reading a row keeps it still. Judged before the first
    // row of a burst, while the view still shows where the user left it.
    if (refreshQueued_)
        return;
    const QScrollBar* bar = table_->verticalScrollBar();
    follow_ = !reading_ && bar->value() >= bar->maximum();
}

void TrafficWindow::RowsArrived()
{
    // Once per turn of the event loop, however many rows came in it.
    if (!refreshQueued_) {
        refreshQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            refreshQueued_ = false;
            if (follow_ && !reading_) // a row selected since the burst began holds too
                table_->scrollToBottom();
            UpdateCount();
        }, Qt::QueuedConnection);
    }
}

void TrafficWindow::ShowSelected()
{
    const QModelIndex current = table_->currentIndex();
    details_->setPlainText(current.isValid() ? model_.Details(current.row()) : QString());
}

void TrafficWindow::UpdateCount()
{
    QString text = tr("%1 rows").arg(model_.rowCount());
    if (model_.Paused())
        text += tr(", %1 held while paused").arg(model_.Held());
    count_->setText(text);
}

void TrafficWindow::CopyAsText()
{
    std::vector<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    if (rows.empty())
        for (int i = 0; i < model_.rowCount(); ++i)
            rows.push_back(i);
    QApplication::clipboard()->setText(model_.Text(rows));
}

bool TrafficWindow::SaveCapture(const QString& path)
{
    const auto written = capture::WriteCaptureFile(path.toStdString(), model_.Records());
    if (written)
        return true;
    const QString text = QString::fromStdString(written.error());
    if (options_.showError)
        options_.showError(text);
    else
        QMessageBox::critical(this, windowTitle(), text);
    return false;
}

} // namespace app

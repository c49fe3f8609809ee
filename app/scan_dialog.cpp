#include "app/scan_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {

// "38 (0x26)": decimal as the window's fields show it, hex as data sheets do.
QString Hex(unsigned value, int digits)
{
    return QStringLiteral("%1 (0x%2)").arg(value).arg(QString::number(value, 16).toUpper().rightJustified(digits, '0'));
}

} // namespace

ScanDialog::ScanDialog(hart::Transport& transport, hart::LineOwner* owner, QWidget* parent)
    : QDialog(parent), scanner_(transport, owner)
{
    setObjectName("ScanDialog");
    setWindowTitle(tr("Find Devices"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Addresses:"), this));
    range_ = new QComboBox(this);
    range_->setObjectName("ScanRange");
    range_->addItem("0-15", 15);
    range_->addItem("0-63", 63);
    top->addWidget(range_);
    scan_ = new QPushButton(tr("Scan"), this);
    scan_->setObjectName("ScanStart");
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("ScanCancel");
    cancel_->setEnabled(false);
    top->addWidget(scan_);
    top->addWidget(cancel_);
    top->addStretch(1);
    layout->addLayout(top);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("ScanProgress");
    progress_->setFormat(tr("%v of %m addresses"));
    progress_->setValue(0);
    layout->addWidget(progress_);

    list_ = new QTableWidget(0, 6, this);
    list_->setObjectName("ScanList");
    list_->setHorizontalHeaderLabels(
        {tr("Address"), tr("Manufacturer"), tr("Device type"), tr("Unique identifier"), tr("HART revision"), tr("Preambles")});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(list_, 1);

    state_ = new QLabel(this);
    state_->setObjectName("ScanState");
    layout->addWidget(state_);

    auto* buttons = new QDialogButtonBox(this);
    choose_ = buttons->addButton(tr("Use this device"), QDialogButtonBox::AcceptRole);
    choose_->setObjectName("ScanChoose");
    choose_->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    resize(640, 360);

    connect(scan_, &QPushButton::clicked, this, &ScanDialog::StartScan);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        state_->setText(tr("Cancelling..."));
        scanner_.Cancel();
    });
    connect(&scanner_, &device::AddressScanner::Found, this, &ScanDialog::AddHit);
    connect(&scanner_, &device::AddressScanner::Progress, this, [this](int done, int total) {
        progress_->setMaximum(total);
        progress_->setValue(done);
    });
    connect(&scanner_, &device::AddressScanner::Finished, this, &ScanDialog::Finished);
    connect(list_, &QTableWidget::itemSelectionChanged, this,
            [this] { choose_->setEnabled(!scanner_.Running() && !list_->selectedItems().isEmpty()); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { ChooseSelected(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &ScanDialog::ChooseSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScanDialog::reject);
}

void ScanDialog::StartScan()
{
    if (scanner_.Running())
        return;
    list_->setRowCount(0);
    choose_->setEnabled(false);
    if (!scanner_.Start(0, range_->currentData().toInt()))
        return;
    scan_->setEnabled(false);
    range_->setEnabled(false);
    cancel_->setEnabled(true);
    state_->setText(tr("Scanning..."));
}

void ScanDialog::AddHit(const device::ScanHit& hit)
{
    const int row = list_->rowCount();
    list_->insertRow(row);
    const QStringList cells{QString::number(hit.address),    Hex(hit.manufacturer, 2), Hex(hit.deviceType, 2),
                            Hex(hit.uniqueId, 6),            QString::number(hit.hartRevision),
                            QString::number(hit.preambles)};
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setData(Qt::UserRole, int(hit.address));
        list_->setItem(row, c, item);
    }
    if (row == 0)
        list_->selectRow(0);
}

void ScanDialog::Finished(device::ScanEnd end, int found, const QString& error)
{
    scan_->setEnabled(true);
    range_->setEnabled(true);
    cancel_->setEnabled(false);
    choose_->setEnabled(!list_->selectedItems().isEmpty());
    QString text;
    switch (end) {
    case device::ScanEnd::Completed:
        text = found == 0 ? tr("No device answered.")
                          : tr("%1 device(s) found. Choose one to identify it.").arg(found);
        break;
    case device::ScanEnd::Cancelled: text = tr("Cancelled; %1 device(s) found so far.").arg(found); break;
    case device::ScanEnd::PortFailed: text = tr("Scan stopped: %1.").arg(error); break;
    }
    state_->setText(text);
}

void ScanDialog::ChooseSelected()
{
    const auto selected = list_->selectedItems();
    if (scanner_.Running() || selected.isEmpty())
        return;
    const int address = selected.front()->data(Qt::UserRole).toInt();
    accept();
    emit Chosen(address);
}

void ScanDialog::reject()
{
    scanner_.Cancel();
    QDialog::reject();
}

} // namespace app

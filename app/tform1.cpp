#include "app/tform1.h"

#include "app/combo_index.h"
#include "app/field_text.h"
#include "app/hands.h"
#include "app/loop_test_dialog.h"
#include "app/scan_live.h"
#include "config/history.h"
#include "config/loop_test.h"
#include "converter/instrument_commands.h"
#include "device/identify.h"
#include "line/line.h"
#include "serial/port_discovery.h"
#include "sim/pty_simulator.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QCloseEvent>
#include <QLocale>
#include <QCoreApplication>
#include <QMessageBox>

namespace app {

TForm1::TForm1(QWidget* parent) : TForm1(Options{}, parent) {}

TForm1::TForm1(Options options, QWidget* parent) : QWidget(parent), options_(std::move(options))
{
    historyPath_ = options_.historyPath.isEmpty() ? config::DefaultHistoryPath() : options_.historyPath;
    ui_.setupUi(this);
    comm1_.setObjectName("Comm1");
    link_.setParent(this);
    link_.setObjectName("Link");

    // The stored settings of the window's port.
    comm1_.SetCommName("COM1");
    line::ConfigureHartPort(comm1_);
    transactor_.setParent(this);
    lineOwner_.setParent(this);
    lineOwner_.setObjectName("LineOwner");

    link_.SetPort(&comm1_);
    if (options_.sleep)
        link_.SetSleep(options_.sleep);
    connect(&link_, &hart::HartLink::StatusChanged, ui_.Label68, &QLabel::setText);
    connect(&link_, &hart::HartLink::BytesSentChanged, this,
            [this](std::int32_t n) { ui_.Label56->setText(QString::number(n)); });
    connect(&link_, &hart::HartLink::BytesReceivedChanged, this,
            [this](std::int32_t n) { ui_.Label67->setText(QString::number(n)); });

    connect(ui_.Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui_.PageControl2, &QTabWidget::currentChanged, this, &TForm1::PageControl2Change);
    ui_.Label70->installEventFilter(this);
    ui_.Label71->installEventFilter(this);

    PopulatePortSelector();
    WirePortLost();
    WireIdentify();
    WireDeviceOperations();
    WireConverter();
    WireSetHistory();
    WireLine();
    WireTraffic(); // before any other user of the line, so that all of it is seen
    // One line for every user, whichever port is open behind it.
    serialPort_ = linePort_;
    switch_ = std::make_unique<hart::SwitchedPort>(*serialPort_);
    linePort_ = switch_.get();
    link_.SetPort(linePort_);
    // The batch path's writes are counted with the buttons' in the status panel.
    batchPort_ = std::make_unique<hart::TappedPort>(*linePort_, [this](const hart::TrafficRecord& r) {
        link_.CountSent(hart::CarriedBytes(*linePort_, r.bytes));
    });
    ShowLineHolder();
    WireConfigurationFile();
    connect(ui_.ButtonLoopTest, &QPushButton::clicked, this, &TForm1::OpenLoopTest);
    scanLive_ = std::make_unique<ScanLive>(*this, transactor_);
    EnterPressesButtons(this);
    // The smallest the window may be, fixed once every control exists: left to
    // the layout it would follow each new status text, resizing a shown window.
    setMinimumSize(minimumSizeHint());
    if (auto* page = ui_.PageControl2->widget(5); page && trafficButton_)
        TabThroughPageBefore(page, trafficButton_);
    FormCreate();
}

TForm1::~TForm1()
{
    LeaveSet(tr("the window closed before its answer"));
    scanLive_.reset();
    comm1_.ClosePort();
    DropNetworkLine();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A loop left fixed would not follow the process: the window goes once it is released.
    if (loopTest_ && loopTest_->Running()) {
        closeAfterLoopTest_ = true;
        ui_.Label68->setText(LoopTestDialog::tr("Releasing the loop current..."));
        loopTest_->StopTest();
        event->ignore();
        return;
    }
    // The port's threads must end before the program does.
    lineOwner_.PortClosed();
    scanLive_->PortClosing();
    comm1_.ClosePort();
    DropNetworkLine();
    QWidget::closeEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == ui_.Label70 || watched == ui_.Label71) && event->type() == QEvent::MouseButtonPress) {
        ShowInternalParameters();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

LoopTestDialog* TForm1::LoopTest() { return loopTest_; }

void TForm1::OpenLoopTest()
{
    if (loopTest_) {
        loopTest_->raise();
        loopTest_->activateWindow();
        return;
    }
    LoopTestHost host;
    host.transport = &transactor_;
    host.owner = &lineOwner_;
    host.pollingAddress = [this] { return SelectedPollingAddress(ui_.ComboBox9); };
    host.historyPath = historyPath_;
    host.loopTestPath = config::DefaultLoopTestPath();
    host.confirm = options_.confirm;
    loopTest_ = new LoopTestDialog(std::move(host), this);
    loopTest_->setAttribute(Qt::WA_DeleteOnClose);
    // While the loop is fixed the window's own controls wait: Close would take
    // the port from under the release.
    loopTest_->setWindowModality(Qt::WindowModal);
    connect(loopTest_, &LoopTestDialog::Finished, this, [this] {
        if (closeAfterLoopTest_)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
    loopTest_->show();
}

void TForm1::PopulatePortSelector()
{
    for (const auto& path : serial::DiscoverSerialPorts())
        ui_.SPREALCOM->addItem(Text(path));
    ui_.SPREALCOM->addItem(kSimulatedPortName);
    ui_.SPREALCOM->setToolTip(tr("A serial port, the simulated converter, or hart-ip://HOST[:PORT] "
                                 "(hart-ip+tcp://HOST[:PORT] over TCP) for a HART-IP server"));
    ui_.SPREALCOM->setCurrentIndex(0);
    ui_.SPREALCOM->setEditText("COM1");
}

void TForm1::SetConnectionButtonsEnabled(bool enabled)
{
    for (QPushButton* b : {ui_.Button3, ui_.Button4, ui_.Button6, ui_.ButtonLoopTest, ui_.Button27, ui_.Button34, ui_.Button28,
                           ui_.Button29, ui_.Button32, ui_.Button33, ui_.Button37, ui_.Button38, ui_.Button39})
        b->setEnabled(enabled);
}

void TForm1::FormCreate()
{
    ui_.Button1->setText(tr("Open"));
    for (QPushButton* b : {ui_.Button3, ui_.Button4, ui_.Button6, ui_.ButtonLoopTest, ui_.Button27})
        b->setEnabled(false);
    ui_.GroupBox4->hide();
    for (QPushButton* b : {ui_.Button28, ui_.Button29, ui_.Button32, ui_.Button34, ui_.Button33, ui_.Button37,
                           ui_.Button38, ui_.Button39, ui_.Button10})
        b->setEnabled(false);
    ui_.Label90->hide();
    ui_.RadioButton1->setChecked(true);
    SelectItem(ui_.ComboBox9, 0);
    SelectItem(ui_.ComboBox5, -1);
    SelectItem(ui_.ComboBox3, -1);
    ui_.PageControl2->setCurrentIndex(0);
    link_.ResetCounters();
    for (QLineEdit* e : {ui_.Edit1, ui_.Edit2, ui_.Edit3, ui_.Edit4, ui_.Edit5, ui_.Edit6, ui_.Edit7, ui_.Edit17,
                         ui_.Edit18, ui_.Edit21, ui_.Edit22, ui_.Edit23, ui_.Edit24, ui_.Edit25, ui_.Edit26,
                         ui_.Edit28, ui_.Edit29})
        e->clear();
    link_.Timer2().start();
    link_.Timer3().stop();
    ui_.RadioButton1->setChecked(true); // the group unchecks the other five
    for (QLabel* l : {ui_.Label56, ui_.Label67, ui_.Label68, ui_.Label33})
        l->clear();
}

void TForm1::ClearFieldsOnPortChange(bool keepAssemblyNumber)
{
    SelectItem(ui_.ComboBox9, 0);
    SelectItem(ui_.ComboBox5, -1);
    SelectItem(ui_.ComboBox3, -1);
    for (QLineEdit* e : {ui_.Edit1, ui_.Edit2, ui_.Edit3, ui_.Edit4, ui_.Edit5, ui_.Edit6, ui_.Edit7, ui_.Edit21,
                         ui_.Edit22, ui_.Edit23, ui_.Edit24, ui_.Edit25, ui_.Edit28, ui_.Edit29})
        e->clear();
    if (!keepAssemblyNumber)
        ui_.Edit26->clear();
}

bool TForm1::PreparePortName()
{
    const QString name = ui_.SPREALCOM->currentText();
    sim::PtySimulator::Options o;
    o.lineTiming = options_.simulatorLineTiming;
    const auto path = line::PortNameFor(name.toStdString(), name == kSimulatedPortName, simulator_, o);
    if (!path) {
        ShowError(Text(path.error()));
        return false;
    }
    comm1_.SetCommName(*path);
    return true;
}

void TForm1::Button1Click()
{
    if (!link_.Buffer().portOpen()) {
        comm1_.ClosePort();
        if (OpenNetworkLine())
            return;
        if (!PreparePortName())
            return;
        comm1_.SetOutx_XonXoffFlow(false);
        comm1_.SetInx_XonXoffFlow(false);
        try {
            comm1_.OpenPort();
        } catch (const serial::ECommsError& e) {
            ShowError(QString::fromLocal8Bit(e.what()));
            return;
        }
        PortOpened();
    } else {
        CloseConnection();
    }
}

void TForm1::PortOpened()
{
    link_.Buffer().setPortOpen(true);
    readValues_ = {}; // the device behind the port may be another now
    ui_.Button1->setText(tr("Close"));
    SetConnectionButtonsEnabled(true);
    link_.Timer3().stop();
    link_.ResetCounters();
    ClearFieldsOnPortChange(false);
    ui_.RadioButton1->setChecked(true);
    for (QLabel* l : {ui_.Label56, ui_.Label67, ui_.Label68, ui_.Label33})
        l->clear();
    scanLive_->PortOpened();
}


void TForm1::CloseConnection()
{
    // No claim outlives the port; live values and a scan end with it.
    lineOwner_.PortClosed();
    scanLive_->PortClosing();
    SetConnectionButtonsEnabled(false);
    ClearFieldsOnPortChange(true);
    ForgetListBytes(this);
    for (QLabel* l : {ui_.Label56, ui_.Label67, ui_.Label68, ui_.Label33})
        l->clear();
    link_.Buffer().setPortOpen(false);
    ui_.Button1->setText(tr("Open"));
    comm1_.ClosePort();
    DropNetworkLine();
}

void TForm1::WireLine()
{
    link_.SetLineOwner(&lineOwner_);
    // Received bytes go to whoever holds the line; with nobody, to the link,
    // which counts them as it always has.
    auto toLink = [this](std::span<const std::uint8_t> b) {
        link_.Comm1ReceiveData(b.data(), static_cast<std::uint16_t>(b.size()));
    };
    auto toBatchPath = [this](std::span<const std::uint8_t> b) {
        link_.CountReceived(b.size());
        transactor_.Deliver(b);
    };
    lineOwner_.SetIdleSink(toLink);
    lineOwner_.SetSink(hart::LineClient::Button, toLink);
    for (auto c : {hart::LineClient::Batch, hart::LineClient::Scan, hart::LineClient::Live})
        lineOwner_.SetSink(c, toBatchPath);
    comm1_.OnReceiveData = [this](serial::TComm*, const void* buffer, std::uint16_t length) {
        if (buffer)
            lineOwner_.Deliver({static_cast<const std::uint8_t*>(buffer), length});
        else
            link_.Comm1ReceiveData(buffer, length);
    };
    reads_ = std::make_unique<line::ReadsFollowHolder>(comm1_, lineOwner_);
    connect(&lineOwner_, &hart::LineOwner::HolderChanged, this, [this](int client) {
        if (client >= 0 && client != static_cast<int>(hart::LineClient::Button))
            transactor_.SetBaud(comm1_.BaudRate());
        // The batch path's holders are named in the status panel; a button's request shows its own status.
        QString text;
        switch (client) {
        case static_cast<int>(hart::LineClient::Batch): text = tr("Line: configuration batch"); break;
        case static_cast<int>(hart::LineClient::Scan): text = tr("Line: scan"); break;
        case static_cast<int>(hart::LineClient::Live): text = tr("Line: live values"); break;
        default: break;
        }
        if (lineHolder_)
            lineHolder_->setText(text);
    });
    // What a configuration write leaves on the device: the newest good answer per command.
    connect(&lineOwner_, &hart::LineOwner::HolderChanged, this, [this](int client) {
        if (client == static_cast<int>(hart::LineClient::Batch))
            batchAnswers_.clear();
    });
    connect(&transactor_, &hart::Transactor::Answered, this, [this](int command, const hart::TransactionResult& r) {
        if (const auto frame = r.Frame(); frame && !hart::IsErrorResponse(frame->responseCode()))
            batchAnswers_[static_cast<std::uint8_t>(command)] = r.answer;
    });
}

void TForm1::ShowLineHolder()
{
    // In the traffic row, before its button: the original row of the panel keeps its geometry.
    auto* label = new QLabel(ui_.Panel1);
    label->setObjectName("LineHolderLabel");
    lineHolder_ = label;
    auto* rows = qobject_cast<QVBoxLayout*>(ui_.Panel1->layout());
    auto* row = rows && rows->count() > 1 ? qobject_cast<QHBoxLayout*>(rows->itemAt(rows->count() - 1)->layout()) : nullptr;
    if (row)
        row->insertWidget(row->count() - 1, label);
}

void TForm1::PageControl2Change(int index)
{
    if (index != 2)
        ui_.GroupBox4->hide();
}

void TForm1::ShowInternalParameters() { ui_.GroupBox4->show(); }

void TForm1::ShowError(const QString& text)
{
    if (options_.showError)
        options_.showError(text);
    else
        QMessageBox::critical(this, windowTitle(), text);
}

void TForm1::ShowMessage(const QString& text)
{
    if (options_.showMessage)
        options_.showMessage(text);
    else
        QMessageBox::information(this, windowTitle(), text);
}

void TForm1::ShowRefusal(const std::string& text)
{
    // Refusals with fixed wording are marked for translation where they are written; the others stay English.
    const QString shown = QCoreApplication::translate("converter", text.c_str());
    if (converter::IsCommandCodeRefusal(text))
        ShowMessage(shown);
    else
        ShowError(shown);
}

// The default locale is the system's unless a test sets another.
std::string TForm1::DecimalSeparator() const { return QLocale().decimalPoint().toStdString(); }

void TForm1::SendQuery(hart::RequestId request, std::initializer_list<QLineEdit*> emptied)
{
    const auto& row = hart::Request(request);
    link_.ShowStatus(row);
    for (QLineEdit* e : emptied)
        e->clear();
    LeaveSet(tr("another request went out before its answer"));
    link_.Transmit(row);
}

void TForm1::SendSetting(hart::RequestId request, const Builder& build)
{
    const auto& row = hart::Request(request);
    link_.ShowStatus(row);
    const auto data = build();
    if (!data) {
        ShowRefusal(data.error());
        return;
    }
    RecordSet(request, *data);
    link_.Transmit(row, *data);
}

void TForm1::WireSet(QPushButton* button, hart::RequestId request, Builder build)
{
    setBuilders_[request] = std::move(build);
    connect(button, &QPushButton::clicked, this, [this, request] { SendSetting(request, setBuilders_.at(request)); });
}

void TForm1::WireIdentify()
{
    connect(ui_.Button3, &QPushButton::clicked, this, [this] {
        const auto& row = hart::Request(hart::RequestId::Button3);
        polledAddress_ = SelectedPollingAddress(ui_.ComboBox9);
        LeaveSet(tr("another request went out before its answer"));
        link_.Send(row, {}, polledAddress_);
    });
    link_.SetDecoder(
        100,
        [this](const hart::AnswerFrame& f) {
            // Two quick presses at different addresses share one pending code:
            // only the answer knows which device it came from.
            const auto r = device::DecodeIdentify(
                f.data(), device::AnsweredPollingAddress(f.address()).value_or(polledAddress_));
            if (!r)
                return false;
            link_.Buffer().setIdentity(r->identity);
            ui_.Edit1->setText(Text(r->manufacturer));
            ui_.Edit2->setText(Text(r->deviceType));
            ui_.Edit3->setText(Text(r->preambles));
            // The selectors show the address that answered.
            const int slot = link_.Buffer().identity().pollingAddress;
            SelectItem(ui_.ComboBox9, ui_.ComboBox9->findText(QString::number(slot), Qt::MatchExactly));
            SelectItem(ui_.ComboBox3, slot <= 15 ? slot : -1);
            ui_.Edit4->setText(Text(r->serialNumber));
            ui_.Edit28->setText(Text(r->serialNumber));
            return true;
        },
        [this] {
            for (QLineEdit* e : {ui_.Edit1, ui_.Edit2, ui_.Edit3, ui_.Edit4})
                e->clear();
            SelectItem(ui_.ComboBox9, 0);
        });
}

} // namespace app

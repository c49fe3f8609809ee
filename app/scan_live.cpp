#include "app/scan_live.h"

#include "app/combo_index.h"
#include "app/field_text.h"
#include "app/live_trend.h"
#include "app/scan_dialog.h"
#include "app/tform1.h"
#include "codec/numeric.h"
#include "device/identify.h"
#include "hart/frames.h"
#include "hart/request_frame.h"
#include "hart/request_table.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>

#include <vector>

namespace app {

namespace {

// Live values send exactly what "Instrument Data Query" sends.
hart::Transaction LiveRequest(const hart::HartLink& link)
{
    return hart::MakeTransaction(hart::Request(hart::RequestId::Button4), link.Buffer().identity());
}

// What a live answer fills: the variables and their units (command 3), and the loop current.
std::vector<QWidget*> VariableFields(const Form1Ui& ui)
{
    return {ui.Edit5, ui.Edit17, ui.Edit18, ui.Edit30, ui.ComboBox5, ui.ComboBox15, ui.ComboBox16, ui.ComboBox6};
}

void ShowAllStale(const Form1Ui& ui, bool stale)
{
    for (QWidget* w : VariableFields(ui))
        ShowStale(w, stale);
    ShowStale(ui.Edit6, stale);
}

} // namespace

void ShowStale(QWidget* field, bool stale)
{
    if (field->property("mhStale").toBool() == stale)
        return;
    field->setProperty("mhStale", stale);
    if (!stale) {
        field->setPalette(QPalette()); // back to the inherited colours
        return;
    }
    QPalette p = field->palette();
    for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        const QColor grey = p.color(QPalette::Disabled, role);
        p.setColor(QPalette::Active, role, grey);
        p.setColor(QPalette::Inactive, role, grey);
    }
    field->setPalette(p);
}

std::uint8_t SelectedPollingAddress(const QComboBox* combo)
{
    const int index = ItemIndex(combo);
    if (index > 15) {
        bool ok = false;
        const int address = combo->itemText(index).toInt(&ok);
        if (ok && address >= 0 && address <= 63)
            return static_cast<std::uint8_t>(address);
    }
    return device::PollingAddressByte(index);
}

ScanLive::ScanLive(TForm1& form, hart::Transport& transport)
    : form_(form),
      transport_(transport),
      poller_(transport, [&form] { return LiveRequest(form.Link()); }, &form.LineOwner())
{
    const Form1Ui& ui = form.Ui();
    hart::HartLink& link = form.Link();

    connect(ui.FindDevices, &QPushButton::clicked, this, &ScanLive::FindDevices);
    connect(ui.LiveSwitch, &QPushButton::toggled, this, &ScanLive::SetLive);
    connect(ui.LiveInterval, &QSpinBox::valueChanged, &poller_, &device::LivePoller::SetIntervalSeconds);
    connect(ui.LiveTrend, &QPushButton::clicked, this, [this] {
        Trend().show();
        Trend().raise();
    });

    // A button's answer makes what it filled current again.
    connect(&link, &hart::HartLink::AnswerHandled, this, [this](int code, bool success) {
        if (success && code == 103)
            for (QWidget* w : VariableFields(form_.Ui()))
                ShowStale(w, false);
        else if (success && code == 102)
            ShowStale(form_.Ui().Edit6, false);
    });

    connect(&poller_, &device::LivePoller::Answered, this, &ScanLive::LiveAnswer);
    connect(&poller_, &device::LivePoller::Failed, this, [this](const QString& reason) {
        lastFailure_ = reason;
        form_.Ui().LiveSwitch->setChecked(false);
    });

    // A configuration batch took the line.
    connect(&poller_, &device::LivePoller::Displaced, this, [this] {
        lastFailure_ = tr("Live values stopped: a configuration batch uses the line.");
        form_.Ui().LiveSwitch->setChecked(false);
    });

    PortClosing();
}

ScanLive::~ScanLive()
{
    poller_.Abort();
    delete dialog_;
    delete trend_;
}

ScanDialog* ScanLive::Dialog() { return dialog_.data(); }

LiveTrend& ScanLive::Trend()
{
    if (!trend_)
        trend_ = new LiveTrend(store_, &form_);
    return *trend_;
}

void ScanLive::PortOpened()
{
    const Form1Ui& ui = form_.Ui();
    ui.FindDevices->setEnabled(true);
    ui.LiveSwitch->setEnabled(true);
}

void ScanLive::PortClosing()
{
    const Form1Ui& ui = form_.Ui();
    poller_.Abort();
    if (dialog_)
        dialog_->reject();
    {
        const QSignalBlocker quiet(ui.LiveSwitch);
        ui.LiveSwitch->setChecked(false);
    }
    ui.FindDevices->setEnabled(false);
    ui.LiveSwitch->setEnabled(false);
    ShowState();
}

void ScanLive::FindDevices()
{
    // The scan needs the line to itself.
    form_.Ui().LiveSwitch->setChecked(false);
    if (!dialog_) {
        dialog_ = new ScanDialog(transport_, &form_.LineOwner(), &form_);
        connect(dialog_, &ScanDialog::Chosen, this, &ScanLive::UseAddress);
    }
    dialog_->open();
    // The scan waits for the line: a button's request on it keeps it until answered.
    dialog_->StartScan();
}

void ScanLive::UseAddress(int address)
{
    QComboBox* combo = form_.Ui().ComboBox9;
    const QString text = QString::number(address);
    int index = combo->findText(text, Qt::MatchExactly);
    if (index < 0) {
        combo->addItem(text); // only for this run: the list is built afresh at the next start
        index = combo->count() - 1;
        FitPopupToItems(combo);
    }
    SelectItem(combo, index);
    form_.Ui().Button3->click();
}

void ScanLive::SetLive(bool on)
{
    if (!on) {
        poller_.Stop();
        ShowState();
        return;
    }
    run_.Start(QDateTime::currentMSecsSinceEpoch());
    lastFailure_.clear();
    poller_.SetIntervalSeconds(form_.Ui().LiveInterval->value());
    // A button's request still waiting for its answer keeps the line until it has it.
    poller_.Start();
    Trend().show();
    ShowState();
}

void ScanLive::LiveAnswer(const hart::TransactionResult& r)
{
    const auto frame = r.Frame();
    const std::string sep = QLocale().decimalPoint().toStdString();
    std::optional<device::DynamicVariables> values;
    if (frame && !hart::IsErrorResponse(frame->responseCode()) && form_.Link().Decode(103, *frame))
        values = device::DecodeDynamicVariables(frame->data(), sep);
    if (!values) {
        const auto usable = hart::UsableAnswer(r);
        run_.Failure(usable ? tr("an answer without the values").toStdString() : usable.error());
        ShowAllStale(form_.Ui(), true);
        ShowState();
        return;
    }
    run_.Answer(QDateTime::currentMSecsSinceEpoch());
    ShowAllStale(form_.Ui(), false);
    form_.Ui().Edit6->setText(Text(codec::FloatText(values->loopCurrent, 5, sep)));
    // The interval the sample was taken at (0: as fast as the line allows) judges gaps in the trend.
    store_.Add(device::SampleOf(*values, QDateTime::currentMSecsSinceEpoch(), poller_.IntervalSeconds() * 1000));
    if (trend_)
        trend_->SampleAdded();
    ShowState();
}

void ScanLive::ShowState()
{
    QString text;
    if (poller_.Active())
        text = Text(run_.StatusText());
    else if (!lastFailure_.isEmpty())
        text = lastFailure_;
    form_.Ui().LiveState->setText(text);
    if (trend_)
        trend_->SetState(text);
}

} // namespace app

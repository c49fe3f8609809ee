// Glue of the standard device operations: reads the fields, sends, shows answers.
#include "app/combo_index.h"
#include "app/field_text.h"
#include "app/tform1.h"
#include "device/instrument_info.h"
#include "device/internal_params.h"
#include "device/output_current.h"
#include "device/process_values.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace app {

using hart::RequestId;

namespace {

// A text the device sent with control bytes is shown escaped; written back it would be taken as the tag.
constexpr const char* kControlInTextRefusal
    = QT_TRANSLATE_NOOP("app::TForm1", "The long tag holds control characters; type a new tag to write.");

} // namespace

void TForm1::WireDeviceOperations()
{
    // Process values.
    connect(ui_.Button34, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button34, {ui_.Edit20, ui_.Edit6}); });
    link_.SetDecoder(102, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeLoopCurrent(f.data(), DecimalSeparator());
        if (!r)
            return false;
        ui_.Edit6->setText(Text(r->current));
        ui_.Edit20->setText(Text(r->percent));
        return true;
    });

    connect(ui_.Button4, &QPushButton::clicked, this,
            [this] { SendQuery(RequestId::Button4, {ui_.Edit5, ui_.Edit17, ui_.Edit18, ui_.Edit30}); });
    link_.SetDecoder(103, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeDynamicVariables(f.data(), DecimalSeparator());
        if (!r)
            return false;
        QLineEdit* values[] = {ui_.Edit5, ui_.Edit17, ui_.Edit18, ui_.Edit30};
        QComboBox* units[] = {ui_.ComboBox5, ui_.ComboBox15, ui_.ComboBox16, ui_.ComboBox6};
        for (std::size_t k = 0; k < r->variables.size() && k < 4; ++k) {
            values[k]->setText(Text(r->variables[k].text));
            SelectItem(units[k], r->variables[k].unitItem);
        }
        link_.Buffer().setKeptUnitCode(r->variables.front().unitCode);
        return true;
    });

    // Output current: range and fixed current.
    connect(ui_.Button9, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button9); });
    link_.SetDecoder(
        115,
        [this](const hart::AnswerFrame& f) {
            const auto r = device::DecodeRange(f.data(), DecimalSeparator());
            if (!r)
                return false;
            link_.Buffer().setKeptUnitCode(r->unitCode);
            ui_.Edit11->setText(Text(r->upper));
            ui_.Edit12->setText(Text(r->lower));
            ui_.Button10->setEnabled(true);
            return true;
        },
        [this] {
            ui_.Edit11->clear();
            ui_.Edit12->clear();
        });
    WireSet(ui_.Button10, RequestId::Button10, [this] {
        return device::BuildRangeWrite(link_.Buffer().keptUnitCode(), Str(ui_.Edit11), Str(ui_.Edit12),
                                       DecimalSeparator());
    });
    WireSet(ui_.Button6, RequestId::Button6, [this] {
        const auto level = device::FixedCurrentFromChecked(
            {ui_.RadioButton1->isChecked(), ui_.RadioButton2->isChecked(), ui_.RadioButton3->isChecked(),
             ui_.RadioButton4->isChecked(), ui_.RadioButton5->isChecked(), ui_.RadioButton6->isChecked(),
             ui_.RadioButton7->isChecked()});
        return device::BuildFixedCurrent(level, Str(ui_.Edit7), DecimalSeparator());
    });

    // Instrument information.
    connect(ui_.Button28, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button28, {ui_.Edit21}); });
    link_.SetDecoder(112, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeMessage(f.data());
        if (!r)
            return false;
        ui_.Edit21->setText(QString::fromLatin1(*r));
        return true;
    });
    WireSet(ui_.Button29, RequestId::Button29,
            [this] { return codec::Result<Bytes>::Ok(device::BuildMessageWrite(Local8(ui_.Edit21))); });

    connect(ui_.Button32, &QPushButton::clicked, this, [this] {
        SendQuery(RequestId::Button32, {ui_.Edit22, ui_.Edit23, ui_.Edit24, ui_.Edit25, ui_.Edit29});
    });
    link_.SetDecoder(113, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeTagDescriptorDate(f.data());
        if (!r)
            return false;
        ui_.Edit22->setText(QString::fromLatin1(r->tag));
        ui_.Edit23->setText(QString::fromLatin1(r->descriptor));
        ui_.Edit29->setText(Text(r->day));
        ui_.Edit25->setText(Text(r->month));
        ui_.Edit24->setText(Text(r->year));
        return true;
    });
    WireSet(ui_.Button33, RequestId::Button33, [this] {
        return device::BuildTagDescriptorDateWrite(Local8(ui_.Edit22), Local8(ui_.Edit23), Str(ui_.Edit29),
                                                   Str(ui_.Edit25), Str(ui_.Edit24));
    });

    connect(ui_.Button38, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button38, {ui_.Edit26}); });
    link_.SetDecoder(
        116,
        [this](const hart::AnswerFrame& f) {
            const auto r = device::DecodeFinalAssembly(f.data());
            if (!r)
                return false;
            ui_.Edit26->setText(Text(*r));
            return true;
        },
        [this] { ui_.Edit26->clear(); });
    WireSet(ui_.Button39, RequestId::Button39, [this] { return device::BuildFinalAssemblyWrite(Str(ui_.Edit26)); });
    WireSet(ui_.Button37, RequestId::Button37, [this] { return device::BuildSerialNumberWrite(Str(ui_.Edit28)); });
    setBuilders_[RequestId::Button27] = [this] {
        return codec::Result<Bytes>::Ok(device::BuildPollingAddressWrite(ItemIndex(ui_.ComboBox3)));
    };
    connect(ui_.Button27, &QPushButton::clicked, this, [this] {
        const int address = ItemIndex(ui_.ComboBox3);
        pollingAddressSent_ = address >= 0 && address <= 15 ? std::optional(address) : std::nullopt;
        SendSetting(RequestId::Button27, setBuilders_.at(RequestId::Button27));
    });
    // Taken by the device: the communication test goes to the new address.
    connect(&link_, &hart::HartLink::AnswerHandled, this, [this](int code, bool success) {
        if (code == hart::Request(RequestId::Button27).pendingCode && success && pollingAddressSent_)
            FollowPollingAddress(*pollingAddressSent_);
    });

    connect(ui_.Button2, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button2); });
    link_.SetDecoder(120, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeLongTag(f.data());
        if (!r)
            return false;
        ShowDeviceText(ui_.Edit8, *r);
        return true;
    });
    WireSet(ui_.Button18, RequestId::Button18, [this] {
        const std::string tag = DeviceTextBytes(ui_.Edit8);
        if (codec::HasControl(tag))
            return codec::Result<Bytes>::Fail(tr(kControlInTextRefusal).toStdString());
        // The field sends its first 32 bytes, as it always has.
        return device::CheckedLongTagWrite(std::string_view(tag).substr(0, 32));
    });

    // Internal parameters: after a Set the cache is left alone; the user runs the test again.
    connect(ui_.Button16, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button16); });
    link_.SetDecoder(241, [this](const hart::AnswerFrame& f) {
        const auto r = device::DecodeInternalParams(f.data());
        if (!r)
            return false;
        ui_.Edit9->setText(Text(r->sensorType));
        ui_.Edit10->setText(Text(r->manufacturerId));
        return true;
    });
    WireSet(ui_.Button7, RequestId::Button7,
            [this] { return device::BuildInternalParamsWrite(Str(ui_.Edit9), Str(ui_.Edit10)); });
}

} // namespace app

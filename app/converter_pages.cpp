// Glue of the converter configuration: reads the fields, sends, shows answers.
#include "app/combo_index.h"
#include "app/field_text.h"
#include "app/tform1.h"
#include "converter/analog.h"
#include "converter/instrument_commands.h"
#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/list_items.h"
#include "converter/variable_mapping.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <array>

namespace app {

using hart::RequestId;

void TForm1::WireConverter()
{
    // Instrument commands 1..4: group number, then its controls and requests.
    struct InstrumentGroup {
        int instrument;
        QComboBox* enable;
        QLineEdit* code;
        QLineEdit* returnByte1;
        QLineEdit* returnByte2;
        QPushButton* query;
        QPushButton* set;
        RequestId queryName;
        RequestId setName;
    };
    const std::array<InstrumentGroup, 4> groups{{
        {1, ui_.COMEN1, ui_.Camd1, ui_.ACOMBY1, ui_.ACOMBY2, ui_.Button11, ui_.Button12,
         RequestId::Button11, RequestId::Button12},
        {2, ui_.COMEN2, ui_.Camd2, ui_.BCOMBY1, ui_.BCOMBY2, ui_.Button15, ui_.Button5,
         RequestId::Button15, RequestId::Button5},
        {3, ui_.COMEN3, ui_.Camd3, ui_.CCOMBY1, ui_.CCOMBY2, ui_.Button25, ui_.Button26,
         RequestId::Button25, RequestId::Button26},
        {4, ui_.COMEN4, ui_.Camd4, ui_.DCOMBY1, ui_.DCOMBY2, ui_.Button35, ui_.Button41,
         RequestId::Button35, RequestId::Button41},
    }};
    for (const InstrumentGroup& g : groups) {
        connect(g.query, &QPushButton::clicked, this, [this, g] { SendQuery(g.queryName); });
        setBuilders_[g.setName] = [g]() -> codec::Result<Bytes> {
            const auto bytes = converter::ParseCommandCode(Str(g.code), converter::CommandByteLimit(g.instrument));
            if (!bytes)
                return bytes.failAs<Bytes>();
            return converter::BuildInstrumentCommandWrite(SentIndex(g.enable), Str(g.returnByte1), Str(g.returnByte2),
                                                          *bytes);
        };
        connect(g.set, &QPushButton::clicked, this, [this, g] {
            // The command code is checked before anything else; its refusal leaves the status alone.
            const auto bytes = converter::ParseCommandCode(Str(g.code), converter::CommandByteLimit(g.instrument));
            if (!bytes) {
                ShowRefusal(bytes.error());
                return;
            }
            SendSetting(g.setName, setBuilders_.at(g.setName));
        });
        link_.SetDecoder(hart::Request(g.queryName).pendingCode, [g](const hart::AnswerFrame& f) {
            const auto r = converter::DecodeInstrumentCommand(f.data());
            if (!r)
                return false;
            ShowListByte(g.enable, r->enableIndex, f.data()[0]);
            g.returnByte1->setText(Text(r->returnByte1));
            g.returnByte2->setText(Text(r->returnByte2));
            g.code->setText(Text(r->commandCode));
            return true;
        });
    }

    // Modbus parsing format: five rows, read and written together.
    struct ParsingRowControls {
        QComboBox* command;
        QLineEdit* address;
        QLineEdit* length;
        QComboBox* format;
        QLineEdit* coefficient;
    };
    const std::array<ParsingRowControls, converter::kParsingRowCount> rows{{
        {ui_.Dcom1, ui_.Dadr1, ui_.Ddatalg1, ui_.Dxieyi1, ui_.Dxishu1},
        {ui_.Dcom2, ui_.Dadr2, ui_.Ddatalg2, ui_.Dxieyi2, ui_.Dxishu2},
        {ui_.Dcom3, ui_.Dadr3, ui_.Ddatalg3, ui_.Dxieyi3, ui_.Dxishu3},
        {ui_.Dcom4, ui_.Dadr4, ui_.Ddatalg4, ui_.Dxieyi4, ui_.Dxishu4},
        {ui_.Dcom5, ui_.Dadr5, ui_.Ddatalg5, ui_.Dxieyi5, ui_.Dxishu5},
    }};
    for (const ParsingRowControls& r : rows) {
        // Only the user's pick applies the default length, and only to its own row.
        connect(r.format, &QComboBox::activated, this, [r](int index) {
            if (const auto length = converter::FormatLengthText(index))
                r.length->setText(Text(*length));
        });
    }
    connect(ui_.Button30, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button30); });
    WireSet(ui_.Button19, RequestId::Button19, [this, rows] {
        std::array<std::string, 15> texts; // keeps the views below alive
        std::array<converter::ParsingRowInput, converter::kParsingRowCount> input{};
        for (std::size_t k = 0; k < rows.size(); ++k) {
            texts[3 * k] = Str(rows[k].address);
            texts[3 * k + 1] = Str(rows[k].length);
            texts[3 * k + 2] = Str(rows[k].coefficient);
            input[k] = {SentIndex(rows[k].command), texts[3 * k], texts[3 * k + 1], SentIndex(rows[k].format),
                        texts[3 * k + 2]};
        }
        return converter::BuildParsingFormatWrite(input, DecimalSeparator());
    });
    link_.SetDecoder(1165, [this, rows](const hart::AnswerFrame& f) {
        const auto r = converter::DecodeParsingFormat(f.data(), DecimalSeparator());
        if (!r)
            return false;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const auto& row = (*r)[k];
            const auto bytes = f.data().subspan(8 * k, 8); // command, address, length, format, coefficient
            ShowListByte(rows[k].command, row.commandIndex, bytes[0]);
            rows[k].address->setText(Text(row.dataAddr));
            rows[k].length->setText(Text(row.length));
            ShowListByte(rows[k].format, row.formatIndex, bytes[3]);
            rows[k].coefficient->setText(Text(row.coefficient));
        }
        return true;
    });

    // RS485 line of the converter.
    connect(ui_.Button14, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button14); });
    WireSet(ui_.Button17, RequestId::Button17, [this] {
        return converter::BuildLineSettingsWrite(SentIndex(ui_.ComboBox1), SentIndex(ui_.ComboBox2), Str(ui_.Edit13));
    });
    link_.SetDecoder(1173, [this](const hart::AnswerFrame& f) {
        const auto r = converter::DecodeLineSettings(f.data());
        if (!r)
            return false;
        ShowListByte(ui_.ComboBox1, r->baudIndex, f.data()[0]);
        ShowListByte(ui_.ComboBox2, r->parityIndex, f.data()[1]);
        ui_.Edit13->setText(Text(r->interval));
        ui_.Label90->setVisible(r->marker);
        return true;
    });

    // Analog inputs AD1..AD4, one row each.
    struct AnalogRow {
        QLineEdit* upper;
        QLineEdit* lower;
        QLineEdit* start;
        QLineEdit* coefficient;
        QPushButton* query;
        QPushButton* set;
        RequestId queryName;
        RequestId setName;
    };
    const std::array<AnalogRow, 4> analog{{
        {ui_.AD1H, ui_.AD1L, ui_.AD1LD, ui_.ADXSHOU1, ui_.Button8, ui_.Button13,
         RequestId::Button8, RequestId::Button13},
        {ui_.AD2H, ui_.AD2L, ui_.AD2LD, ui_.ADXSHOU2, ui_.Button31, ui_.Button40,
         RequestId::Button31, RequestId::Button40},
        {ui_.AD3H, ui_.AD3L, ui_.AD3LD, ui_.ADXSHOU3, ui_.Button21, ui_.Button20,
         RequestId::Button21, RequestId::Button20},
        {ui_.AD4H, ui_.AD4L, ui_.AD4LD, ui_.ADXSHOU4, ui_.Button24, ui_.Button22,
         RequestId::Button24, RequestId::Button22},
    }};
    for (const AnalogRow& a : analog) {
        connect(a.query, &QPushButton::clicked, this, [this, a] { SendQuery(a.queryName); });
        WireSet(a.set, a.setName, [this, a] {
            return converter::BuildAnalogWrite(Str(a.upper), Str(a.lower), Str(a.start), Str(a.coefficient),
                                               DecimalSeparator());
        });
        link_.SetDecoder(hart::Request(a.queryName).pendingCode, [this, a](const hart::AnswerFrame& f) {
            const auto r = converter::DecodeAnalog(f.data(), DecimalSeparator());
            if (!r)
                return false;
            a.upper->setText(Text(r->upper));
            a.lower->setText(Text(r->lower));
            a.start->setText(Text(r->start));
            a.coefficient->setText(Text(r->coefficient));
            return true;
        });
    }

    // HART variable mapping.
    const std::array<QComboBox*, 4> channels{ui_.Bianlan1, ui_.Bianlan2, ui_.Bianlan3, ui_.Bianlan4};
    const std::array<QComboBox*, 4> units{ui_.WEI1, ui_.WEI2, ui_.WEI3, ui_.WEI4};
    connect(ui_.Button36, &QPushButton::clicked, this, [this] { SendQuery(RequestId::Button36); });
    WireSet(ui_.Button23, RequestId::Button23, [channels, units] {
        converter::MappingValue m;
        for (std::size_t k = 0; k < 4; ++k) {
            m.channel[k] = converter::ListByte(SentIndex(channels[k]));
            m.unitCode[k] = SentUnitCode(units[k]);
        }
        return codec::Result<Bytes>::Ok(converter::EncodeMappingWrite(m));
    });
    link_.SetDecoder(1171, [channels, units](const hart::AnswerFrame& f) {
        const auto r = converter::DecodeMapping(f.data());
        if (!r)
            return false;
        for (std::size_t k = 0; k < 4; ++k) {
            ShowListByte(channels[k], r->channelIndex[k], f.data()[2 * k]);
            ShowUnitCode(units[k], f.data()[2 * k + 1]);
        }
        return true;
    });
}

} // namespace app

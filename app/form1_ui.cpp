#include "app/form1_ui.h"

#include "app/combo_index.h"
#include "app/key_filters.h"
#include "app/logo.h"
#include "codec/units.h"
#include "converter/list_items.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QCompleter>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHelpEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace app {

namespace {

// A status longer than the panel is cut at its edge (a network name makes it
// long); hovering it shows it whole.
class WholeTextTip : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* label = qobject_cast<QLabel*>(watched);
        if (event->type() != QEvent::ToolTip || !label)
            return false;
        if (label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), label->text(), label);
        return true;
    }
};

// The widget a page's controls are laid out in: inside a frameless scroll area
// that fills the page, so a window smaller than designed scrolls the page, and
// at the designed size the controls stand exactly where they always have.
QWidget* ScrollingContent(QWidget* page)
{
    auto* area = new QScrollArea(page);
    area->setObjectName(page->objectName() + QStringLiteral("Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName(page->objectName() + QStringLiteral("Content"));
    area->setWidget(content);
    // Transparent, so the tab page's own background shows as before.
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(area);
    return content;
}

const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kLime(0x00, 0xFF, 0x00);

constexpr int kButtonWidth = 75;

// Pixel width of a field for `chars` average characters of the form's font, frame included.
int FieldWidth(const QWidget* form, int chars) { return form->fontMetrics().averageCharWidth() * chars + 14; }

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // keeps the doubled blanks of some captions
    label->setText(text);
    return label;
}

QLabel* MakeNote(QWidget* parent, const QString& name, const QString& text, const QColor& background)
{
    QLabel* label = MakeLabel(parent, name, text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setMargin(2);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int width, const QString& text = QString())
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setText(text);
    edit->setFixedWidth(width);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setMinimumWidth(kButtonWidth);
    button->setAutoDefault(false);
    return button;
}

// Every list is editable: typed text may select no item, and it is never added as an item.
QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items, int width, int selected)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A case-folding completer would turn typed "com3" into the item "COM3" when editing ends.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->addItems(items);
    combo->setCurrentIndex(selected);
    combo->setFixedWidth(width);

    FitPopupToItems(combo);
    return combo;
}

QStringList Numbers(int first, int last)
{
    QStringList items;
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

QStringList UnitItems(codec::UnitListControl control)
{
    QStringList items;
    for (const std::string& text : codec::UnitList(control))
        items << QString::fromStdString(text);
    return items;
}

QStringList ListItems(std::span<const std::string_view> texts)
{
    QStringList items;
    for (const auto text : texts)
        items << QCoreApplication::translate("converter", std::string(text).c_str());
    return items;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& title)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(name);
    group->setTitle(title);
    return group;
}

QFrame* MakeSeparator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void KeepSpaceWhenHidden(QWidget* widget)
{
    // Showing the widget later must not shift its neighbours.
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

// Page 0, "Communication Test".
void Form1Ui::setupCommunicationTest(const QWidget* form)
{
    QWidget* page = ScrollingContent(TabSheet6);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(16, 12, 16, 8);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid);
    outer->addStretch(1);

    const int fieldWidth = FieldWidth(form, 18);
    const int unitComboWidth = FieldWidth(form, 22);
    const int bigButtonWidth = 190;
    int row = 0;
    auto addRow = [&](const QString& labelName, const QString& caption, QWidget* field) {
        grid->addWidget(MakeLabel(page, labelName, caption), row, 0);
        grid->addWidget(field, row, 1, Qt::AlignLeft);
        return row++;
    };

    ComboBox9 = MakeCombo(page, QStringLiteral("ComboBox9"), Numbers(0, 15), FieldWidth(form, 8), 0);
    const int firstIdentityRow
        = addRow(QStringLiteral("LabelAddressNumber"), tr("Address Number:"), ComboBox9);
    FindDevices = MakeButton(page, QStringLiteral("FindDevices"), tr("Find Devices"));
    grid->addWidget(FindDevices, firstIdentityRow, 3, Qt::AlignLeft);
    Edit1 = MakeEdit(page, QStringLiteral("Edit1"), fieldWidth);
    addRow(QStringLiteral("LabelManufacturingId"), tr("Manufacturing ID:"), Edit1);
    Edit2 = MakeEdit(page, QStringLiteral("Edit2"), fieldWidth);
    addRow(QStringLiteral("LabelSensorType"), tr("Sensor Type:"), Edit2);
    Edit3 = MakeEdit(page, QStringLiteral("Edit3"), fieldWidth);
    addRow(QStringLiteral("LabelPreambleLength"), tr("Preamble Length:"), Edit3);
    Edit4 = MakeEdit(page, QStringLiteral("Edit4"), fieldWidth);
    addRow(QStringLiteral("LabelSensorSerialNumber"), tr("Sensor Serial Number:"), Edit4);
    Button3 = MakeButton(page, QStringLiteral("Button3"), tr("Communication Test"));
    Button3->setFixedWidth(bigButtonWidth);
    grid->addWidget(Button3, firstIdentityRow, 4, row - firstIdentityRow, 1, Qt::AlignVCenter);

    grid->addWidget(MakeSeparator(page), row++, 0, 1, 5);

    Edit6 = MakeEdit(page, QStringLiteral("Edit6"), fieldWidth);
    const int firstCurrentRow = addRow(QStringLiteral("LabelCurrentValue"), tr("Current Value:"), Edit6);
    grid->addWidget(MakeLabel(page, QStringLiteral("LabelCurrentUnit"), QStringLiteral("mA")), firstCurrentRow, 2);
    Edit20 = MakeEdit(page, QStringLiteral("Edit20"), fieldWidth);
    const int percentRow
        = addRow(QStringLiteral("LabelOutputPercentage"), tr("Output Percentage:"), Edit20);
    grid->addWidget(MakeLabel(page, QStringLiteral("LabelPercentUnit"), QStringLiteral("%")), percentRow, 2);
    Button34 = MakeButton(page, QStringLiteral("Button34"), tr("Current Query"));
    Button34->setFixedWidth(bigButtonWidth);
    grid->addWidget(Button34, firstCurrentRow, 4, row - firstCurrentRow, 1, Qt::AlignVCenter);

    grid->addWidget(MakeSeparator(page), row++, 0, 1, 5);

    const std::array<const char*, 4> variableEdits{"Edit5", "Edit17", "Edit18", "Edit30"};
    const std::array<const char*, 4> unitCombos{"ComboBox5", "ComboBox15", "ComboBox16", "ComboBox6"};
    const std::array<codec::UnitListControl, 4> unitLists{codec::UnitListControl::ComboBox5,
        codec::UnitListControl::ComboBox15, codec::UnitListControl::ComboBox16, codec::UnitListControl::ComboBox6};
    std::array<QLineEdit*, 4> edits{};
    std::array<QComboBox*, 4> units{};
    const int firstVariableRow = row;
    for (int i = 0; i < 4; ++i) {
        edits[i] = MakeEdit(page, QString::fromLatin1(variableEdits[i]), fieldWidth);
        const int r
            = addRow(QStringLiteral("LabelVariable%1").arg(i + 1), tr("Variable %1:").arg(i + 1), edits[i]);
        grid->addWidget(MakeLabel(page, QStringLiteral("LabelUnit%1").arg(i + 1), tr("Unit:")), r, 2);
        // No unit is shown for the first variable until a query fills it.
        units[i] = MakeCombo(
            page, QString::fromLatin1(unitCombos[i]), UnitItems(unitLists[i]), unitComboWidth, i == 0 ? -1 : 0);
        grid->addWidget(units[i], r, 3, Qt::AlignLeft);
    }
    Edit5 = edits[0];
    Edit17 = edits[1];
    Edit18 = edits[2];
    Edit30 = edits[3];
    ComboBox5 = units[0];
    ComboBox15 = units[1];
    ComboBox16 = units[2];
    ComboBox6 = units[3];
    Button4 = MakeButton(page, QStringLiteral("Button4"), tr("Instrument Data Query"));
    Button4->setFixedWidth(bigButtonWidth);
    grid->addWidget(Button4, firstVariableRow, 4, row - firstVariableRow, 1, Qt::AlignVCenter);
    LiveSwitch = MakeButton(page, QStringLiteral("LiveSwitch"), tr("Live"));
    LiveSwitch->setCheckable(true);
    LiveInterval = new QSpinBox(page);
    LiveInterval->setObjectName(QStringLiteral("LiveInterval"));
    LiveInterval->setRange(0, 60);
    LiveInterval->setSuffix(QStringLiteral(" s"));
    LiveInterval->setSpecialValueText(tr("fastest"));
    LiveInterval->setToolTip(tr("Time between two samples"));
    LiveTrend = MakeButton(page, QStringLiteral("LiveTrend"), tr("Trend..."));
    LiveState = MakeLabel(page, QStringLiteral("LiveState"), QString());
    auto* live = new QGridLayout;
    live->addWidget(LiveSwitch, 0, 0);
    live->addWidget(LiveInterval, 0, 1);
    live->addWidget(LiveTrend, 1, 0, 1, 2);
    live->addWidget(LiveState, 2, 0, 1, 2);
    grid->addLayout(live, firstVariableRow, 5, row - firstVariableRow, 1, Qt::AlignLeft | Qt::AlignVCenter);

    Label33 = MakeLabel(page, QStringLiteral("Label33"), QString());
    Label33->setMinimumSize(300, 20);
    grid->addWidget(Label33, row++, 0, 1, 4);

    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnMinimumWidth(3, unitComboWidth);
    grid->setColumnMinimumWidth(4, bigButtonWidth);
    grid->setColumnStretch(5, 1);
}

// Page 1, "Parameter Configuration".
void Form1Ui::setupParameterConfiguration(const QWidget* form)
{
    QWidget* page = ScrollingContent(TabSheet8);
    auto* outer = new QHBoxLayout(page);
    outer->setContentsMargins(16, 12, 16, 8);
    outer->setSpacing(24);
    const int fieldWidth = FieldWidth(form, 14);

    GroupBoxRange = MakeGroup(page, QStringLiteral("GroupBoxRange"), tr("OUT DC4-20mA Output"));
    auto* rangeGrid = new QGridLayout(GroupBoxRange);
    rangeGrid->setHorizontalSpacing(10);
    rangeGrid->setVerticalSpacing(10);
    rangeGrid->addWidget(
        MakeLabel(GroupBoxRange, QStringLiteral("LabelOut20mA"), tr("OUT  DC20mA:")), 0, 0);
    Edit11 = MakeEdit(GroupBoxRange, QStringLiteral("Edit11"), fieldWidth);
    rangeGrid->addWidget(Edit11, 0, 1);
    rangeGrid->addWidget(MakeLabel(GroupBoxRange, QStringLiteral("LabelOut4mA"), tr("OUT  DC4mA:")), 1, 0);
    Edit12 = MakeEdit(GroupBoxRange, QStringLiteral("Edit12"), fieldWidth);
    rangeGrid->addWidget(Edit12, 1, 1);
    auto* rangeButtons = new QHBoxLayout;
    Button9 = MakeButton(GroupBoxRange, QStringLiteral("Button9"), tr("Query"));
    Button10 = MakeButton(GroupBoxRange, QStringLiteral("Button10"), tr("Set"));
    rangeButtons->addStretch(1);
    rangeButtons->addWidget(Button9);
    rangeButtons->addWidget(Button10);
    rangeGrid->addLayout(rangeButtons, 2, 0, 1, 2);
    outer->addWidget(GroupBoxRange, 0, Qt::AlignTop);

    GroupBoxCurrent = MakeGroup(page, QStringLiteral("GroupBoxCurrent"), tr("Current Output"));
    auto* currentLayout = new QVBoxLayout(GroupBoxCurrent);
    currentLayout->setSpacing(6);
    auto makeRadio = [&](const QString& name, const QString& text) {
        auto* radio = new QRadioButton(GroupBoxCurrent);
        radio->setObjectName(name);
        radio->setText(text);
        return radio;
    };
    RadioButton1 = makeRadio(QStringLiteral("RadioButton1"), tr("4mA Output"));
    RadioButton2 = makeRadio(QStringLiteral("RadioButton2"), tr("8mA Output"));
    RadioButton3 = makeRadio(QStringLiteral("RadioButton3"), tr("12mA Output"));
    RadioButton4 = makeRadio(QStringLiteral("RadioButton4"), tr("16mA Output"));
    RadioButton5 = makeRadio(QStringLiteral("RadioButton5"), tr("20mA Output"));
    RadioButton6 = makeRadio(QStringLiteral("RadioButton6"), tr("Other Output"));
    RadioButton7 = makeRadio(QStringLiteral("RadioButton7"), tr("Exit Fixed Mode"));
    RadioButton1->setChecked(true);
    for (QRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5})
        currentLayout->addWidget(radio);
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(RadioButton6);
    Edit7 = MakeEdit(GroupBoxCurrent, QStringLiteral("Edit7"), FieldWidth(form, 8));
    otherRow->addWidget(Edit7);
    otherRow->addWidget(MakeLabel(GroupBoxCurrent, QStringLiteral("LabelOtherUnit"), QStringLiteral("mA")));
    otherRow->addStretch(1);
    currentLayout->addLayout(otherRow);
    currentLayout->addWidget(RadioButton7);
    auto* setRow = new QHBoxLayout;
    Button6 = MakeButton(GroupBoxCurrent, QStringLiteral("Button6"), tr("Set"));
    ButtonLoopTest = MakeButton(GroupBoxCurrent, QStringLiteral("ButtonLoopTest"), tr("Loop Test..."));
    setRow->addStretch(1);
    setRow->addWidget(ButtonLoopTest);
    setRow->addWidget(Button6);
    currentLayout->addLayout(setRow);
    GroupBoxCurrent->setMinimumWidth(300);
    outer->addWidget(GroupBoxCurrent, 0, Qt::AlignTop);
    outer->addStretch(1);
}

// Page 2, "Instrument Information".
void Form1Ui::setupInstrumentInformation(const QWidget* form)
{
    QWidget* page = ScrollingContent(TabSheet9);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    // The two click areas that reveal the internal parameters carry no caption.
    auto makeClickArea = [&](const QString& name) {
        QLabel* label = MakeLabel(page, name, QString());
        label->setFixedSize(20, 20);
        return label;
    };
    Label71 = makeClickArea(QStringLiteral("Label71"));
    Label70 = makeClickArea(QStringLiteral("Label70"));
    outer->addWidget(Label71, 0, Qt::AlignRight | Qt::AlignTop);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(12, 0, 12, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    outer->addLayout(grid);

    const int textWidth = FieldWidth(form, 34);
    int row = 0;
    auto addRowLabel
        = [&](const QString& name, const QString& caption) { grid->addWidget(MakeLabel(page, name, caption), row, 0); };
    auto addHint
        = [&](const QString& name, const QString& text) { grid->addWidget(MakeLabel(page, name, text), row, 2); };

    addRowLabel(QStringLiteral("LabelMessage"), tr("Instrument Information:"));
    Edit21 = MakeEdit(page, QStringLiteral("Edit21"), textWidth);
    grid->addWidget(Edit21, row, 1, Qt::AlignLeft);
    addHint(QStringLiteral("LabelMessageHint"), tr("maximum 32 characters"));
    Button28 = MakeButton(page, QStringLiteral("Button28"), tr("Query"));
    Button29 = MakeButton(page, QStringLiteral("Button29"), tr("Set"));
    grid->addWidget(Button28, row, 3);
    grid->addWidget(Button29, row, 4);
    ++row;

    addRowLabel(QStringLiteral("LabelTag"), tr("Tag:"));
    Edit22 = MakeEdit(page, QStringLiteral("Edit22"), textWidth);
    grid->addWidget(Edit22, row, 1, Qt::AlignLeft);
    addHint(QStringLiteral("LabelTagHint"), tr("maximum 8 characters"));
    ++row;
    addRowLabel(QStringLiteral("LabelDescriptor"), tr("Descriptor:"));
    Edit23 = MakeEdit(page, QStringLiteral("Edit23"), textWidth);
    grid->addWidget(Edit23, row, 1, Qt::AlignLeft);
    addHint(QStringLiteral("LabelDescriptorHint"), tr("maximum 16 characters"));
    ++row;

    // Year / Month / Day headings stand over their fields: both rows use the same fixed widths.
    const int dateWidth = FieldWidth(form, 6);
    auto* headings = new QHBoxLayout;
    auto* dateFields = new QHBoxLayout;
    headings->setSpacing(8);
    dateFields->setSpacing(8);
    const std::array<const char*, 3> headingNames{"LabelYear", "LabelMonth", "LabelDay"};
    const std::array<const char*, 3> headingTexts{QT_TR_NOOP("Year"), QT_TR_NOOP("Month"), QT_TR_NOOP("Day")};
    const std::array<const char*, 3> dateNames{"Edit24", "Edit25", "Edit29"};
    std::array<QLineEdit*, 3> dates{};
    for (int i = 0; i < 3; ++i) {
        QLabel* heading = MakeLabel(page, QString::fromLatin1(headingNames[i]), tr(headingTexts[i]));
        heading->setFixedWidth(dateWidth);
        headings->addWidget(heading);
        dates[i] = MakeEdit(page, QString::fromLatin1(dateNames[i]), dateWidth);
        dateFields->addWidget(dates[i]);
    }
    headings->addStretch(1);
    dateFields->addStretch(1);
    Edit24 = dates[0];
    Edit25 = dates[1];
    Edit29 = dates[2];
    grid->addLayout(headings, row++, 1);
    addRowLabel(QStringLiteral("LabelDateOfProduction"), tr("Date Of Production:"));
    grid->addLayout(dateFields, row, 1);
    // One Query/Set pair reads and writes tag, descriptor and date together.
    Button32 = MakeButton(page, QStringLiteral("Button32"), tr("Query"));
    Button33 = MakeButton(page, QStringLiteral("Button33"), tr("Set"));
    grid->addWidget(Button32, row, 3);
    grid->addWidget(Button33, row, 4);
    ++row;

    addRowLabel(QStringLiteral("LabelTransducerSerial"), tr("Sensor Serial Number:"));
    Edit28 = MakeEdit(page, QStringLiteral("Edit28"), FieldWidth(form, 12));
    grid->addWidget(Edit28, row, 1, Qt::AlignLeft);
    grid->addWidget(MakeNote(page, QStringLiteral("LabelSerialNote"),
                        tr("note\uFF1Athe serial number is less than 16777215"), kFuchsia),
        row, 2, Qt::AlignLeft);
    Button37 = MakeButton(page, QStringLiteral("Button37"), tr("Set"));
    grid->addWidget(Button37, row, 4);
    ++row;

    addRowLabel(QStringLiteral("LabelAssemblyNumber"), tr("Assembly Number:"));
    Edit26 = MakeEdit(page, QStringLiteral("Edit26"), FieldWidth(form, 14));
    grid->addWidget(Edit26, row, 1, Qt::AlignLeft);
    Button38 = MakeButton(page, QStringLiteral("Button38"), tr("Query"));
    Button39 = MakeButton(page, QStringLiteral("Button39"), tr("Set"));
    grid->addWidget(Button38, row, 3);
    grid->addWidget(Button39, row, 4);
    ++row;

    addRowLabel(QStringLiteral("LabelAddressModification"), tr("Address Modification:"));
    ComboBox3 = MakeCombo(page, QStringLiteral("ComboBox3"), Numbers(0, 15), FieldWidth(form, 8), -1);
    grid->addWidget(ComboBox3, row, 1, Qt::AlignLeft);
    Button27 = MakeButton(page, QStringLiteral("Button27"), tr("Set"));
    grid->addWidget(Button27, row, 4);
    ++row;

    addRowLabel(QStringLiteral("LabelLongTag"), tr("LTAG:"));
    Edit8 = MakeEdit(page, QStringLiteral("Edit8"), textWidth, QStringLiteral("DT"));
    grid->addWidget(Edit8, row, 1, Qt::AlignLeft);
    Button2 = MakeButton(page, QStringLiteral("Button2"), tr("Query"));
    Button18 = MakeButton(page, QStringLiteral("Button18"), tr("Set"));
    grid->addWidget(Button2, row, 3);
    grid->addWidget(Button18, row, 4);
    ++row;
    grid->setColumnStretch(5, 1);

    GroupBox4 = MakeGroup(page, QStringLiteral("GroupBox4"), tr("internal parameter settings"));
    auto* internal = new QGridLayout(GroupBox4);
    internal->setHorizontalSpacing(10);
    internal->setVerticalSpacing(6);
    internal->addWidget(
        MakeLabel(GroupBox4, QStringLiteral("LabelInternalSensorType"), tr("Sensor Type:")), 0, 0);
    Edit9 = MakeEdit(GroupBox4, QStringLiteral("Edit9"), FieldWidth(form, 8));
    internal->addWidget(Edit9, 0, 1);
    internal->addWidget(
        MakeLabel(GroupBox4, QStringLiteral("LabelInternalManufacturingId"), tr("Manufacturing ID:")), 1,
        0);
    Edit10 = MakeEdit(GroupBox4, QStringLiteral("Edit10"), FieldWidth(form, 8));
    internal->addWidget(Edit10, 1, 1);
    Button16 = MakeButton(GroupBox4, QStringLiteral("Button16"), tr("Query"));
    Button7 = MakeButton(GroupBox4, QStringLiteral("Button7"), tr("Set"));
    internal->addWidget(Button16, 0, 2, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    internal->addWidget(Button7, 0, 3, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    internal->setColumnStretch(4, 1);
    internal->addWidget(
        MakeNote(GroupBox4, QStringLiteral("LabelInternalNote"),
            tr("after resetting the sensor type or manufacturing ID, a new query is required to communicate"),
            kFuchsia),
        2, 0, 1, 5, Qt::AlignLeft);
    GroupBox4->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    KeepSpaceWhenHidden(GroupBox4);
    GroupBox4->hide();
    auto* internalRow = new QHBoxLayout;
    internalRow->setContentsMargins(12, 8, 12, 0);
    internalRow->addWidget(GroupBox4);
    internalRow->addStretch(1);
    outer->addLayout(internalRow);

    outer->addStretch(1);
    outer->addWidget(Label70, 0, Qt::AlignLeft | Qt::AlignBottom);
}

// Page 3, "Input Configuration".
void Form1Ui::setupInputConfiguration(const QWidget* form)
{
    QWidget* page = ScrollingContent(TabSheet1);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(6, 4, 6, 4);
    outer->setSpacing(3);

    GroupBoxRs485 = MakeGroup(page, QStringLiteral("GroupBoxRs485"), tr("RS485 Parameter Configuration"));
    auto* rs485 = new QVBoxLayout(GroupBoxRs485);
    rs485->setContentsMargins(8, 2, 8, 4);
    rs485->setSpacing(2);
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    line->addWidget(MakeLabel(GroupBoxRs485, QStringLiteral("LabelBaudRate"), tr("Baud Rate:")));
    ComboBox1 = MakeCombo(GroupBoxRs485, QStringLiteral("ComboBox1"),
        ListItems(converter::BaudItems()),
        FieldWidth(form, 10), 3);
    line->addWidget(ComboBox1);
    line->addSpacing(16);
    line->addWidget(MakeLabel(GroupBoxRs485, QStringLiteral("LabelParityBit"), tr("Parity Bit:")));
    ComboBox2 = MakeCombo(GroupBoxRs485, QStringLiteral("ComboBox2"),
        ListItems(converter::ParityItems()), FieldWidth(form, 9), 0);
    line->addWidget(ComboBox2);
    line->addSpacing(16);
    line->addWidget(
        MakeLabel(GroupBoxRs485, QStringLiteral("LabelInterval"), tr("Communication Interval Time:")));
    Edit13 = MakeEdit(GroupBoxRs485, QStringLiteral("Edit13"), FieldWidth(form, 6), QStringLiteral("10"));
    line->addWidget(Edit13);
    line->addWidget(MakeLabel(GroupBoxRs485, QStringLiteral("LabelIntervalUnit"), QStringLiteral("* 0.1S")));
    line->addStretch(1);
    Button14 = MakeButton(GroupBoxRs485, QStringLiteral("Button14"), tr("Query"));
    Button17 = MakeButton(GroupBoxRs485, QStringLiteral("Button17"), tr("Set"));
    line->addWidget(Button14);
    line->addWidget(Button17);
    rs485->addLayout(line);
    auto* noteLine = new QHBoxLayout;
    noteLine->setSpacing(8);
    Label90 = MakeLabel(GroupBoxRs485, QStringLiteral("Label90"), QStringLiteral("***"));
    QFont markerFont = form->font();
    markerFont.setPointSize(14);
    markerFont.setBold(true);
    Label90->setFont(markerFont);
    QPalette markerPalette = Label90->palette();
    markerPalette.setColor(QPalette::WindowText, Qt::red);
    Label90->setPalette(markerPalette);
    KeepSpaceWhenHidden(Label90);
    Label90->hide();
    noteLine->addWidget(Label90);
    Label89 = MakeNote(GroupBoxRs485, QStringLiteral("Label89"),
        tr("when the interval time is 00,the converter writes variable according to the MODBUS instruction"),
        kLime);
    noteLine->addWidget(Label89, 0, Qt::AlignVCenter);
    noteLine->addStretch(1);
    rs485->addLayout(noteLine);
    outer->addWidget(GroupBoxRs485);

    const std::array<const char*, 4> returnLetters{"A", "B", "C", "D"};
    const std::array<std::array<const char*, 2>, 4> buttonNames{
        {{"Button11", "Button12"}, {"Button15", "Button5"}, {"Button25", "Button26"}, {"Button35", "Button41"}}};
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        QGroupBox* group
            = MakeGroup(page, QStringLiteral("GroupBoxCommand") + n, tr("Instrument Command %1").arg(n));
        auto* row = new QHBoxLayout(group);
        row->setContentsMargins(8, 2, 8, 4);
        row->setSpacing(6);
        row->addWidget(MakeLabel(group, QStringLiteral("LabelEnable") + n, tr("Enable:")));
        COMEN[i] = MakeCombo(group, QStringLiteral("COMEN") + n, ListItems(converter::EnableItems()),
            FieldWidth(form, 10), 0);
        row->addWidget(COMEN[i]);
        row->addSpacing(8);
        row->addWidget(MakeLabel(group, QStringLiteral("LabelCommandCode") + n, tr("Command Code:")));
        Camd[i] = new QLineEdit(group);
        Camd[i]->setObjectName(QStringLiteral("Camd") + n);
        Camd[i]->setMinimumWidth(FieldWidth(form, 30));
        row->addWidget(Camd[i], 1);
        row->addSpacing(8);
        row->addWidget(MakeLabel(group, QStringLiteral("LabelReturnByte1_") + n, tr("Return Byte 1:")));
        ReturnByte1[i] = MakeEdit(group, QString::fromLatin1(returnLetters[i]) + QStringLiteral("COMBY1"),
            FieldWidth(form, 4), QStringLiteral("00"));
        row->addWidget(ReturnByte1[i]);
        row->addWidget(MakeLabel(group, QStringLiteral("LabelReturnByte2_") + n, tr("Byte 2:")));
        ReturnByte2[i] = MakeEdit(group, QString::fromLatin1(returnLetters[i]) + QStringLiteral("COMBY2"),
            FieldWidth(form, 4), QStringLiteral("00"));
        row->addWidget(ReturnByte2[i]);
        row->addSpacing(8);
        CommandQuery[i] = MakeButton(group, QString::fromLatin1(buttonNames[i][0]), tr("Query"));
        CommandSet[i] = MakeButton(group, QString::fromLatin1(buttonNames[i][1]), tr("Set"));
        row->addWidget(CommandQuery[i]);
        row->addWidget(CommandSet[i]);
        GroupBoxCommand[i] = group;
        outer->addWidget(group);
    }
    COMEN1 = COMEN[0];
    COMEN2 = COMEN[1];
    COMEN3 = COMEN[2];
    COMEN4 = COMEN[3];
    Camd1 = Camd[0];
    Camd2 = Camd[1];
    Camd3 = Camd[2];
    Camd4 = Camd[3];
    ACOMBY1 = ReturnByte1[0];
    BCOMBY1 = ReturnByte1[1];
    CCOMBY1 = ReturnByte1[2];
    DCOMBY1 = ReturnByte1[3];
    ACOMBY2 = ReturnByte2[0];
    BCOMBY2 = ReturnByte2[1];
    CCOMBY2 = ReturnByte2[2];
    DCOMBY2 = ReturnByte2[3];
    Button11 = CommandQuery[0];
    Button12 = CommandSet[0];
    Button15 = CommandQuery[1];
    Button5 = CommandSet[1];
    Button25 = CommandQuery[2];
    Button26 = CommandSet[2];
    Button35 = CommandQuery[3];
    Button41 = CommandSet[3];

    GroupBoxParsing = MakeGroup(page, QStringLiteral("GroupBoxParsing"), tr("MODBUS Paring Format"));
    auto* grid = new QGridLayout(GroupBoxParsing);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const std::array<const char*, 5> headers{
        QT_TR_NOOP("Command Number"), QT_TR_NOOP("Data Addr"), QT_TR_NOOP("Length"), QT_TR_NOOP("Parsing Format"),
        QT_TR_NOOP("Coefficient")};
    const std::array<const char*, 5> headerNames{
        "LabelCommandNumber", "LabelDataAddr", "LabelLength", "LabelParsingFormat", "LabelCoefficient"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(
            MakeLabel(GroupBoxParsing, QString::fromLatin1(headerNames[c]), tr(headers[c])), 0, c + 1);
    const std::array<const char*, 5> rowLabels{
        QT_TR_NOOP("RS485 AD3 Value:"), QT_TR_NOOP("RS485 AD4 Value:"), QT_TR_NOOP("RS485 AD5 Value:"),
        QT_TR_NOOP("RS485 AD6 Value:"), QT_TR_NOOP("Serial Number:")};
    const QStringList commandNumbers = ListItems(converter::CommandNumberItems());
    const QStringList formats = ListItems(converter::ParsingFormatItems());
    for (int r = 0; r < 5; ++r) {
        const QString n = QString::number(r + 1);
        grid->addWidget(
            MakeLabel(GroupBoxParsing, QStringLiteral("LabelParsingRow") + n, tr(rowLabels[r])), r + 1,
            0);
        Dcom[r] = MakeCombo(GroupBoxParsing, QStringLiteral("Dcom") + n, commandNumbers, FieldWidth(form, 18), 0);
        grid->addWidget(Dcom[r], r + 1, 1);
        Dadr[r] = MakeEdit(GroupBoxParsing, QStringLiteral("Dadr") + n, FieldWidth(form, 8));
        grid->addWidget(Dadr[r], r + 1, 2);
        Ddatalg[r] = MakeEdit(GroupBoxParsing, QStringLiteral("Ddatalg") + n, FieldWidth(form, 6), QStringLiteral("4"));
        grid->addWidget(Ddatalg[r], r + 1, 3);
        Dxieyi[r] = MakeCombo(GroupBoxParsing, QStringLiteral("Dxieyi") + n, formats, FieldWidth(form, 44), 0);
        grid->addWidget(Dxieyi[r], r + 1, 4);
        // In the locale's own form, so that a Set at start parses it.
        const QString coefficientOne = QStringLiteral("1") + QLocale().decimalPoint() + QStringLiteral("000");
        Dxishu[r]
            = MakeEdit(GroupBoxParsing, QStringLiteral("Dxishu") + n, FieldWidth(form, 10), coefficientOne);
        grid->addWidget(Dxishu[r], r + 1, 5);
    }
    Button30 = MakeButton(GroupBoxParsing, QStringLiteral("Button30"), tr("Query"));
    Button19 = MakeButton(GroupBoxParsing, QStringLiteral("Button19"), tr("Set"));
    grid->addWidget(Button30, 1, 7, 2, 1, Qt::AlignVCenter);
    grid->addWidget(Button19, 3, 7, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(6, 1);
    Dcom1 = Dcom[0];
    Dcom2 = Dcom[1];
    Dcom3 = Dcom[2];
    Dcom4 = Dcom[3];
    Dcom5 = Dcom[4];
    Dadr1 = Dadr[0];
    Dadr2 = Dadr[1];
    Dadr3 = Dadr[2];
    Dadr4 = Dadr[3];
    Dadr5 = Dadr[4];
    Ddatalg1 = Ddatalg[0];
    Ddatalg2 = Ddatalg[1];
    Ddatalg3 = Ddatalg[2];
    Ddatalg4 = Ddatalg[3];
    Ddatalg5 = Ddatalg[4];
    Dxieyi1 = Dxieyi[0];
    Dxieyi2 = Dxieyi[1];
    Dxieyi3 = Dxieyi[2];
    Dxieyi4 = Dxieyi[3];
    Dxieyi5 = Dxieyi[4];
    Dxishu1 = Dxishu[0];
    Dxishu2 = Dxishu[1];
    Dxishu3 = Dxishu[2];
    Dxishu4 = Dxishu[3];
    Dxishu5 = Dxishu[4];
    outer->addWidget(GroupBoxParsing);
    outer->addStretch(1);
}

// Page 4, "Analog & Variable Configuration".
void Form1Ui::setupAnalogAndVariables(const QWidget* form)
{
    QWidget* page = ScrollingContent(TabSheet2);
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(10, 8, 10, 8);
    outer->setSpacing(10);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(12);
    outer->addLayout(upper);

    GroupBoxAnalog = MakeGroup(page, QStringLiteral("GroupBoxAnalog"), tr("Analog Configuration"));
    auto* grid = new QGridLayout(GroupBoxAnalog);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    const std::array<const char*, 4> headers{
        QT_TR_NOOP("Upper Limit"), QT_TR_NOOP("Lower Llimit"), QT_TR_NOOP("Start Point"), QT_TR_NOOP("Coefficient/10000")};
    const std::array<const char*, 4> headerNames{
        "LabelUpperLimit", "LabelLowerLimit", "LabelStartPoint", "LabelCoefficient10000"};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(
            MakeLabel(GroupBoxAnalog, QString::fromLatin1(headerNames[c]), tr(headers[c])), 0, c + 1);
    const std::array<std::array<const char*, 2>, 4> buttonNames{
        {{"Button8", "Button13"}, {"Button31", "Button40"}, {"Button21", "Button20"}, {"Button24", "Button22"}}};
    const int fieldWidth = FieldWidth(form, 11);
    for (int r = 0; r < 4; ++r) {
        const QString n = QString::number(r + 1);
        grid->addWidget(
            MakeLabel(GroupBoxAnalog, QStringLiteral("LabelAD") + n, QStringLiteral("AD") + n + QStringLiteral(":")),
            r + 1, 0);
        ADH[r] = MakeEdit(GroupBoxAnalog, QStringLiteral("AD") + n + QStringLiteral("H"), fieldWidth);
        ADL[r] = MakeEdit(GroupBoxAnalog, QStringLiteral("AD") + n + QStringLiteral("L"), fieldWidth);
        ADLD[r] = MakeEdit(GroupBoxAnalog, QStringLiteral("AD") + n + QStringLiteral("LD"), fieldWidth);
        ADXSHOU[r] = MakeEdit(GroupBoxAnalog, QStringLiteral("ADXSHOU") + n, fieldWidth, QStringLiteral("10000"));
        grid->addWidget(ADH[r], r + 1, 1);
        grid->addWidget(ADL[r], r + 1, 2);
        grid->addWidget(ADLD[r], r + 1, 3);
        grid->addWidget(ADXSHOU[r], r + 1, 4);
        AnalogQuery[r] = MakeButton(GroupBoxAnalog, QString::fromLatin1(buttonNames[r][0]), tr("Query"));
        AnalogSet[r] = MakeButton(GroupBoxAnalog, QString::fromLatin1(buttonNames[r][1]), tr("Set"));
        grid->addWidget(AnalogQuery[r], r + 1, 5);
        grid->addWidget(AnalogSet[r], r + 1, 6);
    }
    AD1H = ADH[0];
    AD2H = ADH[1];
    AD3H = ADH[2];
    AD4H = ADH[3];
    AD1L = ADL[0];
    AD2L = ADL[1];
    AD3L = ADL[2];
    AD4L = ADL[3];
    AD1LD = ADLD[0];
    AD2LD = ADLD[1];
    AD3LD = ADLD[2];
    AD4LD = ADLD[3];
    ADXSHOU1 = ADXSHOU[0];
    ADXSHOU2 = ADXSHOU[1];
    ADXSHOU3 = ADXSHOU[2];
    ADXSHOU4 = ADXSHOU[3];
    Button8 = AnalogQuery[0];
    Button13 = AnalogSet[0];
    Button31 = AnalogQuery[1];
    Button40 = AnalogSet[1];
    Button21 = AnalogQuery[2];
    Button20 = AnalogSet[2];
    Button24 = AnalogQuery[3];
    Button22 = AnalogSet[3];
    upper->addWidget(GroupBoxAnalog, 0, Qt::AlignTop);

    Memo1 = new QPlainTextEdit(page);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setPlainText(tr("instructions for using coefficient values\n"
                                       "when greater than 1000:\n"
                                       "actual value=measured value * (1+V/10000)\n"
                                       "when less than 1000:\n"
                                       "actual value=measured value * (1-V/10000)"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    int memoWidth = 0;
    for (const QString& line : Memo1->toPlainText().split(u'\n'))
        memoWidth = std::max(memoWidth, Memo1->fontMetrics().horizontalAdvance(line));
    Memo1->setMinimumWidth(memoWidth + 2 * Memo1->frameWidth() + 2 * int(Memo1->document()->documentMargin()) + 8);
    upper->addWidget(Memo1, 1);

    GroupBoxMapping
        = MakeGroup(page, QStringLiteral("GroupBoxMapping"), tr("HART Variable Output Configuration"));
    auto* mapping = new QGridLayout(GroupBoxMapping);
    mapping->setHorizontalSpacing(10);
    mapping->setVerticalSpacing(6);
    mapping->addWidget(
        MakeLabel(GroupBoxMapping, QStringLiteral("LabelInputChannel"), tr("Input Channel")), 0, 1);
    mapping->addWidget(MakeLabel(GroupBoxMapping, QStringLiteral("LabelUnitCode"), tr("Unit Code")), 0, 2);
    const std::array<codec::UnitListControl, 4> unitLists{codec::UnitListControl::WEI1, codec::UnitListControl::WEI2,
        codec::UnitListControl::WEI3, codec::UnitListControl::WEI4};
    for (int r = 0; r < 4; ++r) {
        const QString n = QString::number(r + 1);
        mapping->addWidget(MakeLabel(GroupBoxMapping, QStringLiteral("LabelMappingVariable") + n,
                               tr("Variable %1:").arg(r + 1)),
            r + 1, 0);
        Bianlan[r]
            = MakeCombo(GroupBoxMapping, QStringLiteral("Bianlan") + n, ListItems(converter::InputChannelItems()), FieldWidth(form, 32), 0);
        mapping->addWidget(Bianlan[r], r + 1, 1);
        WEI[r] = MakeCombo(
            GroupBoxMapping, QStringLiteral("WEI") + n, UnitItems(unitLists[r]), FieldWidth(form, 26), 0);
        mapping->addWidget(WEI[r], r + 1, 2);
    }
    Button36 = MakeButton(GroupBoxMapping, QStringLiteral("Button36"), tr("Query"));
    Button23 = MakeButton(GroupBoxMapping, QStringLiteral("Button23"), tr("Set"));
    mapping->addWidget(Button36, 1, 3, 2, 1, Qt::AlignVCenter);
    mapping->addWidget(Button23, 3, 3, 2, 1, Qt::AlignVCenter);
    mapping->setColumnMinimumWidth(3, kButtonWidth);
    Bianlan1 = Bianlan[0];
    Bianlan2 = Bianlan[1];
    Bianlan3 = Bianlan[2];
    Bianlan4 = Bianlan[3];
    WEI1 = WEI[0];
    WEI2 = WEI[1];
    WEI3 = WEI[2];
    WEI4 = WEI[3];
    auto* lower = new QHBoxLayout;
    lower->addWidget(GroupBoxMapping);
    lower->addStretch(1);
    outer->addLayout(lower);
    outer->addStretch(1);
}

void Form1Ui::setupUi(QWidget* form)
{
    form->setObjectName(QStringLiteral("Form1"));
    form->setWindowTitle(QStringLiteral("MODBUS-HART"));
    QFont font = form->font();
    font.setPointSize(9);
    form->setFont(font);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, kSkyBlue);
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    // The designed size; smaller screens get a smaller window whose pages scroll.
    form->resize(978, 679);

    auto* formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(6, 4, 6, 4);
    formLayout->setSpacing(4);

    // ---- top strip ----
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    Image1 = MakeLabel(form, QStringLiteral("Image1"), QString());
    Image1->setFixedSize(105, 40);
    Image1->setScaledContents(true);
    ShowLogo(Image1, LogoJpeg());
    top->addWidget(Image1);

    auto* title = new QVBoxLayout;
    title->setSpacing(0);
    Label1 = MakeLabel(form, QStringLiteral("Label1"), tr("Quorvane Configuration Software"));
    QFont titleFont = font;
    titleFont.setPointSize(13);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    title->addWidget(Label1);
    Label23 = MakeLabel(form, QStringLiteral("Label23"), QStringLiteral("V4.2(2023-08- 10)"));
    title->addWidget(Label23);
    top->addLayout(title);
    top->addStretch(1);

    Label4 = MakeLabel(form, QStringLiteral("Label4"), tr("Serial Port:"));
    top->addWidget(Label4);
    QStringList ports;
    for (int i = 1; i <= 9; ++i)
        ports << QStringLiteral("COM%1").arg(i);
    SPREALCOM = MakeCombo(form, QStringLiteral("SPREALCOM"), ports, 150, 0);
    top->addWidget(SPREALCOM);
    Button1 = MakeButton(form, QStringLiteral("Button1"), tr("Open"));
    top->addWidget(Button1);
    top->addSpacing(16);

    auto* contact = new QVBoxLayout;
    contact->setSpacing(0);
    QFont smallFont = font;
    smallFont.setPointSize(8);
    LabelCompany = MakeLabel(form, QStringLiteral("LabelCompany"), QStringLiteral("Quorvane Instruments Co., Ltd."));
    LabelPhone = MakeLabel(form, QStringLiteral("LabelPhone"), tr("Tel: +86-555-0100-4242"));
    LabelWeb = MakeLabel(form, QStringLiteral("LabelWeb"), QStringLiteral("www.quorvane.example"));
    for (QLabel* label : {LabelCompany, LabelPhone, LabelWeb}) {
        label->setFont(smallFont);
        contact->addWidget(label, 0, Qt::AlignRight);
    }
    top->addLayout(contact);
    // The titles and the contact lines give way first when the window is narrower
    // than designed (a small or scaled screen); with room they keep their full width.
    for (QLabel* label : {Label1, Label23, LabelCompany, LabelPhone, LabelWeb})
        label->setMinimumWidth(1);
    formLayout->addLayout(top);

    // ---- pages ----
    PageControl2 = new QTabWidget(form);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    formLayout->addWidget(PageControl2, 1);

    auto makePage = [&](const QString& name, const QString& caption) {
        auto* page = new QWidget;
        page->setObjectName(name);
        PageControl2->addTab(page, caption);
        return page;
    };
    TabSheet6 = makePage(QStringLiteral("TabSheet6"), tr("Communication Test"));
    TabSheet8 = makePage(QStringLiteral("TabSheet8"), tr("Parameter Configuration"));
    TabSheet9 = makePage(QStringLiteral("TabSheet9"), tr(" Instrument Information"));
    TabSheet1 = makePage(QStringLiteral("TabSheet1"), tr("Input Configuration"));
    // "&&": a single ampersand would be taken as a mnemonic marker and not shown.
    TabSheet2 = makePage(QStringLiteral("TabSheet2"), tr("Analog && Variable Configuration"));

    setupCommunicationTest(form);
    setupParameterConfiguration(form);
    setupInstrumentInformation(form);
    setupInputConfiguration(form);
    setupAnalogAndVariables(form);
    PageControl2->setCurrentIndex(0);

    // ---- status panel ----
    Panel1 = new QFrame(form);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    // Rows: the transfer counters and status first; more rows may follow.
    auto* panelRows = new QVBoxLayout(Panel1);
    panelRows->setContentsMargins(8, 3, 8, 3);
    panelRows->setSpacing(2);
    auto* panel = new QHBoxLayout;
    panelRows->addLayout(panel);
    panel->setSpacing(6);
    auto addPair = [&](QLabel*& caption, const char* captionName, const char* text, QLabel*& value,
                       const char* valueName, int valueWidth) {
        caption = MakeLabel(Panel1, QString::fromLatin1(captionName), tr(text));
        value = MakeLabel(Panel1, QString::fromLatin1(valueName), QString());
        value->setMinimumWidth(valueWidth);
        panel->addWidget(caption);
        panel->addWidget(value, valueWidth > 0 ? 0 : 1);
    };
    addPair(Label48, "Label48", QT_TR_NOOP("Number Of Bytes Send:"), Label56, "Label56", 80);
    panel->addSpacing(20);
    addPair(Label52, "Label52", QT_TR_NOOP("Number Of Bytes Received:"), Label67, "Label67", 80);
    panel->addSpacing(20);
    addPair(Label65, "Label65", QT_TR_NOOP("Transfer Status:"), Label68, "Label68", 0);
    panel->setStretchFactor(Label68, 1);
    // No minimum: at the designed size the stretch gives it room for every status text,
    // and a smaller window must not be held wider than its screen by it.
    Label68->setMinimumWidth(0);
    Label68->installEventFilter(new WholeTextTip(Label68));
    formLayout->addWidget(Panel1);

    // ---- key filters ----
    InstallKeyFilter(Edit7, KeyRule::Edit7);
    InstallKeyFilter(Edit24, KeyRule::Edit24);
    InstallKeyFilter(Edit25, KeyRule::Edit25);
    InstallKeyFilter(Edit29, KeyRule::Edit29);
    InstallKeyFilter(Edit28, KeyRule::Edit28, Button37);
    InstallKeyFilter(Edit26, KeyRule::Edit26, Button39);
}

} // namespace app

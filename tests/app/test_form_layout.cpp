#include "app/combo_index.h"
#include "app/form1_ui.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include <algorithm>

using app::Form1Ui;

namespace {

QString TextOf(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return group->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    return QString();
}

QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList Numbers(int first, int last)
{
    QStringList items;
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

bool IsMine(const QWidget* w)
{
    return !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
}

} // namespace

class TestFormLayout : public QObject {
    Q_OBJECT

    QWidget form_;
    Form1Ui ui_;

    QWidget* Find(const QString& name) { return form_.findChild<QWidget*>(name); }
    QRect InForm(const QWidget* w) { return QRect(w->mapTo(&form_, QPoint(0, 0)), w->size()); }
    void CheckPageGeometry(const QString& where);

private slots:
    void initTestCase();
    void formProperties();
    void pages();
    void controls_data();
    void controls();
    void lists_data();
    void lists();
    void unitLists_data();
    void unitLists();
    void parsingFormats();
    void hiddenAtStart();
    void memo();
    void logoLabel();
    void order_data();
    void order();
    void clickAreas();
    void nothingClippedOrOverlapping();
    void popupsShowWholeItems();
    void longTextsFit();
    void statusCutIsShownWhole_data();
    void statusCutIsShownWhole();
    void typedTextStaysTyped();
    void itemIndex_data();
    void itemIndex();
    void selectItem_data();
    void selectItem();
};

void TestFormLayout::initTestCase()
{
    ui_.setupUi(&form_);
    form_.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form_));
}

void TestFormLayout::formProperties()
{
    QCOMPARE(form_.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form_.windowTitle(), QStringLiteral("MODBUS-HART"));
    QCOMPARE(form_.size(), QSize(978, 679));
    // Designed size, but it can be made smaller: down to a 1280x800 screen at a 1.5
    // scale factor (853x533 device-independent pixels, less a title bar).
    QVERIFY(form_.maximumSize().width() > 978 && form_.maximumSize().height() > 679);
    QVERIFY2(form_.minimumSizeHint().width() <= 853 && form_.minimumSizeHint().height() <= 480,
             qPrintable(QStringLiteral("%1x%2").arg(form_.minimumSizeHint().width()).arg(form_.minimumSizeHint().height())));
    QCOMPARE(form_.palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
}

void TestFormLayout::pages()
{
    const QStringList names{"TabSheet6", "TabSheet8", "TabSheet9", "TabSheet1", "TabSheet2"};
    const QStringList captions{"Communication Test", "Parameter Configuration", " Instrument Information",
        "Input Configuration", "Analog && Variable Configuration"}; // "&&" shows one ampersand
    auto* tabs = form_.findChild<QTabWidget*>("PageControl2");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), names[i]);
        QCOMPARE(tabs->tabText(i), captions[i]);
    }
    // Fresh form: first page current.
    QWidget fresh;
    Form1Ui ui;
    ui.setupUi(&fresh);
    QCOMPARE(ui.PageControl2->currentIndex(), 0);
}

// Every named control: its class, the page it sits on (-1: outside the tabs) and its caption or initial text.
void TestFormLayout::controls_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("text");
    auto row = [](const QString& name, const char* kind, int page, const QString& text) {
        QTest::newRow(qPrintable(name)) << QString::fromLatin1(kind) << page << text;
    };
    // Top strip and status panel.
    row("Image1", "QLabel", -1, "");
    row("Label1", "QLabel", -1, "Quorvane Configuration Software");
    row("Label23", "QLabel", -1, "V4.2(2023-08- 10)");
    row("Label4", "QLabel", -1, "Serial Port:");
    row("SPREALCOM", "QComboBox", -1, "COM1");
    row("Button1", "QPushButton", -1, "Open");
    row("Panel1", "QFrame", -1, "");
    row("Label48", "QLabel", -1, "Number Of Bytes Send:");
    row("Label52", "QLabel", -1, "Number Of Bytes Received:");
    row("Label65", "QLabel", -1, "Transfer Status:");
    for (const char* value : {"Label56", "Label67", "Label68"})
        row(value, "QLabel", -1, "");
    row("PageControl2", "QTabWidget", -1, "");

    // Page 0.
    row("LabelAddressNumber", "QLabel", 0, "Address Number:");
    row("ComboBox9", "QComboBox", 0, "0");
    row("LabelManufacturingId", "QLabel", 0, "Manufacturing ID:");
    row("LabelSensorType", "QLabel", 0, "Sensor Type:");
    row("LabelPreambleLength", "QLabel", 0, "Preamble Length:");
    row("LabelSensorSerialNumber", "QLabel", 0, "Sensor Serial Number:");
    row("LabelCurrentValue", "QLabel", 0, "Current Value:");
    row("LabelCurrentUnit", "QLabel", 0, "mA");
    row("LabelOutputPercentage", "QLabel", 0, "Output Percentage:");
    row("LabelPercentUnit", "QLabel", 0, "%");
    for (const char* edit :
        {"Edit1", "Edit2", "Edit3", "Edit4", "Edit6", "Edit20", "Edit5", "Edit17", "Edit18", "Edit30"})
        row(edit, "QLineEdit", 0, "");
    for (int i = 1; i <= 4; ++i) {
        row(QStringLiteral("LabelVariable%1").arg(i), "QLabel", 0, QStringLiteral("Variable %1:").arg(i));
        row(QStringLiteral("LabelUnit%1").arg(i), "QLabel", 0, "Unit:");
    }
    row("Button3", "QPushButton", 0, "Communication Test");
    row("Button34", "QPushButton", 0, "Current Query");
    row("Button4", "QPushButton", 0, "Instrument Data Query");
    row("Label33", "QLabel", 0, "");

    // Page 1.
    row("GroupBoxRange", "QGroupBox", 1, "OUT DC4-20mA Output");
    row("LabelOut20mA", "QLabel", 1, "OUT  DC20mA:");
    row("LabelOut4mA", "QLabel", 1, "OUT  DC4mA:");
    row("Edit11", "QLineEdit", 1, "");
    row("Edit12", "QLineEdit", 1, "");
    row("Button9", "QPushButton", 1, "Query");
    row("Button10", "QPushButton", 1, "Set");
    row("GroupBoxCurrent", "QGroupBox", 1, "Current Output");
    const QStringList radios{
        "4mA Output", "8mA Output", "12mA Output", "16mA Output", "20mA Output", "Other Output", "Exit Fixed Mode"};
    for (int i = 0; i < radios.size(); ++i)
        row(QStringLiteral("RadioButton%1").arg(i + 1), "QRadioButton", 1, radios[i]);
    row("Edit7", "QLineEdit", 1, "");
    row("LabelOtherUnit", "QLabel", 1, "mA");
    row("Button6", "QPushButton", 1, "Set");

    // Page 2.
    row("LabelMessage", "QLabel", 2, "Instrument Information:");
    row("LabelMessageHint", "QLabel", 2, "maximum 32 characters");
    row("LabelTag", "QLabel", 2, "Tag:");
    row("LabelTagHint", "QLabel", 2, "maximum 8 characters");
    row("LabelDescriptor", "QLabel", 2, "Descriptor:");
    row("LabelDescriptorHint", "QLabel", 2, "maximum 16 characters");
    row("LabelDateOfProduction", "QLabel", 2, "Date Of Production:");
    row("LabelYear", "QLabel", 2, "Year");
    row("LabelMonth", "QLabel", 2, "Month");
    row("LabelDay", "QLabel", 2, "Day");
    row("LabelTransducerSerial", "QLabel", 2, "Sensor Serial Number:");
    row("LabelSerialNote", "QLabel", 2, QString::fromUtf8(u8"note：the serial number is less than 16777215"));
    row("LabelAssemblyNumber", "QLabel", 2, "Assembly Number:");
    row("LabelAddressModification", "QLabel", 2, "Address Modification:");
    row("LabelLongTag", "QLabel", 2, "LTAG:");
    for (const char* edit :
        {"Edit21", "Edit22", "Edit23", "Edit24", "Edit25", "Edit29", "Edit28", "Edit26", "Edit9", "Edit10"})
        row(edit, "QLineEdit", 2, "");
    row("Edit8", "QLineEdit", 2, "DT");
    row("ComboBox3", "QComboBox", 2, "");
    for (const char* query : {"Button28", "Button32", "Button38", "Button2", "Button16"})
        row(query, "QPushButton", 2, "Query");
    for (const char* set : {"Button29", "Button33", "Button37", "Button39", "Button27", "Button18", "Button7"})
        row(set, "QPushButton", 2, "Set");
    row("GroupBox4", "QGroupBox", 2, "internal parameter settings");
    row("LabelInternalSensorType", "QLabel", 2, "Sensor Type:");
    row("LabelInternalManufacturingId", "QLabel", 2, "Manufacturing ID:");
    row("LabelInternalNote", "QLabel", 2,
        "after resetting the sensor type or manufacturing ID, a new query is required to communicate");
    row("Label70", "QLabel", 2, "");
    row("Label71", "QLabel", 2, "");

    // Page 3.
    row("GroupBoxRs485", "QGroupBox", 3, "RS485 Parameter Configuration");
    row("LabelBaudRate", "QLabel", 3, "Baud Rate:");
    row("ComboBox1", "QComboBox", 3, "9600");
    row("LabelParityBit", "QLabel", 3, "Parity Bit:");
    row("ComboBox2", "QComboBox", 3, "None");
    row("LabelInterval", "QLabel", 3, "Communication Interval Time:");
    row("Edit13", "QLineEdit", 3, "10");
    row("LabelIntervalUnit", "QLabel", 3, "* 0.1S");
    row("Label89", "QLabel", 3,
        "when the interval time is 00,the converter writes variable according to the MODBUS instruction");
    row("Label90", "QLabel", 3, "***");
    row("Button14", "QPushButton", 3, "Query");
    row("Button17", "QPushButton", 3, "Set");
    const std::array<const char*, 4> letters{"A", "B", "C", "D"};
    const std::array<const char*, 4> queries{"Button11", "Button15", "Button25", "Button35"};
    const std::array<const char*, 4> sets{"Button12", "Button5", "Button26", "Button41"};
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        row("GroupBoxCommand" + n, "QGroupBox", 3, "Instrument Command " + n);
        row("LabelEnable" + n, "QLabel", 3, "Enable:");
        row("COMEN" + n, "QComboBox", 3, "0-Close");
        row("LabelCommandCode" + n, "QLabel", 3, "Command Code:");
        row("Camd" + n, "QLineEdit", 3, "");
        row("LabelReturnByte1_" + n, "QLabel", 3, "Return Byte 1:");
        row(QString::fromLatin1(letters[i]) + "COMBY1", "QLineEdit", 3, "00");
        row("LabelReturnByte2_" + n, "QLabel", 3, "Byte 2:");
        row(QString::fromLatin1(letters[i]) + "COMBY2", "QLineEdit", 3, "00");
        row(queries[i], "QPushButton", 3, "Query");
        row(sets[i], "QPushButton", 3, "Set");
    }
    row("GroupBoxParsing", "QGroupBox", 3, "MODBUS Paring Format");
    const QStringList headers{"Command Number", "Data Addr", "Length", "Parsing Format", "Coefficient"};
    const QStringList headerNames{
        "LabelCommandNumber", "LabelDataAddr", "LabelLength", "LabelParsingFormat", "LabelCoefficient"};
    for (int c = 0; c < 5; ++c)
        row(headerNames[c], "QLabel", 3, headers[c]);
    const QStringList rowLabels{
        "RS485 AD3 Value:", "RS485 AD4 Value:", "RS485 AD5 Value:", "RS485 AD6 Value:", "Serial Number:"};
    for (int r = 0; r < 5; ++r) {
        const QString n = QString::number(r + 1);
        row("LabelParsingRow" + n, "QLabel", 3, rowLabels[r]);
        row("Dcom" + n, "QComboBox", 3, "0-Close");
        row("Dadr" + n, "QLineEdit", 3, "");
        row("Ddatalg" + n, "QLineEdit", 3, "4");
        row("Dxieyi" + n, "QComboBox", 3, QString::fromUtf8(u8"0-Float（4321）"));
        row("Dxishu" + n, "QLineEdit", 3, "1.000");
    }
    row("Button30", "QPushButton", 3, "Query");
    row("Button19", "QPushButton", 3, "Set");

    // Page 4.
    row("GroupBoxAnalog", "QGroupBox", 4, "Analog Configuration");
    row("LabelUpperLimit", "QLabel", 4, "Upper Limit");
    row("LabelLowerLimit", "QLabel", 4, "Lower Llimit");
    row("LabelStartPoint", "QLabel", 4, "Start Point");
    row("LabelCoefficient10000", "QLabel", 4, "Coefficient/10000");
    const std::array<const char*, 4> analogQueries{"Button8", "Button31", "Button21", "Button24"};
    const std::array<const char*, 4> analogSets{"Button13", "Button40", "Button20", "Button22"};
    for (int r = 0; r < 4; ++r) {
        const QString n = QString::number(r + 1);
        row("LabelAD" + n, "QLabel", 4, "AD" + n + ":");
        row("AD" + n + "H", "QLineEdit", 4, "");
        row("AD" + n + "L", "QLineEdit", 4, "");
        row("AD" + n + "LD", "QLineEdit", 4, "");
        row("ADXSHOU" + n, "QLineEdit", 4, "10000");
        row(analogQueries[r], "QPushButton", 4, "Query");
        row(analogSets[r], "QPushButton", 4, "Set");
    }
    row("Memo1", "QPlainTextEdit", 4, "");
    row("GroupBoxMapping", "QGroupBox", 4, "HART Variable Output Configuration");
    row("LabelInputChannel", "QLabel", 4, "Input Channel");
    row("LabelUnitCode", "QLabel", 4, "Unit Code");
    for (int r = 0; r < 4; ++r) {
        const QString n = QString::number(r + 1);
        row("LabelMappingVariable" + n, "QLabel", 4, "Variable " + n + ":");
        row("Bianlan" + n, "QComboBox", 4, "0-Close");
    }
    row("Button36", "QPushButton", 4, "Query");
    row("Button23", "QPushButton", 4, "Set");
}

void TestFormLayout::controls()
{
    QFETCH(QString, kind);
    QFETCH(int, page);
    QFETCH(QString, text);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget*> found = form_.findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1); // names are unique
    QWidget* w = found.front();
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
    if (page >= 0)
        QVERIFY2(ui_.PageControl2->widget(page)->isAncestorOf(w), "on the wrong page");
    else
        QVERIFY(w == ui_.PageControl2 || !ui_.PageControl2->isAncestorOf(w));
    QCOMPARE(TextOf(w), text);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        QVERIFY2(combo->isEditable(), "lists accept typed text");
    if (auto* button = qobject_cast<QPushButton*>(w))
        QVERIFY(button->isEnabled());
}

// Lists other than the unit lists: items, selected index and edit text.
void TestFormLayout::lists_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("index");
    QStringList ports;
    for (int i = 1; i <= 9; ++i)
        ports << QStringLiteral("COM%1").arg(i);
    QTest::newRow("SPREALCOM") << ports << 0;
    QTest::newRow("ComboBox9") << Numbers(0, 15) << 0;
    QTest::newRow("ComboBox3") << Numbers(0, 15) << -1;
    QTest::newRow("ComboBox1") << QStringList{"1200", "2400", "4800", "9600", "19200", "38400", "57600"} << 3;
    QTest::newRow("ComboBox2") << QStringList{"None", "Odd", "Even"} << 0;
    for (const char* name : {"COMEN1", "COMEN2", "COMEN3", "COMEN4"})
        QTest::newRow(name) << QStringList{"0-Close", "1-Open"} << 0;
    for (const char* name : {"Dcom1", "Dcom2", "Dcom3", "Dcom4", "Dcom5"})
        QTest::newRow(name) << QStringList{"0-Close", "1-Instruction 1", "2-Instruction 2", "3-Instruction 3",
            "4-Instruction 4"}
                            << 0;
    const QStringList channels{"0-Close", "1_AD1(analog)", "2_AD2(analog)", "3_AD3(RS485 direct reading)",
        "4_AD4(RS485 direct reading)", "5_AD5(RS485 direct reading)", "6_AD6(RS485 direct reading)", "7_AD3(analog)",
        "8_AD4(analog)"};
    for (const char* name : {"Bianlan1", "Bianlan2", "Bianlan3", "Bianlan4"})
        QTest::newRow(name) << channels << 0;
}

void TestFormLayout::lists()
{
    QFETCH(QStringList, items);
    QFETCH(int, index);
    auto* combo = form_.findChild<QComboBox*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(combo);
    QCOMPARE(ItemsOf(combo), items);
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(app::ItemIndex(combo), index);
    QCOMPARE(combo->currentText(), index >= 0 ? items[index] : QString());
}

// The eight unit lists: 83 items, their three differences, and the start selections.
void TestFormLayout::unitLists_data()
{
    QTest::addColumn<QString>("item7");
    QTest::addColumn<QString>("item14");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("ComboBox5") << "06_mbar   "
                               << "14_tR   " << -1 << "";
    QTest::newRow("ComboBox15") << "06_mbar   "
                                << "14_tR   " << 0 << "00_inH20 ";
    QTest::newRow("ComboBox16") << "06_mbar   "
                                << "14_tR   " << 0 << "00_inH20 ";
    QTest::newRow("ComboBox6") << "06_mbar   "
                               << "14_tR " << 0 << "00_inH20 ";
    QTest::newRow("WEI1") << "07_mbar   "
                          << "14_tR" << 0 << "00_inH20 "; // what it shows is what a Set sends
    QTest::newRow("WEI2") << "07_mbar   "
                          << "14_tR   " << 0 << "00_inH20 ";
    QTest::newRow("WEI3") << "07_mbar   "
                          << "14_tR   " << 0 << "00_inH20 ";
    QTest::newRow("WEI4") << "07_mbar   "
                          << "14_tR   " << 0 << "00_inH20 ";
}

void TestFormLayout::unitLists()
{
    QFETCH(QString, item7);
    QFETCH(QString, item14);
    QFETCH(int, index);
    QFETCH(QString, text);
    auto* combo = form_.findChild<QComboBox*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(combo);
    QCOMPARE(combo->count(), 83);
    QCOMPARE(combo->itemText(0), QStringLiteral("00_inH20 "));
    QCOMPARE(combo->itemText(6), QStringLiteral("06_bar    "));
    QCOMPARE(combo->itemText(7), item7);
    QCOMPARE(combo->itemText(12), QString::fromUtf8(u8"12_℃"));
    QCOMPARE(combo->itemText(13), QString::fromUtf8(u8"13_℉"));
    QCOMPARE(combo->itemText(14), item14);
    QCOMPARE(combo->itemText(43), QStringLiteral("43_cm       "));
    QCOMPARE(combo->itemText(74), QStringLiteral("74_british_thermal_unit "));
    QCOMPARE(combo->itemText(82), QStringLiteral("82_other"));
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->currentText(), text);
    QCOMPARE(app::ItemIndex(combo), index);
}

void TestFormLayout::parsingFormats()
{
    const QStringList formats{
        QString::fromUtf8(u8"0-Float（4321）"),
        QString::fromUtf8(u8"1-Float（2143）"),
        QString::fromUtf8(u8"2-Float（1234）"),
        "3-Unsigned int(4321)",
        "4-Unsigned int(2143)",
        "5-Unsigned int(1234)",
        "6-Signed int(4321)",
        "7-Signed int(2143)",
        "8-Signed int",
        "9-Signed int(invert)",
        "10-Signed int(not inverted)",
        "11-BCD(high low order)",
        "12-BCD(low high order)",
        "13-Character string(high low order)",
        "14-Character string(low high order)",
        "15-Double(high low order)",
        QString::fromUtf8(u8"16-Double(low high order）"),
        "17-BCD(low high order-0X33)",
        "18-Integer(bits 0,1 are positive, others are negative)",
        "19-Octet integer(Four bits higher*coefficient+low four)",
        "20-Octet integer(Four bits lower*coefficient+high four)",
        "21-Raw data",
        "22-Arrange in byte order from low to high",
        "23-Arrange in byte order from high to low",
        "24-Four digit unsigned integer (4321)+exponent",
        "25-Four digit unsigned integer (2143)+exponent",
        "26-Positioning status",
    };
    QCOMPARE(formats[0].at(7), QChar(0xFF08));
    for (QComboBox* combo : ui_.Dxieyi) {
        QCOMPARE(ItemsOf(combo), formats);
        QCOMPARE(combo->currentIndex(), 0);
    }
}

void TestFormLayout::hiddenAtStart()
{
    QWidget fresh;
    Form1Ui ui;
    ui.setupUi(&fresh);
    fresh.show();
    ui.PageControl2->setCurrentIndex(2);
    QVERIFY(!ui.GroupBox4->isVisibleTo(&fresh));
    ui.PageControl2->setCurrentIndex(3);
    QVERIFY(!ui.Label90->isVisibleTo(&fresh));
    QVERIFY(ui.Label89->isVisibleTo(&fresh));
    QVERIFY(ui.Label90->font().bold());
    QVERIFY(ui.Label90->font().pointSize() > fresh.font().pointSize());
    QCOMPARE(ui.Label90->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(ui.Label89->palette().color(QPalette::Window), QColor(0x00, 0xFF, 0x00));
    QVERIFY(ui.Label89->autoFillBackground());
    for (const char* note : {"LabelSerialNote", "LabelInternalNote"}) {
        auto* label = fresh.findChild<QLabel*>(note);
        QCOMPARE(label->palette().color(QPalette::Window), QColor(0xFF, 0x00, 0xFF));
        QVERIFY(label->autoFillBackground());
    }
    QVERIFY(ui.RadioButton1->isChecked());
}

void TestFormLayout::memo()
{
    ui_.PageControl2->setCurrentIndex(4);
    QApplication::processEvents();
    QCOMPARE(ui_.Memo1->horizontalScrollBar()->maximum(), 0); // every line shown whole
    QCOMPARE(ui_.Memo1->toPlainText().split('\n'),
        QStringList({"instructions for using coefficient values",
            "when greater than 1000:", "actual value=measured value * (1+V/10000)",
            "when less than 1000:", "actual value=measured value * (1-V/10000)"}));
}

void TestFormLayout::logoLabel()
{
    QCOMPARE(ui_.Image1->size(), QSize(105, 40));
    QVERIFY(ui_.Image1->hasScaledContents());
    QVERIFY(!ui_.Image1->pixmap().isNull());
    QCOMPARE(ui_.Image1->pixmap().size(), QSize(210, 80));
}

// Row and column order: "left" = same row, a before b; "above" = a's row ends before b's begins.
void TestFormLayout::order_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("page");
    auto chain = [](const QStringList& names, const char* relation, int page) {
        for (int i = 0; i + 1 < names.size(); ++i)
            QTest::addRow("%s %s %s", qPrintable(names[i]), relation, qPrintable(names[i + 1]))
                << names[i] << QString::fromLatin1(relation) << names[i + 1] << page;
    };
    chain({"Image1", "Label1", "Label4", "SPREALCOM", "Button1", "LabelCompany"}, "left", 0);
    chain({"Label1", "Label23"}, "above", 0);
    chain({"Image1", "Label23"}, "left", 0);
    chain({"LabelCompany", "LabelPhone", "LabelWeb"}, "above", 0);
    chain({"Image1", "PageControl2", "Panel1"}, "above", 0);
    chain({"Label48", "Label56", "Label52", "Label67", "Label65", "Label68"}, "left", 0);

    chain({"LabelAddressNumber", "LabelManufacturingId", "LabelSensorType", "LabelPreambleLength",
              "LabelSensorSerialNumber", "LabelCurrentValue", "LabelOutputPercentage", "LabelVariable1",
              "LabelVariable2", "LabelVariable3", "LabelVariable4"},
        "above", 0);
    chain({"LabelAddressNumber", "ComboBox9"}, "left", 0);
    chain({"LabelSensorType", "Edit2", "Button3"}, "left", 0);
    chain({"LabelCurrentValue", "Edit6", "LabelCurrentUnit"}, "left", 0);
    chain({"LabelOutputPercentage", "Edit20", "LabelPercentUnit"}, "left", 0);
    chain({"Edit6", "Button34"}, "left", 0);
    chain({"LabelVariable1", "Edit5", "LabelUnit1", "ComboBox5"}, "left", 0);
    chain({"LabelVariable2", "Edit17", "LabelUnit2", "ComboBox15", "Button4"}, "left", 0);
    chain({"LabelVariable3", "Edit18", "LabelUnit3", "ComboBox16", "Button4"}, "left", 0);
    chain({"LabelVariable4", "Edit30", "LabelUnit4", "ComboBox6"}, "left", 0);

    chain({"GroupBoxRange", "GroupBoxCurrent"}, "left", 1);
    chain({"LabelOut20mA", "Edit11"}, "left", 1);
    chain({"LabelOut4mA", "Edit12"}, "left", 1);
    chain({"Edit11", "Edit12", "Button9"}, "above", 1);
    chain({"Button9", "Button10"}, "left", 1);
    chain({"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5", "RadioButton6",
              "RadioButton7", "Button6"},
        "above", 1);
    chain({"RadioButton6", "Edit7", "LabelOtherUnit"}, "left", 1);

    chain({"LabelMessage", "LabelTag", "LabelDescriptor", "LabelYear", "LabelDateOfProduction", "LabelTransducerSerial",
              "LabelAssemblyNumber", "LabelAddressModification", "LabelLongTag", "GroupBox4"},
        "above", 2);
    chain({"LabelMessage", "Edit21", "LabelMessageHint", "Button28", "Button29"}, "left", 2);
    chain({"LabelTag", "Edit22", "LabelTagHint"}, "left", 2);
    chain({"LabelDescriptor", "Edit23", "LabelDescriptorHint"}, "left", 2);
    chain({"LabelDateOfProduction", "Edit24", "Edit25", "Edit29", "Button32", "Button33"}, "left", 2);
    chain({"LabelYear", "LabelMonth", "LabelDay"}, "left", 2);
    chain({"LabelYear", "Edit24"}, "above", 2);
    chain({"LabelMonth", "Edit25"}, "above", 2);
    chain({"LabelDay", "Edit29"}, "above", 2);
    chain({"LabelTransducerSerial", "Edit28", "LabelSerialNote", "Button37"}, "left", 2);
    chain({"LabelAssemblyNumber", "Edit26", "Button38", "Button39"}, "left", 2);
    chain({"LabelAddressModification", "ComboBox3", "Button27"}, "left", 2);
    chain({"LabelLongTag", "Edit8", "Button2", "Button18"}, "left", 2);
    chain({"LabelInternalSensorType", "Edit9", "Button16", "Button7"}, "left", 2);
    chain({"LabelInternalManufacturingId", "Edit10"}, "left", 2);
    chain({"LabelInternalSensorType", "LabelInternalManufacturingId", "LabelInternalNote"}, "above", 2);

    chain({"GroupBoxRs485", "GroupBoxCommand1", "GroupBoxCommand2", "GroupBoxCommand3", "GroupBoxCommand4",
              "GroupBoxParsing"},
        "above", 3);
    chain({"LabelBaudRate", "ComboBox1", "LabelParityBit", "ComboBox2", "LabelInterval", "Edit13", "LabelIntervalUnit",
              "Button14", "Button17"},
        "left", 3);
    chain({"Label90", "Label89"}, "left", 3);
    chain({"ComboBox1", "Label89"}, "above", 3);
    const std::array<const char*, 4> letters{"A", "B", "C", "D"};
    const std::array<const char*, 4> queries{"Button11", "Button15", "Button25", "Button35"};
    const std::array<const char*, 4> sets{"Button12", "Button5", "Button26", "Button41"};
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        const QString l = QString::fromLatin1(letters[i]);
        chain({"LabelEnable" + n, "COMEN" + n, "LabelCommandCode" + n, "Camd" + n, "LabelReturnByte1_" + n,
                  l + "COMBY1", "LabelReturnByte2_" + n, l + "COMBY2", queries[i], sets[i]},
            "left", 3);
    }
    chain({"LabelCommandNumber", "LabelDataAddr", "LabelLength", "LabelParsingFormat", "LabelCoefficient"}, "left", 3);
    chain({"LabelCommandNumber", "Dcom1", "Dcom2", "Dcom3", "Dcom4", "Dcom5"}, "above", 3);
    chain({"LabelCoefficient", "Dxishu1"}, "above", 3);
    for (int r = 1; r <= 5; ++r) {
        const QString n = QString::number(r);
        chain({"LabelParsingRow" + n, "Dcom" + n, "Dadr" + n, "Ddatalg" + n, "Dxieyi" + n, "Dxishu" + n}, "left", 3);
    }
    chain({"Dxishu1", "Button30"}, "left", 3);
    chain({"Button30", "Button19"}, "above", 3);

    chain({"GroupBoxAnalog", "Memo1"}, "left", 4);
    chain({"GroupBoxAnalog", "GroupBoxMapping"}, "above", 4);
    chain({"LabelUpperLimit", "LabelLowerLimit", "LabelStartPoint", "LabelCoefficient10000"}, "left", 4);
    chain({"LabelUpperLimit", "AD1H", "AD2H", "AD3H", "AD4H"}, "above", 4);
    chain({"LabelCoefficient10000", "ADXSHOU1"}, "above", 4);
    const std::array<const char*, 4> analogQueries{"Button8", "Button31", "Button21", "Button24"};
    const std::array<const char*, 4> analogSets{"Button13", "Button40", "Button20", "Button22"};
    for (int r = 0; r < 4; ++r) {
        const QString n = QString::number(r + 1);
        chain({"LabelAD" + n, "AD" + n + "H", "AD" + n + "L", "AD" + n + "LD", "ADXSHOU" + n, analogQueries[r],
                  analogSets[r]},
            "left", 4);
        chain({"LabelMappingVariable" + n, "Bianlan" + n, "WEI" + n}, "left", 4);
    }
    chain({"LabelInputChannel", "LabelUnitCode"}, "left", 4);
    chain({"LabelInputChannel", "Bianlan1", "Bianlan2", "Bianlan3", "Bianlan4"}, "above", 4);
    chain({"WEI1", "Button36"}, "left", 4);
    chain({"Button36", "Button23"}, "above", 4);
}

void TestFormLayout::order()
{
    QFETCH(QString, a);
    QFETCH(QString, relation);
    QFETCH(QString, b);
    QFETCH(int, page);
    ui_.PageControl2->setCurrentIndex(page);
    ui_.GroupBox4->show();
    QApplication::processEvents();
    QWidget* wa = Find(a);
    QWidget* wb = Find(b);
    QVERIFY(wa && wb);
    const QRect ra = InForm(wa);
    const QRect rb = InForm(wb);
    if (relation == "left") {
        QVERIFY2(ra.right() < rb.left(), "not left of");
        QVERIFY2(ra.top() <= rb.bottom() && rb.top() <= ra.bottom(), "not on the same row");
    } else {
        QVERIFY2(ra.bottom() < rb.top(), "not above");
    }
    ui_.GroupBox4->hide();
}

void TestFormLayout::clickAreas()
{
    ui_.PageControl2->setCurrentIndex(2);
    QApplication::processEvents();
    QWidget* page = ui_.TabSheet9;
    for (QLabel* area : {ui_.Label70, ui_.Label71}) {
        QVERIFY(area->isVisible());
        QVERIFY(area->text().isEmpty());
        QVERIFY(area->width() >= 10 && area->height() >= 10);
        QVERIFY(page->rect().contains(area->geometry()));
    }
    const QPoint middle = page->rect().center();
    QVERIFY(ui_.Label70->geometry().center().x() < middle.x() && ui_.Label70->geometry().center().y() > middle.y());
    QVERIFY(ui_.Label71->geometry().center().x() > middle.x() && ui_.Label71->geometry().center().y() < middle.y());
    // They must be reachable by the mouse: the widget under their centre is the area itself.
    for (QLabel* area : {ui_.Label70, ui_.Label71})
        QCOMPARE(page->childAt(area->geometry().center()), area);
}

void TestFormLayout::CheckPageGeometry(const QString& where)
{
    const QList<QWidget*> all = form_.findChildren<QWidget*>();
    QList<QWidget*> shown;
    for (QWidget* w : all) {
        if (IsMine(w) && w->isVisibleTo(&form_) && !qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget()))
            shown << w;
    }
    for (QWidget* w : shown) {
        const QString context = where + ": " + w->objectName();
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(context + " sticks out of its parent"));
        const bool hasCaption = !TextOf(w).isEmpty();
        if ((qobject_cast<QLabel*>(w) && hasCaption) || qobject_cast<QAbstractButton*>(w)) {
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(context + " too narrow for its caption"));
            QVERIFY2(w->height() >= w->sizeHint().height(), qPrintable(context + " too low for its caption"));
        }
        if (qobject_cast<QGroupBox*>(w))
            QVERIFY2(w->width() >= w->minimumSizeHint().width() && w->height() >= w->minimumSizeHint().height(),
                qPrintable(context + " squeezed"));
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w))
            QVERIFY2(w->height() >= w->minimumSizeHint().height(), qPrintable(context + " too low"));
    }
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j) {
            QWidget* a = shown[i];
            QWidget* b = shown[j];
            if (a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry()))
                QFAIL(qPrintable(where + ": " + a->objectName() + " overlaps " + b->objectName()));
        }
    }
}

void TestFormLayout::nothingClippedOrOverlapping()
{
    // With the hidden parts shown too: the room kept for them must not overlap anything either.
    for (bool revealed : {false, true}) {
        ui_.GroupBox4->setVisible(revealed);
        ui_.Label90->setVisible(revealed);
        for (int page = 0; page < 5; ++page) {
            ui_.PageControl2->setCurrentIndex(page);
            QApplication::processEvents();
            CheckPageGeometry(QStringLiteral("page %1%2").arg(page).arg(revealed ? " revealed" : ""));
        }
    }
    ui_.GroupBox4->hide();
    ui_.Label90->hide();
}

void TestFormLayout::popupsShowWholeItems()
{
    ui_.PageControl2->setCurrentIndex(3);
    QApplication::processEvents();
    for (QComboBox* combo : {ui_.Dxieyi1, ui_.Bianlan1, ui_.WEI2, ui_.ComboBox5}) {
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = std::max(widest, combo->view()->fontMetrics().horizontalAdvance(combo->itemText(i)));
        QVERIFY(combo->view()->minimumWidth() > widest);
    }
    // The closed box is narrower than its longest format; the open list is not.
    QVERIFY(ui_.Dxieyi1->width() < ui_.Dxieyi1->fontMetrics().horizontalAdvance(ui_.Dxieyi1->itemText(18)));
    ui_.Dxieyi1->showPopup();
    QVERIFY(ui_.Dxieyi1->view()->viewport()->width()
        > ui_.Dxieyi1->view()->fontMetrics().horizontalAdvance(ui_.Dxieyi1->itemText(18)));
    ui_.Dxieyi1->hidePopup();
}

// The longest texts that the window writes into its labels, and the port names the selector gets, show whole.
void TestFormLayout::longTextsFit()
{
    for (const char* text : {"Please wait, it is currently being downloaded.....",
             "Write failed!Setting parameters may not be useful!", "Write failed!The parameter value is too small!"}) {
        ui_.Label68->setText(QString::fromLatin1(text));
        QApplication::processEvents();
        QVERIFY2(ui_.Label68->width() >= ui_.Label68->sizeHint().width(), text);
    }
    for (QLabel* counter : {ui_.Label56, ui_.Label67}) {
        counter->setText(QStringLiteral("2147483647"));
        QApplication::processEvents();
        QVERIFY(counter->width() >= counter->sizeHint().width());
        counter->clear();
    }
    ui_.Label68->clear();
    QLineEdit* port = ui_.SPREALCOM->lineEdit();
    for (const char* name : {"Simulated converter", "/dev/ttyUSB0", "/dev/ttyACM0"})
        QVERIFY2(port->width() > port->fontMetrics().horizontalAdvance(QString::fromLatin1(name)), name);
}

void TestFormLayout::statusCutIsShownWhole_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("tip");
    QTest::newRow("fits") << "upload successful!" << false;
    QTest::newRow("cut") << QString("Port disconnected: The server at hart-ip://%1:5094 stopped answering.")
                                .arg(QString(120, QLatin1Char('h')))
                         << true;
}

// A status wider than its place is cut at the edge; hovering shows all of it.
void TestFormLayout::statusCutIsShownWhole()
{
    QFETCH(QString, status);
    QFETCH(bool, tip);
    QToolTip::hideText();
    ui_.Label68->setText(status);
    QApplication::processEvents();
    const QPoint at = ui_.Label68->rect().center();
    QHelpEvent hover(QEvent::ToolTip, at, ui_.Label68->mapToGlobal(at));
    QApplication::sendEvent(ui_.Label68, &hover);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip ? status : QString());
    QToolTip::hideText();
    ui_.Label68->clear();
}

// Typed text is never added as an item and keeps its case; a typed name selects nothing.
void TestFormLayout::typedTextStaysTyped()
{
    QWidget fresh;
    Form1Ui ui;
    ui.setupUi(&fresh);
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    struct Case {
        QComboBox* combo;
        const char* typed;
        int index;
    };
    for (const Case& c : {Case{ui.SPREALCOM, "/dev/ttyUSB0", -1}, Case{ui.SPREALCOM, "com3", -1},
             Case{ui.COMEN1, "2", -1}, Case{ui.ComboBox1, "9600", 3}}) {
        const int count = c.combo->count();
        c.combo->lineEdit()->selectAll();
        QTest::keyClicks(c.combo->lineEdit(), QString::fromLatin1(c.typed));
        QTest::keyClick(c.combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(c.combo->count(), count);
        QCOMPARE(c.combo->currentText(), QString::fromLatin1(c.typed));
        QCOMPARE(app::ItemIndex(c.combo), c.index);
    }
    // Picking from the list after typing selects again.
    ui.COMEN1->lineEdit()->selectAll();
    QTest::keyClicks(ui.COMEN1->lineEdit(), QStringLiteral("zz"));
    QCOMPARE(app::ItemIndex(ui.COMEN1), -1);
    ui.COMEN1->setCurrentIndex(1);
    QCOMPARE(app::ItemIndex(ui.COMEN1), 1);
    QCOMPARE(ui.COMEN1->currentText(), QStringLiteral("1-Open"));
}

void TestFormLayout::itemIndex_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text"); // edit text after selecting `current`; null: untouched
    QTest::addColumn<bool>("typed");   // the text came from the keyboard, not from code
    QTest::addColumn<int>("expected");
    const QStringList list{"0-Close", "1-Open"};
    QTest::newRow("selected item") << list << true << 1 << QString() << false << 1;
    QTest::newRow("other item typed") << list << true << 1 << "0-Close" << true << 0;
    QTest::newRow("current item typed again") << list << true << 1 << "1-Open" << true << 1;
    QTest::newRow("free text typed") << list << true << 1 << "2-Maybe" << true << -1;
    QTest::newRow("case differs") << list << true << 0 << "1-open" << true << -1;
    QTest::newRow("prefix only") << list << true << 0 << "1-Ope" << true << -1;
    QTest::newRow("emptied by typing") << list << true << 0 << "" << true << -1;
    QTest::newRow("nothing selected") << list << true << -1 << QString() << false << -1;
    QTest::newRow("nothing selected, item typed") << list << true << -1 << "1-Open" << true << 1;
    // The first unit list's start: no item although its edit reads as the first one.
    QTest::newRow("nothing selected, item text from code") << list << true << -1 << "0-Close" << false << -1;
    QTest::newRow("duplicate: current wins") << QStringList{"A", "B", "A"} << true << 2 << "A" << true << 2;
    QTest::newRow("duplicate: first typed") << QStringList{"A", "B", "A"} << true << 1 << "A" << true << 0;
    QTest::newRow("fixed list") << list << false << 1 << QString() << false << 1;
}

void TestFormLayout::itemIndex()
{
    QFETCH(QStringList, items);
    QFETCH(bool, editable);
    QFETCH(int, current);
    QFETCH(QString, text);
    QFETCH(bool, typed);
    QFETCH(int, expected);
    QComboBox combo;
    combo.setEditable(editable);
    combo.addItems(items);
    combo.setCurrentIndex(current);
    if (!text.isNull())
        combo.setEditText(text);
    if (typed)
        combo.lineEdit()->setModified(true);
    QCOMPARE(app::ItemIndex(&combo), expected);
}

void TestFormLayout::selectItem_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::newRow("item") << 1 << 1 << "1-Open";
    QTest::newRow("same item over typed text") << 0 << 0 << "0-Close";
    QTest::newRow("none") << -1 << -1 << "";
    QTest::newRow("beyond the list") << 2 << -1 << "";
    QTest::newRow("far beyond") << 255 << -1 << "";
}

void TestFormLayout::selectItem()
{
    QFETCH(int, index);
    QFETCH(int, current);
    QFETCH(QString, text);
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"0-Close", "1-Open"});
    combo.setCurrentIndex(0);
    combo.setEditText("typed");
    combo.lineEdit()->setModified(true);
    app::SelectItem(&combo, index);
    QCOMPARE(combo.currentIndex(), current);
    QCOMPARE(combo.currentText(), text);
    QCOMPARE(app::ItemIndex(&combo), current);
}

QTEST_MAIN(TestFormLayout)
#include "test_form_layout.moc"

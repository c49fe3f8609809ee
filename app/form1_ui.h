#pragma once

#include <QCoreApplication>

#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace app {

// The passive part of the main window "Form1": every control with its name, caption, items and initial contents,
// the logo and the key filters. Members carry the controls' own names, which the protocol code binds to; the
// window class adds the behaviour. Captions without a name of their own are not members (they have objectNames
// starting with "Label..."/"GroupBox..." for styling and tests).
struct Form1Ui {
    Q_DECLARE_TR_FUNCTIONS(Form1)

public:
    // Top strip.
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* LabelCompany = nullptr;
    QLabel* LabelPhone = nullptr;
    QLabel* LabelWeb = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* SPREALCOM = nullptr;
    QPushButton* Button1 = nullptr;

    // Tabs, in page order.
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet6 = nullptr; // 0 "Communication Test"
    QWidget* TabSheet8 = nullptr; // 1 "Parameter Configuration"
    QWidget* TabSheet9 = nullptr; // 2 " Instrument Information"
    QWidget* TabSheet1 = nullptr; // 3 "Input Configuration"
    QWidget* TabSheet2 = nullptr; // 4 "Analog & Variable Configuration"

    // Page 0: identify, process values.
    QComboBox* ComboBox9 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* Button3 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit20 = nullptr;
    QPushButton* Button34 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLineEdit* Edit18 = nullptr;
    QLineEdit* Edit30 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QComboBox* ComboBox15 = nullptr;
    QComboBox* ComboBox16 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QPushButton* Button4 = nullptr;
    QLabel* Label33 = nullptr;
    // Page 0: finding the device and watching its values.
    QPushButton* FindDevices = nullptr;
    QPushButton* LiveSwitch = nullptr; // checkable
    QSpinBox* LiveInterval = nullptr;  // seconds between samples, 0 for as fast as the line allows
    QPushButton* LiveTrend = nullptr;
    QLabel* LiveState = nullptr;

    // Page 1: loop current range and fixed current.
    QGroupBox* GroupBoxRange = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit12 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button10 = nullptr;
    QGroupBox* GroupBoxCurrent = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* ButtonLoopTest = nullptr; // beside Button6; same enabling

    // Page 2: instrument information, internal parameters.
    QLineEdit* Edit21 = nullptr;
    QPushButton* Button28 = nullptr;
    QPushButton* Button29 = nullptr;
    QLineEdit* Edit22 = nullptr;
    QLineEdit* Edit23 = nullptr;
    QLineEdit* Edit24 = nullptr;
    QLineEdit* Edit25 = nullptr;
    QLineEdit* Edit29 = nullptr;
    QPushButton* Button32 = nullptr;
    QPushButton* Button33 = nullptr;
    QLineEdit* Edit28 = nullptr;
    QPushButton* Button37 = nullptr;
    QLineEdit* Edit26 = nullptr;
    QPushButton* Button38 = nullptr;
    QPushButton* Button39 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* Button27 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button18 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QPushButton* Button16 = nullptr;
    QPushButton* Button7 = nullptr;
    QLabel* Label70 = nullptr; // caption-less click area, bottom left
    QLabel* Label71 = nullptr; // caption-less click area, top right

    // Page 3: RS485 line, instrument commands 1-4, parsing format.
    QGroupBox* GroupBoxRs485 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* Edit13 = nullptr;
    QPushButton* Button14 = nullptr;
    QPushButton* Button17 = nullptr;
    QLabel* Label89 = nullptr;
    QLabel* Label90 = nullptr;

    QComboBox* COMEN1 = nullptr;
    QComboBox* COMEN2 = nullptr;
    QComboBox* COMEN3 = nullptr;
    QComboBox* COMEN4 = nullptr;
    QLineEdit* Camd1 = nullptr;
    QLineEdit* Camd2 = nullptr;
    QLineEdit* Camd3 = nullptr;
    QLineEdit* Camd4 = nullptr;
    QLineEdit* ACOMBY1 = nullptr;
    QLineEdit* ACOMBY2 = nullptr;
    QLineEdit* BCOMBY1 = nullptr;
    QLineEdit* BCOMBY2 = nullptr;
    QLineEdit* CCOMBY1 = nullptr;
    QLineEdit* CCOMBY2 = nullptr;
    QLineEdit* DCOMBY1 = nullptr;
    QLineEdit* DCOMBY2 = nullptr;
    QPushButton* Button11 = nullptr; // command 1 Query
    QPushButton* Button12 = nullptr; // command 1 Set
    QPushButton* Button15 = nullptr; // command 2 Query
    QPushButton* Button5 = nullptr;  // command 2 Set
    QPushButton* Button25 = nullptr; // command 3 Query
    QPushButton* Button26 = nullptr; // command 3 Set
    QPushButton* Button35 = nullptr; // command 4 Query
    QPushButton* Button41 = nullptr; // command 4 Set
    // The same controls by instrument command (index 0 = command 1).
    std::array<QGroupBox*, 4> GroupBoxCommand{};
    std::array<QComboBox*, 4> COMEN{};
    std::array<QLineEdit*, 4> Camd{};
    std::array<QLineEdit*, 4> ReturnByte1{}; // ACOMBY1, BCOMBY1, CCOMBY1, DCOMBY1
    std::array<QLineEdit*, 4> ReturnByte2{}; // ACOMBY2, BCOMBY2, CCOMBY2, DCOMBY2
    std::array<QPushButton*, 4> CommandQuery{};
    std::array<QPushButton*, 4> CommandSet{};

    QGroupBox* GroupBoxParsing = nullptr;
    QComboBox* Dcom1 = nullptr;
    QComboBox* Dcom2 = nullptr;
    QComboBox* Dcom3 = nullptr;
    QComboBox* Dcom4 = nullptr;
    QComboBox* Dcom5 = nullptr;
    QLineEdit* Dadr1 = nullptr;
    QLineEdit* Dadr2 = nullptr;
    QLineEdit* Dadr3 = nullptr;
    QLineEdit* Dadr4 = nullptr;
    QLineEdit* Dadr5 = nullptr;
    QLineEdit* Ddatalg1 = nullptr;
    QLineEdit* Ddatalg2 = nullptr;
    QLineEdit* Ddatalg3 = nullptr;
    QLineEdit* Ddatalg4 = nullptr;
    QLineEdit* Ddatalg5 = nullptr;
    QComboBox* Dxieyi1 = nullptr;
    QComboBox* Dxieyi2 = nullptr;
    QComboBox* Dxieyi3 = nullptr;
    QComboBox* Dxieyi4 = nullptr;
    QComboBox* Dxieyi5 = nullptr;
    QLineEdit* Dxishu1 = nullptr;
    QLineEdit* Dxishu2 = nullptr;
    QLineEdit* Dxishu3 = nullptr;
    QLineEdit* Dxishu4 = nullptr;
    QLineEdit* Dxishu5 = nullptr;
    QPushButton* Button30 = nullptr;
    QPushButton* Button19 = nullptr;
    // The parsing rows (index 0 = "RS485 AD3 Value:", 4 = "Serial Number:").
    std::array<QComboBox*, 5> Dcom{};
    std::array<QLineEdit*, 5> Dadr{};
    std::array<QLineEdit*, 5> Ddatalg{};
    std::array<QComboBox*, 5> Dxieyi{};
    std::array<QLineEdit*, 5> Dxishu{};

    // Page 4: analog inputs, variable mapping, help text.
    QGroupBox* GroupBoxAnalog = nullptr;
    QLineEdit* AD1H = nullptr;
    QLineEdit* AD1L = nullptr;
    QLineEdit* AD1LD = nullptr;
    QLineEdit* ADXSHOU1 = nullptr;
    QLineEdit* AD2H = nullptr;
    QLineEdit* AD2L = nullptr;
    QLineEdit* AD2LD = nullptr;
    QLineEdit* ADXSHOU2 = nullptr;
    QLineEdit* AD3H = nullptr;
    QLineEdit* AD3L = nullptr;
    QLineEdit* AD3LD = nullptr;
    QLineEdit* ADXSHOU3 = nullptr;
    QLineEdit* AD4H = nullptr;
    QLineEdit* AD4L = nullptr;
    QLineEdit* AD4LD = nullptr;
    QLineEdit* ADXSHOU4 = nullptr;
    QPushButton* Button8 = nullptr;  // AD1 Query
    QPushButton* Button13 = nullptr; // AD1 Set
    QPushButton* Button31 = nullptr; // AD2 Query
    QPushButton* Button40 = nullptr; // AD2 Set
    QPushButton* Button21 = nullptr; // AD3 Query
    QPushButton* Button20 = nullptr; // AD3 Set
    QPushButton* Button24 = nullptr; // AD4 Query
    QPushButton* Button22 = nullptr; // AD4 Set
    // The analog rows (index 0 = AD1).
    std::array<QLineEdit*, 4> ADH{};
    std::array<QLineEdit*, 4> ADL{};
    std::array<QLineEdit*, 4> ADLD{};
    std::array<QLineEdit*, 4> ADXSHOU{};
    std::array<QPushButton*, 4> AnalogQuery{};
    std::array<QPushButton*, 4> AnalogSet{};
    QPlainTextEdit* Memo1 = nullptr;

    QGroupBox* GroupBoxMapping = nullptr;
    QComboBox* Bianlan1 = nullptr;
    QComboBox* Bianlan2 = nullptr;
    QComboBox* Bianlan3 = nullptr;
    QComboBox* Bianlan4 = nullptr;
    QComboBox* WEI1 = nullptr;
    QComboBox* WEI2 = nullptr;
    QComboBox* WEI3 = nullptr;
    QComboBox* WEI4 = nullptr;
    QPushButton* Button36 = nullptr;
    QPushButton* Button23 = nullptr;
    std::array<QComboBox*, 4> Bianlan{};
    std::array<QComboBox*, 4> WEI{};

    // Status panel.
    QFrame* Panel1 = nullptr;
    QLabel* Label48 = nullptr;
    QLabel* Label56 = nullptr; // bytes sent
    QLabel* Label52 = nullptr;
    QLabel* Label67 = nullptr; // bytes received
    QLabel* Label65 = nullptr;
    QLabel* Label68 = nullptr; // transfer status

    // Builds every control as a child of `form` and sets the form's name, caption, size, position and colour.
    void setupUi(QWidget* form);

private:
    // One per page; `form` gives the font that field widths are measured in.
    void setupCommunicationTest(const QWidget* form);
    void setupParameterConfiguration(const QWidget* form);
    void setupInstrumentInformation(const QWidget* form);
    void setupInputConfiguration(const QWidget* form);
    void setupAnalogAndVariables(const QWidget* form);
};

} // namespace app

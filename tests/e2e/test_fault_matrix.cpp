// The fault matrix: every Query and Set of the window against every fault the
// simulated converter can put into an answer, in the real window, over a
// pseudo-terminal, with the real serial threads.
//
// Time scale: the time-out (Timer3) is shortened to 800 ms and the port's read
// interval to 100 ms, so that the 520 cells take four minutes of waiting
// instead of half an hour. The faults are sized against those two figures (see
// the static_asserts), so each cell means what it would mean with the 3000 ms
// and 300 ms of the product.
#include "e2e/fault_matrix.h"

#include "support/window_driver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <memory>
#include <vector>

namespace faultmatrix {
namespace {

constexpr int kTimeoutMs = 800;      // Timer3 for the matrix
constexpr int kReadIntervalMs = 100; // silence that ends a delivery
constexpr int kTimer2Ms = 100;       // answer timer, as built
constexpr int kTurnaroundMs = 20;    // the simulator's, as built
constexpr int kSplitGapMs = 400;
constexpr int kJoinedGapMs = 30;
constexpr int kDelayMs = 1200;
// A good answer is judged this long after the request: well inside the time-out.
static_assert(kTurnaroundMs + kReadIntervalMs + kTimer2Ms + 300 < kTimeoutMs);
// The halves of a split answer arrive as two deliveries (also with the product's 300 ms).
static_assert(kSplitGapMs > kReadIntervalMs && kSplitGapMs > 300);
// A short pause inside an answer does not end the delivery, with room for scheduling.
static_assert(kJoinedGapMs + 50 < kReadIntervalMs);
// A delayed answer starts well after the time-out text is shown.
static_assert(kDelayMs > kTimeoutMs + 300);

// Longest the window's event loop may go without running a 20 ms heartbeat
// timer, time spent waiting for a CPU not counted. Nothing in a transaction
// blocks the window thread (the 200 ms pause is injected as a no-op); a
// handler that blocked on the port or slept its 200 ms would exceed this.
constexpr qint64 kMaxHeartbeatGapMs = 180;

enum Outcome {
    OK, // the success text; every field the button fills shows the device's value
    FA, // the failure text; fields as the failure rule leaves them
    WP, // a Set answered with response code 7: "Write failed!Write protect!"
    W8, // a Set answered with the warning 8: "Write failed!Setting parameters may have value!"
    CR, // a Set answered with a code the table does not name: "Write failed!Channel restricted!"
    TO, // the time-out text; nothing decoded
    LT, // the time-out text, then the late answer decoded as in OK
};

enum Kind { Query, Set };

enum Col {
    NoAnswer,
    BadChecksum,
    ErrorCode,
    WarningCode,
    CommError,
    Preambles,
    NoiseShort,
    NoiseLong,
    Split,
    SplitJoined,
    Truncated,
    WrongCommand,
    Delay,
    kColumnCount
};

struct Column {
    const char* name;
    sim::FaultKind kind;
    int value;
    int deliveries; // how many deliveries the window receives for the one request
};

// The simulator answers with 5 preambles, so the last preamble (the header
// position i) is at 4 plus any noise bytes, or at (preambles - 1).
constexpr Column kColumns[kColumnCount] = {
    {"no answer", sim::FaultKind::NoAnswer, 0, 0},
    {"wrong checksum", sim::FaultKind::BadChecksum, 0, 1},
    {"response code 7", sim::FaultKind::ResponseCode, 7, 1},     // an error: no data
    {"response code 8", sim::FaultKind::ResponseCode, 8, 1},     // a warning: the data comes along
    {"response code 0x88", sim::FaultKind::ResponseCode, 0x88, 1}, // communication error bit: no data
    {"12 preambles", sim::FaultKind::Preambles, 12, 1},          // i = 11
    {"4 noise bytes", sim::FaultKind::Noise, 4, 1},              // i = 8
    {"20 noise bytes", sim::FaultKind::Noise, 20, 1},            // i = 24
    {"split 400 ms", sim::FaultKind::Split, kSplitGapMs, 2},
    {"split 30 ms", sim::FaultKind::Split, kJoinedGapMs, 1},     // joined again by the read interval
    {"truncated", sim::FaultKind::Truncated, 0, 1},              // last data byte and checksum missing
    {"echo of command 99", sim::FaultKind::WrongCommand, 99, 1}, // no request of the tool uses 99
    {"1200 ms late", sim::FaultKind::Delay, kDelayMs, 1},
};

struct RowSpec {
    const char* button;
    Kind kind;
    std::array<Outcome, kColumnCount> expected;
};

// Expected outcome per cell. Header windows: i in 0..10 for every answer but
// Button4 (command 3: 0..30), Button9 (command 15: 0..20) and Button3 (the
// identify answer: 1..10, with byte count 14). Hence 12 preambles (i = 11)
// fail everywhere but Button4 and Button9, and 20 noise bytes (i = 24) fail
// everywhere but Button4. Error codes fail a Query; a warning does not. A
// split answer is judged on its first half, which lacks the checksum: failure,
// and the second half changes nothing. An echo of another command is ignored,
// so the time-out follows. A late answer is decoded after its time-out text.
//
// Button3, the communication test, gets a short frame (11 bytes before the
// data): 4 noise bytes put its header at 8, inside 1..10; 12 preambles (11)
// and 20 noise bytes (24) put it outside. Code 7 and 0x88 answers carry no
// data, so their byte count is 2, not 14: not an identify answer. The warning
// 8 keeps the data: identified. The other columns go as for any query.
//
//                        no     wrong  code   code   code   12     4      20     split  split  trunc  echo   1200 ms
//                        answer cksum  7      8      0x88   pre    noise  noise  400    30     -ated  99     late
constexpr RowSpec kRows[] = {
    {"Button3",  Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button34", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button4",  Query, { TO,    FA,    FA,    OK,    FA,    OK,    OK,    OK,    FA,    OK,    FA,    TO,    LT}},
    {"Button6",  Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button9",  Query, { TO,    FA,    FA,    OK,    FA,    OK,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button10", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button28", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button29", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button32", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button33", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button38", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button39", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button37", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button27", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button2",  Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button18", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button16", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button7",  Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button11", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button12", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button15", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button5",  Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button25", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button26", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button35", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button41", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button30", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button19", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button14", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button17", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button8",  Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button13", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button31", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button40", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button21", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button20", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button24", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button22", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button36", Query, { TO,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
    {"Button23", Set,   { TO,    FA,    WP,    W8,    CR,    FA,    OK,    FA,    FA,    OK,    FA,    TO,    LT}},
};
constexpr int kRowCount = int(std::size(kRows));
static_assert(kRowCount == 40);

// Two pairs of Sets share a pending code (1170: commands 176 and 170; 1172:
// 172 and 178). An answer that echoes the partner's command is still another
// command's answer: ignored, time-out.
struct EchoCell {
    const char* button;
    int echo;
};
constexpr EchoCell kPartnerEchoes[] = {{"Button20", 170}, {"Button23", 176}, {"Button17", 178}, {"Button22", 172}};

// What a failed or timed-out query leaves in a field it fills.
enum Rule {
    Keep,    // untouched: the sentinel stays
    Emptied, // emptied when the request goes out: empty after a failure or a time-out
    Cleared, // emptied by the failure only: empty after a failure, the sentinel after a time-out
};

struct Field {
    const char* control;
    const char* shown; // after a good answer from the baseline converter
    Rule rule;
};

struct QueryFields {
    const char* button;
    std::vector<Field> fields;
};

// How the controls read: texts for edits and lists, these for the rest.
const QString kNone = QStringLiteral("<no item>");
const QString kShown = QStringLiteral("<shown>");
const QString kHidden = QStringLiteral("<hidden>");
const QString kChecked = QStringLiteral("<checked>");
const QString kUnchecked = QStringLiteral("<unchecked>");
const QString kSentinel = QStringLiteral("sentinel");

// Every field a Query fills, with the value it shows for the baseline
// converter below.
const std::vector<QueryFields> kQueryFields = {
    {"Button3", {{"Edit1", "38", Cleared}, {"Edit2", "7", Cleared}, {"Edit3", "5", Cleared},
                 {"Edit4", "66051", Cleared}, {"Edit28", "66051", Keep}, {"ComboBox3", "0", Keep}}},
    {"Button34", {{"Edit6", "16", Emptied}, {"Edit20", "75", Emptied}}},
    {"Button4", {{"Edit5", "16", Emptied}, {"Edit17", "8", Emptied}, {"Edit18", "50", Emptied},
                 {"Edit30", "1", Emptied}, {"ComboBox5", "12_\u2103", Keep}, {"ComboBox15", "79_mA", Keep},
                 {"ComboBox16", "75_%", Keep}, {"ComboBox6", "78_250", Keep}}},
    {"Button9", {{"Edit11", "20", Cleared}, {"Edit12", "4", Cleared}}},
    {"Button28", {{"Edit21", "QUORVANE MODBUS-HART CONVERTER  ", Emptied}}},
    {"Button32", {{"Edit22", "CONVERTR", Emptied}, {"Edit23", "MODBUS TO HART  ", Emptied},
                  {"Edit29", "15", Emptied}, {"Edit25", "7", Emptied}, {"Edit24", "2023", Emptied}}},
    {"Button38", {{"Edit26", "123457", Emptied}}},
    {"Button2", {{"Edit8", "LT-1234", Keep}}},
    {"Button16", {{"Edit9", "7", Keep}, {"Edit10", "38", Keep}}},
    {"Button11", {{"COMEN1", "1-Open", Keep}, {"ACOMBY1", "01", Keep}, {"ACOMBY2", "03", Keep},
                  {"Camd1", "01 03 00 00 00 02 C4 0B ", Keep}}},
    {"Button15", {{"COMEN2", "0-Close", Keep}, {"BCOMBY1", "11", Keep}, {"BCOMBY2", "12", Keep},
                  {"Camd2", "02 04 ", Keep}}},
    {"Button25", {{"COMEN3", "1-Open", Keep}, {"CCOMBY1", "21", Keep}, {"CCOMBY2", "22", Keep},
                  {"Camd3", "03 ", Keep}}},
    {"Button35", {{"COMEN4", "0-Close", Keep}, {"DCOMBY1", "31", Keep}, {"DCOMBY2", "32", Keep},
                  {"Camd4", "", Keep}}},
    {"Button30", {{"Dcom1", "1-Instruction 1", Keep}, {"Dadr1", "3", Keep}, {"Ddatalg1", "4", Keep},
                  {"Dxieyi1", "0-Float\uFF084321\uFF09", Keep}, {"Dxishu1", "1", Keep},
                  {"Dcom2", "2-Instruction 2", Keep}, {"Dadr2", "7", Keep}, {"Ddatalg2", "2", Keep},
                  {"Dxieyi2", "3-Unsigned int(4321)", Keep}, {"Dxishu2", "2.5", Keep},
                  {"Dcom3", "3-Instruction 3", Keep}, {"Dadr3", "11", Keep}, {"Ddatalg3", "8", Keep},
                  {"Dxieyi3", "15-Double(high low order)", Keep}, {"Dxishu3", ".125", Keep},
                  {"Dcom4", "4-Instruction 4", Keep}, {"Dadr4", "0", Keep}, {"Ddatalg4", "1", Keep},
                  {"Dxieyi4", "21-Raw data", Keep}, {"Dxishu4", "10", Keep},
                  {"Dcom5", "0-Close", Keep}, {"Dadr5", "255", Keep}, {"Ddatalg5", "20", Keep},
                  {"Dxieyi5", "26-Positioning status", Keep}, {"Dxishu5", ".5", Keep}}},
    {"Button14", {{"ComboBox1", "38400", Keep}, {"ComboBox2", "Even", Keep}, {"Edit13", "25", Keep},
                  {"Label90", "<shown>", Keep}}},
    {"Button8", {{"AD1H", "20", Keep}, {"AD1L", "4", Keep}, {"AD1LD", "0", Keep}, {"ADXSHOU1", "10000", Keep}}},
    {"Button31", {{"AD2H", "10", Keep}, {"AD2L", "2", Keep}, {"AD2LD", "1", Keep}, {"ADXSHOU2", "9000", Keep}}},
    {"Button21", {{"AD3H", "100", Keep}, {"AD3L", "-5", Keep}, {"AD3LD", "5", Keep}, {"ADXSHOU3", "10001", Keep}}},
    {"Button24", {{"AD4H", "1.5", Keep}, {"AD4L", "0.25", Keep}, {"AD4LD", "0.75", Keep}, {"ADXSHOU4", "1", Keep}}},
    {"Button36", {{"Bianlan1", "1_AD1(analog)", Keep}, {"WEI1", "12_\u2103", Keep},
                  {"Bianlan2", "2_AD2(analog)", Keep}, {"WEI2", "79_mA", Keep},
                  {"Bianlan3", "3_AD3(RS485 direct reading)", Keep}, {"WEI3", "75_%", Keep},
                  {"Bianlan4", "4_AD4(RS485 direct reading)", Keep}, {"WEI4", "78_250", Keep}}},
};

struct Input {
    const char* control;
    const char* value;
};

struct SetInputs {
    const char* button;
    std::vector<Input> inputs;
    const char* written; // what the converter holds after the write, as Written() tells it
};

// What is typed or chosen before each Set: valid input that the converter
// accepts, different from what it holds in the baseline.
const std::vector<SetInputs> kSetInputs = {
    {"Button6", {{"RadioButton3", "<checked>"}}, "12"},
    {"Button10", {{"Edit11", "30"}, {"Edit12", "2"}}, "32 30 2"},
    {"Button29", {{"Edit21", "FAULT MATRIX"}}, "FAULT MATRIX"},
    {"Button33", {{"Edit22", "TAG1"}, {"Edit23", "DESCRIPTOR"}, {"Edit29", "16"}, {"Edit25", "8"}, {"Edit24", "2024"}},
     "TAG1|DESCRIPTOR|16 8 124"},
    {"Button39", {{"Edit26", "123456"}}, "123456"},
    {"Button37", {{"Edit28", "197121"}}, "03 02 01"},
    {"Button27", {{"ComboBox3", "5"}}, "5"},
    {"Button18", {{"Edit8", "LONG TAG"}}, "LONG TAG"},
    {"Button7", {{"Edit9", "9"}, {"Edit10", "40"}}, "9 40"},
    {"Button12", {{"COMEN1", "1-Open"}, {"Camd1", "01 03 00 00 00 02"}, {"ACOMBY1", "01"}, {"ACOMBY2", "03"}},
     "1 01 03 | 01 03 00 00 00 02"},
    {"Button5", {{"COMEN2", "1-Open"}, {"Camd2", "02 04"}, {"BCOMBY1", "11"}, {"BCOMBY2", "12"}}, "1 11 12 | 02 04"},
    {"Button26", {{"COMEN3", "0-Close"}, {"Camd3", "03"}, {"CCOMBY1", "21"}, {"CCOMBY2", "22"}}, "0 21 22 | 03"},
    {"Button41", {{"COMEN4", "1-Open"}, {"Camd4", "0A"}, {"DCOMBY1", "31"}, {"DCOMBY2", "32"}}, "1 31 32 | 0A"},
    {"Button19", {{"Dcom1", "1-Instruction 1"}, {"Dadr1", "3"}, {"Ddatalg1", "4"}, {"Dxieyi1", "0-Float\uFF084321\uFF09"}, {"Dxishu1", "1.000"},
                  {"Dcom2", "0-Close"}, {"Dadr2", "0"}, {"Ddatalg2", "4"}, {"Dxieyi2", "0-Float\uFF084321\uFF09"}, {"Dxishu2", "1.000"},
                  {"Dcom3", "2-Instruction 2"}, {"Dadr3", "9"}, {"Ddatalg3", "2"}, {"Dxieyi3", "5-Unsigned int(1234)"}, {"Dxishu3", "0.5"},
                  {"Dcom4", "0-Close"}, {"Dadr4", "0"}, {"Ddatalg4", "4"}, {"Dxieyi4", "0-Float\uFF084321\uFF09"}, {"Dxishu4", "1.000"},
                  {"Dcom5", "4-Instruction 4"}, {"Dadr5", "1"}, {"Ddatalg5", "8"}, {"Dxieyi5", "13-Character string(high low order)"}, {"Dxishu5", "2"}},
     "1/3/4/0/1 0/0/4/0/1 2/9/2/5/0.5 0/0/4/0/1 4/1/8/13/2"},
    {"Button17", {{"ComboBox1", "9600"}, {"ComboBox2", "None"}, {"Edit13", "10"}}, "3 0 10"},
    {"Button13", {{"AD1H", "30"}, {"AD1L", "6"}, {"AD1LD", "2"}, {"ADXSHOU1", "12345"}}, "30 6 2 12345"},
    {"Button40", {{"AD2H", "30"}, {"AD2L", "6"}, {"AD2LD", "2"}, {"ADXSHOU2", "12345"}}, "30 6 2 12345"},
    {"Button20", {{"AD3H", "30"}, {"AD3L", "6"}, {"AD3LD", "2"}, {"ADXSHOU3", "12345"}}, "30 6 2 12345"},
    {"Button22", {{"AD4H", "30"}, {"AD4L", "6"}, {"AD4LD", "2"}, {"ADXSHOU4", "12345"}}, "30 6 2 12345"},
    {"Button23", {{"Bianlan1", "1_AD1(analog)"}, {"WEI1", "12_\u2103"}, {"Bianlan2", "2_AD2(analog)"}, {"WEI2", "79_mA"},
                  {"Bianlan3", "0-Close"}, {"WEI3", "75_%"}, {"Bianlan4", "8_AD4(analog)"}, {"WEI4", "78_250"}},
     "1/32 2/39 0/57 8/250"},
};

QString Hex(const std::vector<std::uint8_t>& bytes)
{
    QStringList out;
    for (const std::uint8_t b : bytes)
        out << QString("%1").arg(b, 2, 16, QChar('0')).toUpper();
    return out.join(' ');
}

QString Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed(); }

// The part of the converter's state that a Set writes, as text.
QString Written(const char* button, const sim::ConverterState& s)
{
    const std::string b = button;
    const auto analog = [&](int k) {
        const auto& a = s.analog[std::size_t(k)];
        return QString("%1 %2 %3 %4").arg(a.upper).arg(a.lower).arg(a.start).arg(a.coefficient);
    };
    const auto instrument = [&](int k) {
        const auto& c = s.instruments[std::size_t(k)];
        return QString("%1 %2 %3 | %4")
            .arg(c.enable)
            .arg(Hex({c.returnByte1}), Hex({c.returnByte2}), Hex(c.bytes));
    };
    if (b == "Button6")
        return s.fixedCurrent ? QString::number(*s.fixedCurrent) : "none";
    if (b == "Button10")
        return QString("%1 %2 %3").arg(s.rangeUnit).arg(s.upperRange).arg(s.lowerRange);
    if (b == "Button29")
        return Trimmed(s.message);
    if (b == "Button33")
        return QString("%1|%2|%3 %4 %5")
            .arg(Trimmed(s.tag), Trimmed(s.descriptor))
            .arg(s.date[0])
            .arg(s.date[1])
            .arg(s.date[2]);
    if (b == "Button39")
        return QString::number(s.finalAssembly);
    if (b == "Button37")
        return Hex({s.deviceId.begin(), s.deviceId.end()});
    if (b == "Button27")
        return QString::number(s.pollAddress);
    if (b == "Button18")
        return QString::fromLatin1(reinterpret_cast<const char*>(s.longTag.data()),
                                   qsizetype(std::find(s.longTag.begin(), s.longTag.end(), 0) - s.longTag.begin()));
    if (b == "Button7")
        return QString("%1 %2").arg(s.deviceType).arg(s.manufacturerId);
    if (b == "Button12")
        return instrument(0);
    if (b == "Button5")
        return instrument(1);
    if (b == "Button26")
        return instrument(2);
    if (b == "Button41")
        return instrument(3);
    if (b == "Button19") {
        QStringList rows;
        for (const auto& r : s.parsing)
            rows << QString("%1/%2/%3/%4/%5").arg(r.command).arg(r.address).arg(r.length).arg(r.format).arg(r.coefficient);
        return rows.join(' ');
    }
    if (b == "Button17")
        return QString("%1 %2 %3").arg(s.baudIndex).arg(s.parityIndex).arg(s.interval);
    if (b == "Button13")
        return analog(0);
    if (b == "Button40")
        return analog(1);
    if (b == "Button20")
        return analog(2);
    if (b == "Button22")
        return analog(3);
    if (b == "Button23") {
        QStringList rows;
        for (const auto& m : s.mapping)
            rows << QString("%1/%2").arg(m.channel).arg(m.unit);
        return rows.join(' ');
    }
    qFatal("no written state known for %s", button);
}

// The converter in every cell: the values the fields above show.
sim::ConverterState Baseline()
{
    sim::ConverterState s;
    s.pollAddress = 0;
    s.manufacturerId = 0x26;
    s.deviceType = 7;
    s.preambles = 5;
    s.deviceId = {0x01, 0x02, 0x03};
    s.deviceStatus = 0;
    s.writeProtect = 0;
    s.message = "QUORVANE MODBUS-HART CONVERTER";
    s.tag = "CONVERTR";
    s.descriptor = "MODBUS TO HART";
    s.date = {15, 7, 123};
    s.finalAssembly = 123457;
    s.longTag = {};
    std::memcpy(s.longTag.data(), "LT-1234", 7);
    s.rangeUnit = 32;
    s.upperRange = 20.0f;
    s.lowerRange = 4.0f;
    s.fixedCurrent.reset();
    s.instruments = {{
        {1, 0x01, 0x03, {0x01, 0x03, 0x00, 0x00, 0x00, 0x02, 0xC4, 0x0B}},
        {0, 0x11, 0x12, {0x02, 0x04}},
        {1, 0x21, 0x22, {0x03}},
        {0, 0x31, 0x32, {}},
    }};
    s.parsing = {{{1, 3, 4, 0, 1.0f}, {2, 7, 2, 3, 2.5f}, {3, 11, 8, 15, 0.125f}, {4, 0, 1, 21, 10.0f},
                  {0, 255, 20, 26, 0.5f}}};
    s.baudIndex = 5;
    s.parityIndex = 2;
    s.interval = 25;
    s.markerFlag = 1;
    s.analog = {{{20.0f, 4.0f, 0.0f, 10000}, {10.0f, 2.0f, 1.0f, 9000}, {100.0f, -5.0f, 5.0f, 10001},
                 {1.5f, 0.25f, 0.75f, 1}}};
    s.mapping = {{{1, 32}, {2, 39}, {3, 57}, {4, 250}}};
    // Input 1 feeds the loop: 16 in 4..20 is 16 mA and 75 %. No drift, so the texts are fixed.
    s.inputValues = {0.0f, 16.0f, 8.0f, 50.0f, 1.0f, 100.0f, 7.0f, 25.0f, 0.5f};
    s.driftAmplitude = 0.0f;
    return s;
}

QStringList Statuses(Kind kind, Outcome outcome)
{
    const QString ok = kind == Set ? "Write successful!" : "upload successful!";
    const QString timeout = kind == Set ? "Writing data timeout!" : "Upload data timeout!";
    switch (outcome) {
    case OK: return {ok};
    case FA: return {kind == Set ? "Write failed!" : "upload failed!"};
    case WP: return {"Write failed!Write protect!"};
    case W8: return {"Write failed!Setting parameters may have value!"};
    case CR: return {"Write failed!Channel restricted!"};
    case TO: return {timeout};
    case LT: return {timeout, ok};
    }
    return {};
}

QObject* Control(QWidget& form, const char* name)
{
    auto* found = form.findChild<QWidget*>(name);
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

QString Shown(QWidget& form, const char* name)
{
    QObject* o = Control(form, name);
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(o))
        return c->currentIndex() < 0 ? kNone : c->currentText();
    if (auto* r = qobject_cast<QRadioButton*>(o))
        return r->isChecked() ? kChecked : kUnchecked;
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->isHidden() ? kHidden : kShown;
    qFatal("control %s has no value to read", name);
}

void Put(QWidget& form, const char* name, const QString& value)
{
    QObject* o = Control(form, name);
    if (auto* e = qobject_cast<QLineEdit*>(o)) {
        e->setText(value);
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        const int index = value == kNone ? -1 : c->findText(value);
        if (value != kNone && index < 0)
            qFatal("%s has no item %s", name, qPrintable(value));
        c->setCurrentIndex(index);
        c->setEditText(index < 0 ? QString() : c->itemText(index));
    } else if (auto* r = qobject_cast<QRadioButton*>(o)) {
        r->setChecked(value == kChecked);
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setHidden(value == kHidden);
    } else {
        qFatal("control %s takes no value", name);
    }
}

// A value no device sends to that control.
QString SentinelOf(QWidget& form, const char* name)
{
    QObject* o = Control(form, name);
    if (qobject_cast<QComboBox*>(o))
        return kNone;
    if (qobject_cast<QLabel*>(o))
        return kHidden;
    return kSentinel;
}

const SetInputs* SetOf(const char* button)
{
    for (const auto& s : kSetInputs)
        if (std::strcmp(s.button, button) == 0)
            return &s;
    return nullptr;
}

const char* InputValue(const std::vector<Input>* inputs, const char* control)
{
    if (inputs)
        for (const Input& in : *inputs)
            if (std::strcmp(in.control, control) == 0)
                return in.value;
    return nullptr;
}

QString AfterCell(const Field& f, Outcome outcome, const QString& sentinel)
{
    switch (outcome) {
    case OK:
    case LT: return QString::fromUtf8(f.shown);
    case FA:
    case WP:
    case W8:
    case CR: return f.rule == Keep ? sentinel : QString();
    case TO: return f.rule == Emptied ? QString() : sentinel;
    }
    return sentinel;
}

const char* const kGroups[] = {"no_answer", "wrong_command", "frames", "codes", "position", "split", "delay"};

std::vector<Col> ColumnsOf(const QString& group)
{
    if (group == "no_answer")
        return {NoAnswer};
    if (group == "wrong_command")
        return {WrongCommand};
    if (group == "frames")
        return {BadChecksum, Truncated};
    if (group == "codes")
        return {ErrorCode, WarningCode, CommError};
    if (group == "position")
        return {Preambles, NoiseShort, NoiseLong};
    if (group == "split")
        return {Split, SplitJoined};
    if (group == "delay")
        return {Delay};
    return {};
}

// Nanoseconds the calling thread has spent runnable but waiting for a CPU;
// 0 where the kernel does not tell.
qint64 RunQueueWaitNs()
{
    QFile f(QStringLiteral("/proc/thread-self/schedstat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().simplified().split(' ');
    return fields.size() >= 2 ? fields[1].toLongLong() : 0;
}

// Records the longest stretch in which the window's event loop did not run.
// Time the thread spent waiting for a CPU is left out: a loaded machine
// delays the loop without anything in it blocking.
class Heartbeat {
public:
    Heartbeat()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            const qint64 waited = RunQueueWaitNs();
            maxGap_ = std::max(maxGap_, now - last_ - (waited - waitedAtLast_) / 1'000'000);
            last_ = now;
            waitedAtLast_ = waited;
        });
    }
    void Start()
    {
        clock_.start();
        Reset();
        timer_.start();
    }
    void Reset()
    {
        last_ = clock_.elapsed();
        waitedAtLast_ = RunQueueWaitNs();
        maxGap_ = 0;
    }
    qint64 MaxGap() const
    {
        return std::max(maxGap_, clock_.elapsed() - last_ - (RunQueueWaitNs() - waitedAtLast_) / 1'000'000);
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 waitedAtLast_ = 0;
    qint64 maxGap_ = 0;
};

} // namespace

class TestFaultMatrix : public QObject {
    Q_OBJECT
public:
    explicit TestFaultMatrix(QString group) : group_(std::move(group)) {}

private slots:
    void initTestCase();
    void cells_data();
    void cells();
    void cleanupTestCase();

private:
    void PutSentinels(const std::vector<Input>* inputs);
    void CheckFields(const RowSpec& row, Outcome outcome, const std::vector<Input>* inputs);

    QString group_;
    std::unique_ptr<testing::WindowDriver> driver_;
    Heartbeat heartbeat_;
    qint64 longestGap_ = 0;
    QStringList statuses_;
    int deliveries_ = 0;
    QElapsedTimer clock_;
};

void TestFaultMatrix::initTestCase()
{
    clock_.start();
    // Every Query says what it fills, every Set what is typed for it.
    for (const RowSpec& r : kRows) {
        const bool described = std::any_of(kQueryFields.begin(), kQueryFields.end(),
                                           [&](const QueryFields& q) { return std::strcmp(q.button, r.button) == 0; });
        QVERIFY2(described == (r.kind == Query), r.button);
        QVERIFY2((SetOf(r.button) != nullptr) == (r.kind == Set), r.button);
        QVERIFY2(hart::FindRequest(r.button), r.button);
    }
    for (const hart::RequestRow& request : hart::RequestTable()) {
        const std::string name(request.button);
        QVERIFY2(std::any_of(std::begin(kRows), std::end(kRows), [&](const RowSpec& r) { return name == r.button; }),
                 name.c_str());
    }
    driver_ = std::make_unique<testing::WindowDriver>();
    auto& d = *driver_;
    // Shortened for the matrix; the cells are sized against these (see the static_asserts).
    d.form.Link().Timer3().setInterval(kTimeoutMs);
    d.form.Comm1().SetReadIntervalTimeout(kReadIntervalMs);
    QVERIFY(d.open());
    d.withDevice([](sim::Device& dev) {
        dev.State() = Baseline();
        dev.ClearFaults();
    });
    connect(&d.form.Link(), &hart::HartLink::StatusChanged, this, [this](const QString& s) { statuses_ << s; });
    connect(&d.form.Link(), &hart::HartLink::BytesReceivedChanged, this, [this] { ++deliveries_; });
    QCOMPARE(d.identify(), "upload successful!");
    // The range Set is enabled by a good range read only.
    QCOMPARE(d.press("Button9"), "upload successful!");
    QVERIFY(d.w<QPushButton>("Button10")->isEnabled());
    heartbeat_.Start();
}

void TestFaultMatrix::cells_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("deliveries");
    QTest::addColumn<int>("expected");
    const auto columns = ColumnsOf(group_);
    QVERIFY(!columns.empty());
    for (const Col c : columns) {
        const Column& col = kColumns[c];
        for (int r = 0; r < kRowCount; ++r)
            QTest::addRow("%s %s", kRows[r].button, col.name)
                << r << int(col.kind) << col.value << col.deliveries << int(kRows[r].expected[c]);
        if (c != WrongCommand)
            continue;
        for (const EchoCell& e : kPartnerEchoes) {
            const auto* row = std::find_if(std::begin(kRows), std::end(kRows),
                                           [&](const RowSpec& s) { return std::strcmp(s.button, e.button) == 0; });
            QTest::addRow("%s echo of command %d", e.button, e.echo)
                << int(row - std::begin(kRows)) << int(sim::FaultKind::WrongCommand) << e.echo << 1 << int(TO);
        }
    }
}

void TestFaultMatrix::PutSentinels(const std::vector<Input>* inputs)
{
    for (const auto& q : kQueryFields)
        for (const Field& f : q.fields)
            Put(driver_->form, f.control, SentinelOf(driver_->form, f.control));
    if (inputs)
        for (const Input& in : *inputs)
            Put(driver_->form, in.control, QString::fromUtf8(in.value));
}

void TestFaultMatrix::CheckFields(const RowSpec& row, Outcome outcome, const std::vector<Input>* inputs)
{
    auto& form = driver_->form;
    QStringList wrong;
    const auto expect = [&](const char* control, const QString& want) {
        const QString got = Shown(form, control);
        if (got != want)
            wrong << QString("%1 shows '%2', expected '%3'").arg(control, got, want);
    };
    for (const auto& q : kQueryFields) {
        const bool mine = std::strcmp(q.button, row.button) == 0;
        for (const Field& f : q.fields) {
            if (const char* typed = InputValue(inputs, f.control))
                expect(f.control, QString::fromUtf8(typed)); // the write-answer decoder changes nothing
            else
                expect(f.control, mine ? AfterCell(f, outcome, SentinelOf(form, f.control))
                                       : SentinelOf(form, f.control));
        }
    }
    if (inputs)
        for (const Input& in : *inputs)
            expect(in.control, QString::fromUtf8(in.value));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
}

void TestFaultMatrix::cells()
{
    QFETCH(int, row);
    QFETCH(int, kind);
    QFETCH(int, value);
    QFETCH(int, deliveries);
    QFETCH(int, expected);
    const RowSpec& cellRow = kRows[row];
    const auto outcome = Outcome(expected);
    const sim::Fault fault{sim::FaultKind(kind), value};
    auto& d = *driver_;

    // A polling-address Set the device took moved the address selector with it: back to the baseline's.
    app::SelectItem(d.w<QComboBox>("ComboBox9"), Baseline().pollAddress);
    d.withDevice([&](sim::Device& dev) {
        dev.State() = Baseline();
        dev.ClearFaults();
        dev.SetFault(std::nullopt, fault);
    });
    const SetInputs* set = SetOf(cellRow.button);
    const std::vector<Input>* inputs = set ? &set->inputs : nullptr;
    PutSentinels(inputs);
    // A request that left the modem keyed fails its own cell, not every one after it.
    d.form.Comm1().SetRtsControl(hart::TRtsControl::RtsDisable);
    auto* button = d.w<QPushButton>(cellRow.button);
    QVERIFY2(button->isEnabled(), cellRow.button);

    statuses_.clear();
    deliveries_ = 0;
    heartbeat_.Reset();
    QTest::mouseClick(button, Qt::LeftButton);

    const QStringList want = Statuses(cellRow.kind, outcome);
    // The outcome is checked below; an outcome that never comes shows there.
    (void)QTest::qWaitFor([&] { return statuses_.size() > want.size(); }, 3 * (kDelayMs + kTimeoutMs));
    if (fault.kind == sim::FaultKind::Split) {
        // The second half arrives after the first was judged; let it land and be looked at.
        (void)QTest::qWaitFor([&] { return deliveries_ >= deliveries; }, 3 * kSplitGapMs);
        // The answer timer the late half started judges it when it fires.
        QTRY_VERIFY_WITH_TIMEOUT(!d.form.Link().Timer2().isActive(), kTimer2Ms + 1000);
    }
    longestGap_ = std::max(longestGap_, heartbeat_.MaxGap());

    QVERIFY2(statuses_.value(0).startsWith("Uploading") || statuses_.value(0).startsWith("Please wait"),
             qPrintable(statuses_.join(" | ")));
    QCOMPARE(statuses_.mid(1), want);
    QCOMPARE(d.status(), want.last());
    QCOMPARE(deliveries_, deliveries);
    // The transaction is over; only a time-out leaves the request armed for a late answer.
    QVERIFY(!d.form.Link().Timer3().isActive());
    QCOMPARE(d.form.Link().PendingRequest() != 0, outcome == TO);
    QCOMPARE(d.form.Comm1().RtsControl(), hart::TRtsControl::RtsDisable);
    QVERIFY2(d.errors.isEmpty() && d.messages.isEmpty(), qPrintable((d.errors + d.messages).join(" | ")));
    CheckFields(cellRow, outcome, inputs);
    if (QTest::currentTestFailed())
        return;
    // A write reported as done is done, with what was typed.
    if (set && (outcome == OK || outcome == LT)) {
        QString written;
        d.withDevice([&](sim::Device& dev) { written = Written(cellRow.button, dev.State()); });
        QCOMPARE(written, QString::fromUtf8(set->written));
    }
    QVERIFY2(heartbeat_.MaxGap() < kMaxHeartbeatGapMs,
             qPrintable(QString("the window did not run for %1 ms").arg(heartbeat_.MaxGap())));
}

void TestFaultMatrix::cleanupTestCase()
{
    qInfo("%s: longest event-loop gap %lld ms, %lld ms in all", qPrintable(group_), longestGap_,
          clock_.elapsed());
    if (driver_)
        driver_->close();
    driver_.reset();
}

int RunGroup(const char* group, int argc, char** argv)
{
    if (std::none_of(std::begin(kGroups), std::end(kGroups), [&](const char* g) { return std::strcmp(g, group) == 0; }))
        qFatal("no fault group %s", group);
    TestFaultMatrix test{QString::fromLatin1(group)};
    return QTest::qExec(&test, argc, argv);
}

} // namespace faultmatrix

#include "test_fault_matrix.moc"

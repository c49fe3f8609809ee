#include "hart/request_table.h"

#include <QtGlobal>

#include <array>
#include <cstdlib>

namespace hart {

std::string_view StatusString(StatusText s)
{
    switch (s) {
    case StatusText::U2: return QT_TRANSLATE_NOOP("hart", "Uploading..!");
    case StatusText::U3: return QT_TRANSLATE_NOOP("hart", "Uploading...!");
    case StatusText::D4: return QT_TRANSLATE_NOOP("hart", "Please wait, it is currently being downloaded....");
    case StatusText::D5: return QT_TRANSLATE_NOOP("hart", "Please wait, it is currently being downloaded.....");
    }
    return {};
}

namespace {

using enum FrameShape;
using enum StatusText;
constexpr auto Q = TimeoutKind::Query;
constexpr auto S = TimeoutKind::Setting;
constexpr auto T1 = Tail::SleepArmStart;
constexpr auto T2 = Tail::ArmStartSleep;
constexpr auto T3 = Tail::StartSleepArm;
constexpr auto T4 = Tail::ArmStart;
constexpr auto T5 = Tail::StartArm;
constexpr int V = kVariableByteCount;
constexpr std::nullopt_t none = std::nullopt;

// The byte after the command 12 and 35 frames was never set by anyone; it is 0.
constexpr std::array<RequestRow, 40> kRequests{{
    //  button      code   cmd  count shape  kind st  tail  rts    trailer  name
    {"Button3",    100,    0,   0, Short, Q, U2, T3, false, none, "Read Unique Identifier"},
    {"Button34",   102,    2,   0, Long8, Q, U2, T2, false, none, "Read Loop Current And Percent Of Range"},
    {"Button4",    103,    3,   0, Long8, Q, U2, T1, false, none, "Read Dynamic Variables And Loop Current"},
    {"Button6",    140,   40,   4, Long8, S, D4, T1, false, 0x40, "Enter/Exit Fixed Current Mode"},
    {"Button9",    115,   15,   0, Long8, Q, U2, T4, false, none, "Read Device Information"},
    {"Button10",  1135,   35,   9, Long8, S, D4, T1, false, 0x00, "Write Primary Variable Range Values"},
    {"Button28",   112,   12,   0, Long8, Q, U2, T1, false, 0x00, "Read Message"},
    {"Button29",   117,   17,  24, Long8, S, D5, T1, true,  none, "Write Message"},
    {"Button32",   113,   13,   0, Long8, Q, U3, T1, true,  none, "Read Tag, Descriptor, Date"},
    {"Button33",   118,   18,  21, Long8, S, D5, T1, true,  none, "Write Tag, Descriptor, Date"},
    {"Button38",   116,   16,   0, Long8, Q, U3, T1, false, none, "Read Final Assembly Number"},
    {"Button39",   119,   19,   3, Long8, S, D5, T1, false, none, "Write Final Assembly Number"},
    {"Button37",   149,   49,   3, Long8, S, D5, T1, false, none, "Write Device Serial Number"},
    {"Button27",   106,    6,   1, Long8, S, D4, T1, false, none, "Write Polling Address"},
    {"Button2",    120,   20,   0, Long8, Q, U3, T1, false, none, "Read Long Tag"},
    {"Button18",   122,   22,  32, Long8, S, D5, T1, true,  none, "Write Long Tag"},
    {"Button16",   241,  241,   0, Long8, Q, U3, T1, false, none, "Read Internal Parameters"},
    {"Button7",    240,  240,   2, Long8, S, D4, T1, false, none, "Write Internal Parameters"},
    {"Button11",  1161,  161,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 1"},
    {"Button12",  1160,  160,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 1"},
    {"Button15",  1163,  163,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 2"},
    {"Button5",   1162,  162,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 2"},
    {"Button25",  1157,  157,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 3"},
    {"Button26",  1156,  156,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 3"},
    {"Button35",  1159,  159,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 4"},
    {"Button41",  1158,  158,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 4"},
    {"Button30",  1165,  165,   0, Long8, Q, U2, T2, false, none, "Read Modbus Parsing Format"},
    {"Button19",  1164,  164,  40, Long8, S, D4, T1, false, none, "Write Modbus Parsing Format"},
    {"Button14",  1173,  173,   0, Long8, Q, U2, T1, false, none, "Read RS485 Parameters"},
    {"Button17",  1172,  172,   3, Long8, S, D4, T1, false, none, "Write RS485 Parameters"},
    {"Button8",   1167,  167,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 1"},
    {"Button13",  1166,  166,  14, Long8, S, D4, T1, false, none, "Write Analog Input 1"},
    {"Button31",  1169,  169,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 2"},
    {"Button40",  1168,  168,  14, Long8, S, D4, T1, false, none, "Write Analog Input 2"},
    {"Button21",  1177,  177,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 3"},
    {"Button20",  1170,  176,  14, Long8, S, D4, T1, false, none, "Write Analog Input 3"},
    {"Button24",  1179,  179,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 4"},
    {"Button22",  1172,  178,  14, Long8, S, D4, T1, false, none, "Write Analog Input 4"},
    {"Button36",  1171,  171,   0, Long8, Q, U2, T2, false, none, "Read Variable Mapping"},
    {"Button23",  1170,  170,   8, Long8, S, D4, T1, false, none, "Write Variable Mapping"},
}};

} // namespace

std::span<const RequestRow> RequestTable() { return kRequests; }

const RequestRow* FindRequest(std::string_view button)
{
    for (const auto& row : kRequests)
        if (row.button == button)
            return &row;
    return nullptr;
}

std::string_view CommandName(std::uint8_t command)
{
    for (const auto& row : kRequests)
        if (row.command == command)
            return row.name;
    return {};
}

const RequestRow& Request(std::string_view button)
{
    const RequestRow* row = FindRequest(button);
    if (!row)
        std::abort(); // a button name typed wrong in the code: fail loudly in every build
    return *row;
}

} // namespace hart

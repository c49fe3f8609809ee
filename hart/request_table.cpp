#include "hart/request_table.h"

#include <QtGlobal>

#include <array>

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

// The id and the button's name, from one spelling.
#define MH_ROW(button) RequestId::button, #button

// The byte after the command 12 and 35 frames was never set by anyone; it is 0.
constexpr std::array<RequestRow, kRequestCount> kRequests{{
    //  button             code   cmd  count shape  kind st  tail  rts    trailer  name
    {MH_ROW(Button3),    100,    0,   0, Short, Q, U2, T3, false, none, "Read Unique Identifier"},
    {MH_ROW(Button34),   102,    2,   0, Long8, Q, U2, T2, false, none, "Read Loop Current And Percent Of Range"},
    {MH_ROW(Button4),    103,    3,   0, Long8, Q, U2, T1, false, none, "Read Dynamic Variables And Loop Current"},
    {MH_ROW(Button6),    140,   40,   4, Long8, S, D4, T1, false, 0x40, "Enter/Exit Fixed Current Mode"},
    {MH_ROW(Button9),    115,   15,   0, Long8, Q, U2, T4, false, none, "Read Device Information"},
    {MH_ROW(Button10),  1135,   35,   9, Long8, S, D4, T1, false, 0x00, "Write Primary Variable Range Values"},
    {MH_ROW(Button28),   112,   12,   0, Long8, Q, U2, T1, false, 0x00, "Read Message"},
    {MH_ROW(Button29),   117,   17,  24, Long8, S, D5, T1, true,  none, "Write Message"},
    {MH_ROW(Button32),   113,   13,   0, Long8, Q, U3, T1, true,  none, "Read Tag, Descriptor, Date"},
    {MH_ROW(Button33),   118,   18,  21, Long8, S, D5, T1, true,  none, "Write Tag, Descriptor, Date"},
    {MH_ROW(Button38),   116,   16,   0, Long8, Q, U3, T1, false, none, "Read Final Assembly Number"},
    {MH_ROW(Button39),   119,   19,   3, Long8, S, D5, T1, false, none, "Write Final Assembly Number"},
    {MH_ROW(Button37),   149,   49,   3, Long8, S, D5, T1, false, none, "Write Device Serial Number"},
    {MH_ROW(Button27),   106,    6,   1, Long8, S, D4, T1, false, none, "Write Polling Address"},
    {MH_ROW(Button2),    120,   20,   0, Long8, Q, U3, T1, false, none, "Read Long Tag"},
    {MH_ROW(Button18),   122,   22,  32, Long8, S, D5, T1, true,  none, "Write Long Tag"},
    {MH_ROW(Button16),   241,  241,   0, Long8, Q, U3, T1, false, none, "Read Internal Parameters"},
    {MH_ROW(Button7),    240,  240,   2, Long8, S, D4, T1, false, none, "Write Internal Parameters"},
    {MH_ROW(Button11),  1161,  161,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 1"},
    {MH_ROW(Button12),  1160,  160,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 1"},
    {MH_ROW(Button15),  1163,  163,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 2"},
    {MH_ROW(Button5),   1162,  162,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 2"},
    {MH_ROW(Button25),  1157,  157,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 3"},
    {MH_ROW(Button26),  1156,  156,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 3"},
    {MH_ROW(Button35),  1159,  159,   0, Long8, Q, U2, T2, false, none, "Read Instrument Command 4"},
    {MH_ROW(Button41),  1158,  158,   V, Long6, S, D4, T5, false, none, "Write Instrument Command 4"},
    {MH_ROW(Button30),  1165,  165,   0, Long8, Q, U2, T2, false, none, "Read Modbus Parsing Format"},
    {MH_ROW(Button19),  1164,  164,  40, Long8, S, D4, T1, false, none, "Write Modbus Parsing Format"},
    {MH_ROW(Button14),  1173,  173,   0, Long8, Q, U2, T1, false, none, "Read RS485 Parameters"},
    {MH_ROW(Button17),  1172,  172,   3, Long8, S, D4, T1, false, none, "Write RS485 Parameters"},
    {MH_ROW(Button8),   1167,  167,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 1"},
    {MH_ROW(Button13),  1166,  166,  14, Long8, S, D4, T1, false, none, "Write Analog Input 1"},
    {MH_ROW(Button31),  1169,  169,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 2"},
    {MH_ROW(Button40),  1168,  168,  14, Long8, S, D4, T1, false, none, "Write Analog Input 2"},
    {MH_ROW(Button21),  1177,  177,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 3"},
    {MH_ROW(Button20),  1170,  176,  14, Long8, S, D4, T1, false, none, "Write Analog Input 3"},
    {MH_ROW(Button24),  1179,  179,   0, Long8, Q, U2, T2, false, none, "Read Analog Input 4"},
    {MH_ROW(Button22),  1172,  178,  14, Long8, S, D4, T1, false, none, "Write Analog Input 4"},
    {MH_ROW(Button36),  1171,  171,   0, Long8, Q, U2, T2, false, none, "Read Variable Mapping"},
    {MH_ROW(Button23),  1170,  170,   8, Long8, S, D4, T1, false, none, "Write Variable Mapping"},
}};

#undef MH_ROW

// Row k is the request with id k, so a lookup by id is an index.
constexpr bool RowsFollowIds()
{
    for (std::size_t k = 0; k < kRequests.size(); ++k)
        if (static_cast<std::size_t>(kRequests[k].id) != k)
            return false;
    return true;
}
static_assert(RowsFollowIds(), "the request rows must stand in the order of RequestId");

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

const RequestRow& Request(RequestId id) { return kRequests[static_cast<std::size_t>(id)]; }

} // namespace hart

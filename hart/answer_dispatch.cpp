#include "hart/answer_dispatch.h"

#include "hart/frames.h"

#include <QtGlobal>

#include <array>

namespace hart {

namespace {

using enum AnswerKind;

// In the order the dispatch has always compared the codes.
constexpr std::array<DispatchRow, 38> kDispatch{{
    {100, Identify, 1, 10},
    {102, Query, 0, 10},
    {103, Query, 0, 30},
    {112, Query, 0, 10},
    {113, Query, 0, 10},
    {115, Query, 0, 20},
    {106, Write, 0, 10}, {117, Write, 0, 10}, {118, Write, 0, 10}, {119, Write, 0, 10},
    {122, Write, 0, 10}, {140, Write, 0, 10}, {149, Write, 0, 10}, {240, Write, 0, 10},
    {1135, Write, 0, 10}, {1156, Write, 0, 10}, {1158, Write, 0, 10}, {1160, Write, 0, 10},
    {1162, Write, 0, 10}, {1164, Write, 0, 10}, {1166, Write, 0, 10}, {1168, Write, 0, 10},
    {1170, Write, 0, 10}, {1172, Write, 0, 10},
    {116, Query, 0, 10},
    {120, Query, 0, 10},
    {241, Query, 0, 10},
    {1157, Query, 0, 10}, {1159, Query, 0, 10}, {1161, Query, 0, 10}, {1163, Query, 0, 10},
    {1165, Query, 0, 10},
    {1167, Query, 0, 10}, {1169, Query, 0, 10}, {1177, Query, 0, 10}, {1179, Query, 0, 10},
    {1171, Query, 0, 10},
    {1173, Query, 0, 10},
}};

} // namespace

std::span<const DispatchRow> DispatchTable() { return kDispatch; }

const DispatchRow* FindDispatch(int pendingCode)
{
    if (pendingCode == 0)
        return nullptr;
    for (const auto& row : DispatchTable())
        if (row.pendingCode == pendingCode)
            return &row;
    return nullptr;
}

std::optional<std::size_t> FindHeader(const DispatchRow& row, std::span<const std::uint8_t> delivery)
{
    for (std::size_t i = row.firstHeader; i <= row.lastHeader; ++i) {
        if (row.kind == Identify) {
            // Byte count 14 or more: later protocol revisions send longer identity answers.
            if (i + 4 < delivery.size() && delivery[i] == kPreamble && delivery[i + 1] == kSlaveShort
                && delivery[i + 4] >= 14)
                return i;
        } else if (i + 1 < delivery.size() && delivery[i] == kPreamble && delivery[i + 1] == kSlaveLong) {
            return i;
        }
    }
    return std::nullopt;
}

std::string_view WriteAnswerText(std::optional<std::uint8_t> responseCode)
{
    if (!responseCode)
        return QT_TRANSLATE_NOOP("hart", "Write failed!");
    switch (*responseCode) {
    case 0: return QT_TRANSLATE_NOOP("hart", "Write successful!");
    case 1: return QT_TRANSLATE_NOOP("hart", "Write failed!The instruction is not defined!");
    case 3: return QT_TRANSLATE_NOOP("hart", "Write failed!The parameter value is too small!");
    case 4: return QT_TRANSLATE_NOOP("hart", "Write failed!Setting parameters too small!");
    case 5: return QT_TRANSLATE_NOOP("hart", "Write failed!Received less data!");
    case 6: return QT_TRANSLATE_NOOP("hart", "Write failed!Sending command error!");
    case 7: return QT_TRANSLATE_NOOP("hart", "Write failed!Write protect!");
    case 8: return QT_TRANSLATE_NOOP("hart", "Write failed!Setting parameters may have value!");
    case 9:
    case 16: return QT_TRANSLATE_NOOP("hart", "Write failed!Setting parameters may not be useful!");
    default: return QT_TRANSLATE_NOOP("hart", "Write failed!Channel restricted!");
    }
}

} // namespace hart

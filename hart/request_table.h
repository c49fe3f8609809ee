#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace hart {

enum class FrameShape { Short, Long8, Long6 };

// Chooses the time-out text; the values are the ones the window has always used.
enum class TimeoutKind : int { None = 0, Setting = 2, Query = 3 };

// Status texts written while a request goes out.
enum class StatusText { U2, U3, D4, D5 };
std::string_view StatusString(StatusText s);

// The order of the steps after the frame is handed to the port.
enum class Tail { SleepArmStart = 1, ArmStartSleep = 2, StartSleepArm = 3, ArmStart = 4, StartArm = 5 };

inline constexpr int kVariableByteCount = -1; // instrument command writes: n + 4

struct RequestRow {
    std::string_view button;  // objectName of the button that sends it
    int pendingCode;
    std::uint8_t command;
    int byteCount;            // kVariableByteCount when it depends on the input
    FrameShape shape;
    TimeoutKind kind;
    StatusText status;
    Tail tail;
    bool rts;                 // keys the modem around the write
    std::optional<std::uint8_t> trailer; // one byte sent after the checksum
    std::string_view name = {};          // the command's name, for people reading the line
};

// Every request the tool sends, one row each.
std::span<const RequestRow> RequestTable();
// The row of a button; nullptr when it sends nothing.
const RequestRow* FindRequest(std::string_view button);
// Like FindRequest, for names known to be in the table.
const RequestRow& Request(std::string_view button);
// The name of a command the tool sends; empty for any other.
std::string_view CommandName(std::uint8_t command);

} // namespace hart

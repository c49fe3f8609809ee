#pragma once

#include <cstddef>
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

// Every request the tool sends, named after the window button that sends it:
// a misspelt name does not compile.
enum class RequestId : std::uint8_t {
    Button3, Button34, Button4, Button6, Button9, Button10, Button28, Button29, Button32, Button33,
    Button38, Button39, Button37, Button27, Button2, Button18, Button16, Button7, Button11, Button12,
    Button15, Button5, Button25, Button26, Button35, Button41, Button30, Button19, Button14, Button17,
    Button8, Button13, Button31, Button40, Button21, Button20, Button24, Button22, Button36, Button23,
};
inline constexpr std::size_t kRequestCount = static_cast<std::size_t>(RequestId::Button23) + 1;

struct RequestRow {
    RequestId id;
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
const RequestRow& Request(RequestId id);
// The name of a command the tool sends; empty for any other.
std::string_view CommandName(std::uint8_t command);

} // namespace hart

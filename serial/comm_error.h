#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace serial {

// The component's error: carries only a message. The first line is always
// one of the fixed texts below; further lines explain the system's reason.
class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kMsgAlreadyOpen = "This serial port already opened";
inline constexpr std::string_view kMsgOpenFailed = "Error opening serial port";
inline constexpr std::string_view kMsgNotCommHandle = "File handle is not a comm handle ";
inline constexpr std::string_view kMsgNoEvent = "Unable to create event";
inline constexpr std::string_view kMsgNoReadThread = "Unable to create read thread";
inline constexpr std::string_view kMsgNoWriteThread = "Unable to create write thread";

// What a user can do about a failed system call.
enum class SystemErrorKind { PermissionDenied, NotFound, Busy, Other };

// The one place where errno values are interpreted.
SystemErrorKind ClassifyErrno(int err);
// English text of the reason, independent of the locale.
std::string SystemReason(int err);
// How a user gets access to the port at `path` after a permission error:
// which group to join and the command that does it. Every program that
// opens ports shows this same text.
std::string PermissionHint(std::string_view path);
// The group a user must join for `path`: the group owning the device node,
// or "dialout" when that cannot be told or would mean joining root.
std::string PortGroup(std::string_view path);
// The hint for a port owned by `group`; `path` empty stands for any port.
std::string PermissionHintFor(std::string_view path, std::string_view group);

// Why an open port went away, from the failing call's errno (0: the
// device hung up without one).
std::string HangupReasonText(int err);
// `message` as the first line; when `err` is not 0, the reason on the second
// line and, for a permission problem, the permission hint for `path`.
ECommsError CommsError(std::string_view message, int err = 0, std::string_view path = {});

} // namespace serial

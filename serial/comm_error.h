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
// Why an open port went away, from the failing call's errno (0: the
// device hung up without one).
std::string HangupReasonText(int err);
// `message` as the first line; when `err` is not 0, the reason on the second
// line and, for a permission problem, how to get access to `path`.
ECommsError CommsError(std::string_view message, int err = 0, std::string_view path = {});

} // namespace serial

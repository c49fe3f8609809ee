#include "serial/comm_error.h"

#include <cerrno>
#include <cstring>

namespace serial {

SystemErrorKind ClassifyErrno(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return SystemErrorKind::PermissionDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return SystemErrorKind::NotFound;
    case EBUSY:
    case EWOULDBLOCK: // a lock held by another open of the port
        return SystemErrorKind::Busy;
    default:
        return SystemErrorKind::Other;
    }
}

std::string SystemReason(int err)
{
    // A lock conflict reads to the user as the port being busy.
    if (err == EWOULDBLOCK)
        err = EBUSY;
    if (const char* text = strerrordesc_np(err))
        return text;
    return "Unknown error " + std::to_string(err);
}

std::string HangupReasonText(int err)
{
    if (err == 0)
        return "The device hung up";
    return SystemReason(err);
}

ECommsError CommsError(std::string_view message, int err, std::string_view path)
{
    std::string text(message);
    if (err != 0) {
        text += '\n';
        text += SystemReason(err);
        if (ClassifyErrno(err) == SystemErrorKind::PermissionDenied) {
            text += "\nTo use ";
            text += path.empty() ? std::string_view("serial ports") : path;
            text += ", add your user to the \"dialout\" group "
                    "(sudo usermod -a -G dialout $USER), then log out and in again.";
        }
    }
    return ECommsError(text);
}

} // namespace serial

#include "serial/comm_error.h"

#include <cerrno>
#include <cstring>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string PortGroup(std::string_view path)
{
    constexpr std::string_view fallback = "dialout"; // Debian's group for serial devices
    struct stat st {};
    if (path.empty() || ::stat(std::string(path).c_str(), &st) != 0 || st.st_gid == 0)
        return std::string(fallback);
    // getgrgid_r with a buffer of the size the system suggests; the group
    // database may be large (LDAP), so retry with more on ERANGE.
    long suggested = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::size_t size = suggested > 0 ? static_cast<std::size_t>(suggested) : 1024;
    for (; size <= (1u << 20); size *= 2) {
        std::string buffer(size, '\0');
        group entry {};
        group* found = nullptr;
        const int rc = ::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE)
            continue;
        if (rc == 0 && found && found->gr_name && *found->gr_name)
            return found->gr_name;
        break;
    }
    return std::string(fallback);
}

std::string PermissionHintFor(std::string_view path, std::string_view group)
{
    // The command on a line of its own, so it can be copied as it stands.
    std::string text = "To use ";
    text += path.empty() ? std::string_view("serial ports") : path;
    text += ", your user must be in the \"";
    text += group;
    text += "\" group. Add it with\n    sudo adduser $USER ";
    text += group;
    text += "\nthen log out and log in again.";
    return text;
}

std::string PermissionHint(std::string_view path)
{
    return PermissionHintFor(path, PortGroup(path));
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
            text += '\n';
            text += PermissionHint(path);
        }
    }
    return ECommsError(text);
}

} // namespace serial

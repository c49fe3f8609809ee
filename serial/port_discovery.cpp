#include "serial/port_discovery.h"

#include "serial/unique_fd.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace serial {

namespace fs = std::filesystem;

std::string PortPath(std::string_view commName)
{
    while (!commName.empty() && std::isspace(static_cast<unsigned char>(commName.front())))
        commName.remove_prefix(1);
    while (!commName.empty() && std::isspace(static_cast<unsigned char>(commName.back())))
        commName.remove_suffix(1);
    auto upper = [](char c) { return char(std::toupper(static_cast<unsigned char>(c))); };
    if (commName.size() == 4 && upper(commName[0]) == 'C' && upper(commName[1]) == 'O' && upper(commName[2]) == 'M'
        && commName[3] >= '1' && commName[3] <= '9')
        return "/dev/ttyS" + std::string(1, char(commName[3] - 1));
    // A bare device name is one in /dev.
    if (!commName.empty() && commName.find('/') == std::string_view::npos)
        return "/dev/" + std::string(commName);
    return std::string(commName);
}

bool NaturalLess(std::string_view a, std::string_view b)
{
    auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && isDigit(a[ei]))
                ++ei;
            while (ej < b.size() && isDigit(b[ej]))
                ++ej;
            // Compare numbers by value without overflow: drop leading zeros, then length, then digits.
            std::string_view na = a.substr(i, ei - i);
            std::string_view nb = b.substr(j, ej - j);
            na.remove_prefix(std::min(na.find_first_not_of('0'), na.size()));
            nb.remove_prefix(std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return a.size() - i < b.size() - j;
    return a < b; // equal by value ("ttyS01" and "ttyS1"): any fixed order
}

namespace {

bool HasNumberAfter(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The 8250 driver creates ttyS nodes for every possible port; only those
// bound to a driver with a known UART type exist.
bool HasHardware(const fs::path& device, const fs::path& classDir)
{
    std::error_code ec;
    if (!fs::exists(classDir / "device" / "driver", ec))
        return false;
    std::ifstream typeFile(classDir / "type");
    if (typeFile) {
        int type = PORT_UNKNOWN;
        return (typeFile >> type) && type != PORT_UNKNOWN;
    }
    UniqueFd fd(::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    serial_struct info{};
    return fd.Valid() && ioctl(fd.Get(), TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
}

} // namespace

std::vector<std::string> DiscoverSerialPorts(const fs::path& devDir, const fs::path& ttyClassDir)
{
    std::vector<std::string> ports;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(devDir / "serial" / "by-id", ec)) {
        std::error_code targetEc;
        if (fs::exists(entry.path(), targetEc)) // a dangling link names an unplugged device
            ports.push_back(entry.path().string());
    }
    for (const auto& entry : fs::directory_iterator(devDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (HasNumberAfter(name, "ttyUSB") || HasNumberAfter(name, "ttyACM"))
            ports.push_back(entry.path().string());
        else if (HasNumberAfter(name, "ttyS") && HasHardware(entry.path(), ttyClassDir / name))
            ports.push_back(entry.path().string());
    }
    std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

std::vector<std::string> DiscoverSerialPorts()
{
    return DiscoverSerialPorts("/dev", "/sys/class/tty");
}

} // namespace serial

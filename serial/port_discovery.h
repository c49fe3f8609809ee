#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace serial {

// The device path of a typed port name, blanks around it ignored: "COM1" to
// "COM9" in any case name /dev/ttyS0 to /dev/ttyS8, a bare name such as
// "ttyUSB0" is /dev/ttyUSB0, and anything with a '/' is the path itself.
std::string PortPath(std::string_view commName);

// The serial devices present, for a port selector: the links in
// /dev/serial/by-id, ttyUSB*, ttyACM*, and ttyS* with hardware behind them.
// Sorted with numbers in numeric order; nothing is opened for that unless
// the kernel lacks the port's type attribute.
std::vector<std::string> DiscoverSerialPorts();
// The same over another device directory and tty class directory.
std::vector<std::string> DiscoverSerialPorts(const std::filesystem::path& devDir,
                                             const std::filesystem::path& ttyClassDir);

// Orders "ttyS2" before "ttyS10".
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace serial

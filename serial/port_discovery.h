#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace serial {

// "COM1" to "COM9" name /dev/ttyS0 to /dev/ttyS8; any other text is a path.
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

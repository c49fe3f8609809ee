#pragma once

#include <span>
#include <string_view>

namespace converter {

// Item texts of the lists whose position is the value, in list order (UTF-8).
std::span<const std::string_view> EnableItems();        // "0-Close", "1-Open"
std::span<const std::string_view> CommandNumberItems(); // "0-Close" .. "4-Instruction 4"
std::span<const std::string_view> ParsingFormatItems(); // "0-Float（4321）" .. "26-Positioning status"
std::span<const std::string_view> BaudItems();          // "1200" .. "57600"
std::span<const std::string_view> ParityItems();        // "None", "Odd", "Even"
std::span<const std::string_view> InputChannelItems();  // "0-Close" .. "8_AD4(analog)"

} // namespace converter

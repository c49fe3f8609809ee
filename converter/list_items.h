#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace converter {

// Lists whose position is the value travel as the item's index in one byte. A device
// may hold a byte beyond this program's list (newer firmware): the byte is the value,
// the index only names it, so values keep the byte and the window shows no selection.
inline int ListIndex(std::uint8_t byte, int items) { return byte < items ? byte : -1; }
// The byte a list sends for an index; no selection (-1) is 255.
inline std::uint8_t ListByte(int index) { return static_cast<std::uint8_t>(index & 0xFF); }
inline constexpr std::uint8_t kNoSelection = 0xFF;

// Item texts of the lists whose position is the value, in list order (UTF-8).
std::span<const std::string_view> EnableItems();        // "0-Close", "1-Open"
std::span<const std::string_view> CommandNumberItems(); // "0-Close" .. "4-Instruction 4"
std::span<const std::string_view> ParsingFormatItems(); // "0-Float（4321）" .. "26-Positioning status"
std::span<const std::string_view> BaudItems();          // "1200" .. "57600"
std::span<const std::string_view> ParityItems();        // "None", "Odd", "Even"
std::span<const std::string_view> InputChannelItems();  // "0-Close" .. "8_AD4(analog)"

} // namespace converter

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace codec {

inline constexpr int kUnitItemCount = 83;
inline constexpr int kOtherUnitItem = 82; // "82_other": every code without an item of its own

// The eight list controls that carry the unit list; their texts differ in three places.
enum class UnitListControl { ComboBox5, ComboBox15, ComboBox16, ComboBox6, WEI1, WEI2, WEI3, WEI4 };

// The 83 item texts of one control, byte for byte (UTF-8), trailing blanks included.
std::vector<std::string> UnitList(UnitListControl control);

// Item index for a HART unit code; kOtherUnitItem when no item has the code.
int UnitCodeToItem(std::uint8_t code);
// Code of an item; 0 for "82_other" and for no selection (any index outside 0..81).
std::uint8_t ItemToUnitCode(int index);

} // namespace codec

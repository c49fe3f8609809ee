#pragma once

#include <cstdint>

class QComboBox;
class QWidget;

namespace app {

// Selected index of an editable list as the requests read it: while its text is not typed by the user, the current
// item (-1 for none, even when code put an item's text into the edit); once typed, the item whose text equals the
// typed text exactly (the current item first), else -1.
int ItemIndex(const QComboBox* combo);

// Selects item `index` and shows its text; -1 or an index outside the list leaves no item selected and the edit empty.
void SelectItem(QComboBox* combo, int index);

// Shows a list byte from the device as `index` (the decoder's reading of `byte`). A byte beyond the list (newer
// firmware) leaves no item selected, and SentIndex gives the byte back until the user picks an item or types.
void ShowListByte(QComboBox* combo, int index, std::uint8_t byte);
// What a Set sends for a list: the item's index; else the device's own byte while the list is as the Query left
// it; else -1 (sent as 255).
int SentIndex(const QComboBox* combo);
// The same for a unit list, whose item "82_other" stands for every code without an item of its own:
// SentUnitCode gives the device's code back until the user picks an item or types.
void ShowUnitCode(QComboBox* combo, std::uint8_t code);
std::uint8_t SentUnitCode(const QComboBox* combo);
// The port closed: kept bytes belong to a device no longer there.
void ForgetListBytes(QWidget* root);

// Widens the list's drop-down so every item shows whole, while the closed box may cut long items. Call it again
// after adding items.
void FitPopupToItems(QComboBox* combo);

} // namespace app

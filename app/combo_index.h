#pragma once

class QComboBox;

namespace app {

// Selected index of an editable list as the requests read it: while its text is not typed by the user, the current
// item (-1 for none, even when code put an item's text into the edit); once typed, the item whose text equals the
// typed text exactly (the current item first), else -1.
int ItemIndex(const QComboBox* combo);

// Selects item `index` and shows its text; -1 or an index outside the list leaves no item selected and the edit empty.
void SelectItem(QComboBox* combo, int index);

// Widens the list's drop-down so every item shows whole, while the closed box may cut long items. Call it again
// after adding items.
void FitPopupToItems(QComboBox* combo);

} // namespace app

#pragma once

class QWidget;

namespace app {

// Enter (either key) presses the focused button of `window`, as Space does:
// outside dialogs Qt's buttons take only Space.
void EnterPressesButtons(QWidget* window);

// Tab walks the widgets of `page` before those of `after`'s container: a page
// added after the status panel was built would otherwise come after it.
void TabThroughPageBefore(QWidget* page, QWidget* after);

} // namespace app

#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace app {

// The window's size as it was designed; used whenever the screen has room for it.
inline constexpr QSize kDesignedSize{978, 679};

// Where the window opens: where it was last closed (`last`, a frame rectangle)
// when that still lies wholly on one screen's available area; otherwise centred
// on the screen under `cursor` (the first screen when none is), at `preferred`
// size or, on a smaller screen, as large as the screen's available area.
// Never smaller than `minimum`; when even that does not fit, its top-left
// corner stays on the screen.
QRect PlaceWindow(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor, std::optional<QRect> last,
                  QSize minimum = {});

// The same without a stored place.
QRect CentredOnScreen(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor, QSize minimum = {});

// Opens `window` where PlaceWindow says, from the stored placement, and stores
// it again when asked to (at exit).
void RestorePlacement(QWidget* window);
void StorePlacement(const QWidget* window);

} // namespace app

#include "app/window_fit.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace app {

namespace {

constexpr const char* kPlacementKey = "window/geometry";

QSettings Settings() { return QSettings(QStringLiteral("quorvane"), QStringLiteral("modbus-hart")); }

} // namespace

QRect PlaceWindow(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor, std::optional<QRect> last,
                  QSize minimum)
{
    if (availableScreens.isEmpty())
        return QRect(QPoint(0, 0), preferred.expandedTo(minimum));
    if (last && last->isValid()) {
        const QRect again(last->topLeft(), last->size().expandedTo(minimum));
        for (const QRect& screen : availableScreens)
            if (screen.contains(again))
                return again;
    }
    return CentredOnScreen(preferred, availableScreens, cursor, minimum);
}

QRect CentredOnScreen(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor, QSize minimum)
{
    if (availableScreens.isEmpty())
        return QRect(QPoint(0, 0), preferred.expandedTo(minimum));
    QRect screen = availableScreens.first();
    for (const QRect& s : availableScreens)
        if (s.contains(cursor)) {
            screen = s;
            break;
        }
    // Never below the window's minimum, which would grow it past the screen
    // later; if even that does not fit, the top-left corner (title bar) stays on.
    const QSize size = preferred.boundedTo(screen.size()).expandedTo(minimum);
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(screen.center());
    placed.moveTopLeft(QPoint(std::max(placed.left(), screen.left()), std::max(placed.top(), screen.top())));
    return placed;
}

void RestorePlacement(QWidget* window)
{
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->availableGeometry();
    const QVariant stored = Settings().value(kPlacementKey);
    std::optional<QRect> last;
    if (stored.canConvert<QRect>())
        last = stored.toRect();
    // The frame adds to the client area and is not known before showing: a
    // margin for it keeps the title bar and the status panel on the screen.
    QList<QRect> room;
    for (const QRect& s : screens)
        room << s.adjusted(0, 0, -16, -40);
    const QRect placed = PlaceWindow(kDesignedSize, room, QCursor::pos(), last, window->minimumSize());
    window->resize(placed.size());
    window->move(placed.topLeft());
}

void StorePlacement(const QWidget* window)
{
    QSettings settings = Settings();
    settings.setValue(kPlacementKey, QRect(window->pos(), window->size()));
    settings.sync();
}

} // namespace app

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

QRect PlaceWindow(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor, std::optional<QRect> last)
{
    if (availableScreens.isEmpty())
        return QRect(QPoint(0, 0), preferred);
    if (last && last->isValid())
        for (const QRect& screen : availableScreens)
            if (screen.contains(*last))
                return *last;
    return CentredOnScreen(preferred, availableScreens, cursor);
}

QRect CentredOnScreen(QSize preferred, const QList<QRect>& availableScreens, QPoint cursor)
{
    if (availableScreens.isEmpty())
        return QRect(QPoint(0, 0), preferred);
    QRect screen = availableScreens.first();
    for (const QRect& s : availableScreens)
        if (s.contains(cursor)) {
            screen = s;
            break;
        }
    const QSize size = preferred.boundedTo(screen.size());
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(screen.center());
    return placed;
}

void RestorePlacement(QWidget* window)
{
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->availableGeometry();
    const QVariant stored = Settings().value(kPlacementKey);
    // Where it was closed, if that is still wholly on a screen.
    QRect placed;
    if (stored.canConvert<QRect>())
        for (const QRect& s : screens)
            if (s.contains(stored.toRect()))
                placed = stored.toRect();
    if (!placed.isValid()) {
        // The frame adds to the client area and is not known before showing:
        // a margin for it keeps the title bar on the screen.
        QList<QRect> room;
        for (const QRect& s : screens)
            room << s.adjusted(0, 0, -16, -40);
        placed = CentredOnScreen(kDesignedSize, room, QCursor::pos());
    }
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

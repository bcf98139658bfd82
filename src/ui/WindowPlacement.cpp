#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace ui {

namespace {

std::int16_t Clamp16(int value) {
    return static_cast<std::int16_t>(std::clamp(value, int{std::numeric_limits<std::int16_t>::min()},
                                                int{std::numeric_limits<std::int16_t>::max()}));
}

bool OnSomeScreen(const QPoint& topLeft) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->availableGeometry().contains(topLeft); });
}

} // namespace

void RestorePlacement(QWidget& window, const cWindowPos& place, bool withSize) {
    const QPoint topLeft(place.Left, place.Top);
    if (withSize && place.Right > place.Left && place.Bottom > place.Top)
        window.resize(place.Right - place.Left, place.Bottom - place.Top);
    if (OnSomeScreen(topLeft)) window.move(topLeft);
    if (withSize && place.Maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

cWindowPos PlacementOf(const QWidget& window) {
    const QRect normal = window.isMaximized() ? window.normalGeometry() : window.frameGeometry();
    cWindowPos place;
    place.Left = Clamp16(normal.left());
    place.Top = Clamp16(normal.top());
    place.Right = Clamp16(normal.left() + normal.width());
    place.Bottom = Clamp16(normal.top() + normal.height());
    place.Maximized = window.isMaximized();
    return place;
}

} // namespace ui

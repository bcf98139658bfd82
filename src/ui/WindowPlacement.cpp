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
    // The corner is where move() puts the window (its frame's corner) and the size is what resize() gives it
    // (the client area), so a window restored from its place comes back at the same place with the same size
    // instead of growing by its frame every time.
    const QPoint frameOffset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    const QRect client = window.isMaximized() ? window.normalGeometry() : window.geometry();
    const QPoint corner = client.topLeft() - frameOffset;
    cWindowPos place;
    place.Left = Clamp16(corner.x());
    place.Top = Clamp16(corner.y());
    place.Right = Clamp16(corner.x() + client.width());
    place.Bottom = Clamp16(corner.y() + client.height());
    place.Maximized = window.isMaximized();
    return place;
}

} // namespace ui

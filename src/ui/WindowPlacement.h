// Saved window places (the settings' window positions) applied to and taken from Qt windows.
#pragma once

#include "profile/WindowPos.h"

class QWidget;

namespace ui {

// The index of a window in cParameters::WindowPositions (settings group kFirstWindowPosGroup + index).
enum class eWindowPlace {
    MainWindow = 0,
    NetBrowser,
    ViewLog,
    ExpressSetup,
    ViewWindow,
    InfoWindow,
    ListDialog,
    HardcopyDialog,
    CopyWindow,
    FtpCommunications,
    RunStarted,
    RunFinished,
};

// Moves window to the saved place (and size, where the place keeps one); a place that lies outside every
// screen is ignored so that the window cannot open out of sight. Maximises when the place says so.
void RestorePlacement(QWidget& window, const cWindowPos& place, bool withSize);
// The window's normal place now (frame edges on the screen), with its maximised state.
cWindowPos PlacementOf(const QWidget& window);

} // namespace ui

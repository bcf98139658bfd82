// The picture of the main display, fitted to the display or cut to it.
#pragma once

#include <QImage>

namespace ui {

// The display's width and the most height it gives a picture, in pixels.
inline constexpr int kDisplayWidth = 459;
inline constexpr int kMaxPictureHeight = 415;

// The picture as the display shows it. fitSize: scaled, keeping its proportions, to the display's width, or
// to the height limit where the width would make it taller. Otherwise at its own size, cut around its centre
// to the display's width and the height limit.
QImage DisplayPicture(const QImage& picture, bool fitSize);

} // namespace ui

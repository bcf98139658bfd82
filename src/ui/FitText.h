// Shortening a path or file name to a width: characters go from the middle and " .. " marks the gap, so that
// the beginning and the end of the text stay readable.
#pragma once

#include <QString>

#include <functional>

namespace ui {

// The text as shown in maxWidth: unchanged when it fits; otherwise the character in the middle is deleted
// until the rest, with " .. " put in at the middle, fits (or nothing but " .. " is left). widthOf measures a
// text, in the label's font for a label.
QString FitText(const QString& text, int maxWidth, const std::function<int(const QString&)>& widthOf);

} // namespace ui

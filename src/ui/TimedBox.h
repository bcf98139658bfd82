// The error box that closes itself after a while: three lines, the middle one a file name.
#pragma once

#include <QString>

class QWidget;

namespace ui {

void ShowTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
                  const QString& line3, int seconds = 30);

} // namespace ui

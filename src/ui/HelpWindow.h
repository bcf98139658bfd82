// The program's help: a topic by its context number.
#pragma once

class QWidget;

namespace ui {

void ShowHelp(QWidget* parent, int context);

} // namespace ui

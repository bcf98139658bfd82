// The program's message box with its caption, icon, buttons and help topic.
#pragma once

#include "messages/UserInterface.h"

#include <QString>

class QWidget;

namespace ui {

eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int helpContext, eMessageKind kind,
                          eMessageButtons buttons, const QString& text);

} // namespace ui

// A question of the main window's commands with the buttons "Ja", "Nein" and, where asked for,
// "Abbrechen" (object names YesBtn, NoBtn, CancelBtn).
#pragma once

#include "messages/UserInterface.h"

#include <QString>

class QWidget;

namespace ui {

// Returns Yes, No or Cancel; Esc and the window's close button give Cancel, or No without a Cancel button.
eAnswer AskQuestion(QWidget* parent, const QString& caption, const QString& text, bool withCancel);

} // namespace ui

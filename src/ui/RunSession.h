// What one run needs on the GUI side: its windows, the interface through which the run (or the GUI thread
// itself, for the messages around a run) reaches them, and its stop flags.
#pragma once

#include "engine/RunControl.h"
#include "ui/QtUserInterface.h"
#include "ui/RunWindows.h"

class QWidget;
class cParameters;

namespace ui {

struct cRunSession {
    // parent and document outlive the session.
    cRunSession(QWidget* parent, cParameters& document) : Windows(parent, document, Control) {}
    cRunWindows Windows;
    cQtUserInterface Ui{Windows};
    cRunControl Control{Ui};
};

} // namespace ui

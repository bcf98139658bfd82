// The user interface of the main window's own commands (reading and writing documents, the messages around a
// run): its boxes open at once on the GUI thread, under the window.
#pragma once

#include "messages/UserInterface.h"

class QWidget;

namespace ui {

class cWindowBoxes : public cUserInterface {
public:
    explicit cWindowBoxes(QWidget* parent) : m_parent(parent) {}

    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override;
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override;
    void Beep() override;

private:
    QWidget* m_parent;
};

} // namespace ui

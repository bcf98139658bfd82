#include "ui/WindowBoxes.h"

#include "ui/MessageDialog.h"
#include "ui/TimedBox.h"

#include <QApplication>
#include <QString>

namespace ui {

namespace {

const QString kCaption = QStringLiteral("Tolvan 6");

} // namespace

void cWindowBoxes::ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) {
    ShowTimedBox(m_parent, kCaption, QString::fromStdString(line1), QString::fromStdString(fileName),
                 QString::fromStdString(line3));
}

eAnswer cWindowBoxes::ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                                     eAnswer /*preset*/) {
    return ShowMessageDialog(m_parent, kCaption, HasHelp(buttons) ? code : 0, kind, buttons,
                             QString::fromStdString(text));
}

void cWindowBoxes::Beep() {
    QApplication::beep();
}

} // namespace ui

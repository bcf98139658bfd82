// The program's message box: the icon of the message's kind, the text, German buttons, and a "Hilfe" button that
// opens the help window without closing the box.
#pragma once

#include "messages/UserInterface.h"

#include <QDialog>
#include <QString>

#include <vector>

class QCheckBox;

namespace ui {

// The buttons of a set from left to right (without Help), and whether the set has Help.
std::vector<eAnswer> AnswersOf(eMessageButtons buttons);
bool HasHelp(eMessageButtons buttons);

class TMessageDlg : public QDialog {
    Q_OBJECT

public:
    // answers: the buttons from left to right, of Ok, Cancel, Yes and No; the first is the default button.
    // help: a "Hilfe" button after them that opens helpContext (0: the contents). checkText: a check box below
    // the text when not empty. An empty caption gives the kind's ("Fehler", "Warnung", ...).
    TMessageDlg(QWidget* parent, const QString& caption, eMessageKind kind, const QString& text,
                std::vector<eAnswer> answers, bool help, int helpContext, const QString& checkText = {});

    // The button pressed; before that, what Esc would answer.
    eAnswer Answer() const { return m_answer; }
    bool Checked() const;
    void SetChecked(bool checked);

    // Esc and the window's close box answer Cancel where there is one, else No, else the first button.
    void reject() override;

private:
    void Choose(eAnswer answer);

    std::vector<eAnswer> m_answers;
    eAnswer m_escapeAnswer;
    eAnswer m_answer;
    int m_helpContext;
    QCheckBox* m_check = nullptr;
};

// Shows the box modally over parent and returns the answer (Ok, Cancel, Yes or No). helpContext 0 is no topic
// of its own; the help button appears where buttons include Help.
eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int helpContext, eMessageKind kind,
                          eMessageButtons buttons, const QString& text);
// The same with a check box ("Diese Warnung künftig nicht mehr zeigen") under the text: checked gives its state
// when the box opens and receives it when the box closes.
eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int helpContext, eMessageKind kind,
                          eMessageButtons buttons, const QString& text, const QString& checkText, bool& checked);

} // namespace ui

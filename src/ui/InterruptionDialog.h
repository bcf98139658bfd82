// The interruption dialog (TInterruptionDlg): which copy failed and why, and what the run is to do about it.
// Its buttons start disabled for a second, so that a key meant for another window does not answer it.
#pragma once

#include "messages/UserInterface.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTimer;
class cParameters;

namespace ui {

class TInterruptionDlg : public QDialog {
    Q_OBJECT

public:
    // info: both sides of the copy and the error code. params gives the caption.
    TInterruptionDlg(const cParameters& params, const cInterruptionInfo& info, QWidget* parent = nullptr);

    // The answer after exec(): the button pressed; "Beenden" also for Esc.
    eInterruptionAnswer Answer() const { return m_answer; }
    // Whether the buttons have been enabled (a second after the dialog was shown).
    bool Armed() const { return m_armed; }

    // Asks the confirmation of "Löschen" with its question; true = Yes. A Yes/No message box by default.
    std::function<bool(const QString& question)> ConfirmDelete;

    // The question "Löschen" asks: "Dateipaar löschen?" when both sides have the file (a date), else
    // "Datei löschen?".
    static QString DeleteQuestion(const cInterruptionInfo& info);

public slots:
    // Esc: "Beenden", once the buttons are enabled.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Arm();
    void Finish(eInterruptionAnswer answer);
    void AskDelete();

    QString m_deleteQuestion;
    eInterruptionAnswer m_answer = eInterruptionAnswer::Stop;
    bool m_armed = false;
    QTimer* m_armTimer;
    QList<QPushButton*> m_buttons;
    QPushButton* m_retry = nullptr;
};

} // namespace ui

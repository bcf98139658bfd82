// "Neuling?": the hint before the advanced settings while the program has run fewer than ten times.
#pragma once

#include <QDialog>

class QCheckBox;
class QWidget;
class cParameters;

namespace ui {

// Asks whether to go on to an advanced setting; true for "Ja". Ticking "Diese Warnung künftig nicht mehr
// zeigen" sets RunCount to 10 (and stores it) when the dialog closes, whatever the answer.
bool AskBeginner(QWidget* parent, cParameters& params);

// The dialog itself: accepted for "Ja", rejected for "Nein" (and Esc).
class TBeginnerDlg : public QDialog {
public:
    explicit TBeginnerDlg(QWidget* parent);
    bool DontShowAgain() const;

private:
    QCheckBox* m_dontShow = nullptr;
};

} // namespace ui

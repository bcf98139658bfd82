// "Express-Setup": the current profile's source and destination folders and its direction on one page.
#pragma once

#include "profile/NewProfile.h"
#include "ui/ConfigDialogs.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class cParameters;

namespace ui {

class TExpressSetupDlg : public QDialog {
public:
    // Shows params' roots and direction; OK stores what was changed into params (and Modified). The window
    // comes up at its saved place and saves it when it closes.
    TExpressSetupDlg(cParameters& params, QWidget* parent);

    bool RunNow() const;
    bool SetOthers() const;

    void done(int result) override;

protected:
    void accept() override;

private:
    void Browse(QLineEdit* edit, const QString& title);
    void UpdateWarning();
    std::optional<eProfileDirection> ChosenDirection() const;
    // Why OK must wait, or empty.
    QString Problem() const;

    cParameters& m_params;
    QLineEdit* m_source = nullptr;
    QLineEdit* m_dest = nullptr;
    QRadioButton* m_backup = nullptr;
    QRadioButton* m_mirror = nullptr;
    QRadioButton* m_sync = nullptr;
    QLabel* m_mirrorWarning = nullptr;
    QCheckBox* m_others = nullptr;
    QCheckBox* m_runNow = nullptr;
    QLabel* m_problem = nullptr;
};

// Shows the express setup modally on params. Ok when closed with OK; SetOthers and RunNow as ticked.
cConfigResult RunExpressSetup(QWidget* parent, cParameters& params);

} // namespace ui

// "Log": where a profile's log goes, how much it says, and to whom it is delivered after a run.
#pragma once

#include "profile/LogParameters.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class cParameters;

namespace ui {

class TLogDlg : public QDialog {
public:
    // Works on a copy of params.Log; the viewer, e-mail and printer dialogs edit that copy too, so that
    // "Abbrechen" here discards their changes as well. OK stores the copy into params.
    TLogDlg(cParameters& params, QWidget* parent);

    // The settings as the dialog holds them now.
    const cLogParameters& Edited() const { return m_log; }

protected:
    void accept() override;

private:
    void Browse();
    void EditViewer();
    void EditMail();
    void EditPrinter();
    // Takes the controls into m_log; why OK must wait, or empty.
    QString Collect();

    cParameters& m_params;
    cLogParameters m_log;
    QCheckBox* m_active = nullptr;
    QLineEdit* m_file = nullptr;
    std::array<QRadioButton*, 3> m_dateTime{};
    std::array<QRadioButton*, 3> m_fileInfo{};
    QCheckBox* m_daily = nullptr;
    QCheckBox* m_append = nullptr;
    QCheckBox* m_noNormal = nullptr;
    std::array<QCheckBox*, 3> m_onSuccess{}; // viewer, e-mail, printer
    std::array<QCheckBox*, 3> m_onError{};
    QLabel* m_problem = nullptr;
};

// Shows the dialog modally on params; true when it was closed with OK (params.Log may have changed).
bool EditLog(QWidget* parent, cParameters& params);

} // namespace ui

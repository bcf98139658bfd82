// "Programmoptionen": the settings that belong to no profile: start, tooltips, what the main window shows, and
// the external program that compares two files.
#pragma once

#include "profile/ProgrammParameters.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class cParameters;

namespace ui {

class TProgramOptionsDlg : public QDialog {
public:
    // Works on a copy of params.Programm. OK stores the copy into params and writes it to the settings file;
    // "Abbrechen" changes neither.
    TProgramOptionsDlg(cParameters& params, QWidget* parent);

protected:
    void accept() override;

private:
    QWidget* StartBox();
    QWidget* DisplayBox();
    QWidget* CompareBox();
    void BrowseMessage();
    void BrowsePicture();
    void BrowseCompare();
    void ChooseFrameColor();
    void ShowFrameColor();
    // Enables the fields that belong to the chosen display and to "reopen".
    void UpdateEnabled();
    int ChosenDisplay() const;
    // Takes the controls into m_options; why OK must wait, or empty.
    QString Collect();

    cParameters& m_params;
    const cProgrammParameters m_original;
    cProgrammParameters m_options;
    QCheckBox* m_splash = nullptr;
    QCheckBox* m_reopen = nullptr;
    QLineEdit* m_lastFile = nullptr;
    QCheckBox* m_tooltips = nullptr;
    std::array<QRadioButton*, 5> m_display{}; // tasks, message, picture, biorhythm, nothing
    QLineEdit* m_messagePath = nullptr;
    QToolButton* m_messageBrowse = nullptr;
    QLineEdit* m_picturePath = nullptr;
    QToolButton* m_pictureBrowse = nullptr;
    QCheckBox* m_fitSize = nullptr;
    QPushButton* m_frameColor = nullptr;
    QDateEdit* m_birthDate = nullptr;
    QLineEdit* m_compareA = nullptr;
    QLineEdit* m_compareB = nullptr;
    QLabel* m_problem = nullptr;
};

// Shows the dialog modally on params; true when it was closed with OK (params.Programm may have changed).
bool EditProgramOptions(QWidget* parent, cParameters& params);

} // namespace ui

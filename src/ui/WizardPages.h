// The pages of the wizards: backup or synchronisation, a folder (source or destination), what is done, and where
// the profile is saved. Each page checks its fields before the wizard moves on.
#pragma once

#include <QWizardPage>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace ui {

class TWizardDlg;

// "Backup oder Synchronisation?": the profile wizard's first page.
class TWizardKindPage : public QWizardPage {
public:
    TWizardKindPage(bool tooltips, QWidget* parent);
    bool Synchronises() const;

private:
    QRadioButton* m_backup = nullptr;
    QRadioButton* m_sync = nullptr;
};

// One folder: an edit field, "Durchsuchen..." and the problem line below. check says what is wrong with the text.
class TWizardFolderPage : public QWizardPage {
public:
    enum class eRole { Source, Destination };
    TWizardFolderPage(const TWizardDlg& wizard, eRole role, bool tooltips, std::function<QString(const QString&)> check,
                      QWidget* parent);

    QString Folder() const;
    void initializePage() override;
    bool validatePage() override;

private:
    void Browse();

    const TWizardDlg& m_wizard;
    eRole m_role;
    std::function<QString(const QString&)> m_check;
    QLineEdit* m_edit = nullptr;
    QLabel* m_problem = nullptr;
};

// What the profile does: for a backup whether deletions reach the destination (with the warning), for a
// synchronisation what both ways mean.
class TWizardActionPage : public QWizardPage {
public:
    TWizardActionPage(const TWizardDlg& wizard, bool tooltips, QWidget* parent);

    bool DeletesInDestination() const;
    void initializePage() override;

private:
    void UpdateWarning();

    const TWizardDlg& m_wizard;
    QLabel* m_backupText = nullptr;
    QCheckBox* m_delete = nullptr;
    QLabel* m_deleteWarning = nullptr;
    QLabel* m_syncText = nullptr;
};

// "Speichern unter": the profile's file, the desktop shortcut and "Jetzt ausführen".
class TWizardSavePage : public QWizardPage {
public:
    TWizardSavePage(const TWizardDlg& wizard, bool tooltips, QWidget* parent);

    // The file as it will be written (with "~" expanded and ".tvp" added).
    QString ProfilePath() const;
    bool DesktopShortcut() const;
    bool RunNow() const;
    void initializePage() override;
    bool validatePage() override;

private:
    void Browse();
    // A name in the documents folder that no file has yet, after the source folder.
    QString SuggestedPath() const;

    const TWizardDlg& m_wizard;
    QLineEdit* m_file = nullptr;
    QCheckBox* m_desktop = nullptr;
    QCheckBox* m_runNow = nullptr;
    QLabel* m_problem = nullptr;
    bool m_edited = false; // the user typed or chose a name: it is no longer replaced by the suggestion
};

} // namespace ui

// The wizard window shared by the three wizards (objectName "BackupWizard", "SyncWizard", "ProfileWizard").
#pragma once

#include "profile/NewProfile.h"

#include <QWizard>

class cParameters;

namespace ui {

class TWizardActionPage;
class TWizardFolderPage;
class TWizardKindPage;
class TWizardSavePage;

enum class eWizardKind { Backup, Sync, Profile };

class TWizardDlg : public QWizard {
public:
    // The page ids; the kind page exists in the profile wizard only.
    enum { KindPageId = 0, SourcePageId, DestPageId, ActionPageId, SavePageId };

    // Works on params only when finished: then the written profile becomes params' document.
    TWizardDlg(cParameters& params, eWizardKind kind, QWidget* parent);

    // Backup or synchronisation, as chosen so far (the profile wizard's first page decides).
    bool Synchronises() const;
    // The direction the finished profile takes.
    eProfileDirection Direction() const;
    QString SourceFolder() const;
    QString DestFolder() const;
    bool RunNow() const;

protected:
    // Writes the profile (asking before it replaces a file), makes it the document and creates the shortcut;
    // the wizard stays open when the profile cannot be written.
    void accept() override;

private:
    bool CreateDesktopShortcut(const QString& profile);

    cParameters& m_params;
    eWizardKind m_kind;
    TWizardKindPage* m_kindPage = nullptr;
    TWizardFolderPage* m_sourcePage = nullptr;
    TWizardFolderPage* m_destPage = nullptr;
    TWizardActionPage* m_actionPage = nullptr;
    TWizardSavePage* m_savePage = nullptr;
};

} // namespace ui

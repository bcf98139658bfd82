#include "ui/Wizards.h"

#include "destinations/PathNames.h"
#include "messages/ErrorText.h"
#include "platform/DesktopEntry.h"
#include "profile/Parameters.h"
#include "ui/MessageDialog.h"
#include "ui/WizardDialog.h"
#include "ui/WizardFolders.h"
#include "ui/WizardPages.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {

namespace {

const char* ObjectNameOf(eWizardKind kind) {
    switch (kind) {
    case eWizardKind::Backup:
        return "BackupWizard";
    case eWizardKind::Sync:
        return "SyncWizard";
    case eWizardKind::Profile:
        break;
    }
    return "ProfileWizard";
}

QString CaptionOf(eWizardKind kind) {
    switch (kind) {
    case eWizardKind::Backup:
        return QStringLiteral("Backup-Assistent - Tolvan 6");
    case eWizardKind::Sync:
        return QStringLiteral("Synchronisations-Assistent - Tolvan 6");
    case eWizardKind::Profile:
        break;
    }
    return QStringLiteral("Profil-Assistent - Tolvan 6");
}

void NameButton(QWizard& wizard, QWizard::WizardButton which, const QString& caption, const char* name) {
    wizard.setButtonText(which, caption);
    wizard.button(which)->setObjectName(QString::fromLatin1(name));
}

cConfigResult RunWizard(QWidget* parent, cParameters& params, eWizardKind kind) {
    TWizardDlg wizard(params, kind, parent);
    cConfigResult result;
    result.Ok = wizard.exec() == QDialog::Accepted;
    result.RunNow = result.Ok && wizard.RunNow();
    return result;
}

} // namespace

TWizardDlg::TWizardDlg(cParameters& params, eWizardKind kind, QWidget* parent)
    : QWizard(parent), m_params(params), m_kind(kind) {
    setObjectName(QString::fromLatin1(ObjectNameOf(kind)));
    setWindowTitle(CaptionOf(kind));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    NameButton(*this, QWizard::BackButton, QStringLiteral("< &Zurück"), "BackBtn");
    NameButton(*this, QWizard::NextButton, QStringLiteral("&Weiter >"), "NextBtn");
    NameButton(*this, QWizard::FinishButton, QStringLiteral("&Fertig stellen"), "FinishBtn");
    NameButton(*this, QWizard::CancelButton, QStringLiteral("Abbrechen"), "CancelBtn");

    const bool tooltips = params.Programm.Tooltips;
    if (kind == eWizardKind::Profile) {
        m_kindPage = new TWizardKindPage(tooltips, this);
        setPage(KindPageId, m_kindPage);
    }
    m_sourcePage = new TWizardFolderPage(*this, TWizardFolderPage::eRole::Source, tooltips, SourceFolderProblem, this);
    m_destPage = new TWizardFolderPage(
        *this, TWizardFolderPage::eRole::Destination, tooltips,
        [this](const QString& dest) { return DestinationFolderProblem(SourceFolder(), dest); }, this);
    m_actionPage = new TWizardActionPage(*this, tooltips, this);
    m_savePage = new TWizardSavePage(*this, tooltips, this);
    setPage(SourcePageId, m_sourcePage);
    setPage(DestPageId, m_destPage);
    setPage(ActionPageId, m_actionPage);
    setPage(SavePageId, m_savePage);
    setStartId(kind == eWizardKind::Profile ? KindPageId : SourcePageId);
}

bool TWizardDlg::Synchronises() const {
    if (m_kind == eWizardKind::Profile) return m_kindPage->Synchronises();
    return m_kind == eWizardKind::Sync;
}

eProfileDirection TWizardDlg::Direction() const {
    if (Synchronises()) return eProfileDirection::Synchronise;
    return m_actionPage->DeletesInDestination() ? eProfileDirection::Mirror : eProfileDirection::Backup;
}

QString TWizardDlg::SourceFolder() const {
    return m_sourcePage->Folder();
}

QString TWizardDlg::DestFolder() const {
    return m_destPage->Folder();
}

bool TWizardDlg::RunNow() const {
    return m_savePage->RunNow();
}

void TWizardDlg::accept() {
    // QWizard checks the last page only in done(), after this: nothing may be written before it is checked.
    if (!validateCurrentPage()) return;
    const QString file = m_savePage->ProfilePath();
    const QString caption = windowTitle();
    if (QFileInfo::exists(file) &&
        ShowMessageDialog(this, caption, 0, eMessageKind::Confirmation, eMessageButtons::YesNo,
                          QStringLiteral("Die Datei %1 gibt es schon.\n\nSoll sie durch das neue Profil ersetzt "
                                         "werden?")
                              .arg(file)) != eAnswer::Yes)
        return;
    const QString dest = DestFolder();
    const QString profileFolder = QFileInfo(file).absolutePath();
    if (!CreateFolder(dest) || !CreateFolder(profileFolder)) {
        ShowMessageDialog(this, caption, 0, eMessageKind::Error, eMessageButtons::Ok,
                          QStringLiteral("Der Ordner %1 konnte nicht angelegt werden.")
                              .arg(QFileInfo(dest).isDir() ? profileFolder : dest));
        return;
    }

    // The profile is made on a copy: the current document stays as it was until the new one is on disk.
    cParameters made = m_params;
    MakeNewProfile(made, NormalizeDrive(SourceFolder().toStdString()), NormalizeDrive(dest.toStdString()), Direction());
    if (const int error = made.WriteDocument(file.toStdString()); error != 0) {
        ShowMessageDialog(this, caption, 0, eMessageKind::Error, eMessageButtons::Ok,
                          QStringLiteral("Das Profil konnte nicht gespeichert werden:\n\n%1\n\n%2")
                              .arg(file, QString::fromStdString(ErrorText(error))));
        return;
    }
    m_params = std::move(made);
    m_params.PushOldFile();
    if (m_savePage->DesktopShortcut()) CreateDesktopShortcut(file);
    QWizard::accept();
}

bool TWizardDlg::CreateDesktopShortcut(const QString& profile) {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const std::string executable = QCoreApplication::applicationFilePath().toStdString();
    const std::string workingDirectory =
        QFileInfo(QCoreApplication::applicationFilePath()).absolutePath().toStdString();
    const QString link = desktop + QLatin1Char('/') + QFileInfo(profile).fileName() + QStringLiteral(".desktop");
    int error = CreateFolder(desktop) ? 0 : 3;
    if (error == 0)
        error = platform::CreateShortcut(executable, workingDirectory, "\"" + profile.toStdString() + "\"", "",
                                         link.toStdString());
    if (error == 0) return true;
    // The profile is saved all the same; only the shortcut is missing.
    ShowMessageDialog(this, windowTitle(), 0, eMessageKind::Error, eMessageButtons::Ok,
                      QStringLiteral("Die Verknüpfung konnte nicht angelegt werden:\n\n%1\n\n%2")
                          .arg(link, QString::fromStdString(ErrorText(error))));
    return false;
}

cConfigResult RunBackupWizard(QWidget* parent, cParameters& params) {
    return RunWizard(parent, params, eWizardKind::Backup);
}

cConfigResult RunSyncWizard(QWidget* parent, cParameters& params) {
    return RunWizard(parent, params, eWizardKind::Sync);
}

cConfigResult RunProfileWizard(QWidget* parent, cParameters& params) {
    return RunWizard(parent, params, eWizardKind::Profile);
}

} // namespace ui

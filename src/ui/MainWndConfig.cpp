// The main window's configuration items, wizards and the help menu's links.
#include "ui/MainWnd.h"

#include "profile/Parameters.h"
#include "ui/BeginnerDialog.h"
#include "ui/DialogGuard.h"
#include "ui/MessageDialog.h"

#include <QDesktopServices>
#include <QUrl>

namespace ui {

namespace {

const QString kMakerWebSite = QStringLiteral("https://www.quindell.de/tolvan/");
const QString kMakerMailAddress = QStringLiteral("tolvan@quindell.de");

// While the program has run fewer than ten times, the advanced dialogs are announced by "Neuling?".
constexpr int kBeginnerRuns = 9;

bool AnnouncedToBeginners(eConfigDialog dialog) {
    return dialog == eConfigDialog::Source || dialog == eConfigDialog::Destination ||
           dialog == eConfigDialog::Options || dialog == eConfigDialog::BatchOptions;
}

} // namespace

void TMainWnd::ConfigCommand(eConfigDialog dialog, bool automationPage) {
    cConfigResult result;
    {
        cDialogGuard guard(DialogDepth);
        if (AnnouncedToBeginners(dialog) && m_params.RunCount <= kBeginnerRuns && !AskBeginner(this, m_params)) return;
        result = ShowConfigDialog(this, m_params, dialog, automationPage);
    }
    if (!result.Ok) return;
    switch (dialog) {
    case eConfigDialog::Source:
    case eConfigDialog::Destination:
    case eConfigDialog::Preview:
    case eConfigDialog::Log:
        UpdateSaveState();
        break;
    case eConfigDialog::Options:
    case eConfigDialog::BatchOptions:
    case eConfigDialog::Profiles:
    case eConfigDialog::Scheduler:
        UpdateSaveState();
        ArmAutomatics();
        break;
    case eConfigDialog::ExpressSetup:
        UpdateSaveState();
        if (result.SetOthers) ArmAutomatics();
        if (result.RunNow) LaunchRun(0);
        break;
    case eConfigDialog::ProgramOptions:
        ShowMainDisplay();
        ApplyTooltips();
        break;
    case eConfigDialog::TopTwelve:
        UpdateTopTwelveMenu();
        break;
    case eConfigDialog::BackupWizard:
    case eConfigDialog::SyncWizard:
    case eConfigDialog::ProfileWizard:
        break;
    }
}

void TMainWnd::OptionsCommand(bool automationPage) {
    ConfigCommand(m_params.DocumentKind == kBatchDocument ? eConfigDialog::BatchOptions : eConfigDialog::Options,
                  automationPage);
}

void TMainWnd::WizardCommand(eConfigDialog wizard) {
    if (!QuerySaveChanges()) return;
    cConfigResult result;
    {
        cDialogGuard guard(DialogDepth);
        result = ShowConfigDialog(this, m_params, wizard);
    }
    if (!result.Ok) return;
    UpdateCaption();
    UpdateMenus();
    UpdateSaveState();
    ArmAutomatics();
    UpdateRecentMenu();
    UpdateTopTwelveMenu();
    if (result.RunNow) LaunchRun(0);
}

void TMainWnd::OpenWebSite() {
    if (QDesktopServices::openUrl(QUrl(kMakerWebSite))) return;
    cDialogGuard guard(DialogDepth);
    ShowMessageDialog(this, ApplicationTitle(), 0, eMessageKind::Error, eMessageButtons::Ok,
                      QStringLiteral("Kann Ihren Web-Browser nicht starten. Stellen Sie sicher, dass er auf Ihrem "
                                     "System ordnungsgemäß eingerichtet ist."));
}

void TMainWnd::WriteMail() {
    if (QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kMakerMailAddress))) return;
    cDialogGuard guard(DialogDepth);
    ShowMessageDialog(this, ApplicationTitle(), 0, eMessageKind::Error, eMessageButtons::Ok,
                      QStringLiteral("Kann Mail-Client nicht starten. Stellen Sie sicher, dass er auf Ihrem System "
                                     "ordnungsgemäß eingerichtet ist."));
}

} // namespace ui

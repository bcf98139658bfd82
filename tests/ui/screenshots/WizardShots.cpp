// The wizards page by page and the express setup, on the scene's tree (Anna's letters and pictures). The fields
// are filled with the folders of the scene to get past each page, then show the paths a user would type.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/ExpressSetup.h"
#include "ui/WizardDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <functional>

namespace {

using screenshots::cScene;
using screenshots::Keep;

QString InScene(const cScene& scene, const char* name) {
    return QString::fromStdString((scene.Dir().Path() / name).string());
}

void SetText(QWidget* window, const char* edit, const QString& text) {
    window->findChild<QLineEdit*>(edit)->setText(text);
}

// The wizard of kind on the page with that id; dress fills the page for the picture.
QWidget* WizardAt(const cScene& scene, ui::eWizardKind kind, int page, const std::function<void(QWidget*)>& dress = {},
                  bool sync = false) {
    auto* wizard = new ui::TWizardDlg(Keep(scene.Profile()), kind, nullptr);
    wizard->restart();
    if (kind == ui::eWizardKind::Profile && page != ui::TWizardDlg::KindPageId) {
        wizard->findChild<QRadioButton*>(sync ? "SyncRbt" : "BackupRbt")->setChecked(true);
        wizard->next();
    }
    if (page > ui::TWizardDlg::SourcePageId) {
        SetText(wizard, "SourceEdt", InScene(scene, "Anna"));
        wizard->next();
    }
    if (page > ui::TWizardDlg::DestPageId) {
        SetText(wizard, "DestEdt", InScene(scene, "Sicherung"));
        wizard->next();
    }
    if (page > ui::TWizardDlg::ActionPageId) wizard->next();
    if (dress) dress(wizard);
    return wizard;
}

const screenshots::cRegisterShots kWizardShots({
    {"ProfileWizard-Art",
     [](const cScene& s) { return WizardAt(s, ui::eWizardKind::Profile, ui::TWizardDlg::KindPageId); }},
    {"BackupWizard-Quelle",
     [](const cScene& s) {
         return WizardAt(s, ui::eWizardKind::Backup, ui::TWizardDlg::SourcePageId,
                         [](QWidget* w) { SetText(w, "SourceEdt", QStringLiteral("/home/anna")); });
     }},
    {"BackupWizard-Ziel",
     [](const cScene& s) {
         return WizardAt(s, ui::eWizardKind::Backup, ui::TWizardDlg::DestPageId,
                         [](QWidget* w) { SetText(w, "DestEdt", QStringLiteral("/media/anna/USB-Stick/Sicherung")); });
     }},
    {"BackupWizard-Ziel-Fehler",
     [](const cScene& s) {
         return WizardAt(s, ui::eWizardKind::Backup, ui::TWizardDlg::DestPageId, [&s](QWidget* w) {
             SetText(w, "DestEdt", InScene(s, "Anna/Sicherung"));
             static_cast<ui::TWizardDlg*>(w)->next(); // refused: the destination lies inside the source
         });
     }},
    {"BackupWizard-Aktion",
     [](const cScene& s) {
         return WizardAt(s, ui::eWizardKind::Backup, ui::TWizardDlg::ActionPageId,
                         [](QWidget* w) { w->findChild<QCheckBox*>("DeleteChk")->setChecked(true); });
     }},
    {"SyncWizard-Aktion",
     [](const cScene& s) { return WizardAt(s, ui::eWizardKind::Sync, ui::TWizardDlg::ActionPageId); }},
    {"ProfileWizard-Speichern",
     [](const cScene& s) {
         return WizardAt(
             s, ui::eWizardKind::Profile, ui::TWizardDlg::SavePageId,
             [](QWidget* w) {
                 SetText(w, "ProfileEdt", QStringLiteral("/home/anna/Dokumente/Synchronisation Anna.tvp"));
                 w->findChild<QCheckBox*>("DesktopChk")->setChecked(true);
                 w->findChild<QCheckBox*>("RunNowChk")->setChecked(true);
             },
             true);
     }},
    {"ExpressSetupDlg",
     [](const cScene& s) {
         auto* dialog = new ui::TExpressSetupDlg(Keep(s.Profile()), nullptr);
         SetText(dialog, "SourceEdt", QStringLiteral("/home/anna"));
         SetText(dialog, "DestEdt", QStringLiteral("/media/anna/USB-Stick"));
         dialog->findChild<QRadioButton*>("MirrorRbt")->setChecked(true);
         dialog->findChild<QCheckBox*>("OthersChk")->setChecked(true);
         return dialog;
     }},
});

} // namespace

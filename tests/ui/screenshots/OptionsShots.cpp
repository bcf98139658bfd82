// The options of a profile, every page, on Anna's backup profile with a few settings a user would make.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/OptionsDialog.h"

namespace {

using screenshots::cScene;
using screenshots::Keep;

cParameters& SetUpProfile(const cScene& scene) {
    cParameters& p = Keep(scene.Profile());
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 30;
    p.Attributes = AttributeBits(eAttributeChange::Hidden);
    p.Verify = true;
    p.TransferPermissions = true;
    p.ZipEncrypt = true;
    p.ZipPassword = "geheim";
    p.ZipTempMode = eZipTempMode::TempLocation;
    p.ZipTempLocation = "/var/tmp/tolvan";
    p.AutoApp = true;
    p.AppName = "thunderbird";
    p.AutoSense1 = true;
    p.AutoShutdown = 3;
    p.Event2Message = true;
    p.BeforeCommands.Add("mount /media/sicherung");
    p.BeforeCommands.Add("", 5);
    p.AfterCommands.Add("umount /media/sicherung");
    p.AfterCommands.Add("notify-send \"Sicherung fertig\"");
    return p;
}

screenshots::cShot Page(const char* file, const char* page) {
    return {file, [page](const cScene& s) -> QWidget* {
                auto* dialog = new ui::TOptionsDlg(SetUpProfile(s), false, nullptr);
                dialog->ShowPage(QString::fromLatin1(page));
                return dialog;
            }};
}

const screenshots::cRegisterShots kOptionsShots({
    Page("OptionsDlg-Bereich", "ScopePage"),
    Page("OptionsDlg-Filter", "FilterPage"),
    Page("OptionsDlg-Uhren", "ClocksPage"),
    Page("OptionsDlg-Verzeichnisse", "DirectoriesPage"),
    Page("OptionsDlg-Kopieren", "CopyPage"),
    Page("OptionsDlg-Kontrollen", "ChecksPage"),
    Page("OptionsDlg-Warnungen", "WarningsPage"),
    Page("OptionsDlg-Ereignisse", "EventsPage"),
    Page("OptionsDlg-Automatik", "AutomationPage"),
    Page("OptionsDlg-Vorher-nachher", "CommandsPage"),
    Page("OptionsDlg-Zip", "ZipPage"),
    Page("OptionsDlg-FTP", "FtpPage"),
    Page("OptionsDlg-Verschiedenes", "OtherPage"),
});

} // namespace

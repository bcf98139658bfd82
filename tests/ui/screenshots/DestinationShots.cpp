// The destination dialog for each kind of destination, and the disk dialog with a weekday label.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/DestinationDialog.h"
#include "ui/DiskDialog.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using screenshots::cScene;
using screenshots::Keep;

// Anna's backup profile with a destination of the given kind, as a user would have filled it in.
cParameters& DestinationProfile(const cScene& scene, eDestType kind) {
    cParameters& params = Keep(scene.Profile());
    params.DestType = kind;
    params.DestDirectory = kind == eDestType::Ftp ? "\\sicherung\\anna\\" : "\\Briefe und Bilder\\";
    params.DestArchive = "Briefe und Bilder.zip";
    params.DestServer = "nas.familie-mueller.de";
    params.Variation = 2;
    params.EightThree = false;
    params.CheckLabel = "SICHERUNG %DAYOFWEEK%";
    params.EjectDisk = true;
    params.ZipEncrypt = true;
    params.ZipPassword = "geheim";
    params.FtpUserName = "anna";
    params.FtpPassword = "Kennwort";
    params.LastUsedServers.Add("nas.familie-mueller.de");
    params.LastUsedServers.Add("ftp.example.org");
    params.LastUsedServers.Add("192.168.1.20");
    return params;
}

QWidget* Destination(const cScene& scene, eDestType kind) {
    auto* dialog = new ui::TDestinationDlg(DestinationProfile(scene, kind), nullptr);
    dialog->adjustSize();
    return dialog;
}

const screenshots::cRegisterShots kDestinationShots({
    {"DestinationDlg-Verzeichnis", [](const cScene& s) { return Destination(s, eDestType::Directory); }},
    {"DestinationDlg-Zip", [](const cScene& s) { return Destination(s, eDestType::Zip); }},
    {"DestinationDlg-FTP", [](const cScene& s) { return Destination(s, eDestType::Ftp); }},
    {"DestinationDlg-Abgelehnt",
     [](const cScene& s) -> QWidget* {
         // OK refused the archive name: the reason stands below the field. (One reason only: the offscreen
         // screen is 600 pixels high, and the window must fit on it.)
         QWidget* dialog = Destination(s, eDestType::Zip);
         dialog->show();
         dialog->findChild<QLineEdit*>(QStringLiteral("ArchiveEdt"))->setText(QStringLiteral("Briefe|Bilder"));
         dialog->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
         return dialog;
     }},
    {"DiskDlg",
     [](const cScene& s) -> QWidget* {
         static ui::cDiskSettings disk{"SICHERUNG %DAYOFWEEK%", false, true};
         return new ui::TDiskDlg(disk, (s.Dir().Path() / "Sicherung").string(), {}, nullptr);
     }},
});

} // namespace

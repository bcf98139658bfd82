// The destination dialog for each kind of destination (the server's folders as a read left them), and the disk
// dialog with a weekday label.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/DestinationDialog.h"
#include "ui/DiskDialog.h"
#include "ui/ServerTree.h"

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

cServerListing Listing(const char* directory, std::vector<cServerFolder> folders) {
    cServerListing listing;
    listing.Directory = directory;
    listing.Folders = std::move(folders);
    return listing;
}

// The folders of the family's server as "Verzeichnisse lesen" shows them, opened down to Anna's directory, which
// the user has just chosen.
QWidget* ServerFolders(const cScene& scene) {
    using Kind = cServerFolder::eKind;
    auto* dialog = new ui::TDestinationDlg(DestinationProfile(scene, eDestType::Ftp), nullptr);
    auto* tree = dialog->findChild<ui::TServerTree*>(QStringLiteral("ServerTvw"));
    tree->ShowListing(Listing("\\", {{Kind::Directory, "public", ""},
                                     {Kind::Directory, "sicherung", ""},
                                     {Kind::Directory, "videos", ""},
                                     {Kind::Link, "aktuell", "/sicherung/anna"}}),
                      "nas.familie-mueller.de");
    tree->ShowListing(Listing("\\sicherung\\", {{Kind::Directory, "anna", ""}, {Kind::Directory, "paul", ""}}));
    tree->ShowListing(Listing("\\sicherung\\anna\\", {}));
    tree->setCurrentItem(tree->ItemOf("\\sicherung\\anna\\"));
    dialog->adjustSize();
    return dialog;
}

const screenshots::cRegisterShots kDestinationShots({
    {"DestinationDlg-Verzeichnis", [](const cScene& s) { return Destination(s, eDestType::Directory); }},
    {"DestinationDlg-Zip", [](const cScene& s) { return Destination(s, eDestType::Zip); }},
    {"DestinationDlg-FTP", [](const cScene& s) { return Destination(s, eDestType::Ftp); }},
    {"DestinationDlg-FTP-Verzeichnisse", ServerFolders},
    {"DestinationDlg-FTP-Fehler",
     [](const cScene& s) -> QWidget* {
         // The server refused the login: the reason stands beside the button, the dialogue in its tool tip.
         QWidget* dialog = Destination(s, eDestType::Ftp);
         dialog->show();
         auto* tree = dialog->findChild<ui::TServerTree*>(QStringLiteral("ServerTvw"));
         emit tree->Failed(ui::ReadFailureLine(-302, "530 Login incorrect."),
                           QStringLiteral("< 220 bereit\n> USER anna\n< 331 Password required\n> PASS ****\n"
                                          "< 530 Login incorrect."));
         return dialog;
     }},
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

// The FTP windows of a run: the communication window after a login, and the login question.
#include "ScreenshotShots.h"

#include "ui/FtpCommWindow.h"
#include "ui/FtpPasswordDialog.h"

namespace {

using screenshots::cScene;

const screenshots::cRegisterShots kFtpShots({
    {"FtpCommWnd",
     [](const cScene&) -> QWidget* {
         auto* window = new ui::TFtpCommWnd(nullptr);
         window->AddReceived(QStringLiteral("220 nas.familie-mueller.de FTP-Server bereit"));
         window->AddSent(QStringLiteral("USER anna"));
         window->AddReceived(QStringLiteral("331 Kennwort bitte"));
         window->AddSent(QStringLiteral("PASS Kennwort"));
         window->AddReceived(QStringLiteral("230 Angemeldet"));
         window->AddSent(QStringLiteral("CWD /sicherung/anna"));
         window->AddReceived(QStringLiteral("250 OK"));
         window->AddSent(QStringLiteral("STOR Steuer 2026.pdf"));
         window->AddReceived(QStringLiteral("552 Kein Platz mehr auf dem Server"));
         return window;
     }},
    {"FtpPasswordDlg",
     [](const cScene&) -> QWidget* {
         return new ui::TFtpPasswordDlg(QStringLiteral("Briefe sichern.tvp - Tolvan 6"), {"anna", ""}, nullptr);
     }},
});

} // namespace

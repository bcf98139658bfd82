// The log dialogs: "Log" and its viewer, e-mail and printer dialogs, on the scene's profile with a mail setup.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/LogDialog.h"
#include "ui/LogMailDialog.h"
#include "ui/LogPrinterDialog.h"
#include "ui/LogViewerDialog.h"

#include <QStringList>

namespace {

using screenshots::cScene;
using screenshots::Keep;

cParameters& MailingProfile(const cScene& scene) {
    cParameters& params = Keep(scene.Profile());
    cLogParameters& log = params.Log;
    log.ViewOnError = log.MailOnError = true;
    log.SmtpServer = "mail.gmx.net:587";
    log.SenderName = "Anna Müller";
    log.SenderAddress = "anna.mueller@gmx.de";
    log.Recipient1Name = "Otto Müller";
    log.Recipient1Address = "otto.mueller@web.de";
    log.SubjectPrefix = "Sicherung: ";
    log.AsAttachment = true;
    log.PrinterName = "Brother HL-L2350DW";
    return params;
}

const screenshots::cRegisterShots kLogShots({
    {"LogDlg", [](const cScene& s) { return new ui::TLogDlg(MailingProfile(s), nullptr); }},
    {"LogViewerDlg", [](const cScene& s) { return new ui::TLogViewerDlg(MailingProfile(s).Log, nullptr); }},
    {"LogMailDlg", [](const cScene& s) { return new ui::TLogMailDlg(MailingProfile(s).Log, nullptr); }},
    {"LogPrinterDlg",
     [](const cScene& s) {
         return new ui::TLogPrinterDlg(MailingProfile(s).Log,
                                       {QStringLiteral("Brother HL-L2350DW"), QStringLiteral("PDF")}, nullptr);
     }},
});

} // namespace

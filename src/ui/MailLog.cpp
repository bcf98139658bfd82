#include "ui/MailLog.h"

#include "log/MailLogFile.h"
#include "messages/ErrorText.h"
#include "profile/Parameters.h"
#include "ui/BusyNote.h"
#include "ui/GuiThread.h"
#include "ui/TimedBox.h"

namespace ui {

namespace {

// Every wait of the mail dialogue: the server's answer, the connection.
constexpr int kMailTimeOutSeconds = 30;

} // namespace

bool MailLog(QWidget* parent, const cParameters& params, bool mute) {
    const cLogParameters& log = params.Log;
    const QString recipient = QStringLiteral("%1 <%2>").arg(QString::fromStdString(log.Recipient1Name),
                                                            QString::fromStdString(log.Recipient1Address));
    cSmtpResult result;
    {
        const cBusyNote note(parent, QStringLiteral("Tolvan 6"),
                             QStringLiteral("Verschicke Log an %1...").arg(recipient), mute);
        RunBeside([&] { result = MailLogFile(log, kMailTimeOutSeconds); });
    }
    if (result.Code == 0) return true;
    ShowTimedBox(parent, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Verschicken..."),
                 QStringLiteral("E-Mail an %1").arg(recipient),
                 QString::fromStdString(ErrorText(result.Code, result.Reply)));
    return false;
}

} // namespace ui

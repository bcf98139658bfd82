#include "log/MailLogFile.h"

#include "log/LogFile.h"
#include "platform/Clock.h"
#include "platform/ReadRegularFile.h"

cSmtpResult MailLogFile(const cLogParameters& log, int timeOutSeconds) {
    const platform::FileBytes file = platform::ReadRegularFile(log.ActualFileName, kMaxLogReadBytes);
    if (!file) return {file.error, {}};
    // A boundary that no log line holds: the program's name and the time.
    const std::string boundary = "Tolvan-6-" + std::to_string(platform::NowUtc());
    return SendMail(log.SmtpServer, MailEnvelope(log), MailText(log, file.bytes, boundary), {timeOutSeconds, {}});
}

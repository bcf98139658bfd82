#include "log/MailLogFile.h"

#include "log/LogFile.h"
#include "platform/Clock.h"
#include "platform/ReadRegularFile.h"
#include "profile/IniFile.h"
#include "profile/SettingsFile.h"

cSmtpLogin SmtpLoginFor(const cIniFile& settings, std::string_view server) {
    const std::string section = "SMTP " + std::string(server);
    return {settings.Read(section, "User").value_or(""), settings.Read(section, "Password").value_or("")};
}

cSmtpResult MailLogFile(const cLogParameters& log, int timeOutSeconds) {
    const platform::FileBytes file = platform::ReadRegularFile(log.ActualFileName, kMaxLogReadBytes);
    if (!file) return {file.error, {}};
    // A boundary that no log line holds: the program's name and the time.
    const std::string boundary = "Tolvan-6-" + std::to_string(platform::NowUtc());
    const std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    return SendMail(log.SmtpServer, MailEnvelope(log), MailText(log, file.bytes, boundary), {timeOutSeconds, {}},
                    SmtpLoginFor(*settings, log.SmtpServer));
}

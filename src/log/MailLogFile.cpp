#include "log/MailLogFile.h"

#include "platform/Clock.h"
#include "platform/ReadRegularFile.h"

namespace {

// A log of a few hundred megabytes is mailed whole; anything larger is no log of this program.
constexpr std::size_t kMaxLogBytes = std::size_t{256} << 20;

} // namespace

cSmtpResult MailLogFile(const cLogParameters& log, int timeOutSeconds) {
    const platform::FileBytes file = platform::ReadRegularFile(log.ActualFileName, kMaxLogBytes);
    if (!file) return {file.error, {}};
    // A boundary that no log line holds: the program's name and the time.
    const std::string boundary = "Tolvan-6-" + std::to_string(platform::NowUtc());
    return SendMail(log.SmtpServer, MailEnvelope(log), MailText(log, file.bytes, boundary), {timeOutSeconds, {}});
}

// Mailing a run's log file: read, made into the mail, and sent by SMTP as the log settings say.
#pragma once

#include "log/SmtpClient.h"
#include "profile/LogParameters.h"

// Sends log.ActualFileName to the log's recipients through log.SmtpServer; every wait is bounded by
// timeOutSeconds. Code 0, the read's error, or SendMail's.
cSmtpResult MailLogFile(const cLogParameters& log, int timeOutSeconds);

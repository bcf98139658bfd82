// Mailing a run's log file: read, made into the mail, and sent by SMTP as the log settings say.
#pragma once

#include "log/SmtpClient.h"
#include "profile/LogParameters.h"

#include <string>
#include <string_view>

class cIniFile;

// The login for server from the settings file: section "SMTP " + server (as the log settings name it, e.g.
// "[SMTP mail.example.com:587]") with the keys "User" and "Password". Empty when there is none.
cSmtpLogin SmtpLoginFor(const cIniFile& settings, std::string_view server);

// Sends log.ActualFileName to the log's recipients through log.SmtpServer, logged in when the program's
// settings file holds a login for that server; every wait is bounded by timeOutSeconds. Code 0, the read's
// error, or SendMail's.
cSmtpResult MailLogFile(const cLogParameters& log, int timeOutSeconds);

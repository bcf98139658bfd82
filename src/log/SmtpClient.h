// Sending a mail by SMTP: the HELO dialogue on one connection, with the time-out of every wait.
#pragma once

#include "log/MailText.h"
#include "platform/Socket.h"

#include <string>

struct cSmtpResult {
    int Code = 0;      // 0, a socket error, kFtpCommandFailed when the server refused (its reply in Reply)
    std::string Reply; // the server's last reply line
};

// Sends text (MailText's form) from envelope.Sender to envelope.Recipients through server ("host", "host:port";
// port 25 by default): greeting 220; "HELO host" or, when that is not answered 250, a bare "HELO" answered
// 2xx; MAIL FROM 250; every RCPT TO 250 or 251; DATA 354, the text, "." 250; QUIT 221. After a refusal from MAIL
// FROM on, QUIT is still sent before the refusal is returned.
cSmtpResult SendMail(const std::string& server, const cMailEnvelope& envelope, const std::string& text,
                     const platform::WaitLimits& limits);

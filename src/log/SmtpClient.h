// Sending a mail by SMTP: the HELO dialogue on one connection, with the time-out of every wait; with a login,
// EHLO, STARTTLS and AUTH first.
#pragma once

#include "log/MailText.h"
#include "platform/Socket.h"

#include <string>

struct cSmtpResult {
    int Code = 0;      // 0, a socket error, kFtpCommandFailed when the server refused (its reply in Reply)
    std::string Reply; // the server's last reply line, or why the encryption failed
};

// The account on the mail server; without a user the mail goes out without logging in.
struct cSmtpLogin {
    std::string User;
    std::string Password;
};

// Sends text (MailText's form) from envelope.Sender to envelope.Recipients through server ("host", "host:port";
// port 25 by default): greeting 220; "HELO host" or, when that is not answered 250, a bare "HELO" answered
// 2xx; MAIL FROM 250; every RCPT TO 250 or 251; DATA 354, the text, "." 250; QUIT 221. After a refusal from MAIL
// FROM on, QUIT is still sent before the refusal is returned.
// With a login the greeting is "EHLO host" instead; the server must offer STARTTLS (else kTlsNotOffered, and
// the password is never sent in the clear), the connection is encrypted (kTlsFailed when the certificate is
// not trusted), EHLO is said again, then "AUTH PLAIN" (or "AUTH LOGIN" when only that is offered) must be
// answered 235; the rest of the dialogue is the same.
cSmtpResult SendMail(const std::string& server, const cMailEnvelope& envelope, const std::string& text,
                     const platform::WaitLimits& limits, const cSmtpLogin& login = {});

// The mail that carries a log: its envelope (sender, recipients) and its text (headers, MIME body), built from
// the profile's log settings.
#pragma once

#include "profile/LogParameters.h"

#include <string>
#include <string_view>
#include <vector>

struct cMailEnvelope {
    std::string Sender;                  // address only
    std::vector<std::string> Recipients; // addresses, recipient 1 first; 2 and 3 only when given
};

cMailEnvelope MailEnvelope(const cLogParameters& log);

// The message as it goes after DATA, without the final "."-line: header lines, an empty line, the body; every
// line ends with CR LF and a line that is a single "." is sent as "..". With AsAttachment the body says
// "siehe Anhang" and the log follows as an attachment named after the log file; otherwise the log's lines are
// the body. logText is the log file's text as the program wrote it; boundary separates the MIME parts.
std::string MailText(const cLogParameters& log, std::string_view logText, std::string_view boundary);

// The server part of SmtpServer ("host", "host:port", "[v6]:port") and its port (25 when none is given); false
// for a port that is no number from 1 to 65535.
bool SplitServer(std::string_view server, std::string& host, int& port);

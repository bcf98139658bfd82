// The message dispatcher: turns a message number and its arguments into the message text and asks the user
// when the warning settings allow it; otherwise answers the preset.
#pragma once

#include "messages/UserInterface.h"
#include "messages/WarningSettings.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The arguments of a message; each code reads the ones it needs:
// 30001..30014 Text1 the checked name; 30015 Number1 the count of directories, Text2 their list;
// 30102 Text1 the log file; 30105/30106 Text1 the required version, Text2 the version found (empty: none found);
// 30107 Text1 the directory; 30112 Text1 given: no signal; 30118 Text1 the drive; 30121, 30124 Number1, Number2;
// 30122 Text1 the file, Stamp the fields as read, CorrectedStamp as corrected; 30125 Text1 the drive, Text2 the
// missing megabytes; 30126 Number1 the limit, Number2 the excess; 30130 Text1 the empty side, Number1 the
// files to be deleted; 30131 Text1 the refused path; 30134 Text1 the profile; 30209, 30211, 30212, 30214, 30215 Number1
// the count of files; 30210, 30213, 30216 Number1 done of Number2; 30219 Text1 the file, Text2 the zip error text;
// 30220 Text1 the zip error text; 30221 Text1 the file; 30302 Text1 and Text2 the two files.
// Error is the error number: its ErrorText fills 30102, 30112, 30118, 30221 and 30302; 30219 and 30220 show
// the number itself as "Fehlercode".
struct cMessageArgs {
    std::string Text1{};
    std::string Text2{};
    long long Number1 = 0;
    long long Number2 = 0;
    int Error = 0;
    // Year, month, day, hour, minute, second, milliseconds.
    std::array<int, 7> Stamp{};
    std::array<int, 7> CorrectedStamp{};
    std::string ServerReply{}; // the server's reply to a failed FTP command: the text of Error -302
};

// Asks the message of code and returns the answer (Ok, Cancel, Yes, No), or eAnswer::None for an unknown code.
// First the governing warning's signal is played (sound, beep or nothing, as the settings say).
// A message governed by a warning is shown only when that warning's message option is set (for 30115 the
// batch file's own option); otherwise its preset answer is returned and nothing is shown.
eAnswer UserMessage(cUserInterface& ui, const cWarningSettings& warnings, int code, const cMessageArgs& args = {});

// The text of a message in the program's form ("\r" breaks a line), as the run's log writes it; empty for an
// unknown code.
std::string MessageText(int code, const cMessageArgs& args = {});

// The text as a message box shows it: every "\r" (and "\r\n") becomes "\n".
std::string DisplayText(std::string_view programText);

// Fills "%s", "%d" and "%.0n" in order from values (already formatted); "%%" is a single "%". A placeholder
// without a value is left empty; other "%" sequences are copied as they are.
std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& values);

// The log file itself: lines appended as a run goes, in one encoding for the whole file.
#pragma once

#include "platform/AppendFile.h"

#include <string>
#include <string_view>
#include <vector>

// Each line reaches the file as soon as it is appended, so a run that is killed leaves everything it logged.
// The path is written through, never replaced (platform::cAppendFile). A regular file is Windows-1252 with
// CR LF while every line fits; an existing file that is UTF-8 gets UTF-8. The first line that does not fit
// Windows-1252 turns the whole file into UTF-8 in place, so a file never mixes encodings; when that fails the
// file keeps Windows-1252 and such characters become "?". A stream (/dev/stdout, a pipe, a terminal) gets
// UTF-8 from the first line: what it shows cannot be converted later, and its reader is this system's
// terminal, mail or journal, which read UTF-8.
class cLogFile {
public:
    // Opens path for appending (append set and the file exists) or anew; see platform::cAppendFile::Open for
    // what is taken. Returns 0 or the program's error code.
    [[nodiscard]] int Open(const std::string& path, bool append);
    bool IsOpen() const { return m_file.IsOpen(); }
    // Writes the lines (valid UTF-8, without line ends) through to the file in one write: they are in the file
    // when it returns, and an event's lines stay together when another run appends to the same file. Write
    // errors are swallowed.
    void AppendLines(const std::vector<std::string>& lines);
    void AppendLine(std::string_view utf8) { AppendLines({std::string(utf8)}); }
    void Close();

private:
    void Encode(std::string_view utf8);

    platform::cAppendFile m_file;
    bool m_utf8 = false;
    bool m_conversionFailed = false; // the file stays Windows-1252 from here on
    std::string m_bytes;             // the encoded lines of one write, kept for its capacity
};

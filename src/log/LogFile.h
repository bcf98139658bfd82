// The log file itself: lines appended as a run goes, in one encoding for the whole file.
#pragma once

#include "platform/AppendFile.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A log is read back whole to be shown, printed or mailed; a larger file is refused rather than exhausting the
// memory.
inline constexpr std::size_t kMaxLogReadBytes = std::size_t{256} << 20;

// Lines reach the file either at once (AppendLines) or held back in memory (HoldLines) until a flush: when the
// held bytes pass kHeldBytesLimit, when the oldest held line has waited kHeldTimeLimit (looked at whenever a
// line is held and at FlushIfDue), at Flush, at the next AppendLines and at Close. So a run that is killed
// loses at most the last second of its routine lines, while a run that writes a line per file does not pay a
// system call per file. Every write holds whole calls' lines, so the lines of one event stay together when
// another run appends to the same file.
// The path is written through, never replaced (platform::cAppendFile). A regular file is Windows-1252 with
// CR LF while every line fits; an existing file that is UTF-8 gets UTF-8. The first line that does not fit
// Windows-1252 turns the whole file into UTF-8 in place, so a file never mixes encodings; when that fails the
// file keeps Windows-1252 and such characters become "?". A stream (/dev/stdout, a pipe, a terminal) gets
// UTF-8 from the first line: what it shows cannot be converted later, and its reader is this system's
// terminal, mail or journal, which read UTF-8.
class cLogFile {
public:
    static constexpr std::size_t kHeldBytesLimit = 64 * 1024;
    static constexpr std::chrono::milliseconds kHeldTimeLimit{1000};

    cLogFile() = default;
    ~cLogFile() { Close(); }
    cLogFile(const cLogFile&) = delete;
    cLogFile& operator=(const cLogFile&) = delete;

    // Opens path for appending (append set and the file exists) or anew; see platform::cAppendFile::Open for
    // what is taken. Returns 0 or the program's error code.
    [[nodiscard]] int Open(const std::string& path, bool append);
    bool IsOpen() const { return m_file.IsOpen(); }
    // Writes the held lines and then these (valid UTF-8, without line ends) through to the file in one write:
    // they are in the file when it returns. Write errors are swallowed: lines that cannot be written are lost.
    void AppendLines(const std::vector<std::string>& lines);
    void AppendLine(std::string_view utf8) { AppendLines({std::string(utf8)}); }
    // Adds the lines to the held ones; writes them all when a limit is reached.
    void HoldLines(const std::vector<std::string>& lines);
    // Writes the held lines when the oldest has waited kHeldTimeLimit; without held lines it reads no clock.
    void FlushIfDue();
    // Writes the held lines now.
    void Flush();
    // Writes the held lines and closes the file.
    void Close();

private:
    void Encode(std::string_view utf8);
    void Write();

    platform::cAppendFile m_file;
    bool m_utf8 = false;
    bool m_conversionFailed = false;                   // the file stays Windows-1252 from here on
    std::string m_bytes;                               // encoded lines not yet written, kept for its capacity
    std::chrono::steady_clock::time_point m_heldSince; // when m_bytes got its first line
};

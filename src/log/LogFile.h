// The log file itself: lines appended as a run goes, in one encoding for the whole file.
#pragma once

#include <string>
#include <string_view>

// Lines reach the file while the run goes (buffered), so a long run holds no more than a buffer in memory and
// a crash keeps what was written. The file is Windows-1252 with CR LF while every line fits; an existing file
// that is UTF-8 gets UTF-8. The first line that does not fit Windows-1252 turns the whole file into UTF-8
// (rewritten atomically), so a file never mixes encodings.
class cLogFile {
public:
    cLogFile() = default;
    ~cLogFile();
    cLogFile(const cLogFile&) = delete;
    cLogFile& operator=(const cLogFile&) = delete;

    // Opens path for appending (append set and the file exists) or anew. Only a regular file is taken: a FIFO
    // or device would never give back what is written. Returns 0 or the program's error code.
    int Open(const std::string& path, bool append);
    bool IsOpen() const { return m_fd >= 0; }
    // Adds one line (UTF-8, without line end).
    void AppendLine(std::string_view utf8);
    // Writes what is buffered and closes the file; write errors are swallowed.
    void Close();

private:
    void Flush();
    void SwitchToUtf8();

    int m_fd = -1;
    std::string m_path;
    bool m_utf8 = false;
    std::string m_buffer; // encoded bytes not yet written
};

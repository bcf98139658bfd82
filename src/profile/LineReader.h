// Reads the program's positional line files (profiles, batch files) one value per line, as hostile input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The file is read whole (up to platform::kMaxOwnTextFileBytes); the text encoding (UTF-8 or Windows-1252) is decided
// once for the whole file, and every line is handed out as UTF-8. Any failure makes Error() non-zero and every later
// read fails too: a missing file gives its system code, a file that ends early, a line that is too long or a number
// that is no number gives 2002.
class cLineReader {
public:
    // Longest line accepted; a longer one is a format error, so a file of garbage never costs a large buffer.
    static constexpr std::size_t kMaxLineBytes = 1 << 20;

    cLineReader() = default;
    cLineReader(const cLineReader&) = delete;
    cLineReader& operator=(const cLineReader&) = delete;

    // Reads a regular file of at most platform::kMaxOwnTextFileBytes; false (and Error()) when it cannot be read,
    // is no regular file or is larger (2002).
    bool Open(const std::string& path);
    // Reads from bytes in memory, which the caller keeps alive while reading.
    void OpenBytes(std::string_view bytes);

    bool ReadText(std::string& text);
    // A decimal 32-bit integer with an optional sign; blanks around it are allowed.
    bool ReadNumber(int& value);
    // The same, and a number outside min..max is a format error (2002).
    bool ReadNumber(int& value, int min, int max);
    // A number; any non-zero value is true.
    bool ReadBool(bool& value);
    bool SkipLine();

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    [[nodiscard]] int Error() const { return m_error; }
    // Lines handed out so far (the number of the last line read).
    int LineNumber() const { return m_lineNumber; }

private:
    bool NextLine(std::string_view& line);
    void Fail(int code);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_utf8 = false;
    int m_error = 0;
    int m_lineNumber = 0;
    std::string m_storage; // the file's bytes when read by Open
};

// Parses a line as the reader does: a decimal 32-bit integer with optional sign and surrounding blanks.
bool ParseNumber(std::string_view text, int& value);

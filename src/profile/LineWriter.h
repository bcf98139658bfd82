// Writes the program's positional line files: one value per line, CR LF, Windows-1252 where the text fits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

class cLineWriter {
public:
    // A line break inside a text would shift every later value, so CR and LF are written as blanks.
    void AddText(std::string_view text);
    void AddNumber(std::int64_t value);
    void AddBool(bool value) { AddNumber(value ? 1 : 0); }

    // The lines so far, UTF-8 with CR LF.
    const std::string& Text() const { return m_text; }

    // Encodes the whole text (Windows-1252, or UTF-8 when it does not fit) and replaces the file atomically.
    // Returns 0 or the error code.
    int Commit(const std::string& path, mode_t mode) const;

private:
    std::string m_text;
};

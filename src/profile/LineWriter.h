// Writes the program's positional line files: one value per line, CR LF, Windows-1252 where the text fits.
#pragma once

#include "platform/FileMode.h"

#include <cstdint>
#include <string>
#include <string_view>

class cLineWriter {
public:
    // Writes the text in its line form (BlankLineBreaks).
    void AddText(std::string_view text);
    void AddNumber(std::int64_t value);
    void AddBool(bool value) { AddNumber(value ? 1 : 0); }

    // The lines so far, UTF-8 with CR LF.
    const std::string& Text() const { return m_text; }

    // Encodes the whole text (Windows-1252, or UTF-8 when it does not fit) and replaces the file atomically.
    // Returns 0 or the error code.
    [[nodiscard]] int Commit(const std::string& path, platform::FileMode mode) const;

private:
    std::string m_text;
};

// The form a text takes in a line file: a line break inside a text would shift every later value, so CR and LF
// become blanks. A reader that keeps each text it reads in this form holds only values that write back as they
// were read (a lone CR inside a line would otherwise come back as a blank, in another order of a sorted list).
void BlankLineBreaks(std::string& text);

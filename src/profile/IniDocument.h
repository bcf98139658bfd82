// The lines of an INI text in memory, with the private-profile rules for finding and changing keys.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Rules, in the manner of the Windows private-profile functions:
// - A section line is "[name]" (blanks around it and after "]" ignored, the name trimmed); a line that
//   begins with "[" but has no "]" is no section line. A key line is "key=value": the key is the trimmed text
//   before the first "=", the value the text after it with blanks (space, tab) trimmed at both ends. Lines
//   before the first section, comments (";"), blank lines and any other line are kept as they are.
// - Sections and keys are matched case-insensitively (umlauts included); the names passed in are trimmed.
//   Several sections of the same name count as one: the first key found in file order wins.
// - A value enclosed in double quotes is read without them (one pair). A value written with a blank at
//   either end or enclosed in double quotes is written inside one more pair of quotes, so it reads back
//   exactly; a CR or LF inside a value is written as a blank, as it would end the line.
// - A name that cannot be written so that it reads back (empty, a key holding "=" or beginning with ";"
//   or "[", a section holding "]", either holding CR or LF) is never found and never written.
class cIniDocument {
public:
    // Replaces the lines by the text (UTF-8; lines end with LF or CR LF; leading byte-order marks are dropped).
    void Parse(std::string_view text);
    // The whole text, every line ended by CR LF.
    std::string Text() const;

    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // The key names of every section of that name, in file order (for sections whose keys are data).
    std::vector<std::string> Keys(std::string_view section) const;
    // Changes the first key of that name in place, keeping the line up to its value (the key's spelling
    // among it); a new key goes after the last key of the first section of that name, a new section at the
    // end. Returns false when nothing changed (the same value was there, or a name cannot be written).
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines. Returns false when there was none.
    bool EraseSection(std::string_view section);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;
        Kind kind = Kind::Other;
        std::size_t nameBegin = 0; // section name or key, trimmed
        std::size_t nameLength = 0;
        std::size_t valueBegin = 0; // key lines: after the "=" and the blanks that follow it

        std::string_view Name() const { return std::string_view(text).substr(nameBegin, nameLength); }
    };

    static Line Classify(std::string text);
    // Index of the first key line of that name in a section of that name, or npos.
    std::size_t FindKey(std::string_view section, std::string_view key) const;

    std::vector<Line> m_lines;
};

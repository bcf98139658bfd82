// The lines of an INI text in memory, with the private-profile rules for finding and changing keys.
#include "profile/IniDocument.h"

#include "platform/Text.h"

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsEnclosedInQuotes(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

bool IsWritableSection(std::string_view name) {
    return !name.empty() && name.find_first_of("]\r\n") == npos;
}

bool IsWritableKey(std::string_view name) {
    return !name.empty() && name.front() != ';' && name.front() != '[' && name.find_first_of("=\r\n") == npos;
}

bool SameName(std::string_view a, std::string_view b) {
    return platform::EqualNoCase(a, b);
}

// The value as it goes into the line: quoted where the reader would otherwise trim or unquote it. The quotes are
// decided on the blanks that CR and LF become, so a line break at either end reads back as a blank.
std::string EncodeValue(std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    for (char c : value)
        text += (c == '\r' || c == '\n') ? ' ' : c;
    if (text.empty() || !(IsBlank(text.front()) || IsBlank(text.back()) || IsEnclosedInQuotes(text))) return text;
    return '"' + text + '"';
}

} // namespace

cIniDocument::Line cIniDocument::Classify(std::string text) {
    Line line;
    line.text = std::move(text);
    std::string_view view = line.text;
    std::size_t start = 0;
    while (start < view.size() && IsBlank(view[start]))
        ++start;
    if (start == view.size() || view[start] == ';') return line;

    std::string_view name;
    if (view[start] == '[') {
        std::size_t close = view.find(']', start + 1);
        if (close == npos) return line;
        line.kind = Kind::Section;
        name = Trim(view.substr(start + 1, close - start - 1));
    } else {
        std::size_t equals = view.find('=', start);
        if (equals == npos) return line;
        name = Trim(view.substr(start, equals - start));
        if (name.empty()) return line;
        line.kind = Kind::Key;
        line.valueBegin = equals + 1;
        while (line.valueBegin < view.size() && IsBlank(view[line.valueBegin]))
            ++line.valueBegin;
    }
    line.nameBegin = static_cast<std::size_t>(name.data() - view.data());
    line.nameLength = name.size();
    return line;
}

void cIniDocument::Parse(std::string_view text) {
    m_lines.clear();
    // Every mark, not just one: Text() writes none back, so a second mark left in the first line would turn that
    // line into a section only after the next write.
    while (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_lines.push_back(Classify(std::string(line)));
    }
}

std::string cIniDocument::Text() const {
    std::size_t size = 0;
    for (const Line& line : m_lines)
        size += line.text.size() + 2;
    std::string text;
    text.reserve(size);
    for (const Line& line : m_lines) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

std::size_t cIniDocument::FindKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Section)
            inSection = SameName(line.Name(), section);
        else if (inSection && line.kind == Kind::Key && SameName(line.Name(), key))
            return i;
    }
    return npos;
}

std::optional<std::string> cIniDocument::Read(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSection(section) || !IsWritableKey(key)) return std::nullopt;
    std::size_t index = FindKey(section, key);
    if (index == npos) return std::nullopt;
    std::string_view value = Trim(std::string_view(m_lines[index].text).substr(m_lines[index].valueBegin));
    if (IsEnclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::vector<std::string> cIniDocument::Keys(std::string_view section) const {
    section = Trim(section);
    std::vector<std::string> keys;
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (line.kind == Kind::Section)
            inSection = SameName(line.Name(), section);
        else if (inSection && line.kind == Kind::Key)
            keys.emplace_back(line.Name());
    }
    return keys;
}

bool cIniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSection(section) || !IsWritableKey(key)) return false;
    std::string encoded = EncodeValue(value);

    std::size_t index = FindKey(section, key);
    if (index != npos) {
        Line& line = m_lines[index];
        if (std::string_view(line.text).substr(line.valueBegin) == encoded) return false;
        line.text.replace(line.valueBegin, npos, encoded);
        return true;
    }

    std::string text = std::string(key) + "=" + encoded;
    std::size_t header = npos;
    for (std::size_t i = 0; i < m_lines.size() && header == npos; ++i)
        if (m_lines[i].kind == Kind::Section && SameName(m_lines[i].Name(), section)) header = i;
    if (header != npos) {
        std::size_t insertAt = header + 1;
        for (std::size_t i = header + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i)
            if (m_lines[i].kind == Kind::Key) insertAt = i + 1;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Classify(std::move(text)));
        return true;
    }

    if (!m_lines.empty() && !Trim(m_lines.back().text).empty()) m_lines.push_back(Line{});
    m_lines.push_back(Classify("[" + std::string(section) + "]"));
    m_lines.push_back(Classify(std::move(text)));
    return true;
}

bool cIniDocument::EraseSection(std::string_view section) {
    section = Trim(section);
    if (!IsWritableSection(section)) return false;
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    bool inSection = false;
    bool erased = false;
    for (Line& line : m_lines) {
        if (line.kind == Kind::Section) inSection = SameName(line.Name(), section);
        if (inSection)
            erased = true;
        else
            kept.push_back(std::move(line));
    }
    m_lines = std::move(kept);
    return erased;
}

#include "profile/LineReader.h"

#include "platform/ErrorCodes.h"
#include "platform/ReadRegularFile.h"
#include "platform/Text.h"

#include <charconv>
#include <utility>

namespace {

bool HasNonAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

} // namespace

bool ParseNumber(std::string_view text, int& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool cLineReader::Open(const std::string& path) {
    platform::FileBytes file = platform::ReadRegularFile(path, platform::kMaxOwnTextFileBytes);
    if (!file) {
        // Whatever stands in the file's place, or a file too large for one of the program's own, is not a file
        // of the format.
        Fail(file.error == platform::kNotRegularFile ? platform::kBadFormat : file.error);
        return false;
    }
    m_storage = std::move(file.bytes);
    OpenBytes(m_storage);
    return true;
}

void cLineReader::OpenBytes(std::string_view bytes) {
    m_bytes = bytes;
    m_pos = 0;
    m_lineNumber = 0;
    m_utf8 = HasNonAscii(bytes) && platform::IsValidUtf8(bytes);
}

void cLineReader::Fail(int code) {
    if (m_error == 0) m_error = code;
}

bool cLineReader::NextLine(std::string_view& line) {
    if (m_error != 0) return false;
    if (AtEnd()) {
        Fail(platform::kBadFormat);
        return false;
    }
    std::size_t end = m_bytes.find('\n', m_pos);
    if (end == std::string_view::npos) end = m_bytes.size();
    if (end - m_pos > kMaxLineBytes) {
        Fail(platform::kBadFormat);
        return false;
    }
    line = m_bytes.substr(m_pos, end - m_pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    m_pos = end < m_bytes.size() ? end + 1 : end;
    ++m_lineNumber;
    return true;
}

bool cLineReader::ReadText(std::string& text) {
    std::string_view line;
    if (!NextLine(line)) return false;
    text = m_utf8 ? std::string(line) : platform::Cp1252ToUtf8(line);
    return true;
}

bool cLineReader::ReadNumber(int& value) {
    std::string_view line;
    if (!NextLine(line)) return false;
    if (!ParseNumber(line, value)) {
        Fail(platform::kBadFormat);
        return false;
    }
    return true;
}

bool cLineReader::ReadNumber(int& value, int min, int max) {
    int number = 0;
    if (!ReadNumber(number)) return false;
    if (number < min || number > max) {
        Fail(platform::kBadFormat);
        return false;
    }
    value = number;
    return true;
}

bool cLineReader::ReadBool(bool& value) {
    int number = 0;
    if (!ReadNumber(number)) return false;
    value = number != 0;
    return true;
}

bool cLineReader::SkipLine() {
    std::string_view line;
    return NextLine(line);
}

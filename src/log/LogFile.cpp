#include "log/LogFile.h"

#include "platform/Text.h"

#include <optional>

namespace {

// Windows-1252 with "?" for each character that has no Windows-1252 form.
std::string LossyCp1252(std::string_view utf8) {
    std::string bytes;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        const std::optional<std::string> one = platform::Utf8ToCp1252(utf8.substr(i, length));
        bytes += one ? *one : std::string("?");
        i += length;
    }
    return bytes;
}

} // namespace

int cLogFile::Open(const std::string& path, bool append) {
    m_utf8 = false;
    m_conversionFailed = false;
    if (const int code = m_file.Open(path, append); code != 0) return code;
    m_utf8 = m_file.IsStream() || (append && m_file.HoldsUtf8());
    return 0;
}

// Adds one line to m_bytes in the file's encoding; the first line that does not fit Windows-1252 converts the
// file and what m_bytes holds so far.
void cLogFile::Encode(std::string_view utf8) {
    if (m_utf8) {
        m_bytes += utf8;
    } else if (std::optional<std::string> cp1252 = platform::Utf8ToCp1252(utf8)) {
        m_bytes += *cp1252;
    } else if (!m_conversionFailed && m_file.ConvertToUtf8() == 0) {
        m_utf8 = true;
        m_bytes = platform::Cp1252ToUtf8(m_bytes);
        m_bytes += utf8;
    } else {
        m_conversionFailed = true;
        m_bytes += LossyCp1252(utf8);
    }
    m_bytes += "\r\n";
}

void cLogFile::AppendLines(const std::vector<std::string>& lines) {
    if (!m_file.IsOpen()) return;
    m_bytes.clear();
    for (const std::string& line : lines)
        Encode(line);
    (void)m_file.Append(m_bytes); // writing never fails the run: lines that cannot be written are lost
}

void cLogFile::Close() {
    m_file.Close();
}

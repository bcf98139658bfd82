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
    Close();
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
    } else if (platform::AppendAsCp1252(m_bytes, utf8)) {
        // Fits Windows-1252, as nearly every line does.
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

void cLogFile::Write() {
    if (m_bytes.empty()) return;
    (void)m_file.Append(m_bytes); // writing never fails the run: lines that cannot be written are lost
    m_bytes.clear();
}

void cLogFile::AppendLines(const std::vector<std::string>& lines) {
    if (!m_file.IsOpen()) return;
    for (const std::string& line : lines)
        Encode(line);
    Write();
}

void cLogFile::HoldLines(const std::vector<std::string>& lines) {
    if (!m_file.IsOpen() || lines.empty()) return;
    const bool first = m_bytes.empty();
    for (const std::string& line : lines)
        Encode(line);
    if (first) m_heldSince = std::chrono::steady_clock::now();
    if (m_bytes.size() >= kHeldBytesLimit)
        Write();
    else if (!first)
        FlushIfDue();
}

void cLogFile::FlushIfDue() {
    if (!m_bytes.empty() && std::chrono::steady_clock::now() - m_heldSince >= kHeldTimeLimit) Write();
}

void cLogFile::Flush() {
    Write();
}

void cLogFile::Close() {
    if (m_file.IsOpen()) Write();
    m_bytes.clear();
    m_file.Close();
}

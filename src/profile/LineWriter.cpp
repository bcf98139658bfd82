#include "profile/LineWriter.h"

#include "platform/AtomicFile.h"
#include "platform/Text.h"

namespace {

char LineChar(char c) {
    return c == '\r' || c == '\n' ? ' ' : c;
}

} // namespace

void BlankLineBreaks(std::string& text) {
    for (char& c : text)
        c = LineChar(c);
}

void cLineWriter::AddText(std::string_view text) {
    for (char c : text)
        m_text += LineChar(c);
    m_text += "\r\n";
}

void cLineWriter::AddNumber(std::int64_t value) {
    m_text += std::to_string(value);
    m_text += "\r\n";
}

int cLineWriter::Commit(const std::string& path, platform::FileMode mode) const {
    return platform::WriteFileAtomically(path, platform::EncodeFileText(m_text), mode);
}

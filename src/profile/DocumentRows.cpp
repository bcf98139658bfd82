#include "profile/DocumentRows.h"

#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Password.h"
#include "profile/TextList.h"

#include <limits>
#include <utility>

namespace {

template <class Unsigned> void ReadInRange(cLineReader& lines, Unsigned& value) {
    int number = 0;
    if (lines.ReadNumber(number, 0, static_cast<int>(std::numeric_limits<Unsigned>::max())))
        value = static_cast<Unsigned>(number);
}

// A text row in the form the writer gives it (BlankLineBreaks): a lone CR inside a line is a blank already when
// read, so the value in memory is the one that is written back.
bool ReadTextRow(cLineReader& lines, std::string& text) {
    if (!lines.ReadText(text)) return false;
    BlankLineBreaks(text);
    return true;
}

} // namespace

void cRowReader::Text(std::string& text) {
    ReadTextRow(m_lines, text);
}

void cRowReader::Header(std::string_view) {
    m_lines.SkipLine();
}

void cRowReader::Bool(bool& value) {
    m_lines.ReadBool(value);
}

void cRowReader::Number(int& value) {
    m_lines.ReadNumber(value);
}

void cRowReader::Number(std::uint8_t& value) {
    ReadInRange(m_lines, value);
}

void cRowReader::Number(std::uint16_t& value) {
    ReadInRange(m_lines, value);
}

void cRowReader::Color(std::uint32_t& value) {
    int number = 0;
    if (m_lines.ReadNumber(number)) value = static_cast<std::uint32_t>(number);
}

void cRowReader::Password(std::string& password) {
    std::string line;
    if (m_lines.ReadText(line)) password = DecodePasswordLine(line);
}

bool cRowReader::Count(int& count) {
    count = 0;
    return m_lines.ReadNumber(count);
}

void cRowReader::TextList(cTextList& list) {
    int count = 0;
    if (!Count(count)) return;
    std::vector<std::string> texts; // grows with the lines that are there, never with the count
    std::string text;
    for (int i = 0; i < count && ReadTextRow(m_lines, text); ++i)
        texts.push_back(std::move(text));
    // Entries read before a failure are kept, like every other value read before it.
    list.AddAll(std::move(texts));
}

void cRowReader::CommandList(cTextList& list) {
    int count = 0;
    if (!Count(count)) return;
    std::string line;
    for (int i = 0; i < count && ReadTextRow(m_lines, line); ++i) {
        if (line.empty()) continue;
        if (line.front() != '*') {
            list.Add(std::move(line));
            continue;
        }
        int seconds = 0;
        if (!ParseNumber(std::string_view(line).substr(1), seconds)) seconds = 0;
        list.Add(std::string(), seconds);
    }
}

void cRowReader::Schedule(std::vector<ScheduleEntry>& schedule) {
    int count = 0;
    if (!Count(count)) return;
    int entry = 0;
    for (int i = 0; i < count && m_lines.ReadNumber(entry); ++i)
        schedule.push_back(static_cast<ScheduleEntry>(entry));
}

bool cRowReader::Ok() const {
    return m_lines.Error() == 0;
}

void cRowWriter::Text(std::string_view text) {
    m_lines.AddText(text);
}

void cRowWriter::Header(std::string_view header) {
    m_lines.AddText(header);
}

void cRowWriter::Bool(bool value) {
    m_lines.AddBool(value);
}

void cRowWriter::Number(std::int64_t value) {
    m_lines.AddNumber(value);
}

void cRowWriter::Color(std::uint32_t value) {
    m_lines.AddNumber(static_cast<std::int32_t>(value));
}

void cRowWriter::Password(std::string_view password) {
    m_lines.AddText(EncodePasswordLine(password));
}

void cRowWriter::TextList(const cTextList& list) {
    m_lines.AddNumber(static_cast<std::int64_t>(list.Size()));
    for (const cTextItem& item : list)
        m_lines.AddText(item.Text);
}

void cRowWriter::CommandList(const cTextList& list) {
    m_lines.AddNumber(static_cast<std::int64_t>(list.Size()));
    for (const cTextItem& item : list) {
        if (item.Text.empty())
            m_lines.AddText("*" + std::to_string(item.Tag));
        else
            m_lines.AddText(item.Text);
    }
}

void cRowWriter::Schedule(const std::vector<ScheduleEntry>& schedule) {
    m_lines.AddNumber(static_cast<std::int64_t>(schedule.size()));
    for (ScheduleEntry entry : schedule)
        m_lines.AddNumber(static_cast<std::int32_t>(entry));
}

// Shared by the tests of the earlier-format readers: files built from rows, and a fixture that reads them the
// way the document reader does.
#pragma once

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "profile/LegacyFormats.h"
#include "profile/LineReader.h"
#include "profile/Parameters.h"
#include "profile/ScheduleEntry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace legacytest {

using Rows = std::vector<std::string>;

// One line per row, each ended by CR LF.
inline std::string Join(const Rows& rows) {
    std::string bytes;
    for (const std::string& row : rows)
        bytes += row + "\r\n";
    return bytes;
}

inline Rows operator+(Rows a, const Rows& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The optional blocks at the end of a file (each a marker line and its rows), with some marker positions
// changed: a text stands alone at its position instead of the block (a line that is no marker), nullopt leaves
// the block out altogether.
using BlockChanges = std::map<std::size_t, std::optional<std::string>>;

inline Rows BlocksWith(const std::vector<Rows>& blocks, const BlockChanges& changes) {
    Rows rows;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        auto change = changes.find(i);
        if (change == changes.end())
            rows = rows + blocks[i];
        else if (change->second)
            rows.push_back(*change->second);
    }
    return rows;
}

// Every change of one marker position: the block left out, or in its place a line that matches no marker (an
// empty line, a "1", the block's own marker with a trailing blank).
inline std::vector<BlockChanges> EachPositionChanged(const std::vector<Rows>& blocks) {
    std::vector<BlockChanges> cases;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        for (const std::optional<std::string>& line :
             {std::optional<std::string>{}, std::optional<std::string>{""}, std::optional<std::string>{"1"},
              std::optional<std::string>{blocks[i].front() + " "}})
            cases.push_back({{i, line}});
    return cases;
}

inline std::string Describe(const BlockChanges& changes) {
    std::string text;
    for (const auto& [position, line] : changes)
        text += "position " + std::to_string(position) + (line ? ": line \"" + *line + "\"; " : ": left out; ");
    return text;
}

inline std::string ScheduleRow(ScheduleEntry entry) {
    return std::to_string(static_cast<std::int32_t>(entry));
}

// Monday 10:00, and an inactive Sunday 01:30 (bit 31 set: stored as a negative number).
inline constexpr ScheduleEntry kMonday = MakeScheduleEntry(true, ScheduleWeekdayBit(1), 600);
inline constexpr ScheduleEntry kSundayOff = MakeScheduleEntry(false, ScheduleWeekdayBit(0), 90);

class LegacyReadTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        // Wednesday 9 December 2026, 11:00 in Berlin.
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 10, 0, 0));
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    static int Today() { return platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 9)); }

    // Reads a file as the document reader does: the first line, then the rest through ReadLegacyDocument.
    bool Read(const Rows& rows) { return ReadBytes(Join(rows)); }
    bool ReadBytes(std::string bytes) {
        m_bytes = std::move(bytes);
        m_lines = std::make_unique<cLineReader>();
        m_lines->OpenBytes(m_bytes);
        std::string firstLine;
        if (!m_lines->ReadText(firstLine)) return false;
        return ReadLegacyDocument(firstLine, *m_lines, params);
    }
    int Error() const { return m_lines->Error(); }

    cParameters params;
    const cParameters defaults; // a fresh profile and batch, for the values a format does not store

private:
    std::string m_bytes;
    std::unique_ptr<cLineReader> m_lines;
};

} // namespace legacytest

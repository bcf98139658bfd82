#include "profile/ProfileFormat.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/Text.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

#include "ProfileRowCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using profiletest::RowCase;
using profiletest::SingleValueRows;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Written(const cParameters& params) {
    cLineWriter writer;
    WriteProfile(params, writer);
    return writer.Text();
}

// The file bytes of a profile, as WriteDocument would store them.
std::string FileBytes(const cParameters& params) {
    return platform::EncodeFileText(Written(params));
}

// Reads file bytes; the magic line is checked here, ReadProfile reads the rest.
int ReadBytes(const std::string& bytes, cParameters& params) {
    cLineReader reader;
    reader.OpenBytes(bytes);
    std::string magic;
    if (!reader.ReadText(magic)) return reader.Error();
    EXPECT_EQ(magic, kProfileMagic);
    const bool read = ReadProfile(reader, params);
    EXPECT_EQ(read, reader.Error() == 0);
    return reader.Error();
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Every byte value 1..255 of Windows-1252 (or 255..1), as the UTF-8 the program holds in memory.
std::string AllCp1252Characters(bool descending = false) {
    std::string bytes;
    for (int b = 1; b <= 255; ++b)
        bytes += static_cast<char>(descending ? 256 - b : b);
    return platform::Cp1252ToUtf8(bytes);
}

class ProfileFormatTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23)); }
    void TearDown() override { platform::SetClock(std::nullopt); }

    // Every field away from its default, with lists of several entries, commands and delays, negative
    // schedule entries and passwords holding every Windows-1252 character.
    static void FillEverything(cParameters& p) {
        for (const RowCase& row : SingleValueRows())
            row.set(p);
        for (auto* list : {&p.SearchDirectories, &p.ExcludeDirectories})
            for (const char* entry : {"\\Daten\\*", "\\Bilder\\", "\\Äpfel\\"})
                list->Add(entry);
        for (auto* list : {&p.CompareFiles, &p.EnforceFiles, &p.DeleteFiles, &p.ExcludeFiles})
            for (const char* entry : {"*.doc", "*.txt", "Brief.rtf"})
                list->Add(entry);
        p.BeforeCommands.Add("mount /media/usb");
        p.BeforeCommands.Add("", 15);
        p.BeforeCommands.Add("echo \"Größe\" > /tmp/x");
        p.AfterCommands.Add("", 0);
        p.AfterCommands.Add("umount /media/usb");
        p.AfterCommands.Add("", 999);
        p.Schedule = {MakeScheduleEntry(true, ScheduleWeekdayBit(1) | ScheduleWeekdayBit(5), 8 * 60),
                      MakeScheduleEntry(false, kScheduleWeekdayMask, 1439), kScheduleInactive};
        p.ZipPassword = AllCp1252Characters();
        p.FtpPassword = AllCp1252Characters(true);
    }
};

TEST_F(ProfileFormatTest, EverySingleValueHasItsRow) {
    cParameters defaults;
    const std::vector<std::string> baseline = Lines(Written(defaults));
    ASSERT_EQ(baseline.size(), 189u) << "rows 1..189 with every list empty";
    EXPECT_EQ(baseline[0], "Tolvan 6 Profile");

    for (const RowCase& row : SingleValueRows()) {
        cParameters params;
        row.set(params);
        std::vector<std::string> lines = Lines(Written(params));
        ASSERT_EQ(lines.size(), baseline.size()) << "row " << row.row;
        EXPECT_NE(baseline[row.row - 1], row.line) << "row " << row.row << " must differ from its default";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& expected = i + 1 == static_cast<std::size_t>(row.row) ? row.line : baseline[i];
            EXPECT_EQ(lines[i], expected) << "setting row " << row.row << " changed line " << i + 1;
        }
    }
}

TEST_F(ProfileFormatTest, ListsHeadersCommandsAndScheduleAreWrittenInPlace) {
    cParameters params;
    params.SearchDirectories.Add("\\Daten\\*");
    params.SearchDirectories.Add("\\Briefe\\");
    params.CompareFiles.Add("*.doc");
    params.BeforeCommands.Add("mount /media/usb");
    params.BeforeCommands.Add("", 15);
    params.AfterCommands.Add("", 0);
    params.Schedule = {MakeScheduleEntry(false, ScheduleWeekdayBit(1), 480), MakeScheduleEntry(true, 0, 60)};

    std::vector<std::string> lines = Lines(Written(params));
    ASSERT_EQ(lines.size(), 189u + 2 + 1 + 2 + 1 + 2);
    std::vector<std::string> head(lines.begin() + 2, lines.begin() + 20);
    EXPECT_EQ(head, (std::vector<std::string>{"Search directories:", "2", "\\Briefe\\", "\\Daten\\*",
                                              "Exclude directories:", "0", "Compare files:", "1", "*.doc",
                                              "Enforce files:", "0", "Delete files:", "0", "Exclude files:", "0", "0",
                                              params.DestDrive, "\\"}));
    // Rows 121 and 122 follow AutoShutdown (row 120), shifted by the three list entries above.
    std::vector<std::string> commands(lines.begin() + 122, lines.begin() + 128);
    EXPECT_EQ(commands, (std::vector<std::string>{"0", "2", "mount /media/usb", "*15", "1", "*0"}));
    std::vector<std::string> schedule(lines.end() - 3, lines.end());
    EXPECT_EQ(schedule, (std::vector<std::string>{"2", "-1073741344", "60"}));
}

TEST_F(ProfileFormatTest, RoundTripIsExact) {
    // A text that does not fit Windows-1252 makes the file UTF-8; both encodings must survive.
    for (const char* checkLabel : {"Größe", "Łódź"}) {
        cParameters original;
        FillEverything(original);
        original.CheckLabel = checkLabel;
        const std::string first = FileBytes(original);

        cParameters read;
        ASSERT_EQ(ReadBytes(first, read), 0) << checkLabel;
        EXPECT_EQ(FileBytes(read), first) << checkLabel;

        EXPECT_EQ(read.CheckLabel, checkLabel);
        EXPECT_EQ(read.ZipPassword, original.ZipPassword);
        EXPECT_EQ(read.FtpPassword, original.FtpPassword);
        EXPECT_EQ(read.SearchDirectories, original.SearchDirectories);
        EXPECT_EQ(read.ExcludeFiles, original.ExcludeFiles);
        EXPECT_EQ(read.BeforeCommands, original.BeforeCommands);
        EXPECT_EQ(read.AfterCommands, original.AfterCommands);
        EXPECT_EQ(read.Schedule, original.Schedule);
        EXPECT_EQ(read.Preview, original.Preview);
        EXPECT_EQ(read.Log, original.Log);
        EXPECT_EQ(read.DocumentKind, kProfileDocument);
        EXPECT_FALSE(read.LegacyFormat);
    }
}

TEST_F(ProfileFormatTest, ReadingStartsFromANewProfile) {
    cParameters params;
    params.SearchDirectories.Add("\\alt\\");
    params.BeforeCommands.Add("alt");
    params.Schedule.push_back(1);
    params.LegacyFormat = true;
    cParameters empty;
    ASSERT_EQ(ReadBytes(FileBytes(empty), params), 0);
    EXPECT_TRUE(params.SearchDirectories.Empty());
    EXPECT_TRUE(params.BeforeCommands.Empty());
    EXPECT_TRUE(params.Schedule.empty());
    EXPECT_FALSE(params.LegacyFormat);
}

// Replaces line `row` (1-based) of a default profile file.
std::string WithRow(int row, const std::string& line) {
    cParameters defaults;
    std::vector<std::string> lines = Lines(Written(defaults));
    lines[row - 1] = line;
    return Join(lines);
}

TEST_F(ProfileFormatTest, BooleansReadAnyNonZeroAsTrueAndWriteOne) {
    for (const char* line : {"2", "-1", " 7 "}) {
        cParameters params;
        ASSERT_EQ(ReadBytes(WithRow(21, line), params), 0) << line;
        EXPECT_TRUE(params.EightThree) << line;
        EXPECT_EQ(Lines(Written(params))[20], "1");
    }
}

TEST_F(ProfileFormatTest, RowsThatAreNoValueOfTheirFieldAre2002) {
    struct Bad {
        int row;
        const char* line;
    } cases[] = {
        {21, "ja"},  // boolean
        {27, "1.5"}, // number
        {27, ""},    // number
        {39, "99999999999"},
        {15, "256"}, // DestType is a byte
        {15, "-1"},
        {68, "65536"}, // FtpPort is a word
        {4, "zwei"},   // list count
        {189, "x"},    // schedule count
    };
    for (const Bad& bad : cases) {
        cParameters params;
        EXPECT_EQ(ReadBytes(WithRow(bad.row, bad.line), params), 2002) << bad.row << " " << bad.line;
    }
}

TEST_F(ProfileFormatTest, HeadersAreSkippedUnchecked) {
    cParameters params;
    std::vector<std::string> lines = Lines(Written(params));
    lines[2] = "Suchverzeichnisse";
    lines[4] = "";
    lines.insert(lines.begin() + 4, "\\Daten\\"); // row 4 now counts one entry
    lines[3] = "1";
    ASSERT_EQ(ReadBytes(Join(lines), params), 0);
    ASSERT_EQ(params.SearchDirectories.Size(), 1u);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\Daten\\");
}

TEST_F(ProfileFormatTest, CommandLinesBecomeCommandsOrDelays) {
    cParameters defaults;
    std::vector<std::string> lines = Lines(Written(defaults));
    // Row 121: five counted lines, one of them empty; row 122 stays empty.
    std::vector<std::string> before = {"5", "ls -l", "", "*15", "*", "*abc"};
    lines.erase(lines.begin() + 120);
    lines.insert(lines.begin() + 120, before.begin(), before.end());
    cParameters params;
    ASSERT_EQ(ReadBytes(Join(lines), params), 0);
    ASSERT_EQ(params.BeforeCommands.Size(), 4u) << "the empty line is counted but dropped";
    EXPECT_EQ(params.BeforeCommands[0], (cTextItem{"ls -l", 0}));
    EXPECT_EQ(params.BeforeCommands[1], (cTextItem{"", 15}));
    EXPECT_EQ(params.BeforeCommands[2], (cTextItem{"", 0}));
    EXPECT_EQ(params.BeforeCommands[3], (cTextItem{"", 0}));
    EXPECT_TRUE(params.AfterCommands.Empty());
    EXPECT_TRUE(params.BrowseNetwork == defaults.BrowseNetwork) << "the rows after the lists stay in place";
}

TEST_F(ProfileFormatTest, CountsOfZeroOrLessReadNoEntries) {
    for (const char* count : {"0", "-1", "-2147483648"}) {
        cParameters params;
        ASSERT_EQ(ReadBytes(WithRow(4, count), params), 0) << count;
        EXPECT_TRUE(params.SearchDirectories.Empty());
        ASSERT_EQ(ReadBytes(WithRow(121, count), params), 0) << count;
        EXPECT_TRUE(params.BeforeCommands.Empty());
        ASSERT_EQ(ReadBytes(WithRow(189, count), params), 0) << count;
        EXPECT_TRUE(params.Schedule.empty());
    }
}

TEST_F(ProfileFormatTest, HugeCountsEndAtTheEndOfTheFile) {
    // No memory is taken from the count: the lines run out first, which is a format error.
    for (int row : {4, 8, 121, 189}) {
        cParameters params;
        EXPECT_EQ(ReadBytes(WithRow(row, "2147483647"), params), 2002) << row;
    }
}

TEST_F(ProfileFormatTest, SortedListsReadAsIfAddedOneByOne) {
    // Many entries in a shuffled order, with exact and case-only duplicates: the result is the list that
    // adding them in file order gives.
    std::vector<std::string> entries;
    for (int i = 0; i < 300; ++i) {
        entries.push_back("\\Ordner" + std::to_string(i % 200) + "\\");
        entries.push_back("*.Typ" + std::to_string(i % 150));
        entries.push_back("*.TYP" + std::to_string(i % 170));
    }
    std::shuffle(entries.begin(), entries.end(), std::mt19937(42));

    cParameters defaults;
    std::vector<std::string> lines = Lines(Written(defaults));
    // Rows 4 (search directories) and 8 (compare files) hold every entry.
    auto replaceCount = [&](std::size_t index) {
        lines[index] = std::to_string(entries.size());
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index) + 1, entries.begin(), entries.end());
    };
    replaceCount(7);
    replaceCount(3);
    cParameters params;
    ASSERT_EQ(ReadBytes(Join(lines), params), 0);

    cTextList exact(TextListKind::SortedExact);
    cTextList noCase(TextListKind::SortedNoCase);
    for (const std::string& entry : entries) {
        exact.Add(entry);
        noCase.Add(entry);
    }
    EXPECT_EQ(params.SearchDirectories, exact);
    EXPECT_EQ(params.CompareFiles, noCase);
}

TEST_F(ProfileFormatTest, ALoneCrInsideATextReadsAsTheBlankItIsWrittenAs) {
    // The writer turns CR into a blank. Kept as read, "\r0" would sort before " " and come back as " 0"
    // after it, and "\a\rb\" beside "\a b\" would be two entries that write the same line twice.
    std::vector<std::string> lines = Lines(Written(cParameters()));
    lines[1] = "/quel\rle"; // row 2, SourceDrive
    lines[5] = "4";         // row 6, the count of the exclude directories
    const std::vector<std::string> excluded = {"\r0", " ", "\\a\rb\\", "\\a b\\"};
    lines.insert(lines.begin() + 6, excluded.begin(), excluded.end());
    lines[120 + excluded.size()] = "1"; // row 121, the count of the commands before the run
    lines.insert(lines.begin() + 121 + static_cast<std::ptrdiff_t>(excluded.size()), "echo\rx");

    cParameters params;
    ASSERT_EQ(ReadBytes(Join(lines), params), 0);
    EXPECT_EQ(params.SourceDrive, "/quel le");
    cTextList expected(TextListKind::SortedExact);
    for (const char* entry : {" ", " 0", "\\a b\\"})
        expected.Add(entry);
    EXPECT_EQ(params.ExcludeDirectories, expected);
    ASSERT_EQ(params.BeforeCommands.Size(), 1u);
    EXPECT_EQ(params.BeforeCommands.Text(0), "echo x");

    const std::string first = FileBytes(params);
    cParameters again;
    ASSERT_EQ(ReadBytes(first, again), 0);
    EXPECT_EQ(FileBytes(again), first);
}

TEST_F(ProfileFormatTest, TruncatedProfileKeepsTheRowsReadBeforeAndFails) {
    cParameters original;
    FillEverything(original);
    std::vector<std::string> lines = Lines(Written(original));
    for (std::size_t keep :
         {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{30}, std::size_t{125}, lines.size() - 1}) {
        cParameters params;
        std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(keep));
        EXPECT_EQ(ReadBytes(platform::EncodeFileText(Join(head)), params), 2002) << keep;
        if (keep >= 2) {
            EXPECT_EQ(params.SourceDrive, "/quelle") << keep;
        }
    }
    std::string text = platform::EncodeFileText(Written(original));
    cParameters params;
    // Only the line end of the last line missing: complete.
    EXPECT_EQ(ReadBytes(text.substr(0, text.size() - 2), params), 0);
}

} // namespace

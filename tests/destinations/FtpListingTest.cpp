// Listing lines of each server style, written by hand, and the detection of the style.
#include "destinations/FtpListing.h"

#include <gtest/gtest.h>

namespace {

using platform::JoinFileTime;

const platform::FileTime kNow = JoinFileTime(2026, 12, 10, 12, 0);

// A fixed-column line: each text placed at its 0-based column, blanks between.
std::string Columns(std::initializer_list<std::pair<std::size_t, std::string_view>> parts) {
    std::string line;
    for (const auto& [column, text] : parts) {
        line.resize(column, ' ');
        line += text;
    }
    return line;
}

struct LineCase {
    const char* what;
    std::string line;
    std::uint8_t kind;
    std::string name;
    std::int64_t size;
    platform::FileTime date;
    std::string target;
};

void ExpectEntry(const TmsFTPDirEntry& e, const LineCase& c) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(e.Kind, c.kind);
    EXPECT_EQ(e.Name, c.name);
    EXPECT_EQ(e.Size, c.size);
    if (c.kind != kFtpUnparsed) {
        EXPECT_EQ(e.Date, c.date);
    }
    EXPECT_EQ(e.LinkTarget, c.target);
}

TEST(FtpListing, UnixLines) {
    const LineCase cases[] = {
        {"file without year", "-rw-r--r--   1 anna users  1234 Dec  9 10:30 brief.txt", kFtpFile, "brief.txt", 1234,
         JoinFileTime(2026, 12, 9, 10, 30), ""},
        {"directory with year", "drwxr-xr-x   2 anna users  4096 Jan 15  2019 Ordner", kFtpDirectory, "Ordner", 4096,
         JoinFileTime(2019, 1, 15), ""},
        {"no year takes this year, even ahead of today", "-rw-r--r-- 1 a b 7 Dec 24 18:00 x", kFtpFile, "x", 7,
         JoinFileTime(2026, 12, 24, 18, 0), ""},
        {"symlink", "lrwxrwxrwx   1 anna users    11 Mar  1 08:05 neu -> /etc/passwd", kFtpLink, "neu", 11,
         JoinFileTime(2026, 3, 1, 8, 5), "/etc/passwd"},
        {"blanks inside the name", "-rw-r--r--   1 anna users  10 Feb  3  2020 Name mit  zwei Blanks.txt ", kFtpFile,
         "Name mit  zwei Blanks.txt", 10, JoinFileTime(2020, 2, 3), ""},
        {"umlauts in UTF-8",
         "-rw-r--r-- 1 anna users 3 Jun 30  2021 Gr\xc3\xb6\xc3\x9f"
         "e.txt",
         kFtpFile, "Größe.txt", 3, JoinFileTime(2021, 6, 30), ""},
        {"umlauts in Windows-1252",
         "-rw-r--r-- 1 anna users 3 Jun 30  2021 Gr\xf6\xdf"
         "e.txt",
         kFtpFile, "Größe.txt", 3, JoinFileTime(2021, 6, 30), ""},
        {"group and size run together", "-rw-r--r--  1 anna users123 Dec  9 10:30 x", kFtpFile, "x", 123,
         JoinFileTime(2026, 12, 9, 10, 30), ""},
        {"unknown month and day take today's", "-rw-r--r-- 1 a b 5 Foo xx 2001 y", kFtpFile, "y", 5,
         JoinFileTime(2001, 12, 10), ""},
        {"impossible date gives now", "-rw-r--r-- 1 a b 5 Feb 31 2001 y", kFtpFile, "y", 5, kNow, ""},
        {"too few fields", "Hallo Welt", kFtpUnparsed, "Hallo Welt", 0, 0, ""},
        {"size not a number", "-rw-r--r-- 1 a b viel Dec 9 10:30 y", kFtpUnparsed,
         "-rw-r--r-- 1 a b viel Dec 9 10:30 y", 0, 0, ""},
    };
    for (const LineCase& c : cases)
        ExpectEntry(ParseFtpListingLine(c.line, stUnix, kNow), c);
}

TEST(FtpListing, DosLines) {
    const LineCase cases[] = {
        {"directory", "12-31-99  10:30PM       <DIR>          Ordner", kFtpDirectory, "Ordner", 0,
         JoinFileTime(1999, 12, 31, 22, 30), ""},
        {"file, four-digit year", "01-02-2024  09:05AM            1234 brief.txt", kFtpFile, "brief.txt", 1234,
         JoinFileTime(2024, 1, 2, 9, 5), ""},
        {"midnight, blanks keep only the last word", "01-02-24  12:00AM  17 Name mit Blanks.txt", kFtpFile,
         "Blanks.txt", 17, JoinFileTime(2024, 1, 2, 0, 0), ""},
        {"Windows-1252 name",
         "03-04-05  01:00PM  9 M\xfc"
         "ller.doc",
         kFtpFile, "Müller.doc", 9, JoinFileTime(2005, 3, 4, 13, 0), ""},
        {"impossible date", "13-45-99  10:30PM  5 x", kFtpUnparsed, "13-45-99  10:30PM  5 x", 0, 0, ""},
        {"no name", "12-31-99  10:30PM", kFtpUnparsed, "12-31-99  10:30PM", 0, 0, ""},
    };
    for (const LineCase& c : cases)
        ExpectEntry(ParseFtpListingLine(c.line, stDos, kNow), c);
}

TEST(FtpListing, DetectionAndKeepingTheStyle) {
    TmsServerType type = stAuto;
    TmsFTPDirList list = ParseFtpListing("total 8\r\n-rw-r--r-- 1 a b 5 Dec 9 10:30 x\r\n\r\n\r\n", type, kNow);
    EXPECT_EQ(type, stUnix);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Name, "x");

    type = stAuto;
    list = ParseFtpListing("12-31-99  10:30PM  5 a.txt\n", type, kNow);
    EXPECT_EQ(type, stDos);
    // Once detected, a later listing is read the same way even when it looks different.
    list = ParseFtpListing("-rw-r--r-- 1 a b 5 Dec 9 10:30 x\n", type, kNow);
    EXPECT_EQ(type, stDos);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Kind, kFtpUnparsed);
    // Only a "total" line switches back.
    list = ParseFtpListing("TOTAL 1\n-rw-r--r-- 1 a b 5 Dec 9 10:30 x\n", type, kNow);
    EXPECT_EQ(type, stUnix);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Kind, kFtpFile);

    type = stAuto;
    EXPECT_TRUE(ParseFtpListing("", type, kNow).empty());
    EXPECT_EQ(type, stAuto);
}

TEST(FtpListing, HP3000) {
    const std::string text = "PATH= /ANNA.PUB.SYS/\n" + Columns({{0, "ACCOUNT= ANNA  GROUP= PUB"}}) + "\n" +
                             Columns({{0, "BERICHT"}, {15, "F"}, {20, "1024"}, {61, "BERICHT"}}) + "\n" +
                             Columns({{0, "DATEN"}, {15, "D"}, {61, "DATEN"}}) + "\n" + "kurz\n";
    TmsServerType type = stAuto;
    const TmsFTPDirList list = ParseFtpListing(text, type, kNow);
    EXPECT_EQ(type, stHP3000);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].Kind, kFtpDirectory);
    EXPECT_EQ(list[0].Name, "..");
    EXPECT_EQ(list[1].Kind, kFtpFile);
    EXPECT_EQ(list[1].Name, "BERICHT");
    EXPECT_EQ(list[2].Kind, kFtpDirectory);
    EXPECT_EQ(list[2].Name, "DATEN");
    EXPECT_EQ(list[3].Kind, kFtpUnparsed);
}

TEST(FtpListing, AS400) {
    const std::string text = Columns({{0, "ANNA"}, {21, "4096"}, {40, "*FLR"}, {50, "NAME/"}}) + "\n" +
                             Columns({{0, "---------------------------------"}}) + "\n" +
                             Columns({{0, "          12345"}, {40, "*DOC"}, {50, "BRIEF.TXT"}}) + "\n" +
                             Columns({{0, "QSYS AS400"}}) + "\n";
    TmsServerType type = stAuto;
    const TmsFTPDirList list = ParseFtpListing(text, type, kNow);
    EXPECT_EQ(type, stAS400);
    // The marker lines ("-----", "AS400") are left out.
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Kind, kFtpDirectory);
    EXPECT_EQ(list[0].Name, "..");
    EXPECT_EQ(list[1].Kind, kFtpDirectory);
    EXPECT_EQ(list[1].Name, "NAME");
    EXPECT_EQ(list[2].Kind, kFtpFile);
    EXPECT_EQ(list[2].Name, "BRIEF.TXT");
    EXPECT_EQ(list[2].Size, 12345);
}

TEST(FtpListing, SafeNames) {
    const std::pair<std::string_view, bool> cases[] = {
        {"brief.txt", true}, {"Größe mit Blank", true},
        {"..x", true},       {"", false},
        {".", false},        {"..", false},
        {"a/b", false},      {"a\\b", false},
        {"a\tb", false},     {"a\x7f", false},
        {"a\nb", false},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(IsSafeFtpName(name), safe) << name;
}

} // namespace

#include "profile/LineReader.h"
#include "profile/LineWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(LineReader, ReadsTextNumbersAndBooleansWithCrLfOrLf) {
    cLineReader reader;
    reader.OpenBytes("Tolvan\r\n-17\n 42 \r\n2\r\n0\r\nletzte");
    std::string text;
    int number = 0;
    bool flag = false;
    ASSERT_TRUE(reader.ReadText(text));
    EXPECT_EQ(text, "Tolvan");
    ASSERT_TRUE(reader.ReadNumber(number));
    EXPECT_EQ(number, -17);
    ASSERT_TRUE(reader.ReadNumber(number));
    EXPECT_EQ(number, 42);
    ASSERT_TRUE(reader.ReadBool(flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(reader.ReadBool(flag));
    EXPECT_FALSE(flag);
    ASSERT_TRUE(reader.ReadText(text));
    EXPECT_EQ(text, "letzte");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Error(), 0);
}

TEST(LineReader, FormatErrorsGive2002AndStick) {
    const char* badNumbers[] = {"", "abc", "12x", "2147483648", "-2147483649", "1 2", "0x10"};
    for (const char* line : badNumbers) {
        cLineReader reader;
        std::string bytes = std::string(line) + "\r\n5\r\n";
        reader.OpenBytes(bytes);
        int value = 0;
        EXPECT_FALSE(reader.ReadNumber(value)) << line;
        EXPECT_EQ(reader.Error(), 2002) << line;
        EXPECT_FALSE(reader.ReadNumber(value)) << "a failed reader stays failed";
    }

    cLineReader early;
    early.OpenBytes("eins\r\n");
    std::string text;
    EXPECT_TRUE(early.ReadText(text));
    EXPECT_FALSE(early.ReadText(text));
    EXPECT_EQ(early.Error(), 2002);
}

TEST(LineReader, RefusesOverlongLineWithoutReadingIt) {
    std::string bytes(cLineReader::kMaxLineBytes + 1, 'x');
    cLineReader reader;
    reader.OpenBytes(bytes);
    std::string text;
    EXPECT_FALSE(reader.ReadText(text));
    EXPECT_EQ(reader.Error(), 2002);
    EXPECT_TRUE(text.empty());
}

TEST(LineReader, DecidesTheEncodingForTheWholeFile) {
    cLineReader cp1252;
    cp1252.OpenBytes("Gr\xF6\xDF" "e\r\n\x95\r\n");
    std::string text;
    ASSERT_TRUE(cp1252.ReadText(text));
    EXPECT_EQ(text, "Größe");
    ASSERT_TRUE(cp1252.ReadText(text));
    EXPECT_EQ(text, "\u2022");

    cLineReader utf8;
    utf8.OpenBytes("Gr\xC3\xB6\xC3\x9F" "e\r\n");
    ASSERT_TRUE(utf8.ReadText(text));
    EXPECT_EQ(text, "Größe");
}

TEST(LineReader, OpenReportsMissingFilesAndNonFiles) {
    testsupport::TempDir dir;
    cLineReader missing;
    EXPECT_FALSE(missing.Open((dir.Path() / "fehlt.tvp").string()));
    EXPECT_EQ(missing.Error(), 2);

    cLineReader directory;
    EXPECT_FALSE(directory.Open(dir.Path().string()));
    EXPECT_EQ(directory.Error(), 2002);

    cLineReader empty;
    ASSERT_TRUE(empty.Open(dir.WriteFile("leer.tvp", "").string()));
    std::string text;
    EXPECT_FALSE(empty.ReadText(text));
    EXPECT_EQ(empty.Error(), 2002);
}

TEST(LineWriter, WritesCrLfInWindows1252OrUtf8AndKeepsLinesWhole) {
    testsupport::TempDir dir;
    cLineWriter latin;
    latin.AddText("Größe");
    latin.AddNumber(-2147483648LL);
    latin.AddBool(true);
    latin.AddText("zwei\nZeilen");
    std::string path = (dir.Path() / "a.tvp").string();
    ASSERT_EQ(latin.Commit(path, 0600), 0);
    EXPECT_EQ(dir.ReadFile("a.tvp"), "Gr\xF6\xDF" "e\r\n-2147483648\r\n1\r\nzwei Zeilen\r\n");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    cLineWriter other;
    other.AddText("Größe");
    other.AddText("Łódź");
    ASSERT_EQ(other.Commit((dir.Path() / "b.tvp").string(), 0600), 0);
    EXPECT_EQ(dir.ReadFile("b.tvp"), "Größe\r\nŁódź\r\n");
}

TEST(LineWriter, FailedCommitLeavesTheOldFileAndNoTemporary) {
    testsupport::TempDir dir;
    cLineWriter writer;
    writer.AddText("neu");
    EXPECT_NE(writer.Commit((dir.Path() / "fehlt" / "x.tvp").string(), 0600), 0);

    dir.WriteFile("ziel/x.tvp", "alt\r\n");
    // A directory in the way of the rename: the write fails, the old content stays.
    std::filesystem::create_directory(dir.Path() / "ziel" / "y.tvp");
    dir.WriteFile("ziel/y.tvp/inhalt", "x");
    EXPECT_NE(writer.Commit((dir.Path() / "ziel" / "y.tvp").string(), 0600), 0);
    EXPECT_EQ(dir.ReadFile("ziel/x.tvp"), "alt\r\n");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path() / "ziel")) ++entries;
    EXPECT_EQ(entries, 2);
}

}  // namespace

// The FTP time-stamp list: its file layout, lookups and updates, damaged files and the atomic write.
#include "destinations/FtpStampList.h"

#include "platform/ErrorCodes.h"
#include "profile/LineReader.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::FileTime;
using platform::JoinFileTime;
using testsupport::NamesIn;
using testsupport::TempDir;

const FileTime kWinter = JoinFileTime(2026, 12, 9, 2, 46, 23); // low half 2048682368, high 31295367
const FileTime kLeapDay = JoinFileTime(2024, 2, 29, 12, 0, 0); // low half negative: -769794048, high 31091462
const FileTime kOld = JoinFileTime(1999, 12, 31, 23, 59, 59);  // 617916800, 29316075

// Three entries written by hand from the layout: a Windows-1252 "ü", a name without extension and a name that
// is all extension.
const std::string kThreeEntries = "3\r\n"
                                  "\\Sicherung\\Enkel\\Briefe\\\r\n"
                                  "Gr\xFC\xDF"
                                  "e\r\n"
                                  ".txt\r\n"
                                  "2048682368\r\n"
                                  "31295367\r\n"
                                  "\\\r\n"
                                  "Makefile\r\n"
                                  "\r\n"
                                  "-769794048\r\n"
                                  "31091462\r\n"
                                  "\\Home\\\r\n"
                                  "\r\n"
                                  ".profile\r\n"
                                  "617916800\r\n"
                                  "29316075\r\n";

const std::vector<cFtpStamp> kThreeStamps = {
    {"\\Sicherung\\Enkel\\Briefe\\", "Grüße", ".txt", kWinter},
    {"\\", "Makefile", "", kLeapDay},
    {"\\Home\\", "", ".profile", kOld},
};

// One entry's five lines.
std::string Entry(std::string_view directory, std::string_view base, std::string_view extension,
                  std::string_view low = "617916800", std::string_view high = "29316075") {
    std::string lines;
    for (std::string_view line : {directory, base, extension, low, high}) {
        lines += line;
        lines += "\r\n";
    }
    return lines;
}

class FtpStampListTest : public ::testing::Test {
protected:
    std::string Path(std::string_view name = "Daten.tvp.ftp") const { return (m_dir.Path() / name).string(); }
    std::string Write(std::string_view bytes, std::string_view name = "Daten.tvp.ftp") const {
        return m_dir.WriteFile(name, bytes).string();
    }

    TempDir m_dir;
};

TEST_F(FtpStampListTest, TheFileLayoutByteForByteAndBack) {
    cFtpStampList list;
    for (const cFtpStamp& stamp : kThreeStamps)
        ASSERT_TRUE(list.Record(stamp.Directory, stamp.BaseName + stamp.Extension, stamp.Stamp));
    ASSERT_EQ(list.Write(Path()), 0);
    EXPECT_EQ(m_dir.ReadFile("Daten.tvp.ftp"), kThreeEntries);
    struct stat info {};
    ASSERT_EQ(::stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    cFtpStampList again;
    ASSERT_EQ(again.Read(Path()), 0);
    EXPECT_EQ(again.Entries(), kThreeStamps);
    ASSERT_EQ(again.Write(Path("copy.ftp")), 0);
    EXPECT_EQ(m_dir.ReadFile("copy.ftp"), kThreeEntries);
}

TEST_F(FtpStampListTest, ReadsOtherLineEndsAndEncodings) {
    std::string lf = kThreeEntries;
    std::erase(lf, '\r');
    std::string utf8 = kThreeEntries;
    utf8.replace(utf8.find("Gr\xFC\xDF"), 4, "Grüß");
    const std::pair<const char*, std::string> variants[] = {
        {"LF only", lf},
        {"UTF-8", utf8},
        {"no final line break", kThreeEntries.substr(0, kThreeEntries.size() - 2)},
        {"blank lines after the last entry", kThreeEntries + "\r\n\r\n"},
    };
    for (const auto& [what, bytes] : variants) {
        SCOPED_TRACE(what);
        cFtpStampList list;
        EXPECT_EQ(list.Read(Write(bytes)), 0);
        EXPECT_EQ(list.Entries(), kThreeStamps);
    }
}

TEST(FtpStampListLookup, ComparesDirectoryAndNameExactly) {
    cFtpStampList list;
    ASSERT_TRUE(list.Record("\\A\\", "Brief.txt", kWinter));
    ASSERT_TRUE(list.Record("\\A\\B\\", "Brief.txt", kOld));
    ASSERT_TRUE(list.Record("\\", ".profile", kLeapDay));
    struct Case {
        const char* directory;
        const char* name;
        FileTime expected; // 0: not found
    };
    const Case cases[] = {
        {"\\A\\", "Brief.txt", kWinter}, {"\\A\\B\\", "Brief.txt", kOld},
        {"\\", ".profile", kLeapDay},    {"\\A\\", "brief.txt", 0}, // case of the name
        {"\\a\\", "Brief.txt", 0},                                  // case of the directory
        {"\\A\\", "Brief.TXT", 0},                                  // case of the extension
        {"\\", "Brief.txt", 0},                                     // another level
        {"\\A", "Brief.txt", 0},                                    // without the trailing "\"
        {"\\A\\Brief", ".txt", 0},                                  // text shifted from the name into the directory
        {"\\A\\", "B\\Brief.txt", 0},                               // and from the directory into the name
        {"\\A\\", "Brief", 0},           {"\\", "profile", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " | " + c.name);
        const cFtpStamp* found = list.Find(c.directory, c.name);
        if (c.expected == 0) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->Stamp, c.expected);
        }
    }
}

TEST(FtpStampListUpdate, AnUploadReplacesTheEntryAndADeleteStartsAfresh) {
    cFtpStampList list;
    ASSERT_TRUE(list.Record("\\A\\", "Brief.txt", kOld));
    ASSERT_TRUE(list.Record("\\A\\", "Notiz.txt", kOld));
    // The same file uploaded again: one entry, the newer time, now the last.
    ASSERT_TRUE(list.Record("\\A\\", "Brief.txt", kWinter));
    EXPECT_EQ(list.Entries(),
              (std::vector<cFtpStamp>{{"\\A\\", "Notiz", ".txt", kOld}, {"\\A\\", "Brief", ".txt", kWinter}}));

    EXPECT_TRUE(list.Remove("\\A\\", "Notiz.txt"));
    EXPECT_FALSE(list.Remove("\\A\\", "Notiz.txt"));
    EXPECT_EQ(list.Find("\\A\\", "Notiz.txt"), nullptr);
    ASSERT_TRUE(list.Record("\\A\\", "Notiz.txt", kLeapDay));
    EXPECT_EQ(list.Entries(),
              (std::vector<cFtpStamp>{{"\\A\\", "Brief", ".txt", kWinter}, {"\\A\\", "Notiz", ".txt", kLeapDay}}));
}

TEST(FtpStampListUpdate, RefusesWhatTheListCannotHold) {
    struct Case {
        const char* what;
        std::string directory;
        std::string name;
        FileTime stamp;
    };
    const Case cases[] = {
        {"name ..", "\\A\\", "..", kWinter},
        {"name .", "\\A\\", ".", kWinter},
        {"empty name", "\\A\\", "", kWinter},
        {"/ in the name", "\\A\\", "etc/passwd", kWinter},
        {"\\ in the name", "\\A\\", "B\\c.txt", kWinter},
        {"CR in the name", "\\A\\", "a\rb.txt", kWinter},
        {"LF in the name", "\\A\\", "a\nb.txt", kWinter},
        {"DEL in the name", "\\A\\", "a\x7f.txt", kWinter},
        {"invalid UTF-8", "\\A\\",
         "Gr\xFC\xDF"
         "e.txt",
         kWinter},
        {".. as a level", "\\A\\..\\", "a.txt", kWinter},
        {"empty level", "\\A\\\\B\\", "a.txt", kWinter},
        {"/ in a level", "\\A/B\\", "a.txt", kWinter},
        {"no leading \\", "A\\", "a.txt", kWinter},
        {"no trailing \\", "\\A", "a.txt", kWinter},
        {"empty directory", "", "a.txt", kWinter},
        {"LF in a level", "\\A\nB\\", "a.txt", kWinter},
        {"stamp 0", "\\A\\", "a.txt", 0},
        {"stamp before 1601", "\\A\\", "a.txt", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cFtpStampList list;
        ASSERT_TRUE(list.Record("\\A\\", "keep.txt", kOld));
        EXPECT_FALSE(list.Record(c.directory, c.name, c.stamp));
        EXPECT_EQ(list.Entries(), (std::vector<cFtpStamp>{{"\\A\\", "keep", ".txt", kOld}}));
    }
}

TEST(FtpStampListUpdate, RemoveGoneDropsOnlyEntriesMissingFromTheirDirectory) {
    cFtpStampList list;
    ASSERT_TRUE(list.Record("\\A\\", "bleibt.txt", kOld));
    ASSERT_TRUE(list.Record("\\A\\", "weg.txt", kOld));
    ASSERT_TRUE(list.Record("\\A\\", "jetzt-Ordner", kOld));
    ASSERT_TRUE(list.Record("\\B\\", "weg.txt", kOld));
    TmsFTPDirList listing(3);
    listing[0].Kind = kFtpFile;
    listing[0].Name = "bleibt.txt";
    listing[1].Kind = kFtpDirectory; // a directory of that name is not the file
    listing[1].Name = "jetzt-Ordner";
    listing[2].Kind = kFtpFile;
    listing[2].Name = "neu.txt";
    EXPECT_EQ(list.RemoveGone("\\A\\", listing), 2u);
    EXPECT_EQ(list.Entries(),
              (std::vector<cFtpStamp>{{"\\A\\", "bleibt", ".txt", kOld}, {"\\B\\", "weg", ".txt", kOld}}));
    EXPECT_EQ(list.RemoveGone("\\C\\", {}), 0u);
}

TEST_F(FtpStampListTest, AKeyRepeatedInTheFileAnswersWithItsFirstEntry) {
    const std::string bytes = "3\r\n" + Entry("\\A\\", "x", ".txt", "617916800", "29316075") +
                              Entry("\\A\\", "y", "", "617916800", "29316075") +
                              Entry("\\A\\", "x", ".txt", "2048682368", "31295367");
    cFtpStampList list;
    ASSERT_EQ(list.Read(Write(bytes)), 0);
    EXPECT_EQ(list.Size(), 2u);
    ASSERT_NE(list.Find("\\A\\", "x.txt"), nullptr);
    EXPECT_EQ(list.Find("\\A\\", "x.txt")->Stamp, kOld);
}

TEST_F(FtpStampListTest, ADamagedFileGivesItsCodeAndAnEmptyList) {
    const std::string good = Entry("\\A\\", "a", ".txt");
    struct Case {
        const char* what;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        {"empty file", "", platform::kBadFormat},
        {"count no number", "drei\r\n" + good, platform::kBadFormat},
        {"negative count", "-1\r\n", platform::kBadFormat},
        {"count beyond 32 bits", "99999999999\r\n" + good, platform::kBadFormat},
        {"count without entries", "1\r\n", platform::kListIncomplete},
        {"one entry short", "2\r\n" + good, platform::kListIncomplete},
        {"huge count", "2147483647\r\n" + good, platform::kListIncomplete},
        {"ends inside an entry", "1\r\n\\A\\\r\na\r\n.txt\r\n", platform::kListIncomplete},
        {"one entry short, blank lines after", "2\r\n" + good + "\r\n\r\n", platform::kListIncomplete},
        {"lines after the last entry", "1\r\n" + good + "x\r\n", platform::kBadFormat},
        {"stamp no number", "1\r\n" + Entry("\\A\\", "a", ".txt", "zwölf"), platform::kBadFormat},
        {"stamp beyond 32 bits", "1\r\n" + Entry("\\A\\", "a", ".txt", "4294967296"), platform::kBadFormat},
        {"stamp 0", "1\r\n" + Entry("\\A\\", "a", ".txt", "0", "0"), platform::kBadFormat},
        {"negative stamp", "1\r\n" + Entry("\\A\\", "a", ".txt", "0", "-1"), platform::kBadFormat},
        {"line over 1 MiB", "1\r\n" + Entry("\\A\\", std::string(cLineReader::kMaxLineBytes + 1, 'a'), ".txt"),
         platform::kBadFormat},
        {"NUL in a name", "1\r\n" + Entry("\\A\\", std::string("a\0b", 3), ".txt"), platform::kBadFormat},
        {"control byte in a directory", "1\r\n" + Entry("\\A\x01\\", "a", ".txt"), platform::kBadFormat},
        {"DEL in an extension", "1\r\n" + Entry("\\A\\", "a", ".t\x7f"), platform::kBadFormat},
        {"a path in the name", "1\r\n" + Entry("\\A\\", "../../etc/passwd", ""), platform::kBadFormat},
        {".. as a level", "1\r\n" + Entry("\\A\\..\\..\\etc\\", "passwd", ""), platform::kBadFormat},
        {"absolute directory", "1\r\n" + Entry("/etc/", "passwd", ""), platform::kBadFormat},
        {"directory without trailing \\", "1\r\n" + Entry("\\A", "a", ".txt"), platform::kBadFormat},
        {"empty level", "1\r\n" + Entry("\\A\\\\B\\", "a", ".txt"), platform::kBadFormat},
        {"name ..", "1\r\n" + Entry("\\A\\", ".", "."), platform::kBadFormat},
        {"empty name", "1\r\n" + Entry("\\A\\", "", ""), platform::kBadFormat},
        {"extension without dot", "1\r\n" + Entry("\\A\\", "a", "txt"), platform::kBadFormat},
        {"extension with two dots", "1\r\n" + Entry("\\A\\", "a", ".tar.gz"), platform::kBadFormat},
        {"dot in a name without extension", "1\r\n" + Entry("\\A\\", "a.txt", ""), platform::kBadFormat},
        {"binary junk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), platform::kBadFormat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cFtpStampList list;
        ASSERT_TRUE(list.Record("\\old\\", "stale.txt", kOld));
        EXPECT_EQ(list.Read(Write(c.bytes)), c.code);
        EXPECT_EQ(list.Size(), 0u);
        EXPECT_TRUE(list.Entries().empty());
        EXPECT_EQ(list.Find("\\A\\", "a.txt"), nullptr);
    }
}

TEST_F(FtpStampListTest, AFileThatCannotBeReadGivesItsCode) {
    std::filesystem::create_directory(m_dir.Path() / "folder.ftp");
    std::filesystem::create_symlink("loop.ftp", m_dir.Path() / "loop.ftp");
    struct Case {
        const char* what;
        std::string path;
        int code;
    };
    const Case cases[] = {
        {"missing", Path("missing.ftp"), platform::kFileNotFound},
        {"a folder in its place", Path("folder.ftp"), platform::kBadFormat},
        {"a symlink loop", Path("loop.ftp"), platform::kNoSnapshotUntitled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cFtpStampList list;
        ASSERT_TRUE(list.Record("\\old\\", "stale.txt", kOld));
        EXPECT_EQ(list.Read(c.path), c.code);
        EXPECT_EQ(list.Size(), 0u);
    }
}

TEST_F(FtpStampListTest, TheListLivesBesideItsProfile) {
    EXPECT_EQ(FtpStampFileName("/home/anna/Daten.tvp"), "/home/anna/Daten.tvp.ftp");
    cFtpStampList list;
    ASSERT_TRUE(list.Record("\\A\\", "a.txt", kOld));
    const std::string profile = Path("Daten.tvp");
    ASSERT_EQ(WriteFtpStampList(list, profile), 0);
    EXPECT_EQ(NamesIn(m_dir.Path()), std::vector<std::string>{"Daten.tvp.ftp"});
    cFtpStampList again;
    ASSERT_EQ(ReadFtpStampList(again, profile), 0);
    EXPECT_EQ(again.Entries(), list.Entries());

    // A profile never saved has no place for a list.
    EXPECT_EQ(WriteFtpStampList(list, "<unbenannt>.tvp"), platform::kNoSnapshotUntitled);
    EXPECT_EQ(ReadFtpStampList(again, "<unbenannt>.tvp"), platform::kNoSnapshotUntitled);
    EXPECT_EQ(again.Size(), 0u);
}

TEST_F(FtpStampListTest, AWriteThatFailsHalfWayKeepsTheOldList) {
    const std::string old = "1\r\n" + Entry("\\A\\", "a", ".txt");
    ASSERT_LT(old.size(), 64u);
    Write(old);
    cFtpStampList list;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(list.Record("\\Sicherung\\", "Datei" + std::to_string(i) + ".txt", kWinter));
    {
        testsupport::FileSizeLimit limit(64);
        EXPECT_EQ(list.Write(Path()), platform::kDiskFull);
    }
    EXPECT_EQ(m_dir.ReadFile("Daten.tvp.ftp"), old);
    EXPECT_EQ(NamesIn(m_dir.Path()), std::vector<std::string>{"Daten.tvp.ftp"});

    // A folder where the list belongs is not replaced.
    std::filesystem::create_directory(m_dir.Path() / "folder.ftp");
    std::filesystem::path inside = m_dir.WriteFile("folder.ftp/keep", "x");
    EXPECT_NE(list.Write(Path("folder.ftp")), 0);
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() / "folder.ftp"));
    EXPECT_TRUE(std::filesystem::exists(inside));
    EXPECT_EQ(NamesIn(m_dir.Path()), (std::vector<std::string>{"Daten.tvp.ftp", "folder.ftp"}));
}

TEST_F(FtpStampListTest, ALargeRunStaysLinear) {
    constexpr int kFiles = 50'000;
    const auto start = std::chrono::steady_clock::now();
    cFtpStampList list;
    auto directory = [](int i) { return "\\Ordner" + std::to_string(i % 100) + "\\"; };
    auto name = [](int i) { return "Datei" + std::to_string(i) + ".dat"; };
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < kFiles; ++i)
            ASSERT_TRUE(list.Record(directory(i), name(i), kOld + pass * platform::kTicksPerSecond + i));
    for (int i = 0; i < kFiles; i += 2)
        ASSERT_TRUE(list.Remove(directory(i), name(i)));
    // The removals have compacted the list; its directory index must still find what a listing no longer shows.
    TmsFTPDirList listing;
    for (int i = 1; i < kFiles; i += 100)
        if (i % 200 == 1) listing.push_back(TmsFTPDirEntry{kFtpFile, name(i), 0, 0, {}});
    EXPECT_EQ(list.RemoveGone(directory(1), listing), static_cast<std::size_t>(kFiles / 200));
    for (int i = 101; i < kFiles; i += 200)
        ASSERT_TRUE(list.Record(directory(i), name(i), kOld + platform::kTicksPerSecond + i));
    ASSERT_EQ(list.Write(Path()), 0);
    cFtpStampList again;
    ASSERT_EQ(again.Read(Path()), 0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    ASSERT_EQ(again.Size(), static_cast<std::size_t>(kFiles / 2));
    for (int i = 0; i < kFiles; ++i) {
        const cFtpStamp* found = again.Find(directory(i), name(i));
        if (i % 2 == 0) {
            ASSERT_EQ(found, nullptr) << i;
        } else {
            ASSERT_NE(found, nullptr) << i;
            ASSERT_EQ(found->Stamp, kOld + platform::kTicksPerSecond + i);
        }
    }
    EXPECT_LT(seconds, 5.0);
}

} // namespace

#include "profile/DocumentFile.h"

#include "messages/ErrorText.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "profile/Parameters.h"
#include "profile/SettingsStore.h"

#include "support/MemorySettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

using testsupport::cMemorySettings;

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23)); }
    void TearDown() override { platform::SetClock(std::nullopt); }

    std::string PathOf(std::string_view name) const { return (dir.Path() / name).string(); }

    // A profile file with a few values away from the defaults, written by the program itself.
    std::string WriteSampleProfile(std::string_view name) {
        cParameters params;
        params.SourceDrive = "/quelle";
        params.SearchDirectories.Add("\\Daten\\*");
        params.CompareFiles.Add("*.*");
        params.BeforeCommands.Add("", 5);
        params.ZipPassword = "geheim";
        params.Schedule.push_back(MakeScheduleEntry(false, ScheduleWeekdayBit(2), 600));
        EXPECT_EQ(params.WriteDocument(PathOf(name)), 0);
        return dir.ReadFile(name);
    }
    std::string WriteSampleBatch(std::string_view name) {
        cParameters params;
        params.ResetBatch();
        params.Batch.AddEntry({"/home/anna", "\\", "a.tvp", kContinueOnSuccess});
        params.Batch.Schedule.push_back(kScheduleInactive);
        EXPECT_EQ(params.WriteDocument(PathOf(name)), 0);
        return dir.ReadFile(name);
    }

    void ExpectEmptiedDocument(const cParameters& params) {
        EXPECT_EQ(params.DocumentKind, kNoDocument);
        EXPECT_FALSE(params.LegacyFormat);
        EXPECT_EQ(params.ProfileFile, "<keine Datei>");
        EXPECT_EQ(params.DocumentFile, "<keine Datei>");
        EXPECT_EQ(params.BatchFile, "");
        EXPECT_TRUE(params.Untitled);
        EXPECT_FALSE(params.Modified);
    }

    testsupport::TempDir dir;
};

TEST_F(DocumentFileTest, ReadingAProfileMakesItTheDocument) {
    const std::string path = PathOf("Sicherung.tvp");
    WriteSampleProfile("Sicherung.tvp");

    cMemorySettings settings;
    settings.Write("Last Update", "Sicherung.tvp Lo", "-5");
    settings.Write("Last Update", "Sicherung.tvp Hi", "30000000");
    cParameters params(&settings);
    params.ResetBatch();
    params.LegacyFormat = true;
    params.Modified = true;

    ASSERT_EQ(params.ReadDocument(path), 0);
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
    EXPECT_EQ(params.DocumentFile, path);
    EXPECT_EQ(params.ProfileFile, path);
    EXPECT_EQ(params.BatchFile, "");
    EXPECT_EQ(params.Programm.LastFile, path);
    EXPECT_FALSE(params.LegacyFormat);
    EXPECT_FALSE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.LastRun, platform::FileTime{30000000} << 32 | 0xFFFFFFFB);
    EXPECT_EQ(params.SourceDrive, "/quelle");
    EXPECT_EQ(params.ZipPassword, "geheim");
}

TEST_F(DocumentFileTest, WithoutSettingsTheLastRunKeepsItsDefault) {
    const std::string path = PathOf("a.tvp");
    WriteSampleProfile("a.tvp");
    cParameters params;
    const platform::FileTime before = params.LastRun;
    ASSERT_EQ(params.ReadDocument(path), 0);
    EXPECT_EQ(params.LastRun, before);
    EXPECT_EQ(before, platform::JoinFileTime(1990, 1, 1));
}

TEST_F(DocumentFileTest, ReadingABatchMakesItTheDocumentAndKeepsTheProfile) {
    const std::string path = PathOf("Woche.tvb");
    WriteSampleBatch("Woche.tvb");

    cParameters params;
    params.SourceDrive = "/quelle";
    params.Modified = true;
    ASSERT_EQ(params.ReadDocument(path), 0);
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
    EXPECT_EQ(params.DocumentFile, path);
    EXPECT_EQ(params.BatchFile, path);
    EXPECT_EQ(params.ProfileFile, "");
    EXPECT_EQ(params.Programm.LastFile, path);
    EXPECT_FALSE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.SourceDrive, "/quelle");
    ASSERT_EQ(params.Batch.EntryCount(), 1u);
    EXPECT_EQ(params.Batch.Entry(0).Continuation, kContinueOnSuccess);
}

TEST_F(DocumentFileTest, WhileABatchRunsTheBatchStaysTheDocument) {
    const std::string batch = PathOf("Woche.tvb");
    const std::string profile = PathOf("Sicherung.tvp");
    WriteSampleBatch("Woche.tvb");
    WriteSampleProfile("Sicherung.tvp");

    cParameters params;
    ASSERT_EQ(params.ReadDocument(batch), 0);
    params.BatchRunning = true;
    ASSERT_EQ(params.ReadDocument(profile), 0);
    EXPECT_EQ(params.ProfileFile, profile);
    EXPECT_EQ(params.DocumentFile, batch);
    EXPECT_EQ(params.BatchFile, batch);
    EXPECT_EQ(params.Programm.LastFile, batch);
    EXPECT_EQ(params.SourceDrive, "/quelle");

    // A profile of the batch that cannot be read: only the profile's name shows it.
    EXPECT_NE(params.ReadDocument(PathOf("fehlt.tvp")), 0);
    EXPECT_EQ(params.ProfileFile, "<keine Datei>");
    EXPECT_EQ(params.DocumentFile, batch);
    EXPECT_EQ(params.BatchFile, batch);
    EXPECT_EQ(params.Programm.LastFile, batch);
    EXPECT_EQ(params.DocumentKind, kNoDocument);
    EXPECT_TRUE(params.Untitled);
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST_F(DocumentFileTest, BadFilesFailWithTheirCodeAndEmptyTheDocument) {
    const std::string profile = WriteSampleProfile("gut.tvp");
    const std::string batch = WriteSampleBatch("gut.tvb");
    auto firstLines = [](const std::string& text, int count) {
        std::size_t pos = 0;
        for (int i = 0; i < count; ++i)
            pos = text.find("\r\n", pos) + 2;
        return text.substr(0, pos);
    };
    auto lineCount = [](const std::string& text) {
        int count = 0;
        for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
            ++count;
        return count;
    };
    auto replaceLine = [](std::string text, int index, const std::string& line) {
        std::size_t pos = 0;
        for (int i = 0; i < index; ++i)
            pos = text.find("\r\n", pos) + 2;
        return text.replace(pos, text.find("\r\n", pos) - pos, line);
    };

    std::filesystem::create_directory(dir.Path() / "ordner.tvp");
    struct Case {
        const char* name;
        std::optional<std::string> bytes; // none: the file is not written
        int code;
    };
    const Case cases[] = {
        {"fehlt.tvp", std::nullopt, 2},
        {"ordner.tvp", std::nullopt, 2002},
        {"leer.tvp", std::string(), 2002},
        {"blank.tvp", "Tolvan 6 Profile \r\n" + profile.substr(18), 2002},
        {"klein.tvp", "tolvan 6 profile\r\n" + profile.substr(18), 2002},
        {"sieben.tvp", "Tolvan 7 Profile\r\n", 2002},
        {"binaer.tvp", RandomBytes(65536, 1), 2002},
        {"binaer2.tvp", "Tolvan 6 Profile\r\n" + RandomBytes(65536, 2), 2002},
        {"nur-kopf.tvp", firstLines(profile, 1), 2002},
        {"kurz1.tvp", firstLines(profile, 3), 2002},
        {"kurz2.tvp", firstLines(profile, 90), 2002},
        {"kurz3.tvp", firstLines(profile, lineCount(profile) - 1), 2002},
        {"kurz.tvb", firstLines(batch, 4), 2002},
        {"kurz2.tvb", firstLines(batch, 20), 2002},
        {"zahl.tvp", replaceLine(profile, 16, "zwei"), 2002}, // DestType
        {"riesig.tvp", replaceLine(profile, 3, "2147483647"), 2002},
        {"riesig.tvb", replaceLine(batch, 1, "2147483647"), 2002},
        {"alt.tvp", "Tolvan 4.2 Profile\r\n", 2002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.name);
        if (c.bytes) dir.WriteFile(c.name, *c.bytes);
        cParameters params;
        ASSERT_EQ(params.ReadDocument(PathOf("gut.tvp")), 0);

        EXPECT_EQ(params.ReadDocument(path), c.code);
        ExpectEmptiedDocument(params);
    }
}

TEST_F(DocumentFileTest, ValuesReadBeforeAFailureStay) {
    const std::string profile = WriteSampleProfile("gut.tvp");
    // Up to the compare files (rows 1..10 with the one search directory): the source part is read.
    std::size_t pos = 0;
    for (int i = 0; i < 10; ++i)
        pos = profile.find("\r\n", pos) + 2;
    dir.WriteFile("halb.tvp", profile.substr(0, pos));
    cParameters params;
    EXPECT_NE(params.ReadDocument(PathOf("halb.tvp")), 0);
    EXPECT_EQ(params.SourceDrive, "/quelle");
    EXPECT_EQ(params.SearchDirectories.Size(), 1u);
    EXPECT_EQ(params.CompareFiles.Size(), 1u);
    EXPECT_TRUE(params.BeforeCommands.Empty()) << "rows after the failure keep the defaults of a new profile";
    ExpectEmptiedDocument(params);
}

TEST_F(DocumentFileTest, AnOverlongLineIsRefused) {
    const std::string path = PathOf("lang.tvp");
    {
        std::ofstream out(path, std::ios::binary);
        out << "Tolvan 6 Profile\r\n";
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 100; ++i)
            out << block;
        out << "\r\n";
    }
    ASSERT_EQ(std::filesystem::file_size(path), 18u + 100u * (1u << 20) + 2u);
    cParameters params;
    EXPECT_EQ(params.ReadDocument(path), 2002);
    ExpectEmptiedDocument(params);
    EXPECT_NE(params.SourceDrive.size(), 100u << 20);
}

TEST_F(DocumentFileTest, Windows1252BulletInATextReadsAndWritesBack) {
    std::string profile = WriteSampleProfile("gut.tvp");
    const std::string drive = "/quelle";
    profile.replace(profile.find(drive), drive.size(), "/Liste \x95 eins");
    dir.WriteFile("punkt.tvp", profile);

    cParameters params;
    ASSERT_EQ(params.ReadDocument(PathOf("punkt.tvp")), 0);
    EXPECT_EQ(params.SourceDrive, "/Liste \u2022 eins");
    ASSERT_EQ(params.WriteDocument(PathOf("zurueck.tvp")), 0);
    EXPECT_EQ(dir.ReadFile("zurueck.tvp"), profile);
}

TEST_F(DocumentFileTest, WriteReadWriteGivesTheSameBytes) {
    for (const char* name : {"a.tvp", "a.tvb"}) {
        SCOPED_TRACE(name);
        const std::string first =
            std::string(name).ends_with(".tvp") ? WriteSampleProfile(name) : WriteSampleBatch(name);
        EXPECT_TRUE(first.starts_with(std::string(name).ends_with(".tvp") ? "Tolvan 6 Profile\r\n"
                                                                          : "Tolvan 6 Batch File\r\n"));
        cParameters params;
        ASSERT_EQ(params.ReadDocument(PathOf(name)), 0);
        ASSERT_EQ(params.WriteDocument(PathOf("b")), 0);
        EXPECT_EQ(dir.ReadFile("b"), first);
    }
}

TEST_F(DocumentFileTest, WritingAProfileNamesTheDocumentAndKeepsItPrivate) {
    const std::string path = PathOf("neu.tvp");
    // An older copy readable by everyone is replaced by a private one.
    dir.WriteFile("neu.tvp", "alt\r\n");
    ::chmod(path.c_str(), 0644);

    cMemorySettings settings;
    settings.Write("Last Update", "neu.tvp Lo", "42");
    cParameters params(&settings);
    params.LegacyFormat = true;
    params.Modified = true;
    params.Batch.AddEntry({"/a", "\\", "b.tvp", 0});
    ASSERT_EQ(params.WriteDocument(path), 0);

    EXPECT_FALSE(params.LegacyFormat);
    EXPECT_EQ(params.ProfileFile, path);
    EXPECT_EQ(params.BatchFile, "");
    EXPECT_EQ(params.DocumentFile, path);
    EXPECT_EQ(params.Programm.LastFile, path);
    EXPECT_FALSE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.LastRun, 42) << "the new name's last run comes from the settings";
    EXPECT_EQ(params.DocumentKind, kProfileDocument);

    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_TRUE(dir.ReadFile("neu.tvp").starts_with("Tolvan 6 Profile\r\n"));
}

TEST_F(DocumentFileTest, WritingABatchNamesTheBatch) {
    const std::string path = PathOf("neu.tvb");
    cParameters params;
    params.ResetBatch();
    params.Modified = true;
    ASSERT_EQ(params.WriteDocument(path), 0);
    EXPECT_EQ(params.ProfileFile, "");
    EXPECT_EQ(params.BatchFile, path);
    EXPECT_EQ(params.DocumentFile, path);
    EXPECT_EQ(params.Programm.LastFile, path);
    EXPECT_FALSE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
}

TEST_F(DocumentFileTest, AFailedWriteKeepsTheOldFileAndTheDocumentState) {
    // A non-empty directory in the place of the file: the new file cannot take its place.
    dir.WriteFile("ziel.tvp/inhalt", "alt");
    const std::string blocked = PathOf("ziel.tvp");
    const std::string missingFolder = PathOf("fehlt/neu.tvp");

    for (const std::string& path : {blocked, missingFolder}) {
        SCOPED_TRACE(path);
        cParameters params;
        params.Modified = true;
        params.LegacyFormat = true;
        EXPECT_NE(params.WriteDocument(path), 0);
        EXPECT_EQ(params.DocumentFile, "<unbenannt>.tvp");
        EXPECT_EQ(params.ProfileFile, "<unbenannt>.tvp");
        EXPECT_TRUE(params.Untitled);
        EXPECT_TRUE(params.Modified);
        EXPECT_TRUE(params.LegacyFormat);
    }
    EXPECT_EQ(dir.ReadFile("ziel.tvp/inhalt"), "alt");
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"ziel.tvp"}) << "no temporary file stays behind";
}

TEST_F(DocumentFileTest, WithoutADocumentNothingIsWritten) {
    cParameters params;
    EXPECT_NE(params.ReadDocument(PathOf("fehlt.tvp")), 0);
    EXPECT_EQ(params.WriteDocument(PathOf("neu.tvp")), 2002);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "neu.tvp"));
    ExpectEmptiedDocument(params);
}

} // namespace

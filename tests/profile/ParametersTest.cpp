#include "profile/Parameters.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/ProgramFolders.h"
#include "profile/OptionFields.h"
#include "profile/SettingsStore.h"

#include "support/MemorySettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A settings file in memory; sections and keys exact (the tests spell them as the program does).
using testsupport::cMemorySettings;

class ParametersTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        // Wednesday 9 December 2026, 02:46:23 in Berlin.
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    static int Today() { return platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 9)); }
};

TEST_F(ParametersTest, NewProfileTakesOptionsFromTheSettingsAndHasOneCompareMask) {
    cMemorySettings settings;
    settings.Write("Options", "TouchSrc", "0");
    settings.Write("Options", "ZipCompression", "9");
    settings.Write("Options", "OrphanModeB", "5");
    settings.Write("Options", "FtpUserName", "anna");
    settings.Write("Options", "AbsoluteAge", "40000");
    settings.Write("Options", "Warning1File", "");
    // Values that are no number or do not fit their field fall back to the built-in default.
    settings.Write("Options", "Attributes", "drei");
    settings.Write("Options", "AgeMode", "300");
    settings.Write("Options", "FtpPort", "70000");
    settings.Write("Program Options", "ZipCompression", "1");

    cParameters params(&settings);
    params.ResetProfile();
    params.AddDefaultMask();

    ASSERT_EQ(params.CompareFiles.Size(), 1u);
    EXPECT_EQ(params.CompareFiles.Text(0), "*.*");
    EXPECT_TRUE(params.SearchDirectories.Empty());
    EXPECT_TRUE(params.ExcludeDirectories.Empty());
    EXPECT_TRUE(params.EnforceFiles.Empty() && params.DeleteFiles.Empty() && params.ExcludeFiles.Empty());

    EXPECT_EQ(params.TouchMode(), eTouchMode::DestOnly);
    EXPECT_EQ(params.ZipCompression, 9);
    EXPECT_EQ(params.OrphanModeB, eOrphanMode::LookInSnapshot);
    EXPECT_EQ(params.FtpUserName, "anna");
    EXPECT_EQ(params.AbsoluteAge, 40000);
    EXPECT_EQ(params.Warning1File, "") << "an empty value in the settings is a value, not a missing key";
    EXPECT_EQ(params.Attributes, AttributeBits());
    EXPECT_EQ(params.AgeMode, AgeModeValue(eAgeMode::None));
    EXPECT_EQ(params.FtpPort, 21);
    EXPECT_EQ(params.FtpPassword, "lemon");
    EXPECT_EQ(params.MidnightHours, 2);

    EXPECT_EQ(params.DocumentFile, "<unbenannt>.tvp");
    EXPECT_EQ(params.ProfileFile, "<unbenannt>.tvp");
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
    EXPECT_TRUE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.SourceDrive, platform::HomeFolder());
    EXPECT_EQ(params.DestDrive, platform::HomeFolder());
    EXPECT_EQ(params.DestDirectory, "\\");
}

TEST_F(ParametersTest, BuiltInDefaultsWithoutSettings) {
    cParameters params;
    const std::string data = platform::DataFolder();
    const struct {
        const char* key;
        std::string value;
    } cases[] = {
        {"TouchSrc", "1"},
        {"TouchDest", "1"},
        {"ShortenPaths", "1"},
        {"CreateSrcDirs", "1"},
        {"DeleteEmptySrcDirs", "0"},
        {"AbsoluteAge", std::to_string(Today())},
        {"OrphanModeD1", "0"},
        {"OrphanModeD2", "1"},
        {"OrphanModeB", "4"},
        {"OrphanModeS1", "3"},
        {"OrphanModeS2", "1"},
        {"MidnightHours", "2"},
        {"PercentageThreshold", "50"},
        {"PercentageCount", "30"},
        {"DoubleDefault", "2"},
        {"SizesFactor", "3"},
        {"ZipCompression", "5"},
        {"ZipAddVariation", "1"},
        {"FtpPort", "21"},
        {"FtpTimeOut", "30"},
        {"FtpUserName", "anonymous"},
        {"FtpPassword", "lemon"},
        {"Warning4Beep", "0"},
        {"Warning1File", data + "Klänge/Keine Dateien gefunden.wav"},
        {"Warning3File", data + "Klänge/Es gibt ein Problem.wav"},
        {"Event2File1", data + "Klänge/Lauf beendet.wav"},
        {"Event1File2", data + "Nachrichten/Lauf gestartet.rtf"},
        {"Event4File", data + "Klänge/Größenunterschiede.wav"},
        {"Event2Centered", "1"},
        {"TimeDifference", "2"},
        {"IgnoreDST", "1"},
        {"Recycle", "1"},
        {"OptionsPage", "0"},
    };
    // Every option written by a default profile reads back as its built-in default.
    cMemorySettings written;
    WriteOptions(params, written);
    EXPECT_EQ(written.Size(), OptionFields().size());
    for (const auto& c : cases) {
        EXPECT_EQ(written.Read("Options", c.key), c.value) << c.key;
        auto field = std::find_if(OptionFields().begin(), OptionFields().end(),
                                  [&](const cOptionField& f) { return f.Key == c.key; });
        ASSERT_NE(field, OptionFields().end()) << c.key;
        EXPECT_EQ(OptionDefault(*field), c.value) << c.key;
    }
    EXPECT_EQ(params.Log.FileName, data + "Log.txt");
    EXPECT_EQ(params.Log.PrinterName, "");
    EXPECT_EQ(params.Preview.FontName, "MS Sans Serif");
    EXPECT_EQ(params.Preview.DeleteColor, 0x0000FFu);
    EXPECT_EQ(params.Programm.CompareB, "%1 %2");
    EXPECT_EQ(params.Programm.FrameColor, 0x808080u);
    EXPECT_EQ(params.LastRun, platform::JoinFileTime(1990, 1, 1));
    EXPECT_EQ(params.WindowsVersion, 4);
    EXPECT_EQ(params.WindowsVersionName.rfind("Linux", 0), 0u) << params.WindowsVersionName;
}

TEST_F(ParametersTest, OptionTableNamesEveryFieldOnce) {
    auto fields = OptionFields();
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.front().Key, "TouchSrc");
    EXPECT_EQ(fields.back().Key, "OptionsPage");
    std::set<std::string_view> keys;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_TRUE(keys.insert(fields[i].Key).second) << "key twice: " << fields[i].Key;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(fields[i].Member == fields[j].Member) << fields[i].Key << " and " << fields[j].Key;
    }
}

TEST_F(ParametersTest, OptionsRoundTripThroughTheSettings) {
    cParameters params;
    params.TouchDest = false;
    params.AgeMode = AgeModeValue(eAgeMode::AbsoluteAge, true);
    params.AbsoluteAge = 45000;
    params.FtpPort = 65535;
    params.AppName = "Microsoft Word";
    params.Event5File = "/usr/share/sounds/ding.wav";
    params.TrayIcon = true;
    cMemorySettings settings;
    WriteOptions(params, settings);

    cParameters read(&settings);
    EXPECT_FALSE(read.TouchDest);
    EXPECT_EQ(read.AgeMode, AgeModeValue(eAgeMode::AbsoluteAge, true));
    EXPECT_EQ(read.AbsoluteAge, 45000);
    EXPECT_EQ(read.FtpPort, 65535);
    EXPECT_EQ(read.AppName, "Microsoft Word");
    EXPECT_EQ(read.Event5File, "/usr/share/sounds/ding.wav");
    EXPECT_TRUE(read.TrayIcon);
}

TEST_F(ParametersTest, ResetProfileClearsTheProfileButKeepsABatchDocumentWhileABatchRuns) {
    cParameters params;
    params.ResetBatch();
    params.BatchFile = "/home/anna/Alles.tvb";
    params.DocumentFile = params.BatchFile;
    params.BatchRunning = true;
    params.SearchDirectories.Add("\\Daten\\*");
    params.BeforeCommands.Add("sync");
    params.Schedule.push_back(MakeScheduleEntry(true, ScheduleWeekdayBit(1), 600));
    params.Log.Daily = true;
    params.Preview.OneLine = true;
    params.DestDirectory = "\\Ziel\\";
    params.LegacyFormat = true;
    params.Modified = true;

    params.ResetProfile();
    EXPECT_EQ(params.ProfileFile, "<unbenannt>.tvp");
    EXPECT_EQ(params.DocumentFile, "/home/anna/Alles.tvb");
    EXPECT_EQ(params.BatchFile, "/home/anna/Alles.tvb");
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
    EXPECT_TRUE(params.SearchDirectories.Empty());
    EXPECT_TRUE(params.BeforeCommands.Empty());
    EXPECT_TRUE(params.Schedule.empty());
    EXPECT_FALSE(params.Log.Daily);
    EXPECT_FALSE(params.Preview.OneLine);
    EXPECT_EQ(params.DestDirectory, "\\");
    EXPECT_FALSE(params.LegacyFormat);
    EXPECT_FALSE(params.Modified);

    params.BatchRunning = false;
    params.ResetProfile();
    EXPECT_EQ(params.DocumentFile, "<unbenannt>.tvp");
    EXPECT_EQ(params.BatchFile, "");
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
}

TEST_F(ParametersTest, ResetBatchMakesAnUntitledBatchWithDefaultOptions) {
    cParameters params;
    params.Batch.AddEntry({"/home/anna", "\\Profile\\", "Sicherung.tvp", kContinueOnSuccess});
    params.Batch.ChecksOverride = true;
    params.Batch.Warning3Sound = false;
    params.Batch.AutoShutdown = 3;
    params.Batch.Schedule.push_back(MakeScheduleEntry(true, ScheduleWeekdayBit(0), 0));
    params.LegacyFormat = true;
    params.Modified = true;
    params.Untitled = false;

    params.ResetBatch();
    EXPECT_EQ(params.BatchFile, "<unbenannt>.tvb");
    EXPECT_EQ(params.ProfileFile, "");
    EXPECT_EQ(params.DocumentFile, "<unbenannt>.tvb");
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
    EXPECT_FALSE(params.LegacyFormat);
    EXPECT_TRUE(params.Untitled);
    EXPECT_FALSE(params.Modified);
    EXPECT_EQ(params.Batch.EntryCount(), 0u);
    EXPECT_TRUE(params.Batch == cBatchParameters());
    EXPECT_TRUE(params.Batch.ShowPreview);
    EXPECT_TRUE(params.Batch.Warning3Sound);
}

TEST(BatchParameters, EntriesStayParallel) {
    cBatchParameters batch;
    batch.AddEntry({"/home/anna", "\\Profile\\", "A.tvp", kContinueOnFailure});
    batch.AddEntry({"/home/anna", "\\Profile\\", "A.tvp", kContinueAlways});
    ASSERT_EQ(batch.EntryCount(), 2u);
    EXPECT_EQ(batch.ProfileDrives.Size(), 2u) << "duplicates are allowed in every entry list";
    BatchEntry first = batch.Entry(0);
    EXPECT_EQ(first.Drive + first.Directory + first.Name, "/home/anna\\Profile\\A.tvp");
    EXPECT_EQ(first.Continuation, kContinueOnFailure);
    EXPECT_EQ(batch.Entry(1).Continuation, kContinueAlways);
}

TEST(BatchParameters, ContinuationTexts) {
    EXPECT_EQ(ContinuationText(0), "Immer weitermachen");
    EXPECT_EQ(ContinuationText(1), "Weitermachen bei Erfolg");
    EXPECT_EQ(ContinuationText(2), "Weitermachen bei Misserfolg");
    for (int code : {-1, 3, 255})
        EXPECT_EQ(ContinuationText(code), "") << code;
}

TEST_F(ParametersTest, PushOldFile) {
    const std::array<std::string, 9> full = {"/p/1.tvp", "/p/2.tvp", "/p/3.tvp", "/p/4.tvp", "/p/5.tvp",
                                             "/p/6.tvp", "/p/7.tvp", "/p/8.tvp", "/p/9.tvp"};
    const struct {
        const char* name;
        std::string document;
        std::array<std::string, 9> expected;
    } cases[] = {
        {"already first", "/p/1.tvp", full},
        {"in the middle",
         "/p/4.tvp",
         {"/p/4.tvp", "/p/1.tvp", "/p/2.tvp", "/p/3.tvp", "/p/5.tvp", "/p/6.tvp", "/p/7.tvp", "/p/8.tvp", "/p/9.tvp"}},
        {"last",
         "/p/9.tvp",
         {"/p/9.tvp", "/p/1.tvp", "/p/2.tvp", "/p/3.tvp", "/p/4.tvp", "/p/5.tvp", "/p/6.tvp", "/p/7.tvp", "/p/8.tvp"}},
        {"new entry drops the ninth",
         "/p/neu.tvp",
         {"/p/neu.tvp", "/p/1.tvp", "/p/2.tvp", "/p/3.tvp", "/p/4.tvp", "/p/5.tvp", "/p/6.tvp", "/p/7.tvp",
          "/p/8.tvp"}},
        {"a name differing in case is another file",
         "/P/4.TVP",
         {"/P/4.TVP", "/p/1.tvp", "/p/2.tvp", "/p/3.tvp", "/p/4.tvp", "/p/5.tvp", "/p/6.tvp", "/p/7.tvp", "/p/8.tvp"}},
    };
    for (const auto& c : cases) {
        cParameters params;
        params.OldFiles = full;
        params.DocumentFile = c.document;
        params.PushOldFile();
        EXPECT_EQ(params.OldFiles, c.expected) << c.name;
    }

    cParameters empty;
    empty.DocumentFile = "/p/a.tvp";
    empty.PushOldFile();
    EXPECT_EQ(empty.OldFiles[0], "/p/a.tvp");
    EXPECT_EQ(empty.OldFiles[1], "");
}

TEST_F(ParametersTest, AutoPathOffset) {
    const std::string a200(200, 'a');
    const std::string longBase = "\\" + a200 + "\\" + std::string(100, 'b');
    const struct {
        const char* name;
        std::vector<std::string> directories;
        std::string expected;
    } cases[] = {
        {"none", {}, ""},
        {"one with subdirectories", {"\\Daten\\Briefe\\*"}, "\\Daten\\Briefe"},
        {"one directory only", {"\\Daten\\"}, "\\Daten"},
        {"the root", {"\\"}, ""},
        {"several with a common part", {"\\Daten\\Briefe\\*", "\\Daten\\Bilder\\"}, "\\Daten"},
        {"one inside the other", {"\\Daten\\Briefe\\", "\\Daten\\Briefe\\Alt\\*"}, "\\Daten\\Briefe"},
        {"common text ends inside a name", {"\\Daten1\\", "\\Daten2\\"}, ""},
        {"nothing in common", {"\\Daten\\", "\\Musik\\"}, ""},
        {"differing only in case are two directories", {"\\Daten\\Briefe\\", "\\daten\\Briefe\\"}, ""},
        {"common part longer than 261 characters", {longBase + "\\1\\", longBase + "\\2\\"}, "\\" + a200},
    };
    for (const auto& c : cases) {
        cParameters params;
        for (const std::string& d : c.directories)
            params.SearchDirectories.Add(d);
        EXPECT_EQ(params.AutoPathOffset(), c.expected) << c.name;
    }
}

TEST(ScheduleEntry, BitsAsStored) {
    ScheduleEntry entry = MakeScheduleEntry(false, ScheduleWeekdayBit(1) | ScheduleWeekdayBit(0), 1439);
    EXPECT_EQ(entry, 0x8000'0000u | 0x4000'0000u | 0x0100'0000u | 1439u);
    EXPECT_LT(static_cast<std::int32_t>(entry), 0) << "an inactive entry is stored as a negative number";
    EXPECT_FALSE(ScheduleEntryActive(entry));
    EXPECT_EQ(ScheduleEntryMinutes(entry), 1439);
    const bool expectedDays[7] = {true, true, false, false, false, false, false}; // Sunday .. Saturday
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(ScheduleEntryOnDay(entry, day), expectedDays[day]) << day;
    EXPECT_EQ(ScheduleWeekdayBit(6), 1u << 25) << "Saturday";
    EXPECT_TRUE(ScheduleEntryActive(MakeScheduleEntry(true, ScheduleWeekdayBit(3), 0)));
}

TEST(WindowPos, GroupDefaults) {
    EXPECT_EQ(kWindowPosGroups[0].Section, "Main Window");
    EXPECT_EQ(DefaultWindowPos(0, 1024, 768), (cWindowPos{100, 10, 0, 0, false}));
    EXPECT_EQ(DefaultWindowPos(2, 1024, 768), (cWindowPos{0, 0, 800, 600, false}));
    EXPECT_EQ(DefaultWindowPos(5, 1024, 768), (cWindowPos{308, 323, 0, 0, false})); // Info Window
    EXPECT_EQ(DefaultWindowPos(8, 1024, 768), (cWindowPos{192, 255, 0, 0, false})); // Copy Window
    EXPECT_EQ(DefaultWindowPos(5, 301, 100), (cWindowPos{-53, -10, 0, 0, false})) << "truncated toward zero";
    EXPECT_FALSE(kWindowPosGroups[8].HasSize);
    EXPECT_TRUE(kWindowPosGroups[11].HasSize);
    EXPECT_EQ(kWindowPosGroups[11].Section, "Run Finished Window");
}

} // namespace

// Recognising the earlier formats, the 4.x/5.0 profile with its extra-data blocks, and ReadDocument on them.
#include "support/TempDir.h"

#include "LegacyTestRows.h"

#include <functional>

namespace {

using namespace legacytest;

class LegacyFormatsTest : public LegacyReadTest {};

// A "Tolvan 4.x / 5.0" profile up to its schedule list, every value different from the defaults.
Rows Profile4Base(const std::string& firstLine) {
    // clang-format off
    return {firstLine,
            "D:",
            "Suchverzeichnisse:", "2", "\\Daten\\*", "\\Briefe\\",
            "Ausgeschlossene Verzeichnisse:", "1", "\\Daten\\Temp\\",
            "Vergleichsdateien:", "2", "*.doc", "*.TXT",
            "Erzwungene Dateien:", "1", "*.ini",
            "Zu l\xF6schende Dateien:", "0",
            "Ausgeschlossene Dateien:", "1", "*.tmp",
            "E:", "\\Sicherung\\",
            "2",                     // Variation
            "1", "0",                // TouchSrc, TouchDest
            "3", "2",                // Attributes, ShortenPaths
            "0", "0", "1", "1", "1", // CreateSrcDirs .. TransferDirProperties
            "1", "30", "45000",      // AgeMode, RelativeAge, AbsoluteAge
            "1", "2", "5", "6", "2", // OrphanModeD1 .. OrphanModeS2
            "1", "1",                // ListSkip, EnforceBackward
            "4",                     // SortMode
            "1", "0",                // ReverseOrder, ShowPreview
            "7",                     // SizesFactor
            "1", "1",                // BrowseNetwork, DiskInfo
            "3", "1",                // TimeDifference, UseUTC
            "165",                   // warning bits 1010 0101
            "1", "1", "1", "3", "1", // AutoOpen, run-end beep, AutoExit, AutoShutdown, AutoHook
            "4",                     // OptionsPage
            "0", "1", "1", "0",      // OpenFolders, OneLine, SizesFilter, DoubleFilter
            "1", "255", "0", "65280", "1", "-16777216", "0", "128", "1", "8421504", "0", "16711680", // colours
            "0",                     // ForcePaths
            "0", "C:\\Logs\\Tolvan.log", "2", "0", "1", "0", "1", // log: Active .. NoNormal
            "1",                     // view the log
            "4", "C:\\Programme\\Editor.exe", "/r",
            "2", ScheduleRow(kMonday), ScheduleRow(kSundayOff)};
    // clang-format on
}

// The six optional blocks behind the schedule list, in file order.
const std::vector<Rows>& ExtraBlocks() {
    // clang-format off
    static const std::vector<Rows> blocks = {
        {"Tolvan 4.03 Extra Data", "1", "1", "1", "1"},
        {"Tolvan 4.20 Extra Data", "BACKUP", "1", "1"},
        {"Tolvan 5.01 Extra Data", "1", "5", "1", "1"},
        {"Tolvan 5.02 Extra Data", "Arial", "10", "0", "1", "0", "1"},
        {"Tolvan 5.03 Extra Data", "1", "winword.exe", "1", "1",
         "0", "1", "0", "1", "1", "1", // ViewOnSuccess .. PrintOnError
         "Anna", "anna@example.org", "Bert", "bert@example.org", "", "", "Cora", "cora@example.org",
         "[Tolvan]", "mail.example.org", "1", "Laser", "Courier", "11"},
        {"Tolvan 5.04 Extra Data", "1"},
    };
    // clang-format on
    return blocks;
}

// Whether each block was read, by fields that only it sets.
const std::vector<std::function<bool(const cParameters&)>>& ExtraBlockProbes() {
    static const std::vector<std::function<bool(const cParameters&)>> probes = {
        {[](const cParameters& p) { return p.TrayIcon && p.EightThree; }},
        {[](const cParameters& p) { return p.CheckLabel == "BACKUP" && p.EjectDisk; }},
        {[](const cParameters& p) { return p.MidnightHours == 5 && p.TransferPermissions; }},
        {[](const cParameters& p) { return p.Preview.FontName == "Arial" && p.AutoSense1; }},
        {[](const cParameters& p) {
            return p.AppName == "winword.exe" && p.Log.MailOnSuccess && p.Log.Recipient1Address == "bert@example.org" &&
                   p.Log.PrintFontSize == 11;
        }},
        {[](const cParameters& p) { return p.AutoSense2; }},
    };
    return probes;
}

Rows AllExtraBlocks() {
    Rows rows;
    for (const Rows& block : ExtraBlocks())
        rows = rows + block;
    return rows;
}

TEST_F(LegacyFormatsTest, RecognisesExactlyTheEarlierFirstLines) {
    for (const char* known : {"Tolvan 4.00 Workfile", "Tolvan 4.1 Profile", "Tolvan 4.2 Profile", "Tolvan 5.0 Profile",
                              "Tolvan 3.00 Workfile", "0", "1", "11", "Tolvan 4.00 Batch File",
                              "Tolvan 5.00 Batch File", "Tolvan 3.00 Batch File"})
        EXPECT_TRUE(IsLegacyFormat(known)) << known;
    for (const char* other : {"Tolvan 6 Profile", "Tolvan 6 Batch File", "Tolvan 5.0 Profile ", "tolvan 5.0 profile",
                              "Tolvan 4.1 Workfile", "2", "01", " 1", ""})
        EXPECT_FALSE(IsLegacyFormat(other)) << other;

    EXPECT_FALSE(ReadBytes("Tolvan 6 Profile\r\nD:\r\n"));
    EXPECT_EQ(params.DocumentKind, defaults.DocumentKind);
}

TEST_F(LegacyFormatsTest, Profile4ReadsEveryRowInAllFourVariants) {
    for (const char* firstLine :
         {"Tolvan 4.00 Workfile", "Tolvan 4.1 Profile", "Tolvan 4.2 Profile", "Tolvan 5.0 Profile"}) {
        SCOPED_TRACE(firstLine);
        params.BeforeCommands.Add("vorher"); // left from an earlier document: the read starts from a fresh profile
        ASSERT_TRUE(Read(Profile4Base(firstLine) + AllExtraBlocks())) << Error();
        EXPECT_EQ(params.DocumentKind, kProfileDocument);
        EXPECT_TRUE(params.LegacyFormat);

        EXPECT_EQ(params.SourceDrive, "D:");
        ASSERT_EQ(params.SearchDirectories.Size(), 2u);
        EXPECT_EQ(params.SearchDirectories.Text(0), "\\Briefe\\");
        EXPECT_EQ(params.SearchDirectories.Text(1), "\\Daten\\*");
        ASSERT_EQ(params.ExcludeDirectories.Size(), 1u);
        EXPECT_EQ(params.ExcludeDirectories.Text(0), "\\Daten\\Temp\\");
        ASSERT_EQ(params.CompareFiles.Size(), 2u);
        EXPECT_EQ(params.CompareFiles.Text(1), "*.TXT");
        EXPECT_EQ(params.EnforceFiles.Size(), 1u);
        EXPECT_TRUE(params.DeleteFiles.Empty());
        ASSERT_EQ(params.ExcludeFiles.Size(), 1u);
        EXPECT_EQ(params.ExcludeFiles.Text(0), "*.tmp");
        EXPECT_EQ(params.DestDrive, "E:");
        EXPECT_EQ(params.DestDirectory, "\\Sicherung\\");
        EXPECT_EQ(params.Variation, 2);
        EXPECT_EQ(params.TouchMode(), eTouchMode::SourceOnly);
        EXPECT_EQ(params.Attributes, AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden));
        EXPECT_EQ(params.ShortenPaths, eShortenPaths::ByPathOffset);
        EXPECT_FALSE(params.CreateSrcDirs);
        EXPECT_FALSE(params.CreateDestDirs);
        EXPECT_TRUE(params.DeleteEmptySrcDirs && params.DeleteEmptyDestDirs && params.TransferDirProperties);
        EXPECT_EQ(params.AgeMode, AgeModeValue(eAgeMode::RelativeAge));
        EXPECT_EQ(params.RelativeAge, 30);
        EXPECT_EQ(params.AbsoluteAge, 45000);
        EXPECT_EQ(params.OrphanModeD1, eOrphanMode::Skip);
        EXPECT_EQ(params.OrphanModeD2, eOrphanMode::Delete);
        EXPECT_EQ(params.OrphanModeB, eOrphanMode::LookInSnapshot);
        EXPECT_EQ(params.OrphanModeS1, eOrphanMode::OrphansOnly);
        EXPECT_EQ(params.OrphanModeS2, eOrphanMode::Delete);
        EXPECT_TRUE(params.ListSkip && params.EnforceBackward);
        EXPECT_EQ(params.SortMode, 4);
        EXPECT_TRUE(params.ReverseOrder);
        EXPECT_FALSE(params.ShowPreview);
        EXPECT_EQ(params.SizesFactor, 7);
        EXPECT_TRUE(params.SizesCompare);
        EXPECT_TRUE(params.BrowseNetwork && params.DiskInfo);
        EXPECT_EQ(params.TimeDifference, 3);
        EXPECT_TRUE(params.UseUTC);
        // Bits 0 to 7: message and sound of warnings 1 to 4.
        EXPECT_TRUE(params.Warning1Message);
        EXPECT_FALSE(params.Warning1Sound);
        EXPECT_TRUE(params.Warning2Message);
        EXPECT_FALSE(params.Warning2Sound);
        EXPECT_FALSE(params.Warning3Message);
        EXPECT_TRUE(params.Warning3Sound);
        EXPECT_FALSE(params.Warning4Message);
        EXPECT_TRUE(params.Warning4Sound);
        EXPECT_TRUE(params.AutoOpen);
        EXPECT_TRUE(params.Event2Sound && params.Event2Beep);
        EXPECT_EQ(params.Event1Sound, defaults.Event1Sound);
        EXPECT_TRUE(params.AutoExit);
        EXPECT_EQ(params.AutoShutdown, 3);
        EXPECT_TRUE(params.AutoHook);
        EXPECT_EQ(params.OptionsPage, 4);

        const cPreviewParameters& view = params.Preview;
        EXPECT_FALSE(view.OpenFolders);
        EXPECT_TRUE(view.OneLine);
        EXPECT_TRUE(view.SizesFilter);
        EXPECT_FALSE(view.DoubleFilter);
        EXPECT_TRUE(view.Block1System);
        EXPECT_EQ(view.Block1Color, 255u);
        EXPECT_FALSE(view.Block2System);
        EXPECT_EQ(view.Block2Color, 65280u);
        EXPECT_TRUE(view.ForwardSystem);
        EXPECT_EQ(view.ForwardColor, 0xFF000000u);
        EXPECT_EQ(view.SkipColor, 128u);
        EXPECT_TRUE(view.DeleteSystem);
        EXPECT_EQ(view.DeleteColor, 8421504u);
        EXPECT_EQ(view.BackwardColor, 16711680u);
        EXPECT_FALSE(view.ForcePaths);

        const cLogParameters& log = params.Log;
        EXPECT_FALSE(log.Active);
        EXPECT_EQ(log.FileName, "C:\\Logs\\Tolvan.log");
        EXPECT_EQ(log.DateTimeMode, eLogDateTime::EveryFile);
        EXPECT_EQ(log.FileInfoMode, eLogFileInfo::NameOnly);
        EXPECT_TRUE(log.Daily);
        EXPECT_FALSE(log.Append);
        EXPECT_TRUE(log.NoNormal);
        EXPECT_EQ(log.ViewerKind, eLogViewer::Program);
        EXPECT_EQ(log.ViewerPath, "C:\\Programme\\Editor.exe");
        EXPECT_EQ(log.ViewerSwitches, "/r");
        EXPECT_EQ(params.Schedule, (std::vector<ScheduleEntry>{kMonday, kSundayOff}));

        // 4.03, 4.20, 5.01, 5.02
        EXPECT_TRUE(params.EightThree && params.CreateAllSrcDirs && params.CreateAllDestDirs && params.TrayIcon);
        EXPECT_EQ(params.CheckLabel, "BACKUP");
        EXPECT_TRUE(params.OfferFormat && params.EjectDisk);
        EXPECT_TRUE(params.TransferPermissions);
        EXPECT_EQ(params.MidnightHours, 5);
        EXPECT_TRUE(params.CompareProperties && view.PropertiesFilter);
        EXPECT_EQ(view.FontName, "Arial");
        EXPECT_EQ(view.FontSize, 10);
        EXPECT_FALSE(params.Recycle);
        EXPECT_TRUE(params.Verify);
        EXPECT_FALSE(params.IgnoreDST);
        EXPECT_TRUE(params.AutoSense1);
        // 5.03: its log flags replace the "view the log" row before it.
        EXPECT_TRUE(params.AutoApp);
        EXPECT_EQ(params.AppName, "winword.exe");
        EXPECT_TRUE(params.MyCopy && params.TransferOwner);
        EXPECT_FALSE(log.ViewOnSuccess);
        EXPECT_TRUE(log.MailOnSuccess);
        EXPECT_FALSE(log.PrintOnSuccess);
        EXPECT_TRUE(log.ViewOnError && log.MailOnError && log.PrintOnError);
        EXPECT_EQ(log.SenderName, "Anna");
        EXPECT_EQ(log.SenderAddress, "anna@example.org");
        EXPECT_EQ(log.Recipient1Address, "bert@example.org");
        EXPECT_EQ(log.Recipient2Name, "");
        EXPECT_EQ(log.Recipient3Name, "Cora");
        EXPECT_EQ(log.SubjectPrefix, "[Tolvan]");
        EXPECT_EQ(log.SmtpServer, "mail.example.org");
        EXPECT_TRUE(log.AsAttachment);
        EXPECT_EQ(log.PrinterName, "Laser");
        EXPECT_EQ(log.PrintFontName, "Courier");
        EXPECT_EQ(log.PrintFontSize, 11);
        // 5.04
        EXPECT_TRUE(params.AutoSense2);

        // Not stored in these formats.
        EXPECT_EQ(params.DestType, eDestType::Directory);
        EXPECT_EQ(params.PathOffset, defaults.PathOffset);
        EXPECT_TRUE(params.BeforeCommands.Empty());
        EXPECT_EQ(params.ZipCompression, defaults.ZipCompression);
        EXPECT_EQ(params.Percentage, defaults.Percentage);
    }
}

TEST_F(LegacyFormatsTest, Profile41EndingAfterItsScheduleKeepsEveryExtraDefault) {
    ASSERT_TRUE(Read(Profile4Base("Tolvan 4.1 Profile"))) << Error();
    EXPECT_TRUE(params.LegacyFormat);
    EXPECT_EQ(params.Schedule.size(), 2u);
    EXPECT_EQ(params.EightThree, defaults.EightThree);
    EXPECT_EQ(params.CreateAllSrcDirs, defaults.CreateAllSrcDirs);
    EXPECT_EQ(params.TrayIcon, defaults.TrayIcon);
    EXPECT_EQ(params.CheckLabel, defaults.CheckLabel);
    EXPECT_EQ(params.TransferPermissions, defaults.TransferPermissions);
    EXPECT_EQ(params.MidnightHours, defaults.MidnightHours);
    EXPECT_EQ(params.Preview.FontName, defaults.Preview.FontName);
    EXPECT_EQ(params.Recycle, defaults.Recycle);
    EXPECT_EQ(params.IgnoreDST, defaults.IgnoreDST);
    EXPECT_EQ(params.AppName, defaults.AppName);
    EXPECT_EQ(params.Log.SmtpServer, defaults.Log.SmtpServer);
    EXPECT_EQ(params.Log.PrintFontSize, defaults.Log.PrintFontSize);
    EXPECT_EQ(params.AutoSense2, defaults.AutoSense2);
    // The "view the log" row alone turns on both log views.
    EXPECT_TRUE(params.Log.ViewOnSuccess && params.Log.ViewOnError);
}

// Every combination of present blocks: each one is read exactly when it is there, whatever is missing before it
// (a 5.0 profile with the 5.02 block but without the 5.01 block, a profile with only the last one ...).
TEST_F(LegacyFormatsTest, Profile4ExtraBlocksAreIndependent) {
    const auto& probes = ExtraBlockProbes();
    for (const auto& probe : probes)
        ASSERT_FALSE(probe(defaults));

    for (unsigned present = 0; present < 64; ++present) {
        SCOPED_TRACE("blocks present: " + std::to_string(present));
        Rows rows = Profile4Base("Tolvan 5.0 Profile");
        for (std::size_t block = 0; block < ExtraBlocks().size(); ++block)
            if (present & (1u << block)) rows = rows + ExtraBlocks()[block];
        ASSERT_TRUE(Read(rows)) << Error();
        for (std::size_t block = 0; block < probes.size(); ++block)
            EXPECT_EQ(probes[block](params), (present & (1u << block)) != 0) << "block " << block;
    }
}

// A marker position may hold a line that is no marker, where a hand-written file keeps the place of a block it
// leaves out: the line is read at its own position and skips only its own block. In every variant, at every
// position, each later block is still read; so it is when the block is simply left out, and when both come
// together in one file.
TEST_F(LegacyFormatsTest, Profile4LineThatIsNoMarkerSkipsOnlyItsOwnBlock) {
    const auto& probes = ExtraBlockProbes();
    std::vector<BlockChanges> cases = EachPositionChanged(ExtraBlocks());
    cases.push_back({{0, ""}, {1, std::nullopt}, {3, "1"}});
    cases.push_back({{1, "Tolvan 4.03 Extra Data"}, {4, std::nullopt}}); // an earlier block's marker is no marker here
    for (const char* firstLine :
         {"Tolvan 4.00 Workfile", "Tolvan 4.1 Profile", "Tolvan 4.2 Profile", "Tolvan 5.0 Profile"}) {
        for (const BlockChanges& changes : cases) {
            SCOPED_TRACE(std::string(firstLine) + ", " + Describe(changes));
            ASSERT_TRUE(Read(Profile4Base(firstLine) + BlocksWith(ExtraBlocks(), changes))) << Error();
            for (std::size_t block = 0; block < probes.size(); ++block)
                EXPECT_EQ(probes[block](params), !changes.contains(block)) << "block " << block;
            EXPECT_EQ(params.Schedule.size(), 2u);
        }
    }
}

TEST_F(LegacyFormatsTest, Profile4FailsOnBadNumbersAndCutBlocksButKeepsWhatItRead) {
    Rows badVariation = Profile4Base("Tolvan 4.2 Profile");
    badVariation[23] = "zwei"; // Variation
    EXPECT_FALSE(Read(badVariation));
    EXPECT_EQ(Error(), 2002);
    EXPECT_EQ(params.DestDirectory, "\\Sicherung\\");
    EXPECT_EQ(params.TouchDest, defaults.TouchDest);

    Rows cutBlock = Profile4Base("Tolvan 5.0 Profile") + Rows{"Tolvan 4.03 Extra Data", "1", "1"};
    EXPECT_FALSE(Read(cutBlock));
    EXPECT_EQ(Error(), 2002);

    // Lines that are no markers are no failure and read no block.
    EXPECT_TRUE(Read(Profile4Base("Tolvan 5.0 Profile") + Rows{"Tolvan 9.99 Extra Data", "1"}));
    EXPECT_EQ(params.TrayIcon, defaults.TrayIcon);
}

TEST_F(LegacyFormatsTest, Profile4CountsNeitherCrashNorReserve) {
    // A count of -1 reads no entry.
    Rows noEntries = Profile4Base("Tolvan 4.1 Profile");
    noEntries[3] = "-1"; // search directories: the count and its two entries
    noEntries.erase(noEntries.begin() + 4, noEntries.begin() + 6);
    ASSERT_TRUE(Read(noEntries)) << Error();
    EXPECT_TRUE(params.SearchDirectories.Empty());

    // Counts far beyond the file run into its end: format error, nothing reserved from the count.
    Rows hugeList = Profile4Base("Tolvan 4.1 Profile");
    hugeList[3] = "2147483647";
    EXPECT_FALSE(Read(hugeList));
    EXPECT_EQ(Error(), 2002);
    Rows hugeSchedule = Profile4Base("Tolvan 4.1 Profile");
    hugeSchedule[hugeSchedule.size() - 3] = "2147483647";
    EXPECT_FALSE(Read(hugeSchedule));
    EXPECT_EQ(Error(), 2002);
}

// The document reader recognises the earlier formats by their first line; files with LF line ends read too.
TEST_F(LegacyFormatsTest, ReadDocumentOpensEarlierProfilesAndBatchFiles) {
    testsupport::TempDir dir;
    std::string profile = Join(Profile4Base("Tolvan 4.2 Profile"));
    std::erase(profile, '\r');
    std::string profilePath = dir.WriteFile("Alt.tvp", profile).string();
    ASSERT_EQ(params.ReadDocument(profilePath), 0);
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
    EXPECT_TRUE(params.LegacyFormat);
    EXPECT_EQ(params.DocumentFile, profilePath);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\Briefe\\");

    std::string batchPath =
        dir.WriteFile("Alt.tvb", Join({"Tolvan 3.00 Batch File", "0", "0", "0", "0", "", "", "C:\\A.tvp"})).string();
    ASSERT_EQ(params.ReadDocument(batchPath), 0);
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
    EXPECT_TRUE(params.LegacyFormat);
    EXPECT_EQ(params.BatchFile, batchPath);
    EXPECT_EQ(params.Batch.Entry(0).Name, "A.tvp");
}

} // namespace

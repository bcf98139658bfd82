// The 3.00 workfile and the oldest profile format: packed rows, full-path lists, hostile counts.
#include "profile/SettingsStore.h"

#include "LegacyTestRows.h"
#include "support/MemorySettings.h"

#include <map>

namespace {

using namespace legacytest;

class LegacyEarlyProfileTest : public LegacyReadTest {};

// A settings file in memory, for option defaults that differ from the built-in ones.
using testsupport::cMemorySettings;

// A "Tolvan 3.00 Workfile" with the three packed rows given.
Rows Workfile3(int shorten, int direction, int orphans) {
    // clang-format off
    return {"Tolvan 3.00 Workfile",
            "Suchverzeichnisse:", "3", "d:\\Daten\\*", "D:\\Briefe\\", "C:\\Alt\\",
            "Ausgeschlossene Verzeichnisse:", "1", "D:\\Daten\\Temp\\*",
            "Vergleichsdateien:", "1", "*.*",
            "Ausgeschlossene Dateien:", "2", "*.bak", "*.tmp",
            "A:\\",                  // ignored
            "1",                     // Variation
            "2",                     // ShowPreview
            "3", "1",                // SortMode, ReverseOrder
            std::to_string(shorten),
            "6",                     // Attributes
            std::to_string(direction),
            "2", "10", "44000",      // AgeMode, RelativeAge, AbsoluteAge
            std::to_string(orphans),
            "255",                   // warning bits
            "1", "1", "4",           // AutoOpen, AutoExit, AutoShutdown
            "0",                     // run-end beep
            "0", "1", "1", "0",      // CreateSrcDirs .. DeleteEmptyDestDirs
            "1",                     // SizesFactor
            "0", "0", "1",           // log: Active, DateTimeMode, FileInfoMode
            "C:\\TOLVAN.LOG", "0", "1", // log: FileName, Append, view
            "1",                     // OneLine
            "1", "1",                // SizesFilter, DoubleFilter
            "12632256", "8421376"};  // Block1Color, Block2Color
    // clang-format on
}

TEST_F(LegacyEarlyProfileTest, Workfile3ReadsEveryRow) {
    ASSERT_TRUE(Read(Workfile3(0, 1, 0))) << Error();
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
    EXPECT_TRUE(params.LegacyFormat);
    // The drive is cut off every entry; the first entry's drive, upper-cased, is the source drive.
    EXPECT_EQ(params.SourceDrive, "D:");
    ASSERT_EQ(params.SearchDirectories.Size(), 3u);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\Alt\\");
    EXPECT_EQ(params.SearchDirectories.Text(1), "\\Briefe\\");
    EXPECT_EQ(params.SearchDirectories.Text(2), "\\Daten\\*");
    ASSERT_EQ(params.ExcludeDirectories.Size(), 1u);
    EXPECT_EQ(params.ExcludeDirectories.Text(0), "\\Daten\\Temp\\*");
    EXPECT_EQ(params.CompareFiles.Size(), 1u);
    EXPECT_EQ(params.ExcludeFiles.Size(), 2u);
    EXPECT_EQ(params.DestDrive, defaults.DestDrive);
    EXPECT_EQ(params.DestDirectory, defaults.DestDirectory);
    EXPECT_EQ(params.Variation, 1);
    EXPECT_TRUE(params.ShowPreview);
    EXPECT_EQ(params.SortMode, 3);
    EXPECT_TRUE(params.ReverseOrder);
    EXPECT_EQ(params.Attributes, AttributeBits(eAttributeChange::Hidden, eAttributeChange::System));
    EXPECT_EQ(params.AgeMode, AgeModeValue(eAgeMode::AbsoluteAge));
    EXPECT_EQ(params.RelativeAge, 10);
    EXPECT_EQ(params.AbsoluteAge, 44000);
    EXPECT_TRUE(params.Warning1Message && params.Warning2Sound && params.Warning4Sound);
    EXPECT_TRUE(params.AutoOpen && params.AutoExit);
    EXPECT_EQ(params.AutoShutdown, 4);
    EXPECT_EQ(params.Event2Sound, defaults.Event2Sound);
    EXPECT_EQ(params.Event2Beep, defaults.Event2Beep);
    EXPECT_FALSE(params.CreateSrcDirs);
    EXPECT_TRUE(params.CreateDestDirs && params.DeleteEmptySrcDirs);
    EXPECT_FALSE(params.DeleteEmptyDestDirs);
    EXPECT_EQ(params.SizesFactor, 1);
    EXPECT_FALSE(params.SizesCompare);
    EXPECT_FALSE(params.Log.Active);
    EXPECT_EQ(params.Log.DateTimeMode, eLogDateTime::None);
    EXPECT_EQ(params.Log.FileInfoMode, eLogFileInfo::WithDateTime);
    EXPECT_EQ(params.Log.FileName, "C:\\TOLVAN.LOG");
    EXPECT_FALSE(params.Log.Append);
    EXPECT_TRUE(params.Log.ViewOnSuccess && params.Log.ViewOnError);
    EXPECT_TRUE(params.Preview.OneLine);
    EXPECT_TRUE(params.Preview.SizesFilter && params.Preview.DoubleFilter);
    EXPECT_EQ(params.Preview.Block1Color, 12632256u);
    EXPECT_EQ(params.Preview.Block2Color, 8421376u);
    EXPECT_EQ(params.Preview.ForwardColor, defaults.Preview.ForwardColor);
}

TEST_F(LegacyEarlyProfileTest, Workfile3UnpacksShortenDirectionAndOrphans) {
    using enum eOrphanMode;
    using enum eTouchMode;
    constexpr eShortenPaths kNone = eShortenPaths::None;
    constexpr eShortenPaths kAutomatic = eShortenPaths::Automatic;
    struct cCase {
        int Shorten, Direction, Orphans;
        eShortenPaths ShortenPaths;
        eTouchMode Touch;
        eOrphanMode D1, D2, B, S1, S2;
    };
    const cCase cases[] = {
        {0, 0, 0, kAutomatic, DestOnly, Forward, Skip, ForwardBackward, Backward, Skip},
        {1, 1, 1, kNone, Both, Skip, Skip, Skip, Skip, Skip},
        {2, 2, 2, kAutomatic, SourceOnly, Forward, Delete, Delete, Backward, Delete},
        {3, -1, 7, kNone, DestOnly, Forward, Skip, ForwardBackward, Backward, Skip},
    };
    for (const cCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Shorten << " " << c.Direction << " " << c.Orphans);
        ASSERT_TRUE(Read(Workfile3(c.Shorten, c.Direction, c.Orphans))) << Error();
        EXPECT_EQ(params.ShortenPaths, c.ShortenPaths);
        EXPECT_EQ(params.TouchMode(), c.Touch);
        EXPECT_EQ(params.OrphanModeD1, c.D1);
        EXPECT_EQ(params.OrphanModeD2, c.D2);
        EXPECT_EQ(params.OrphanModeB, c.B);
        EXPECT_EQ(params.OrphanModeS1, c.S1);
        EXPECT_EQ(params.OrphanModeS2, c.S2);
    }
}

// A profile of the oldest format with the packed rows given.
Rows Oldest(int age, int dirs, int sizes, int direction, int packed,
            const Rows& searchDirectories = {"c:\\Daten\\\x95"}) {
    // clang-format off
    Rows rows = {"11", "irgendwas", "C:\\",
                 "3", "0", "2", "1", // Variation, ShowPreview, SortMode, ShortenPaths
                 std::to_string(age), std::to_string(dirs), std::to_string(sizes), std::to_string(direction),
                 std::to_string(packed),
                 "Verzeichnisse:", std::to_string(searchDirectories.size())};
    // clang-format on
    rows = rows + searchDirectories;
    Rows rest = {"Ausgeschlossen:", "2", "C:\\Daten\\Temp\\\x95", "C:\\Daten\\Cache\\"};
    return rows + rest + Rows{"Dateien:", "1", "*.*", "Ausgeschlossene Dateien:", "0"};
}

TEST_F(LegacyEarlyProfileTest, OldestProfileReadsEveryRowAndTurnsBulletsIntoSubdirectoryMarkers) {
    ASSERT_TRUE(Read(Oldest(14, 3, 1, 1, 0))) << Error();
    EXPECT_EQ(params.DocumentKind, kProfileDocument);
    EXPECT_TRUE(params.LegacyFormat);
    EXPECT_EQ(params.Variation, 3);
    EXPECT_FALSE(params.ShowPreview);
    EXPECT_EQ(params.SortMode, 2);
    EXPECT_EQ(params.ShortenPaths, eShortenPaths::None);
    EXPECT_EQ(params.AgeMode, AgeModeValue(eAgeMode::RelativeAge));
    EXPECT_EQ(params.RelativeAge, 14);
    EXPECT_EQ(params.AbsoluteAge, Today());
    EXPECT_TRUE(params.CreateSrcDirs && params.CreateDestDirs && params.DeleteEmptySrcDirs &&
                params.DeleteEmptyDestDirs);
    EXPECT_TRUE(params.SizesCompare);
    EXPECT_EQ(params.SizesFactor, 5);
    EXPECT_EQ(params.TouchMode(), eTouchMode::Both);

    EXPECT_EQ(params.SourceDrive, "C:");
    ASSERT_EQ(params.SearchDirectories.Size(), 1u);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\Daten\\*");
    ASSERT_EQ(params.ExcludeDirectories.Size(), 2u);
    EXPECT_EQ(params.ExcludeDirectories.Text(0), "\\Daten\\Cache\\");
    EXPECT_EQ(params.ExcludeDirectories.Text(1), "\\Daten\\Temp\\*");
    EXPECT_EQ(params.CompareFiles.Size(), 1u);
    EXPECT_TRUE(params.ExcludeFiles.Empty());

    // 32767 means no age limit; today is the absolute age either way.
    ASSERT_TRUE(Read(Oldest(32767, 0, 0, 1, 0))) << Error();
    EXPECT_EQ(params.AgeMode, AgeModeValue(eAgeMode::None));
    EXPECT_EQ(params.RelativeAge, defaults.RelativeAge);
    EXPECT_EQ(params.AbsoluteAge, Today());
    EXPECT_FALSE(params.CreateSrcDirs || params.CreateDestDirs || params.DeleteEmptySrcDirs ||
                 params.DeleteEmptyDestDirs);
    EXPECT_FALSE(params.SizesCompare);
    EXPECT_EQ(params.SizesFactor, 0);
}

TEST_F(LegacyEarlyProfileTest, OldestProfileDeletesEmptyDirectoriesOnlyOnSidesItMayChange) {
    struct cCase {
        int Direction;
        eTouchMode Touch;
        bool DeleteSrc, DeleteDest;
    };
    for (const cCase& c : {cCase{0, eTouchMode::DestOnly, false, true}, cCase{1, eTouchMode::Both, true, true},
                           cCase{2, eTouchMode::SourceOnly, true, false}}) {
        SCOPED_TRACE(c.Direction);
        ASSERT_TRUE(Read(Oldest(5, 2, 0, c.Direction, 0))) << Error();
        EXPECT_EQ(params.TouchMode(), c.Touch);
        EXPECT_EQ(params.DeleteEmptySrcDirs, c.DeleteSrc);
        EXPECT_EQ(params.DeleteEmptyDestDirs, c.DeleteDest);
    }
}

TEST_F(LegacyEarlyProfileTest, OldestProfileUnpacksOrphansAndAttributes) {
    using enum eOrphanMode;
    using enum eAttributeChange;
    struct cCase {
        int Packed;
        eOrphanMode D2, B, S1, S2;
        int Attributes;
    };
    const cCase cases[] = {
        {0, Skip, ForwardBackward, Backward, Skip, AttributeBits()},
        {1, Skip, Skip, Skip, Skip, AttributeBits()},
        {2, Delete, Delete, Backward, Delete, AttributeBits()},
        {3, Skip, Skip, Skip, Skip, AttributeBits()},
        {4, Skip, ForwardBackward, Backward, Skip, AttributeBits(Hidden)},
        {8, Skip, ForwardBackward, Backward, Skip, AttributeBits(System)},
        {16, Skip, ForwardBackward, Backward, Skip, AttributeBits(ReadOnly)},
        {30, Delete, Delete, Backward, Delete, AttributeBits(ReadOnly, Hidden, System)},
    };
    // A default from the settings must not mix into the attributes the file gives.
    cMemorySettings settings;
    settings.Write("Options", "Attributes", "1");
    settings.Write("Options", "OrphanModeD1", "6");
    params.Settings = &settings;
    for (const cCase& c : cases) {
        SCOPED_TRACE(c.Packed);
        ASSERT_TRUE(Read(Oldest(5, 0, 0, 1, c.Packed))) << Error();
        EXPECT_EQ(params.OrphanModeD1, Forward);
        EXPECT_EQ(params.OrphanModeD2, c.D2);
        EXPECT_EQ(params.OrphanModeB, c.B);
        EXPECT_EQ(params.OrphanModeS1, c.S1);
        EXPECT_EQ(params.OrphanModeS2, c.S2);
        EXPECT_EQ(params.Attributes, c.Attributes);
    }
    params.Settings = nullptr;
}

TEST_F(LegacyEarlyProfileTest, FullPathEntriesTooShortForADriveAreDropped) {
    ASSERT_TRUE(Read(Oldest(5, 0, 0, 1, 0,
                            {"", "x", "\x95", "e:",
                             "\xE4:\\\xDC"
                             "ber\\",
                             "c:\\Daten\\"})))
        << Error();
    // "e:" is the first entry with a drive, though nothing is left of it after the drive.
    EXPECT_EQ(params.SourceDrive, "E:");
    ASSERT_EQ(params.SearchDirectories.Size(), 2u);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\Daten\\");
    EXPECT_EQ(params.SearchDirectories.Text(1), "\\\xC3\x9C"
                                                "ber\\"); // "\Über\": whole characters cut
}

TEST_F(LegacyEarlyProfileTest, ALoneCrInAFullPathEntryIsABlankBeforeTheListIsSorted) {
    // Directories "\r0" and " " behind a drive of two characters: sorted as read, "\r0" would come first and be
    // written as " 0", which sorts after " " when the written file is read again.
    ASSERT_TRUE(Read(Oldest(5, 0, 0, 1, 0, {"2\x95\r0", "11 "}))) << Error();
    ASSERT_EQ(params.SearchDirectories.Size(), 2u);
    EXPECT_EQ(params.SearchDirectories.Text(0), " ");
    EXPECT_EQ(params.SearchDirectories.Text(1), " 0");
}

TEST_F(LegacyEarlyProfileTest, HostileCountsAndLengthsNeitherCrashNorReserve) {
    EXPECT_FALSE(Read({"0", "", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "Verzeichnisse:", "2147483647"}));
    EXPECT_EQ(Error(), 2002);
    Rows cutWorkfile = Workfile3(0, 1, 0);
    cutWorkfile.pop_back();
    EXPECT_FALSE(Read(cutWorkfile));
    EXPECT_EQ(Error(), 2002);

    // Many entries of a directory list in reverse order.
    Rows manyDirectories = {"0", "", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "Verzeichnisse:", "20000"};
    for (int i = 20000; i > 0; --i) {
        std::string number = std::to_string(i);
        manyDirectories.push_back("C:\\D" + std::string(5 - number.size(), '0') + number + "\\");
    }
    manyDirectories = manyDirectories + Rows{"Ausgeschlossen:", "0", "Dateien:", "0", "Ausgeschlossene Dateien:", "0"};
    ASSERT_TRUE(Read(manyDirectories)) << Error();
    EXPECT_EQ(params.SearchDirectories.Size(), 20000u);
    EXPECT_EQ(params.SearchDirectories.Text(0), "\\D00001\\");
}

} // namespace

#include "destinations/Variation.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/RenameNoReplace.h"
#include "profile/Parameters.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using testsupport::EnvironmentOverride;

// Clears the environment variables the user-name variation reads, for one scope.
struct NoUserName {
    EnvironmentOverride userName{"USERNAME", std::nullopt};
    EnvironmentOverride user{"USER", std::nullopt};
    EnvironmentOverride logName{"LOGNAME", std::nullopt};
};

class VariationTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetClock(std::nullopt); }

    // Sets the clock to noon (Berlin) of a day, far from midnight in any direction.
    static void SetDay(int year, int month, int day) {
        platform::SetClock(platform::JoinFileTime(year, month, day, 11));
    }

    cParameters Params(int variation, bool eightThree) {
        cParameters params;
        params.DestDirectory = "\\Sicherung\\";
        params.DestArchive = "Backup.zip";
        params.Variation = static_cast<std::uint8_t>(variation);
        params.EightThree = eightThree;
        return params;
    }
};

struct NameCase {
    int year, month, day;
    int variation;
    bool eightThree;
    double dateOffset;
    const char* expected;
};

TEST_F(VariationTest, DateBasedNamesFollowTheShiftedLocalDate) {
    const NameCase cases[] = {
        {2026, 12, 10, kVariationWeekday, false, 0, "Donnerstag"},
        {2026, 12, 10, kVariationWeekday, true, 0, "Donnerst"},
        {2026, 12, 9, kVariationWeekday, true, 0, "Mittwoch"},
        {2026, 12, 9, kVariationDate, true, 0, "A091226"},
        {2026, 12, 9, kVariationDate, false, 0, "Mittwoch, 9. Dezember 2026"},
        {2026, 12, 31, kVariationEvenOdd, false, 0, "Ungerade"},
        {2027, 1, 1, kVariationEvenOdd, true, 0, "Ungerade"},
        {2026, 12, 10, kVariationEvenOdd, false, 0, "Gerade"},
        // One day back from New Year's Day: the last day of the year before, in every date-based variation.
        {2027, 1, 1, kVariationWeekday, false, 1, "Donnerstag"},
        {2027, 1, 1, kVariationDate, true, 1, "A311226"},
        {2027, 1, 1, kVariationDate, false, 1, "Donnerstag, 31. Dezember 2026"},
        {2027, 1, 2, kVariationEvenOdd, false, 1, "Ungerade"},
    };
    for (const NameCase& c : cases) {
        SetDay(c.year, c.month, c.day);
        EXPECT_EQ(VariationName(c.variation, c.eightThree, c.dateOffset), c.expected)
            << c.day << '.' << c.month << '.' << c.year << " variation " << c.variation << " 8.3 " << c.eightThree
            << " offset " << c.dateOffset;
    }
}

TEST_F(VariationTest, DatesAreLocalAndShiftedAfterMidnight) {
    // 23:30 UTC on 9 December is 00:30 on Thursday 10 December in Berlin; the run started on the 9th.
    platform::SetClock(platform::JoinFileTime(2026, 12, 9, 23, 30));
    EXPECT_EQ(VariationName(kVariationWeekday, false, 0), "Donnerstag");
    EXPECT_EQ(VariationName(kVariationWeekday, false, 1), "Mittwoch");
    EXPECT_EQ(VariationName(kVariationDate, true, 1), "A091226");
}

TEST_F(VariationTest, ResolvesDirectoryAndKeepsArchiveName) {
    SetDay(2026, 12, 10);
    cParameters params = Params(kVariationWeekday, false);
    ResolveVariation(params, "/nirgends");
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\Donnerstag\\");
    EXPECT_EQ(params.ResolvedArchiveName, "Backup.zip");

    params = Params(kVariationFixed, true);
    params.DestDirectory = "\\Sicherung %DAY%\\";
    ResolveVariation(params, "/nirgends");
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung 10\\");
    EXPECT_EQ(params.ResolvedArchiveName, "Backup.zip");

    // Variables and the variation see the same shifted date.
    params = Params(kVariationEvenOdd, false);
    params.DestDirectory = "\\%DAY%\\";
    params.DateOffset = 1;
    ResolveVariation(params, "/nirgends");
    EXPECT_EQ(params.ResolvedDestDirectory, "\\09\\Ungerade\\");

    // A directory that lost its closing "\" through a variable still gets the name as a directory of its own.
    params = Params(kVariationEvenOdd, false);
    params.DestDirectory = "%TOLVAN_TEST_UNSET%";
    ResolveVariation(params, "/nirgends");
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Gerade\\");
}

TEST_F(VariationTest, ZipPutsTheVariationIntoTheArchiveName) {
    SetDay(2026, 12, 10);
    struct ZipCase {
        eDestType destType;
        bool addVariation;
        const char* archive;
        const char* directory;
        const char* archiveName;
    };
    const ZipCase cases[] = {
        {eDestType::Zip, true, "Backup.zip", "\\Sicherung\\", "Backup Gerade.zip"},
        {eDestType::Zip, true, "Backup", "\\Sicherung\\", "Backup Gerade"},
        {eDestType::Zip, true, "Woche.alt.zip", "\\Sicherung\\", "Woche.alt Gerade.zip"},
        // Without the option, or for a directory destination, the variation stays a directory.
        {eDestType::Zip, false, "Backup.zip", "\\Sicherung\\Gerade\\", "Backup.zip"},
        {eDestType::Directory, true, "Backup.zip", "\\Sicherung\\Gerade\\", "Backup.zip"},
    };
    for (const ZipCase& c : cases) {
        cParameters params = Params(kVariationEvenOdd, false);
        params.DestType = c.destType;
        params.ZipAddVariation = c.addVariation;
        params.DestArchive = c.archive;
        ResolveVariation(params, "/nirgends");
        EXPECT_EQ(params.ResolvedDestDirectory, c.directory) << c.archive;
        EXPECT_EQ(params.ResolvedArchiveName, c.archiveName) << c.archive;
    }
}

TEST_F(VariationTest, UserNameComesFromTheEnvironmentAndStaysOneDirectory) {
    NoUserName none;
    EXPECT_EQ(VariationName(kVariationUserName, false, 0), "Unbekannter Benutzer");
    EXPECT_EQ(VariationName(kVariationUserName, true, 0), "Unbkannt");
    {
        EnvironmentOverride logName("LOGNAME", "lena");
        EXPECT_EQ(VariationName(kVariationUserName, false, 0), "lena");
        EnvironmentOverride user("USER", "anna");
        EXPECT_EQ(VariationName(kVariationUserName, false, 0), "anna");
        EnvironmentOverride userName("USERNAME", "Jörg Müller-Lüdenscheidt");
        EXPECT_EQ(VariationName(kVariationUserName, false, 0), "Jörg Müller-Lüdenscheidt");
        // Cut by characters, not bytes: the umlaut stays whole.
        EXPECT_EQ(VariationName(kVariationUserName, true, 0), "Jörg Mül");
    }
    {
        EnvironmentOverride userName("USERNAME", "../../etc");
        cParameters params = Params(kVariationUserName, false);
        ResolveVariation(params, "/nirgends");
        EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\....etc\\");
    }
    {
        // Nothing left after cleaning counts as no name; the next variable is asked.
        EnvironmentOverride userName("USERNAME", "..");
        EXPECT_EQ(VariationName(kVariationUserName, true, 0), "Unbkannt");
        EnvironmentOverride user("USER", "anna");
        EXPECT_EQ(VariationName(kVariationUserName, true, 0), "anna");
    }
}

TEST(RenameNoReplace, FailsForAMissingSourceAndAnExistingTarget) {
    testsupport::TempDir dir;
    const std::string a = (dir.Path() / "a").string();
    const std::string b = (dir.Path() / "b").string();
    fs::create_directory(a);
    fs::create_directory(b); // empty: rename(2) alone would replace it
    EXPECT_EQ(platform::RenameNoReplace(a, b), 183);
    EXPECT_EQ(platform::RenameNoReplace((dir.Path() / "c").string(), (dir.Path() / "d").string()), 2);
    fs::remove(b);
    EXPECT_EQ(platform::RenameNoReplace(a, b), 0);
    EXPECT_TRUE(fs::is_directory(b));
    EXPECT_FALSE(fs::exists(a));
}

class RotationTest : public VariationTest {
protected:
    fs::path Base() const { return root.Path() / "Sicherung"; }

    // One run: resolve, then back up into the resolved directory as a mirroring run does: it is created when
    // missing and ends up holding only this run's marker. Returns the markers found in "Enkel" before writing.
    std::string Run(int number, bool eightThree = false) {
        cParameters params = Params(kVariationGenerations, eightThree);
        ResolveVariation(params, root.Path().string());
        EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\Enkel\\");
        std::string found = Markers("Enkel");
        fs::remove_all(Base() / "Enkel");
        fs::create_directories(Base() / "Enkel");
        std::ofstream(Base() / "Enkel" / ("Lauf" + std::to_string(number))) << number;
        return found;
    }

    // The run markers in one generation's directory, "-" when the directory does not exist.
    std::string Markers(const char* generation) const {
        const fs::path dir = Base() / generation;
        if (!fs::is_directory(dir)) return "-";
        std::string names;
        for (int run = 1; run <= 9; ++run)
            if (fs::exists(dir / ("Lauf" + std::to_string(run)))) names += std::to_string(run);
        return names;
    }

    testsupport::TempDir root;
};

TEST_F(RotationTest, ThreeGenerationsFillUpAndTheOldestBecomesTheNewest) {
    fs::create_directories(Base());
    const struct {
        const char* found; // in "Enkel" when the run starts writing
        const char* sohn;
        const char* vater;
    } expected[] = {
        {"-", "-", "-"},
        {"-", "1", "-"},
        {"-", "2", "1"},
        // The first run's directory was the father and came back as the grandson, where the run replaced it.
        {"1", "3", "2"},
        {"2", "4", "3"},
    };
    for (int run = 1; run <= 5; ++run) {
        const auto& e = expected[run - 1];
        EXPECT_EQ(Run(run), e.found) << "run " << run;
        EXPECT_EQ(Markers("Enkel"), std::to_string(run)) << "after run " << run;
        EXPECT_EQ(Markers("Sohn"), e.sohn) << "after run " << run;
        EXPECT_EQ(Markers("Vater"), e.vater) << "after run " << run;
        EXPECT_FALSE(fs::exists(Base() / "Grossvater")) << "after run " << run;
    }
}

TEST_F(RotationTest, APlanRenamesNothingAndLooksAtTheDirectoryTheRotationWouldReuse) {
    fs::create_directories(Base());
    for (int run = 1; run <= 3; ++run)
        Run(run);
    const std::string before = Markers("Enkel") + Markers("Sohn") + Markers("Vater");
    cParameters params = Params(kVariationGenerations, false);
    ResolveVariation(params, root.Path().string(), false);
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\Vater\\");
    EXPECT_EQ(Markers("Enkel") + Markers("Sohn") + Markers("Vater"), before);
    // The real run then finds in "Enkel" what the plan saw in "Vater".
    const std::string planned = Markers("Vater");
    EXPECT_EQ(Run(4), planned);
}

TEST_F(RotationTest, ZipWithVariationRotatesDirectoriesAndNamesTheArchiveEnkel) {
    fs::create_directories(Base() / "Enkel");
    cParameters params = Params(kVariationGenerations, true);
    params.DestType = eDestType::Zip;
    params.ZipAddVariation = true;
    ResolveVariation(params, root.Path().string());
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\");
    EXPECT_EQ(params.ResolvedArchiveName, "Backup Enkel.zip");
    EXPECT_TRUE(fs::is_directory(Base() / "Sohn"));
    EXPECT_FALSE(fs::exists(Base() / "Enkel"));
    EXPECT_FALSE(fs::exists(Base() / "Grossvtr"));
}

TEST_F(RotationTest, FtpDestinationRenamesNothing) {
    fs::create_directories(Base() / "Enkel");
    cParameters params = Params(kVariationGenerations, false);
    params.DestType = eDestType::Ftp;
    ResolveVariation(params, root.Path().string());
    EXPECT_EQ(params.ResolvedDestDirectory, "\\Sicherung\\Enkel\\");
    EXPECT_TRUE(fs::is_directory(Base() / "Enkel"));
    EXPECT_FALSE(fs::exists(Base() / "Sohn"));
}

TEST_F(RotationTest, AnInterruptedRotationHealsOnTheNextRun) {
    for (const bool eightThree : {false, true}) {
        const char* passing = eightThree ? "Grossvtr" : "Grossvater";
        // A run stopped after its first rename left the passing name behind.
        fs::remove_all(Base());
        fs::create_directories(Base() / passing);
        std::ofstream(Base() / passing / "Lauf1") << 1;
        fs::create_directories(Base() / "Sohn");
        std::ofstream(Base() / "Sohn" / "Lauf2") << 2;
        fs::create_directories(Base() / "Enkel");
        std::ofstream(Base() / "Enkel" / "Lauf3") << 3;
        EXPECT_EQ(Run(4, eightThree), "1") << passing;
        EXPECT_EQ(Markers("Sohn"), "3") << passing;
        EXPECT_EQ(Markers("Vater"), "2") << passing;
        EXPECT_FALSE(fs::exists(Base() / passing)) << passing;
    }
}

} // namespace

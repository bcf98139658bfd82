// The directory pass: entry forms, exclusions, mapping through the cut path, links, depth and names
// the program cannot carry, on real temporary trees.
#include "engine/DirectoryPass.h"

#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

class DirectoryPassTest : public ::testing::Test {
protected:
    void MakeDirs(const Lines& relative, const fs::path& base) const {
        for (const std::string& dir : relative)
            fs::create_directories(base / dir);
    }
    std::string Root() const { return source.Path().string(); }

    Lines Collect(std::string_view pattern, std::vector<cScanProblem>* problems = nullptr) const {
        Lines list;
        std::vector<cScanProblem> found;
        CollectDirectories(Root(), pattern, list, found);
        if (problems) *problems = found;
        return Sorted(list);
    }

    testsupport::TempDir source;
    testsupport::TempDir dest;
};

TEST(MapDirectoryTest, ReplacesTheLeadingDirectoryAtAComponentBoundary) {
    struct Case {
        const char* path;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"\\Daten\\Projekte\\X\\", "\\Daten\\Projekte", "\\Ziel\\", "\\Ziel\\X\\"},
        {"\\Daten\\Projekte\\X\\", "", "\\Ziel\\", "\\Ziel\\Daten\\Projekte\\X\\"},
        {"\\Daten\\Projekte\\X\\", "", "\\", "\\Daten\\Projekte\\X\\"},
        {"\\Daten\\Projekte\\X\\", "\\Daten\\Projekte\\", "\\", "\\X\\"},
        {"\\daten\\X\\", "Daten\\", "Ziel", "\\Ziel\\X\\"},
        {"\\Daten\\", "\\Daten", "\\Ziel", "\\Ziel\\"},
        {"\\Ziel\\X\\", "\\Ziel\\", "\\Daten\\Projekte", "\\Daten\\Projekte\\X\\"},
        {"\\DATEN\\X\\", "\\daten\\", "\\Ziel", "\\Ziel\\X\\"}, // a typed prefix ignores case
        {"\\ΩMEGA\\X\\", "\\ωmega", "\\Ziel", "\\Ziel\\X\\"},   // beyond Latin-1 too
        {"\\DatenAlt\\X\\", "\\Daten", "\\Ziel", ""},           // a longer name is no subdirectory
        {"\\Andere\\", "\\Daten", "\\Ziel", ""},
        {"\\", "\\Daten", "\\Ziel", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapDirectory(c.path, c.from, c.to), c.expected) << c.path << " from " << c.from << " to " << c.to;
}

TEST_F(DirectoryPassTest, DirectoryEntryForms) {
    MakeDirs({"Projekte/A/B", "Projekte/Alt/sub", "Projekte/x/Archiv/y", "Projekte/x/sub", "Andere"}, source.Path());
    const Lines all = {
        "\\Projekte\\",           "\\Projekte\\A\\", "\\Projekte\\A\\B\\",      "\\Projekte\\Alt\\",
        "\\Projekte\\Alt\\sub\\", "\\Projekte\\x\\", "\\Projekte\\x\\Archiv\\", "\\Projekte\\x\\Archiv\\y\\",
        "\\Projekte\\x\\sub\\"};
    struct Case {
        const char* pattern;
        Lines expected;
    };
    const Case cases[] = {
        {"\\Projekte\\*", all},
        {"\\Projekte\\A*",
         {"\\Projekte\\A\\", "\\Projekte\\A\\B\\", "\\Projekte\\Alt\\", "\\Projekte\\Alt\\sub\\",
          "\\Projekte\\x\\Archiv\\", "\\Projekte\\x\\Archiv\\y\\"}},
        {"\\Projekte\\*IV", {"\\Projekte\\x\\Archiv\\", "\\Projekte\\x\\Archiv\\y\\"}},
        {"\\Projekte\\*sub*", {"\\Projekte\\Alt\\sub\\", "\\Projekte\\x\\sub\\"}},
        {"\\Fehlt\\*", {"\\Fehlt\\"}},
        {"\\Fehlt\\a*", {}},
        {"\\Projekte\\", {"\\Projekte\\"}},
        {"\\Projekte", {"\\Projekte\\"}},
        {"Projekte\\", {"\\Projekte\\"}},
        {"\\Fehlt\\", {"\\Fehlt\\"}},
        {"\\Projekte\\a?c", {"\\Projekte\\a?c\\"}},
        {"\\Projekte\\a*b*", {"\\Projekte\\a*b*\\"}},
        {"\\", {"\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Collect(c.pattern), Sorted(c.expected)) << c.pattern;

    Lines everything = all;
    everything.insert(everything.end(), {"\\", "\\Andere\\"});
    EXPECT_EQ(Collect("\\*"), Sorted(everything));
}

TEST_F(DirectoryPassTest, EntriesWithStarIgnoreCaseInEveryPart) {
    // Two directories that differ only in case both match; an entry without star stays as written.
    MakeDirs({"Projekte/Alt/sub", "Projekte/Neu", "PROJEKTE/Alt", "Ωmega/Alt"}, source.Path());
    struct Case {
        const char* pattern;
        Lines expected;
    };
    const Case cases[] = {
        {"\\projekte\\*",
         {"\\PROJEKTE\\", "\\PROJEKTE\\Alt\\", "\\Projekte\\", "\\Projekte\\Alt\\", "\\Projekte\\Alt\\sub\\",
          "\\Projekte\\Neu\\"}},
        {"\\projekte\\alt\\*", {"\\PROJEKTE\\Alt\\", "\\Projekte\\Alt\\", "\\Projekte\\Alt\\sub\\"}},
        {"\\PROJEKTE\\*UB", {"\\Projekte\\Alt\\sub\\"}},
        {"\\ωMEGA\\a*", {"\\Ωmega\\Alt\\"}},
        {"\\projekte\\", {"\\projekte\\"}},
        // Not on disk: as far as the disk has it in its spelling (the first in byte order), the rest as typed.
        {"\\projekte\\fehlt\\*", {"\\PROJEKTE\\fehlt\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Collect(c.pattern), Sorted(c.expected)) << c.pattern;
}

TEST_F(DirectoryPassTest, SpellingOnDiskOfATypedPrefix) {
    MakeDirs({"Daten/Projekte", "daten", "Musik"}, source.Path());
    struct Case {
        const char* prefix;
        const char* expected;
    };
    const Case cases[] = {
        {"\\MUSIK\\", "\\Musik"},
        {"\\daten\\projekte", "\\daten\\projekte"}, // the spelling typed wins where it is on disk
        {"\\DATEN\\projekte", "\\Daten\\Projekte"}, // else the first in byte order
        {"\\musik\\Neu\\Alt", "\\Musik\\Neu\\Alt"},
        {"\\", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpellingOnDisk(Root(), c.prefix), c.expected) << c.prefix;

    MakeDirs({"DATEN/Projekte"}, source.Path());
    EXPECT_EQ(Sorted(MatchingDirectories(Root(), "\\daten\\PROJEKTE\\")),
              (Lines{"\\DATEN\\Projekte\\", "\\Daten\\Projekte\\"}));
    EXPECT_EQ(MatchingDirectories(Root(), "\\DATEN\\Alt"), (Lines{"\\DATEN\\Alt\\"}));
    EXPECT_EQ(MatchingDirectories(Root(), "\\"), (Lines{"\\"}));
}

TEST_F(DirectoryPassTest, ATypedCutPathInAnotherCaseMapsBackOntoTheDisk) {
    // The source lacks Y, the destination lacks X: each side gets the other's, the source in its own spelling.
    MakeDirs({"Daten/Projekte/X"}, source.Path());
    MakeDirs({"Ziel/Projekte/Y"}, dest.Path());
    cDirectoryPassInput input{Root(), dest.Path().string(), {"\\Daten\\Projekte\\*"}, {}, "\\DATEN\\", "\\ziel", {}};
    Lines sourceDirs;
    Lines destDirs;
    std::vector<cScanProblem> problems;
    ASSERT_EQ(BuildDirectoryLists(input, sourceDirs, destDirs, problems), 0);
    EXPECT_EQ(sourceDirs, (Lines{"\\Daten\\Projekte\\", "\\Daten\\Projekte\\X\\", "\\Daten\\Projekte\\Y\\"}));
    EXPECT_EQ(destDirs, (Lines{"\\Ziel\\Projekte\\", "\\Ziel\\Projekte\\X\\", "\\Ziel\\Projekte\\Y\\"}));
}

TEST_F(DirectoryPassTest, CaseVariantsBelowATypedPrefixStayPaired) {
    // Two source directories that differ only in case below the cut path: each keeps its own destination
    // directory, entry i of both lists naming the same one, though each list sorted alone would pair them
    // crosswise. The destination directory as typed is one directory: its case variant on disk is not searched.
    MakeDirs({"PROJEKTE/a", "Projekte/A"}, source.Path());
    MakeDirs({"Ziel/a", "ZIEL/a", "ZIEL/A"}, dest.Path());
    cDirectoryPassInput input{Root(), dest.Path().string(), {"\\projekte\\a*"}, {}, "\\projekte", "\\Ziel\\", {}};
    Lines sourceDirs;
    Lines destDirs;
    std::vector<cScanProblem> problems;
    ASSERT_EQ(BuildDirectoryLists(input, sourceDirs, destDirs, problems), 0);
    EXPECT_EQ(sourceDirs, (Lines{"\\PROJEKTE\\a\\", "\\Projekte\\A\\"}));
    EXPECT_EQ(destDirs, (Lines{"\\Ziel\\a\\", "\\Ziel\\A\\"}));
}

TEST_F(DirectoryPassTest, AnEntryLeavingTheRootIsRefused) {
    // "/" separates components as "\\" does: the native path would climb out just the same.
    for (const char* entry : {"\\Projekte\\..\\..\\*", "\\x/../../victim\\*", "\\..\\", "../victim"}) {
        std::vector<cScanProblem> problems;
        EXPECT_TRUE(Collect(entry, &problems).empty()) << entry;
        ASSERT_EQ(problems.size(), 1u) << entry;
        EXPECT_EQ(problems[0].Code, platform::kBadPathname) << entry;
    }
}

TEST_F(DirectoryPassTest, ExclusionsWithAndWithoutSubdirectories) {
    MakeDirs({"Projekte/Alt/sub", "Projekte/x/Archiv", "Projekte/Neu"}, source.Path());
    cDirectoryPassInput input{
        Root(), dest.Path().string(), {"\\Projekte\\*"}, {"\\Projekte\\Alt\\*", "\\Projekte\\x\\"}, "", "\\", {}};
    Lines sourceDirs;
    Lines destDirs;
    std::vector<cScanProblem> problems;
    ASSERT_EQ(BuildDirectoryLists(input, sourceDirs, destDirs, problems), 0);
    const Lines expected = {"\\Projekte\\", "\\Projekte\\Neu\\", "\\Projekte\\x\\Archiv\\"};
    EXPECT_EQ(sourceDirs, expected);
    EXPECT_EQ(destDirs, expected);
    EXPECT_TRUE(problems.empty());
}

TEST_F(DirectoryPassTest, BothListsNameTheUnionMappedThroughTheCutPath) {
    MakeDirs({"Daten/Projekte/X", "Daten/Projekte/Gleich"}, source.Path());
    MakeDirs({"Ziel/Y", "Ziel/Gleich", "Ziel/gleich", "Anderswo"}, dest.Path());
    cDirectoryPassInput input{
        Root(), dest.Path().string(), {"\\Daten\\Projekte\\*"}, {}, "\\Daten\\Projekte", "\\Ziel\\", {}};
    Lines sourceDirs;
    Lines destDirs;
    std::vector<cScanProblem> problems;
    ASSERT_EQ(BuildDirectoryLists(input, sourceDirs, destDirs, problems), 0);
    // Names differing only in case are two directories; the destination-only ones appear on both sides.
    EXPECT_EQ(sourceDirs, (Lines{"\\Daten\\Projekte\\", "\\Daten\\Projekte\\Gleich\\", "\\Daten\\Projekte\\gleich\\",
                                 "\\Daten\\Projekte\\X\\", "\\Daten\\Projekte\\Y\\"}));
    EXPECT_EQ(destDirs, (Lines{"\\Ziel\\", "\\Ziel\\Gleich\\", "\\Ziel\\gleich\\", "\\Ziel\\X\\", "\\Ziel\\Y\\"}));
}

TEST_F(DirectoryPassTest, OverlappingEntriesGiveEachDirectoryOnce) {
    MakeDirs({"a/b"}, source.Path());
    cDirectoryPassInput input{Root(), dest.Path().string(), {"\\a\\*", "\\a\\b\\", "\\*"}, {}, "", "", {}};
    Lines sourceDirs;
    Lines destDirs;
    std::vector<cScanProblem> problems;
    ASSERT_EQ(BuildDirectoryLists(input, sourceDirs, destDirs, problems), 0);
    EXPECT_EQ(sourceDirs, (Lines{"\\", "\\a\\", "\\a\\b\\"}));
    EXPECT_EQ(destDirs, sourceDirs);
}

TEST_F(DirectoryPassTest, DirectorySymlinksAreNotDescended) {
    MakeDirs({"loop/inner"}, source.Path());
    fs::create_directory_symlink("..", source.Path() / "loop/inner/up");
    fs::create_directory_symlink(source.Path() / "loop", source.Path() / "link");
    EXPECT_EQ(Collect("\\*"), (Lines{"\\", "\\loop\\", "\\loop\\inner\\"}));
}

TEST_F(DirectoryPassTest, ADeepTreeIsWalkedWithoutRecursion) {
    constexpr int kDepth = 300;
    fs::path deep = source.Path();
    std::string expectedDeepest = "\\";
    for (int i = 0; i < kDepth; ++i) {
        deep /= "d";
        expectedDeepest += "d\\";
    }
    fs::create_directories(deep);
    const Lines found = Collect("\\*");
    ASSERT_EQ(found.size(), static_cast<std::size_t>(kDepth + 1));
    EXPECT_EQ(found.back(), expectedDeepest);
}

TEST_F(DirectoryPassTest, ADirectoryNameThatCannotBeCarriedIsReported) {
    MakeDirs({"gut", "schlecht\\name/unten"}, source.Path());
    std::vector<cScanProblem> problems;
    EXPECT_EQ(Collect("\\*", &problems), (Lines{"\\", "\\gut\\"}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Code, platform::kInvalidName);
    EXPECT_EQ(problems[0].Path, (source.Path() / "schlecht\\name").string());
}

TEST_F(DirectoryPassTest, AbortStopsTheWalk) {
    MakeDirs({"a/b/c"}, source.Path());
    Lines list;
    std::vector<cScanProblem> problems;
    int calls = 0;
    ListSubdirectories(Root(), "\\", list, problems, {.Stopping = [&] { return ++calls > 2; }});
    EXPECT_EQ(list, (Lines{"\\", "\\a\\"}));
}

TEST(RemoveNamesTest, SubtractsExactNames) {
    Lines list = {"\\a\\", "\\A\\", "\\b\\", "\\a\\"};
    RemoveNames(list, {"\\a\\", "\\c\\"});
    EXPECT_EQ(list, (Lines{"\\A\\", "\\b\\"}));
}

TEST(SortAndRemoveDuplicatesTest, SortsWithoutCaseAndKeepsCaseVariants) {
    Lines list = {"\\b\\", "\\A\\", "\\a\\", "\\B\\", "\\a\\", "\\A\\"};
    SortAndRemoveDuplicates(list);
    EXPECT_EQ(list, (Lines{"\\A\\", "\\a\\", "\\B\\", "\\b\\"}));
}

} // namespace

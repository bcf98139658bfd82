// Whole runs that check how the directories the user types find the directories on disk: a typed prefix
// (PathOffset, the destination directory) and a directory entry with "*" match without regard to case, the same
// way in both directions of the mapping, while names found on disk keep their spelling; variables in the entries
// are expanded before the common prefix is taken from them.
#include "RunFixture.h"

namespace runtest {
namespace {

class RunTypedDirectoriesTest : public RunFixture {
protected:
    // Runs act on their trees, so each case builds its own; only problems are logged.
    RunTypedDirectoriesTest() { p.Log.NoNormal = true; }

    // The files below root, relative with "/", sorted.
    static std::vector<std::string> FilesBelow(const fs::path& root) {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(root).string());
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(RunTypedDirectoriesTest, PathOffsetInAnotherCaseMapsBothWays) {
    // Both sides are touched and orphans copied: the new source file goes to the destination, the file only the
    // destination has comes back into the source directory as the disk spells it.
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Daten\\Projekte\\*");
    p.ShortenPaths = eShortenPaths::ByPathOffset;
    p.OrphanModeB = eOrphanMode::ForwardBackward;
    const std::vector<cTreeFile> tree = {
        {kSrc, "Daten/Projekte/A/plan.txt", "neu", kNewer},
        {kDst, "Sicherung/Projekte/A/alt.txt", "alt", kOlder},
        {kDst, "Sicherung/Projekte/B/nur-ziel.txt", "ziel", kOlder},
    };
    const std::vector<std::string> bothSides = {"Projekte/A/alt.txt", "Projekte/A/plan.txt", "Projekte/B/nur-ziel.txt"};
    struct Case {
        const char* name;
        const char* pathOffset;
        const char* destDirectory;
    };
    const Case cases[] = {
        {"as on disk", "\\Daten", "\\Sicherung\\"},
        {"lower case", "\\daten", "\\Sicherung\\"},
        {"upper case with a trailing backslash", "\\DATEN\\", "\\Sicherung\\"},
        {"the destination directory in another case too", "\\daten", "\\SICHERUNG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.PathOffset = c.pathOffset;
        p.DestDirectory = c.destDirectory;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(LogEvents(), Lines{});
        EXPECT_EQ(plannedAtDest, (Plan{{"Ziel/Sicherung/Projekte/A/plan.txt", kPlanForward},
                                       {"Ziel/Sicherung/Projekte/A/alt.txt", kPlanBackward},
                                       {"Ziel/Sicherung/Projekte/B/nur-ziel.txt", kPlanBackward}}));
        std::vector<std::string> source;
        for (const std::string& file : bothSides)
            source.push_back("Daten/" + file);
        EXPECT_EQ(FilesBelow(Source()), source);
        std::vector<std::string> dest;
        for (const std::string& file : bothSides)
            dest.push_back("Sicherung/" + file);
        EXPECT_EQ(FilesBelow(Dest()), dest);

        // Both directions agree: the next run finds nothing to do.
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."});
    }
}

TEST_F(RunTypedDirectoriesTest, EntriesWithStarMatchEveryPartWithoutRegardToCase) {
    p.SetTouchMode(eTouchMode::DestOnly); // every source file found is a new file for the destination
    p.ShortenPaths = eShortenPaths::None;
    std::vector<cTreeFile> tree;
    for (const char* file :
         {"Projekte/a.txt", "Projekte/Alt/b.txt", "Projekte/Neu/c.txt", "PROJEKTE/Alt/d.txt", "Andere/Alt/e.txt"})
        tree.push_back({kSrc, file, "x", kNewer});
    struct Case {
        const char* name;
        const char* search;
        const char* excluded;
        std::vector<std::string> found; // below Quelle/
    };
    // clang-format off
    const Case cases[] = {
        {"every part of the prefix; two directories that differ only in case both match", "\\projekte\\*", "",
         {"PROJEKTE/Alt/d.txt", "Projekte/Alt/b.txt", "Projekte/Neu/c.txt", "Projekte/a.txt"}},
        {"an exclusion in another case excludes", "\\Projekte\\*", "\\projekte\\alt\\*",
         {"Projekte/Neu/c.txt", "Projekte/a.txt"}},
        {"a component beginning with the text", "\\PROJEKTE\\n*", "", {"Projekte/Neu/c.txt"}},
        {"a component ending with the text", "\\pRoJeKtE\\*LT", "", {"PROJEKTE/Alt/d.txt", "Projekte/Alt/b.txt"}},
        {"a path containing the text", "\\projekte\\*EU*", "", {"Projekte/Neu/c.txt"}},
        // Without "*" the entry names one directory exactly as written.
        {"an entry without star stays exact", "\\projekte\\", "", {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SearchDirectories.Clear();
        p.SearchDirectories.Add(c.search);
        p.ExcludeDirectories.Clear();
        if (*c.excluded) p.ExcludeDirectories.Add(c.excluded);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, ForwardPlan("Quelle/", c.found));
        EXPECT_EQ(LogEvents(), c.found.empty() ? Lines{"Keine Dateien gefunden."} : Lines{});
    }

    // Shortened by their common part, \Projekte\Alt\ and \PROJEKTE\Alt\ would both become \Alt\ in the
    // destination: two directories are never merged into one, the run stops.
    BuildTrees(tree);
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\projekte\\*");
    p.ExcludeDirectories.Clear();
    p.ShortenPaths = eShortenPaths::Automatic;
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(), (Lines{"Fehler: Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt nicht "
                                  "überein: 5 zu 3.",
                                  "Abbruch."}));
    EXPECT_TRUE(FilesBelow(Dest()).empty());
}

TEST_F(RunTypedDirectoriesTest, VariablesAreExpandedBeforeTheCommonPrefixIsTaken) {
    // "Now" is 9 December 2026: %YEAR% is 2026, %MONTH% 12.
    p.SetTouchMode(eTouchMode::DestOnly);
    p.ShortenPaths = eShortenPaths::Automatic;
    const std::vector<cTreeFile> tree = {
        {kSrc, "Archiv/2026/Briefe/a.txt", "a", kNewer},
        {kSrc, "Archiv/2026/Bilder/b.txt", "b", kNewer},
        {kSrc, "Archiv/2025/Briefe/c.txt", "c", kNewer},
    };
    struct Case {
        const char* name;
        std::vector<const char*> search;
        Plan expected; // by destination path
    };
    // clang-format off
    const Case cases[] = {
        {"one entry", {"\\Archiv\\%YEAR%\\*"},
         {{"Ziel/Briefe/a.txt", kPlanForward}, {"Ziel/Bilder/b.txt", kPlanForward}}},
        {"two entries with the variable in common", {"\\Archiv\\%YEAR%\\Briefe\\*", "\\Archiv\\%year%\\Bilder\\*"},
         {{"Ziel/Briefe/a.txt", kPlanForward}, {"Ziel/Bilder/b.txt", kPlanForward}}},
        {"the variable after the common part", {"\\Archiv\\%YEAR%\\Briefe\\*", "\\Archiv\\2025\\Briefe\\*"},
         {{"Ziel/2026/Briefe/a.txt", kPlanForward}, {"Ziel/2025/Briefe/c.txt", kPlanForward}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SearchDirectories.Clear();
        for (const char* entry : c.search)
            p.SearchDirectories.Add(entry);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(LogEvents(), Lines{});
        EXPECT_EQ(plannedAtDest, c.expected);
    }
}

} // namespace
} // namespace runtest

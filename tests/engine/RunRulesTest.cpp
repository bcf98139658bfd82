// Whole runs that check what the scan and the comparison rules plan: touch modes with their orphan modes, enforce
// and delete masks, directory entries and exclusions, path shortening, file masks and the time tolerance.
#include "RunFixture.h"

namespace runtest {
namespace {

class RunRulesTest : public RunFixture {
protected:
    // Runs act on their trees, so each case builds its own. Only problems are logged: a run without any leaves
    // no lines between the header and the summary.
    RunRulesTest() { p.Log.NoNormal = true; }
};

TEST_F(RunRulesTest, TouchModesAndOrphanModes) {
    // A source orphan, a destination orphan, and three pairs.
    const std::vector<cTreeFile> tree = {
        {kSrc, "neu.txt", "neu", kNewer},       {kSrc, "gleich.txt", "gleich", kOlder},
        {kDst, "gleich.txt", "gleich", kOlder}, {kSrc, "neuer.txt", "neuer", kNewer},
        {kDst, "neuer.txt", "neuer", kOlder},   {kSrc, "aelter.txt", "aelter", kOlder},
        {kDst, "aelter.txt", "aelter", kNewer}, {kDst, "alt.txt", "alt", kOlder},
    };
    struct Case {
        const char* name;
        eTouchMode touch;
        eOrphanMode sourceOrphans; // OrphanModeD1, OrphanModeB or OrphanModeS2 by touch mode
        eOrphanMode destOrphans;   // OrphanModeD2, OrphanModeB (the same) or OrphanModeS1
        bool listSkip;
        Plan expected;
    };
    const std::string neu = "Quelle/neu.txt", neuer = "Quelle/neuer.txt", aelter = "Quelle/aelter.txt",
                      alt = "Ziel/alt.txt";
    // clang-format off
    const Case cases[] = {
        {"only destination, D1 0 copies, D2 1 ignores", eTouchMode::DestOnly, eOrphanMode::Forward, eOrphanMode::Skip, false,
         {{neu, kPlanForward}, {neuer, kPlanForward}}},
        {"only destination, D1 1 and D2 1 list skipped orphans", eTouchMode::DestOnly, eOrphanMode::Skip, eOrphanMode::Skip, true,
         {{neu, kPlanSkip}, {neuer, kPlanForward}, {alt, kPlanSkip}}},
        {"only destination, D1 1 without ListSkip, D2 2 deletes", eTouchMode::DestOnly, eOrphanMode::Skip, eOrphanMode::Delete, false,
         {{neuer, kPlanForward}, {alt, kPlanDelete}}},
        {"only destination, D1 6 copies only orphans", eTouchMode::DestOnly, eOrphanMode::OrphansOnly, eOrphanMode::Skip, false,
         {{neu, kPlanForward}}},
        {"only destination, D1 6 lists pairs as skipped", eTouchMode::DestOnly, eOrphanMode::OrphansOnly, eOrphanMode::Skip, true,
         {{neu, kPlanForward}, {neuer, kPlanSkip}, {alt, kPlanSkip}}},
        {"both, B 1 ignores orphans", eTouchMode::Both, eOrphanMode::Skip, eOrphanMode::Skip, false,
         {{neuer, kPlanForward}, {aelter, kPlanBackward}}},
        {"both, B 1 lists skipped orphans", eTouchMode::Both, eOrphanMode::Skip, eOrphanMode::Skip, true,
         {{neu, kPlanSkip}, {neuer, kPlanForward}, {aelter, kPlanBackward}, {alt, kPlanSkip}}},
        {"both, B 2 deletes orphans", eTouchMode::Both, eOrphanMode::Delete, eOrphanMode::Delete, false,
         {{neu, kPlanDelete}, {neuer, kPlanForward}, {aelter, kPlanBackward}, {alt, kPlanDelete}}},
        {"both, B 4 copies orphans to the other side", eTouchMode::Both, eOrphanMode::ForwardBackward, eOrphanMode::ForwardBackward, false,
         {{neu, kPlanForward}, {neuer, kPlanForward}, {aelter, kPlanBackward}, {alt, kPlanBackward}}},
        {"both, B 6 copies only orphans", eTouchMode::Both, eOrphanMode::OrphansOnly, eOrphanMode::OrphansOnly, false,
         {{neu, kPlanForward}, {alt, kPlanBackward}}},
        {"both, B 6 lists pairs as skipped", eTouchMode::Both, eOrphanMode::OrphansOnly, eOrphanMode::OrphansOnly, true,
         {{neu, kPlanForward}, {neuer, kPlanSkip}, {aelter, kPlanSkip}, {alt, kPlanBackward}}},
        {"only source, S1 3 copies back, S2 1 ignores", eTouchMode::SourceOnly, eOrphanMode::Skip, eOrphanMode::Backward, false,
         {{aelter, kPlanBackward}, {alt, kPlanBackward}}},
        {"only source, S1 1 and S2 1 list skipped orphans", eTouchMode::SourceOnly, eOrphanMode::Skip, eOrphanMode::Skip, true,
         {{neu, kPlanSkip}, {aelter, kPlanBackward}, {alt, kPlanSkip}}},
        {"only source, S1 1 without ListSkip, S2 2 deletes", eTouchMode::SourceOnly, eOrphanMode::Delete, eOrphanMode::Skip, false,
         {{neu, kPlanDelete}, {aelter, kPlanBackward}}},
        {"only source, S1 6 copies only orphans", eTouchMode::SourceOnly, eOrphanMode::Skip, eOrphanMode::OrphansOnly, false,
         {{alt, kPlanBackward}}},
        {"only source, S1 6 lists pairs as skipped", eTouchMode::SourceOnly, eOrphanMode::Skip, eOrphanMode::OrphansOnly, true,
         {{neu, kPlanSkip}, {aelter, kPlanSkip}, {alt, kPlanBackward}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SetTouchMode(c.touch);
        p.ListSkip = c.listSkip;
        if (c.touch == eTouchMode::Both) {
            p.OrphanModeB = c.sourceOrphans;
        } else if (c.touch == eTouchMode::DestOnly) {
            p.OrphanModeD1 = c.sourceOrphans;
            p.OrphanModeD2 = c.destOrphans;
        } else {
            p.OrphanModeS2 = c.sourceOrphans;
            p.OrphanModeS1 = c.destOrphans;
        }
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
        EXPECT_EQ(LogEvents(), Lines{});
    }
}

TEST_F(RunRulesTest, EnforceMasksCopyWheneverTimesOrSizesDiffer) {
    p.EnforceFiles.Add("*.doc");
    const std::vector<cTreeFile> tree = {
        {kSrc, "brief.doc", "brief", kOlder}, // the destination copy is newer: copied all the same
        {kDst, "brief.doc", "brief", kNewer},   {kSrc, "groesse.doc", "abc", kOlder}, // equal times, different sizes
        {kDst, "groesse.doc", "a", kOlder},     {kSrc, "gleich.doc", "gleich", kOlder},
        {kDst, "gleich.doc", "gleich", kOlder}, {kSrc, "neu.doc", "neu", kNewer},
        {kDst, "weg.doc", "weg", kOlder},     // the source no longer has it
        {kSrc, "notiz.txt", "notiz", kOlder}, // compare mask, newer destination
        {kDst, "notiz.txt", "notiz", kNewer},
    };
    const Plan enforced = {
        {"Quelle/brief.doc", kPlanForward}, {"Quelle/groesse.doc", kPlanForward}, {"Quelle/neu.doc", kPlanForward}};
    Plan withDeletion = enforced;
    withDeletion["Ziel/weg.doc"] = kPlanDelete;
    Plan bothSides = withDeletion;
    bothSides["Quelle/notiz.txt"] = kPlanBackward;
    struct Case {
        const char* name;
        eTouchMode touch;
        bool enforceBackward;
        Plan expected;
    };
    const Case cases[] = {
        {"only destination", eTouchMode::DestOnly, false, enforced},
        {"only destination, deleting while enforcing", eTouchMode::DestOnly, true, withDeletion},
        {"both sides, deleting while enforcing", eTouchMode::Both, true, bothSides},
        // Enforce masks need TouchDest; their files are not compared either, so weg.doc is no orphan to copy back.
        {"only source", eTouchMode::SourceOnly, true, {{"Quelle/notiz.txt", kPlanBackward}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SetTouchMode(c.touch);
        p.EnforceBackward = c.enforceBackward;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
    }
}

TEST_F(RunRulesTest, DeleteMasksActOnlyWhenBothSidesAreTouched) {
    p.DeleteFiles.Add("*.tmp");
    const std::vector<cTreeFile> tree = {
        {kSrc, "nur-quelle.tmp", "a", kOlder},   {kSrc, "gleich.tmp", "b", kOlder},
        {kDst, "gleich.tmp", "b", kOlder},       {kSrc, "ziel-neuer.tmp", "c", kOlder},
        {kDst, "ziel-neuer.tmp", "c", kNewer},   {kSrc, "quelle-neuer.tmp", "d", kNewer},
        {kDst, "quelle-neuer.tmp", "d", kOlder}, {kDst, "nur-ziel.tmp", "e", kOlder},
        {kSrc, "neu.txt", "f", kNewer}, // an ordinary orphan of the compare mask
    };
    struct Case {
        const char* name;
        eTouchMode touch;
        const char* excluded;
        Plan expected;
    };
    // clang-format off
    const Case cases[] = {
        {"both sides", eTouchMode::Both, "",
         {{"Quelle/nur-quelle.tmp", kPlanDelete}, {"Quelle/gleich.tmp", kPlanDelete},
          {"Quelle/ziel-neuer.tmp", kPlanDelete}, {"Quelle/quelle-neuer.tmp", kPlanDelete},
          {"Ziel/nur-ziel.tmp", kPlanDelete}, {"Quelle/neu.txt", kPlanForward}}},
        {"both sides, exclusion beats deletion", eTouchMode::Both, "*NEUER.TMP",
         {{"Quelle/nur-quelle.tmp", kPlanDelete}, {"Quelle/gleich.tmp", kPlanDelete},
          {"Ziel/nur-ziel.tmp", kPlanDelete}, {"Quelle/neu.txt", kPlanForward}}},
        // With one side touched, files of the delete masks are neither compared nor deleted.
        {"only destination", eTouchMode::DestOnly, "", {{"Quelle/neu.txt", kPlanForward}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SetTouchMode(c.touch);
        p.ExcludeFiles.Clear();
        if (*c.excluded) p.ExcludeFiles.Add(c.excluded);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
    }
    // Only the source touched: the orphan neu.txt is ignored (S2 1), the .tmp files are left alone.
    BuildTrees(tree);
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.ExcludeFiles.Clear();
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."});
}

TEST_F(RunRulesTest, DirectoryEntriesAndExclusions) {
    p.SetTouchMode(eTouchMode::DestOnly); // every source file found is a new file for the destination
    std::vector<cTreeFile> tree;
    for (const char* file : {"Daten/a.txt", "Daten/Bilder/b.txt", "Daten/Bilder/Urlaub/c.txt", "Daten/Briefe/d.txt",
                             "Daten/Alt/Bilder/e.txt", "Daten/Alt/g.txt", "Andere/f.txt"})
        tree.push_back({kSrc, file, "x", kNewer});

    struct Case {
        const char* name;
        const char* search;
        const char* excludedDirectory;
        const char* excludedMask;
        std::vector<std::string> found; // below Quelle/Daten/
    };
    // clang-format off
    const Case cases[] = {
        {"a directory without star is taken alone", "\\Daten\\", "", "", {"a.txt"}},
        {"star takes the directory and everything below", "\\Daten\\*", "", "",
         {"a.txt", "Bilder/b.txt", "Bilder/Urlaub/c.txt", "Briefe/d.txt", "Alt/Bilder/e.txt", "Alt/g.txt"}},
        {"a pattern takes every component beginning with it, at any depth", "\\Daten\\Bi*", "", "",
         {"Bilder/b.txt", "Bilder/Urlaub/c.txt", "Alt/Bilder/e.txt"}},
        {"the pattern is matched without regard to case", "\\Daten\\bi*", "", "",
         {"Bilder/b.txt", "Bilder/Urlaub/c.txt", "Alt/Bilder/e.txt"}},
        {"an excluded directory without star keeps its subdirectories", "\\Daten\\*", "\\Daten\\Bilder\\", "",
         {"a.txt", "Bilder/Urlaub/c.txt", "Briefe/d.txt", "Alt/Bilder/e.txt", "Alt/g.txt"}},
        {"an excluded directory with star takes everything below", "\\Daten\\*", "\\Daten\\Bilder\\*", "",
         {"a.txt", "Briefe/d.txt", "Alt/Bilder/e.txt", "Alt/g.txt"}},
        {"an exclude mask beats the compare mask, without regard to case", "\\Daten\\*", "", "B*.TXT",
         {"a.txt", "Bilder/Urlaub/c.txt", "Briefe/d.txt", "Alt/Bilder/e.txt", "Alt/g.txt"}},
        {"everything excluded", "\\Daten\\*", "\\Daten\\*", "", {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SearchDirectories.Clear();
        p.SearchDirectories.Add(c.search);
        p.ExcludeDirectories.Clear();
        if (*c.excludedDirectory) p.ExcludeDirectories.Add(c.excludedDirectory);
        p.ExcludeFiles.Clear();
        if (*c.excludedMask) p.ExcludeFiles.Add(c.excludedMask);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, ForwardPlan("Quelle/Daten/", c.found));
        if (c.found.empty()) {
            EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."});
        }
    }
}

TEST_F(RunRulesTest, PathShorteningMapsTheDestinationDirectories) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Daten\\Projekte\\*");
    p.DestDirectory = "\\Sicherung\\";
    p.PathOffset = "\\Daten";
    struct Case {
        const char* name;
        eShortenPaths shortenPaths;
        const char* target; // of Quelle/Daten/Projekte/X/plan.txt
    };
    const Case cases[] = {
        {"not shortened", eShortenPaths::None, "Ziel/Sicherung/Daten/Projekte/X/plan.txt"},
        {"shortened by the common directory of the search directories", eShortenPaths::Automatic,
         "Ziel/Sicherung/X/plan.txt"},
        {"shortened by the offset as written", eShortenPaths::ByPathOffset, "Ziel/Sicherung/Projekte/X/plan.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees({{kSrc, "Daten/Projekte/X/plan.txt", "p", kNewer}});
        p.ShortenPaths = c.shortenPaths;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(plannedAtDest, (Plan{{c.target, kPlanForward}}));
        EXPECT_TRUE(fs::exists(dir.Path() / c.target));
    }
}

TEST_F(RunRulesTest, ADirectoryOnlyTheDestinationHasIsComparedToo) {
    // The source directory is gone: its destination files are orphans like any other.
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    BuildTrees({{kSrc, "a.txt", "a", kNewer}, {kDst, "Alt/Tief/x.txt", "x", kOlder}});
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/a.txt", kPlanForward}, {"Ziel/Alt/Tief/x.txt", kPlanDelete}}));
}

TEST_F(RunRulesTest, MasksMatchLikeTheFileSearch) {
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::vector<cTreeFile> tree = {
        {kSrc, "Brief.doc", "a", kNewer}, {kSrc, "NOTIZ.DOC", "b", kNewer}, {kSrc, "LIESMICH", "c", kNewer},
        {kSrc, "Bild.jpeg", "d", kNewer}, {kSrc, "a1.txt", "e", kNewer},    {kSrc, "a12.txt", "f", kNewer},
    };
    struct Case {
        const char* name;
        std::vector<const char*> masks;
        std::vector<std::string> found;
    };
    // clang-format off
    const Case cases[] = {
        {"*.* takes names without an extension too", {"*.*"},
         {"Brief.doc", "NOTIZ.DOC", "LIESMICH", "Bild.jpeg", "a1.txt", "a12.txt"}},
        {"masks ignore case; a name two masks match is one candidate", {"*.doc", "Brief*.*"},
         {"Brief.doc", "NOTIZ.DOC"}},
        {"? is one character", {"a?.txt"}, {"a1.txt"}},
        {"a star inside the name", {"*.jp*g"}, {"Bild.jpeg"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.CompareFiles.Clear();
        for (const char* mask : c.masks)
            p.CompareFiles.Add(mask);
        EXPECT_EQ(Run(), kRunSucceeded);
        Plan expected;
        for (const std::string& name : c.found)
            expected["Quelle/" + name] = kPlanForward;
        EXPECT_EQ(planned, expected);
    }
}

TEST_F(RunRulesTest, TimeToleranceAndDaylightSavingHour) {
    // Both sides touched: a newer source is copied forward, a newer destination backward, equal times stay.
    struct Pair {
        const char* name;
        double sourceAhead; // seconds by which the source is newer
        const char* strict; // TimeDifference 2, IgnoreDST off
        const char* dst;    // TimeDifference 2, IgnoreDST on
        const char* exact;  // TimeDifference 0, IgnoreDST on
    };
    const char* const none = "";
    const char* const fwd = kPlanForward.c_str();
    const char* const back = kPlanBackward.c_str();
    // clang-format off
    const Pair pairs[] = {
        {"s1.txt",        1,     none, none, fwd},
        {"s2.txt",        2,     none, none, fwd},
        {"s2-5.txt",      2.5,   none, none, fwd}, // rounds to 2 (halves to even)
        {"s3.txt",        3,     fwd,  fwd,  fwd},
        {"s3-5.txt",      3.5,   fwd,  fwd,  fwd}, // rounds to 4
        {"minus2.txt",    -2,    none, none, back},
        {"minus3.txt",    -3,    back, back, back},
        {"h3597.txt",     3597,  fwd,  fwd,  fwd},
        {"h3598.txt",     3598,  fwd,  none, fwd},
        {"h3600.txt",     3600,  fwd,  none, none},
        {"h3602.txt",     3602,  fwd,  none, fwd},
        {"h3603.txt",     3603,  fwd,  fwd,  fwd},
        {"minus3600.txt", -3600, back, none, none}, // a destination one hour "newer" after a clock change
    };
    // clang-format on
    std::vector<cTreeFile> tree;
    for (const Pair& pair : pairs) {
        tree.push_back({kDst, pair.name, "x", kOlder});
        tree.push_back({kSrc, pair.name, "x",
                        kOlder + static_cast<platform::FileTime>(pair.sourceAhead * platform::kTicksPerSecond)});
    }
    struct Setting {
        const char* name;
        int timeDifference;
        bool ignoreDst;
        const char* Pair::*column;
    };
    const Setting settings[] = {
        {"2 s, daylight saving not ignored", 2, false, &Pair::strict},
        {"2 s, daylight saving ignored", 2, true, &Pair::dst},
        {"no tolerance, daylight saving ignored", 0, true, &Pair::exact},
    };
    for (const Setting& setting : settings) {
        SCOPED_TRACE(setting.name);
        BuildTrees(tree);
        p.TimeDifference = setting.timeDifference;
        p.IgnoreDST = setting.ignoreDst;
        Plan expected;
        for (const Pair& pair : pairs) {
            const char* action = pair.*setting.column;
            if (*action) expected[std::string("Quelle/") + pair.name] = action;
        }
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, expected);
    }
}

} // namespace
} // namespace runtest

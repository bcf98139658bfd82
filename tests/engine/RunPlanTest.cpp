// Whole runs that check the plan the preview is shown: the order of the candidates, their groups and the
// planned counts, after the masks chose the files and the default actions changed them.
#include "RunFixture.h"

#include "engine/CandidateSort.h"
#include "engine/CheckDialogs.h"

namespace runtest {
namespace {

class RunPlanTest : public RunFixture {
protected:
    // Runs act on their trees, so each case builds its own; only problems are logged.
    RunPlanTest() {
        p.Log.NoNormal = true;
        p.SetTouchMode(eTouchMode::DestOnly);
        ui.OnPreview = [this](cRunState& run) {
            planned = PlanOf(run);
            order.clear();
            for (const auto& c : run.Candidates)
                order.push_back(c->BaseName + c->Extension);
            groups.clear();
            for (const auto& f : run.Folders)
                groups.push_back(Describe(*f));
            counts = {run.PlannedForward, run.PlannedSkip, run.PlannedDelete, run.PlannedBackward};
        };
    }

    // "caption [first-last] forward/skip/delete/backward"
    static std::string Describe(const cFolder& f) {
        return f.Caption + " [" + std::to_string(f.FirstIndex) + "-" + std::to_string(f.LastIndex) + "] " +
               std::to_string(f.ForwardTotal) + "/" + std::to_string(f.SkipTotal) + "/" +
               std::to_string(f.DeleteTotal) + "/" + std::to_string(f.BackwardTotal);
    }

    std::vector<std::string> order;  // file names in the order of the candidate list
    std::vector<std::string> groups; // the folders, described
    std::vector<int> counts;         // planned forward, skip, delete, backward
};

TEST_F(RunPlanTest, NamesAndTypesSortByTheGermanCollation) {
    // Umlauts sort with their base letter, case does not count.
    const std::vector<cTreeFile> tree = {
        {kSrc, "Zebra.txt", "a", kNewer}, {kSrc, "Äpfel.TXT", "b", kNewer},     {kSrc, "Axt.tät", "c", kNewer},
        {kSrc, "apfel.doc", "d", kNewer}, {kSrc, "Übersicht.pdf", "e", kNewer}, {kSrc, "ufer.txt", "f", kNewer},
    };
    BuildTrees(tree);
    p.SortMode = kSortByName;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(order, (std::vector<std::string>{"apfel.doc", "Äpfel.TXT", "Axt.tät", "Übersicht.pdf", "ufer.txt",
                                               "Zebra.txt"}));

    // The three .txt files compare equal and keep the order of the scan among themselves.
    BuildTrees(tree);
    p.SortMode = kSortByType;
    EXPECT_EQ(Run(), kRunSucceeded);
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ((std::vector<std::string>(order.begin(), order.begin() + 3)),
              (std::vector<std::string>{"apfel.doc", "Übersicht.pdf", "Axt.tät"}));
    EXPECT_EQ(groups, (std::vector<std::string>{".doc [0-0] 1/0/0/0", ".pdf [1-1] 1/0/0/0", ".tät [2-2] 1/0/0/0",
                                                ".txt [3-5] 3/0/0/0"}));
}

TEST_F(RunPlanTest, MasksFoldCaseByUnicodeRules) {
    BuildTrees({
        {kSrc, "ωmega.txt", "a", kNewer},
        {kSrc, "omega.txt", "b", kNewer},
        {kSrc, "дом.txt", "c", kNewer},
        {kSrc, "ÄRGER.txt", "d", kNewer},
    });
    struct Case {
        const char* mask;
        std::vector<std::string> found;
    };
    const Case cases[] = {
        {"Ω*.*", {"ωmega.txt"}},
        {"Д?М.TXT", {"дом.txt"}},
        {"ärger.*", {"ÄRGER.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        p.CompareFiles.Clear();
        p.CompareFiles.Add(c.mask);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(order, c.found);
    }
}

TEST_F(RunPlanTest, GroupsAndCountsFollowTheDefaultActions) {
    // Equal times with different sizes: the rules copy forward, the size default skips. Sorted by category,
    // the plan shows the skipped file under "Überspringen".
    p.SortMode = kSortByCategory;
    p.SizesWarn = false;
    p.SizesDefault = kDefaultSkip;
    BuildTrees({
        {kSrc, "neu.txt", "neu", kNewer},
        {kSrc, "groesse.txt", "abcd", kOlder},
        {kDst, "groesse.txt", "abc", kOlder},
    });
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/neu.txt", kPlanForward}, {"Quelle/groesse.txt", kPlanSkip}}));
    EXPECT_EQ(order, (std::vector<std::string>{"neu.txt", "groesse.txt"}));
    EXPECT_EQ(groups, (std::vector<std::string>{"Vorwärts [0-0] 1/0/0/0", "Überspringen [1-1] 0/1/0/0"}));
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 0, 0}));
    std::ifstream skipped(Dest() / "groesse.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(skipped), {}), "abc");
}

} // namespace
} // namespace runtest

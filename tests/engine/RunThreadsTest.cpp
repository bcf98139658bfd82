// Two runs of two profiles at the same time, each on its own thread with its own interface and stop flags:
// each leaves exactly the tree and the log it leaves when it runs alone.
#include "ActionFixture.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace runtest {
namespace {

// The preview's order by name, so that the log's order does not depend on the order of the listing.
void SortByName(cRunState& run) {
    std::stable_sort(run.Candidates.begin(), run.Candidates.end(), [](const auto& a, const auto& b) {
        return std::tie(a->DirIndex, a->BaseName, a->Extension) < std::tie(b->DirIndex, b->BaseName, b->Extension);
    });
}

class RunThreadsTest : public ActionFixture {
protected:
    RunThreadsTest() {
        ui.OnPreview = SortByName;
        other.OnPreview = SortByName;
        // The second profile: two-way with its snapshot over trees of its own.
        q = p;
        q.SourceDrive = (dir.Path() / "Quelle2").string();
        q.DestDrive = (dir.Path() / "Ziel2").string();
        q.ProfileFile = (dir.Path() / "Profil2.tvp").string();
        q.Log.FileName = (dir.Path() / "Log2.txt").string();
        q.OrphanModeB = eOrphanMode::LookInSnapshot;
        // The first mirrors its source.
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeD2 = eOrphanMode::Delete;
    }

    // Both profiles' trees as at the start: many files in a few folders, so that the runs overlap.
    void BuildBoth() {
        ClearTrees();
        for (const char* root : {"Quelle2", "Ziel2"}) {
            fs::remove_all(dir.Path() / root);
            fs::create_directories(dir.Path() / root);
        }
        fs::remove(q.ProfileFile + ".lst");
        for (int folder = 0; folder < 4; ++folder) {
            for (int file = 0; file < 150; ++file) {
                const std::string name = "Ordner" + std::to_string(folder) + "/Datei" + std::to_string(file) + ".txt";
                Write(Source(), name, "Inhalt von " + name, kNewer);
                if (file % 10 == 0)
                    Write(Dest(), "Ordner" + std::to_string(folder) + "/alt" + std::to_string(file), "x", kOlder);
                Write(dir.Path() / (file % 2 == 0 ? "Quelle2" : "Ziel2"), name, name, file % 3 == 0 ? kOlder : kNewer);
            }
        }
    }

    struct cResult {
        std::uint8_t Result;
        Tree Source, Dest;
        std::string Log;
    };
    cResult ResultOf(const cParameters& profile, std::uint8_t result) const {
        return {result, ReadTree(profile.SourceDrive), ReadTree(profile.DestDrive), Read(profile.Log.FileName)};
    }
    static void ExpectSame(const cResult& together, const cResult& alone) {
        EXPECT_EQ(together.Result, alone.Result);
        EXPECT_EQ(together.Source, alone.Source);
        EXPECT_EQ(together.Dest, alone.Dest);
        EXPECT_EQ(together.Log, alone.Log);
    }

    // Both profiles at the same time, each on its own thread; their results.
    std::pair<std::uint8_t, std::uint8_t> RunBothAtOnce() {
        std::uint8_t first = 0;
        std::uint8_t second = 0;
        std::thread one([&] { first = ExecuteRun(p, control, kSingleProfile, 0).Result; });
        std::thread two([&] { second = ExecuteRun(q, otherControl, kSingleProfile, 0).Result; });
        one.join();
        two.join();
        return {first, second};
    }

    cRecordingInterface other;
    cRunControl otherControl{other};
    cParameters q;
};

TEST_F(RunThreadsTest, TwoProfilesRunSideBySide) {
    BuildBoth();
    const cResult aloneFirst = ResultOf(p, ExecuteRun(p, control, kSingleProfile, 0).Result);
    const cResult aloneSecond = ResultOf(q, ExecuteRun(q, otherControl, kSingleProfile, 0).Result);
    ASSERT_EQ(aloneFirst.Result, kRunSucceeded);
    ASSERT_EQ(aloneSecond.Result, kRunSucceeded);
    ASSERT_EQ(aloneFirst.Dest.size(), 4u * 150u + 4u) << "the mirror has every file and folder and no old file";

    BuildBoth();
    fs::remove(p.Log.FileName);
    fs::remove(q.Log.FileName);
    const auto [first, second] = RunBothAtOnce();
    ExpectSame(ResultOf(p, first), aloneFirst);
    ExpectSame(ResultOf(q, second), aloneSecond);
}

// The stop flag of one run stops that run only.
TEST_F(RunThreadsTest, StoppingOneRunLeavesTheOtherAlone) {
    BuildBoth();
    ui.OnPreview = [this](cRunState&) { control.AbortRequested = true; };
    const auto [first, second] = RunBothAtOnce();
    EXPECT_EQ(first, kRunStopped);
    EXPECT_EQ(second, kRunSucceeded);
    EXPECT_FALSE(fs::exists(Dest() / "Ordner0" / "Datei0.txt"));
    EXPECT_TRUE(fs::exists(dir.Path() / "Ziel2" / "Ordner0" / "Datei0.txt"));
}

// Two profiles that back up into one destination create the same folders at the same moment: a folder the other
// run created between the check and the creation counts as there, not as a failure.
TEST_F(RunThreadsTest, TwoRunsCreatingTheSameFoldersBothSucceed) {
    ClearTrees();
    fs::remove_all(dir.Path() / "Quelle2");
    q.DestDrive = p.DestDrive;
    q.SetTouchMode(eTouchMode::DestOnly);
    // Each leaves the other's files alone (a mirror would delete them).
    p.OrphanModeD2 = q.OrphanModeD2 = eOrphanMode::Skip;
    for (int folder = 0; folder < 300; ++folder) {
        const std::string path = "Jahr" + std::to_string(folder % 10) + "/Monat" + std::to_string(folder) + "/";
        Write(Source(), path + "eins.txt", "1", kNewer);
        Write(dir.Path() / "Quelle2", path + "zwei.txt", "2", kNewer);
    }
    const auto [first, second] = RunBothAtOnce();
    EXPECT_EQ(first, kRunSucceeded) << Read(p.Log.FileName);
    EXPECT_EQ(second, kRunSucceeded) << Read(q.Log.FileName);
    EXPECT_EQ(ReadTree(p.DestDrive).size(), 10u + 300u + 2u * 300u);
}

} // namespace
} // namespace runtest

// The live count of the source dialog: it counts what the plan of a first backup lists, follows the "Drives"
// mapping, and stops promptly on a large tree.
#include "RunFixture.h"

#include "engine/RunDriver.h"
#include "engine/SourceCount.h"
#include "platform/ErrorCodes.h"

namespace runtest {
namespace {

class SourceCountTest : public RunFixture {
protected:
    // The plan of the profile as `tolvan --plan` makes it: the folders of the source list that exist, the files
    // and the bytes it copies forward.
    cSelectionCount Plan() {
        cSelectionCount plan;
        cRunOptions options;
        options.PlanOnly = true;
        options.OnPlan = [&plan](const cParameters&, const cRunState& run) {
            for (const std::string& d : run.SourceDirList)
                if (fs::is_directory(run.NativeSourceRoot + Native(d))) ++plan.Folders;
            for (const auto& c : run.Candidates) {
                EXPECT_EQ(c->Action(), kActionForward) << c->BaseName << c->Extension;
                ++plan.Files;
                plan.Bytes += static_cast<std::uint64_t>(c->SourceSize);
            }
        };
        control.Reset();
        (void)ExecuteRun(p, control, kSingleProfile, 0, options);
        return plan;
    }
    static std::string Native(std::string internal) {
        std::replace(internal.begin(), internal.end(), '\\', '/');
        return internal;
    }
};

TEST_F(SourceCountTest, CountsWhatThePlanOfAFirstBackupCopies) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Briefe\\*");
    p.SearchDirectories.Add("\\Bilder\\");
    p.SearchDirectories.Add("\\Fehlt\\"); // searched as written, though it does not exist
    p.ExcludeDirectories.Add("\\Briefe\\Alt\\*");
    p.CompareFiles.Add("*.doc");
    p.EnforceFiles.Add("*.jpg");
    p.ExcludeFiles.Add("*.tmp");
    p.DeleteFiles.Add("*.bak"); // no effect when only the destination is touched
    BuildTrees({
        {kSrc, "Briefe/a.doc", "0123456789", kNewer},
        {kSrc, "Briefe/Privat/b.txt", std::string(20, 'b'), kNewer},
        {kSrc, "Briefe/Privat/c.tmp", "c", kNewer},
        {kSrc, "Briefe/Alt/d.doc", std::string(30, 'd'), kNewer},
        {kSrc, "Briefe/.versteckt.doc", "hidden", kNewer}, // hidden files are left out by Attributes 0
        {kSrc, "Briefe/e.bak", "e", kNewer},
        {kSrc, "Bilder/f.jpg", std::string(400, 'f'), kNewer},
        {kSrc, "Bilder/Urlaub/g.jpg", "g", kNewer}, // \Bilder\ alone: not searched
        {kSrc, "Projekte/h.doc", "h", kNewer},
    });
    p.Attributes = 0;
    fs::create_directory_symlink(Source() / "Projekte", Source() / "Briefe" / "Projekte-Verknüpfung");
    fs::create_directories(Source() / "Briefe" / "Leer");

    cSelectionCount count;
    ASSERT_EQ(CountSelection(p, {}, count), 0);
    const cSelectionCount plan = Plan();
    EXPECT_EQ(count.Folders, plan.Folders);
    EXPECT_EQ(count.Files, plan.Files);
    EXPECT_EQ(count.Bytes, plan.Bytes);
    // \Briefe\, \Briefe\Privat\, \Briefe\Leer\ and \Bilder\; a.doc, b.txt, f.jpg and the link, which a run
    // carries as a link of its own (its size is the length of its target). e.bak matches "*.*" too, but a delete
    // mask outranks a compare mask.
    EXPECT_EQ(count.Folders, 4u);
    EXPECT_EQ(count.Files, 4u);
    EXPECT_EQ(count.Bytes, 10u + 20u + 400u + (Source() / "Projekte").string().size());
}

TEST_F(SourceCountTest, AWindowsRootCountsThroughTheDrivesMapping) {
    BuildTrees({{kSrc, "a.txt", "abc", kNewer}, {kSrc, "Sub/b.txt", "de", kNewer}});
    p.SourceDrive = "D:";
    cSelectionCount count;
    EXPECT_EQ(CountSelection(p, {}, count), platform::kPathNotFound);
    ASSERT_TRUE(p.Drives.Set("D:", Source().string()));
    ASSERT_EQ(CountSelection(p, {}, count), 0);
    EXPECT_EQ(count.Files, 2u);
    EXPECT_EQ(count.Bytes, 5u);
    EXPECT_EQ(count.Folders, 2u);

    p.SourceDrive = (dir.Path() / "gibt-es-nicht").string();
    EXPECT_EQ(CountSelection(p, {}, count), platform::kPathNotFound);
}

// Prompt means: the count asks whether to stop at least once per folder, and once told, it asks at most a few
// times more on its way out (no further folder is listed).
TEST_F(SourceCountTest, StopsPromptlyOnALargeTree) {
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 40; ++j)
            fs::create_directories(Source() / ("A" + std::to_string(i)) / ("B" + std::to_string(j)));
    for (int i = 0; i < 40; ++i)
        Write(Source(), "A" + std::to_string(i) + "/x.txt", "x", kNewer);

    int asked = 0;
    cSelectionCount full;
    ASSERT_EQ(CountSelection(
                  p, [&asked] { return ++asked < 0; }, full),
              0);
    EXPECT_EQ(full.Folders, 1u + 40u + 1600u);
    EXPECT_EQ(full.Files, 40u);
    EXPECT_GE(static_cast<std::size_t>(asked), full.Folders);

    for (const int stopAt : {1, 100, 2000}) {
        SCOPED_TRACE(stopAt);
        asked = 0;
        cSelectionCount count;
        EXPECT_EQ(CountSelection(
                      p, [&asked, stopAt] { return ++asked >= stopAt; }, count),
                  platform::kCancelled);
        EXPECT_LE(asked, stopAt + 5);
        EXPECT_EQ(count.Files, 0u);
    }
}

} // namespace
} // namespace runtest

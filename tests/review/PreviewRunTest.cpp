// Whole runs whose preview changes actions through the list's model: the run carries out what the model set,
// the log follows that plan, and the profile keeps its own settings.
#include "PreviewFixture.h"
#include "engine/RunFixture.h"

#include <array>

namespace runtest {
namespace {

using previewtest::PreviewFixture;

std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The line of the folder with that caption, or of the candidate with that base name.
std::size_t LineOf(const cPreviewList& list, const std::string& text) {
    for (std::size_t i = 0; i < list.Lines().size(); ++i) {
        const bool folder = list.Lines()[i].IsFolder();
        if ((folder && list.FolderAt(i).Caption == text) || (!folder && list.CandidateAt(i).BaseName == text)) return i;
    }
    ADD_FAILURE() << "no line " << text;
    return 0;
}

class PreviewRunTest : public RunFixture {};

TEST_F(PreviewRunTest, ActionsSetInTheListAreCarriedOut) {
    Write(Source(), "Briefe/neu.txt", "neu", kNewer);
    Write(Dest(), "Briefe/neu.txt", "alt", kOlder);
    Write(Source(), "Briefe/nur.txt", "nur", kNewer);
    Write(Source(), "Bilder/x.txt", "x2", kNewer);
    Write(Dest(), "Bilder/x.txt", "x1", kOlder);
    Write(Dest(), "Bilder/ziel.jpg", "ziel", kOlder);
    const cPreviewParameters preview = p.Preview;
    ui.OnPreview = [this](cRunState& run) {
        planned = PlanOf(run);
        cPreviewList list(run);
        list.SetSortMode(kSortByName); // regroups, and back
        list.ToggleFilter(ePreviewFilter::Backward);
        list.SetSortMode(kSortByPath);
        // Backward for the folder Briefe: the pair goes backward, the source-only file cannot.
        const std::array<std::size_t, 1> briefe = {LineOf(list, ".../Briefe/")};
        EXPECT_TRUE(list.SetAction(briefe, kActionBackward));
        list.ToggleFilter(ePreviewFilter::Backward);
        // ziel.jpg: backward → forward without a source → skip.
        EXPECT_TRUE(list.CycleAction(LineOf(list, "ziel")));
        const std::array<std::size_t, 1> x = {LineOf(list, "x")};
        EXPECT_TRUE(list.SetAction(x, kActionDelete));
        EXPECT_EQ(run.PlannedBackward, 1);
        EXPECT_EQ(run.PlannedDelete, 1);
        EXPECT_EQ(run.PlannedForward, 1);
        EXPECT_EQ(run.PlannedSkip, 1);
    };
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/Briefe/neu.txt", kPlanForward},
                             {"Quelle/Briefe/nur.txt", kPlanForward},
                             {"Quelle/Bilder/x.txt", kPlanForward},
                             {"Ziel/Bilder/ziel.jpg", kPlanBackward}}));
    ASSERT_TRUE(handedToRun.has_value()) << "the log was checked against the changed plan";
    EXPECT_EQ(Content(Source() / "Briefe/neu.txt"), "alt");
    EXPECT_EQ(Content(Dest() / "Briefe/neu.txt"), "alt");
    EXPECT_EQ(Content(Dest() / "Briefe/nur.txt"), "nur");
    EXPECT_FALSE(fs::exists(Source() / "Bilder/x.txt"));
    EXPECT_FALSE(fs::exists(Dest() / "Bilder/x.txt"));
    EXPECT_FALSE(fs::exists(Source() / "Bilder/ziel.jpg"));
    EXPECT_EQ(SummaryCount("Datei rückwärts kopiert"), 1);
    EXPECT_EQ(SummaryCount("Datei vorwärts kopiert"), 1);
    EXPECT_EQ(SummaryCount("einzelne Dateien gelöscht"), 2);
    EXPECT_EQ(SummaryCount("Dateipaar übersprungen"), 1);
    EXPECT_EQ(p.SortMode, 0) << "the profile keeps its own settings";
    EXPECT_EQ(p.Preview, preview);
}

// A one-way profile: nothing the list offers writes the source.
TEST_F(PreviewRunTest, AOneWayProfileNeverWritesTheSource) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Skip;
    p.ListSkip = true; // the destination-only file is listed as skipped
    Write(Source(), "a.txt", "neu", kNewer);
    Write(Dest(), "a.txt", "alt", kOlder);
    Write(Source(), "b.txt", "b", kNewer);
    Write(Dest(), "z.txt", "z", kOlder);
    ui.OnPreview = [this](cRunState& run) {
        planned = PlanOf(run);
        cPreviewList list(run);
        const std::array<std::size_t, 1> all = {0};
        EXPECT_FALSE(list.SetAction(all, kActionBackward));
        EXPECT_TRUE(list.SetAction(all, kActionDelete)); // only z.txt, which only the destination has
        EXPECT_EQ(run.PlannedDelete, 1);
        EXPECT_TRUE(list.CycleAction(LineOf(list, "a"))); // forward → skip (delete and backward write the source)
        EXPECT_TRUE(list.CycleAction(LineOf(list, "a"))); // → forward
        EXPECT_TRUE(list.CycleAction(LineOf(list, "b"))); // → skip
    };
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned,
              (Plan{{"Quelle/a.txt", kPlanForward}, {"Quelle/b.txt", kPlanForward}, {"Ziel/z.txt", kPlanSkip}}));
    EXPECT_EQ(Content(Source() / "a.txt"), "neu");
    EXPECT_EQ(Content(Source() / "b.txt"), "b");
    EXPECT_FALSE(fs::exists(Source() / "z.txt"));
    EXPECT_EQ(Content(Dest() / "a.txt"), "neu");
    EXPECT_FALSE(fs::exists(Dest() / "b.txt"));
    EXPECT_FALSE(fs::exists(Dest() / "z.txt"));
}

} // namespace
} // namespace runtest

// One-line and two-line mode: the line heights and the rows of a side block.
#include "PreviewFixture.h"

#include "review/PreviewSide.h"

namespace previewtest {
namespace {

using Rows = std::vector<cPreviewSideRow>;

TEST(PreviewLineHeights, TwoLineCandidatesAreTwiceAsHighAsFolders) {
    const struct {
        int font;
        int folder;
        int oneLine;
        int twoLine;
    } cases[] = {{13, 17, 17, 34}, {20, 24, 24, 48}, {8, 16, 16, 24}, {2, 16, 16, 16}};
    for (const auto& c : cases) {
        EXPECT_EQ(FolderLineHeight(c.font), c.folder) << c.font;
        EXPECT_EQ(CandidateLineHeight(c.font, true), c.oneLine) << c.font;
        EXPECT_EQ(CandidateLineHeight(c.font, false), c.twoLine) << c.font;
    }
}

TEST(PreviewSides, RowsOfOneAndTwoLineMode) {
    const std::vector<std::string> dirs = {"\\", "\\Briefe\\Alt\\"};
    // 1 234 567 bytes, 9 December 2026, 14:30:05 (shown as the candidate holds it).
    const platform::FileTime time = platform::JoinFileTime(2026, 12, 9, 14, 30, 5);
    const auto pair = CreateCandidate(1, kActionForward, {0, time, 1'234'567}, {0, time, 7}, "Brief", ".doc");
    const auto orphan = CreateCandidate(1, kActionForward, {0, time, 1}, {}, "Neu", "");

    const cPreviewSide source = PreviewSideOf(*pair.Candidate, true, dirs, false);
    EXPECT_TRUE(source.Present);
    EXPECT_EQ(PreviewSideRows(source, true),
              (Rows{{"/Briefe/Alt/", "Brief.doc", "1.234.567", "09.12.2026", "14:30:05"}}));
    EXPECT_EQ(PreviewSideRows(source, false),
              (Rows{{"/Briefe/Alt/", "Brief.doc", "", "", ""}, {"", "", "1.234.567", "09.12.2026", "14:30:05"}}));
    EXPECT_EQ(PreviewSideOf(*pair.Candidate, false, dirs, false).Size, "7");

    const cPreviewSide missing = PreviewSideOf(*orphan.Candidate, false, dirs, false);
    EXPECT_FALSE(missing.Present);
    EXPECT_EQ(PreviewSideRows(missing, true), (Rows{{}}));
    const cPreviewSide forced = PreviewSideOf(*orphan.Candidate, false, dirs, true);
    EXPECT_EQ(PreviewSideRows(forced, true), (Rows{{"/Briefe/Alt/", "", "", "", ""}}))
        << "a missing side shows only its directory, and only with \"Pfade immer zeigen\"";
}

class PreviewModeTest : public PreviewFixture {};

TEST_F(PreviewModeTest, LineModeKeepsTheLinesAndChangesTheirHeights) {
    Fill({{0, "a", ".txt", eSides::Both, kActionForward}, {1, "b", ".txt", eSides::Both, kActionSkip}});
    run.RunOneLine = false;
    cPreviewList list(run);
    const std::vector<cPreviewLine> lines = list.Lines();
    const auto heights = [&list] {
        std::vector<int> h;
        for (std::size_t i = 0; i < list.Lines().size(); ++i)
            h.push_back(list.LineHeight(i, 13));
        return h;
    };
    EXPECT_EQ(heights(), (std::vector<int>{17, 34, 17, 34}));
    list.SetOneLine(true);
    EXPECT_TRUE(run.RunOneLine);
    EXPECT_EQ(list.Lines(), lines);
    EXPECT_EQ(heights(), (std::vector<int>{17, 17, 17, 17}));
}

} // namespace
} // namespace previewtest

// The preview's lines over the run's folders and candidates: folders, filters, action changes on lines and
// folders with their figures, and sorting.
#include "PreviewFixture.h"

#include "review/PreviewFigures.h"

#include <array>

namespace previewtest {
namespace {

constexpr ActionFlags kSize = kFlagSizeDiffers;
constexpr ActionFlags kDouble = kFlagDoubleModified;
constexpr ActionFlags kProps = kFlagPropertiesDiffer;

using Texts = std::vector<std::string>;

class PreviewListTest : public PreviewFixture {
protected:
    // Root: a (forward, size), b (skip); Briefe: c (delete, double), d (backward, properties), e (forward, source
    // only); Bilder: f (skip, destination only).
    void FillSix(bool open = true) {
        Fill({{0, "a", ".txt", eSides::Both, F | kSize},
              {0, "b", ".txt", eSides::Both, S},
              {1, "c", ".doc", eSides::Both, D | kDouble},
              {1, "d", ".doc", eSides::Both, B | kProps},
              {1, "e", "", eSides::SourceOnly, F},
              {2, "f", ".jpg", eSides::DestOnly, S}},
             open);
    }
};

TEST_F(PreviewListTest, OpenAndClosedFolders) {
    FillSix(false);
    cPreviewList list(run);
    EXPECT_EQ(LineTexts(list), (Texts{"F .../", "F .../Briefe/", "F .../Bilder/"}));

    EXPECT_TRUE(list.ToggleFolder(1));
    EXPECT_EQ(LineTexts(list), (Texts{"F .../", "F .../Briefe/", "C c.doc", "C d.doc", "C e", "F .../Bilder/"}));
    EXPECT_TRUE(run.Folders[1]->Expanded);
    EXPECT_FALSE(list.ToggleFolder(2)) << "a candidate line is no folder";

    // Closing the folder of a candidate line goes to its folder line.
    EXPECT_EQ(list.CloseFolderOf(3), 1u);
    EXPECT_EQ(LineTexts(list), (Texts{"F .../", "F .../Briefe/", "F .../Bilder/"}));

    list.SetAllFolders(true);
    const Texts all = {"F .../",  "C a.txt", "C b.txt",       "F .../Briefe/", "C c.doc",
                       "C d.doc", "C e",     "F .../Bilder/", "C f.jpg"};
    EXPECT_EQ(LineTexts(list), all);
    EXPECT_EQ(list.Lines()[4], (cPreviewLine{kKindCandidate, 1, 2}));
    EXPECT_EQ(list.CloseFolderOf(8), 7u);
    EXPECT_TRUE(list.ToggleFolder(7));
    EXPECT_EQ(LineTexts(list), all) << "closing and opening again gives the same lines";
    list.SetAllFolders(false);
    EXPECT_EQ(list.Lines().size(), 3u);
}

TEST_F(PreviewListTest, FiltersAddUpWithinAGroupAndBothGroupsMustPass) {
    const struct {
        std::vector<ePreviewFilter> on;
        Texts shown;
    } cases[] = {
        {{}, {"a", "b", "c", "d", "e", "f"}},
        {{ePreviewFilter::Forward}, {"a", "e"}},
        {{ePreviewFilter::Forward, ePreviewFilter::Skip}, {"a", "b", "e", "f"}},
        {{ePreviewFilter::Backward, ePreviewFilter::Delete}, {"c", "d"}},
        {{ePreviewFilter::SizeDiffers}, {"a"}},
        {{ePreviewFilter::DoubleModified, ePreviewFilter::PropertiesDiffer}, {"c", "d"}},
        {{ePreviewFilter::SizeDiffers, ePreviewFilter::Forward, ePreviewFilter::Delete}, {"a"}},
        {{ePreviewFilter::DoubleModified, ePreviewFilter::Forward}, {}},
    };
    for (const auto& c : cases) {
        FillSix();
        run.Checks = {};
        run.RunPreview = {};
        cPreviewList list(run);
        for (ePreviewFilter filter : c.on)
            list.ToggleFilter(filter);
        Texts shown;
        int folders = 0;
        for (std::size_t i = 0; i < list.Lines().size(); ++i) {
            if (list.Lines()[i].IsFolder())
                ++folders;
            else
                shown.push_back(list.CandidateAt(i).BaseName);
        }
        EXPECT_EQ(shown, c.shown) << "filters on: " << c.on.size();
        EXPECT_EQ(folders, 3) << "folders are listed also when none of their files is";
    }
}

// The check dialogs' filter choice and the profile's preview settings are where the list starts.
TEST_F(PreviewListTest, FiltersStartFromTheRunsWorkingCopies) {
    FillSix();
    run.Checks.DoubleFilter = true;
    run.RunPreview.DoubleFilter = false;
    cPreviewList list(run);
    EXPECT_TRUE(list.Filter(ePreviewFilter::DoubleModified));
    EXPECT_EQ(LineTexts(list), (Texts{"F .../", "F .../Briefe/", "C c.doc", "F .../Bilder/"}));
    list.ToggleFilter(ePreviewFilter::DoubleModified);
    EXPECT_FALSE(run.Checks.DoubleFilter);
    list.ToggleFilter(ePreviewFilter::Backward);
    EXPECT_TRUE(run.RunPreview.BackwardFilter);
}

// A folder line changes every candidate of its folder, shown or not; each one refuses what its sides cannot do.
TEST_F(PreviewListTest, FolderActionsRespectMissingSides) {
    const struct {
        ActionFlags set;
        cTouchedSides touched;
        std::array<ActionFlags, 3> briefe; // c (pair), d (pair), e (source only)
    } cases[] = {
        {B, {true, true}, {B, B, F}},  {F, {true, true}, {F, F, F}},  {D, {true, true}, {D, D, D}},
        {S, {true, true}, {S, S, S}},  {D, {false, true}, {D, B, F}}, // a one-way profile deletes nothing in the source
        {F, {false, true}, {F, F, F}}, {B, {true, false}, {B, B, F}},
    };
    for (const auto& c : cases) {
        FillSix(false);
        run.Touched = c.touched;
        run.RunPreview.BackwardFilter = true; // hides c and e: a folder line changes them all the same
        cPreviewList list(run);
        const std::size_t briefe = LineOf(list, ".../Briefe/");
        const std::array<std::size_t, 1> lines = {briefe};
        list.SetAction(lines, c.set);
        EXPECT_EQ((std::array<ActionFlags, 3>{ActionOf("c"), ActionOf("d"), ActionOf("e")}), c.briefe)
            << "set " << c.set << ", touched " << c.touched.Source << c.touched.Dest;
        EXPECT_EQ(ActionOf("a"), F) << "other folders stay";
        EXPECT_EQ(ActionOf("f"), S);
    }
}

TEST_F(PreviewListTest, SelectionAndCycleChangeTheirLinesAndTheFigures) {
    FillSix();
    run.SourceFree = 10'000;
    run.DestFree = 5'000;
    cPreviewList list(run);
    // Sizes: source 100, destination 50 each. Forward a (+50 dest) and e (+100 dest), backward d (-50 source),
    // delete c (frees 100 source, 50 dest).
    EXPECT_EQ(run.PlannedForward, 2);
    EXPECT_EQ(run.PlannedSkip, 2);
    EXPECT_EQ(run.PlannedDelete, 1);
    EXPECT_EQ(run.PlannedBackward, 1);
    EXPECT_EQ(run.BytesToCopy, 0) << "the hand-made candidates copy only properties";
    EXPECT_EQ(run.SourceBalance, 10'000 + 100 - (-50));
    EXPECT_EQ(run.DestBalance, 5'000 + 50 - 150);

    // The selection: the line of b, the folder Bilder (f, destination only) and the line of e (source only).
    const std::array<std::size_t, 3> selection = {LineOf(list, "b"), LineOf(list, ".../Bilder/"), LineOf(list, "e")};
    const std::vector<cPreviewLine> before = list.Lines();
    EXPECT_TRUE(list.SetAction(selection, B));
    EXPECT_EQ(ActionOf("b"), B);
    EXPECT_EQ(ActionOf("f"), B);
    EXPECT_EQ(ActionOf("e"), F) << "no destination file to copy back";
    EXPECT_EQ(list.Lines(), before) << "lines change only at a rebuild";
    EXPECT_EQ(run.PlannedBackward, 3);
    EXPECT_EQ(run.PlannedSkip, 0);
    EXPECT_EQ(run.Folders[0]->BackwardTotal, 1);
    EXPECT_EQ(run.Folders[0]->ForwardTotal, 1);
    EXPECT_EQ(run.Folders[2]->BackwardTotal, 1);
    // b: 50 - 100 = -50 on the source; f: destination only, 50 - 0 = +50.
    EXPECT_EQ(run.SourceBalance, 10'000 + 100 - (-50 - 50 + 50));

    EXPECT_FALSE(list.SetAction(selection, B)) << "nothing left to change";
    EXPECT_FALSE(list.CycleAction(0)) << "a folder line does not cycle";
    EXPECT_TRUE(list.CycleAction(LineOf(list, "c"))); // delete → backward
    EXPECT_EQ(ActionOf("c"), B);
    EXPECT_EQ(run.PlannedDelete, 0);
    EXPECT_EQ(run.Folders[1]->BackwardTotal, 2);
    EXPECT_EQ(run.Folders[1]->DeleteTotal, 0);
}

TEST_F(PreviewListTest, SameVolumeHasOneBalance) {
    FillSix();
    run.SameRoot = true;
    run.SourceFree = 1'000;
    cPreviewList list(run);
    const std::array<std::size_t, 1> all = {0};
    list.SetAction(all, D); // a, b and c free 100 in the source and 50 in the destination each
    EXPECT_EQ(run.SourceBalance, 1'000 + 300 + 150 - (100 - 50)); // forward e, backward d
    EXPECT_EQ(run.DestBalance, run.SourceBalance);
}

TEST_F(PreviewListTest, SortingRegroupsAndFilteringKeepsTheOrder) {
    Fill({{1, "Zebra", ".txt", eSides::Both, F},
          {0, "apfel", ".TXT", eSides::Both, S},
          {1, "Ast", "", eSides::Both, D, 300},
          {2, "zaun", ".jpg", eSides::SourceOnly, F, 7}});
    cPreviewList list(run);
    const Texts byPath = {"F .../", "C apfel.TXT",   "F .../Briefe/", "C Zebra.txt",
                          "C Ast",  "F .../Bilder/", "C zaun.jpg"};
    EXPECT_EQ(LineTexts(list), byPath);

    list.SetSortMode(kSortByName);
    EXPECT_EQ(LineTexts(list), (Texts{"F A...", "C apfel.TXT", "C Ast", "F Z...", "C zaun.jpg", "C Zebra.txt"}));
    list.ToggleFilter(ePreviewFilter::Forward);
    EXPECT_EQ(LineTexts(list), (Texts{"F A...", "F Z...", "C zaun.jpg", "C Zebra.txt"}));
    list.ToggleFilter(ePreviewFilter::Forward);
    list.SetReverseOrder(true);
    EXPECT_EQ(LineTexts(list), (Texts{"F Z...", "C Zebra.txt", "C zaun.jpg", "F A...", "C Ast", "C apfel.TXT"}));
    list.SetReverseOrder(false);
    list.SetSortMode(kSortByType);
    EXPECT_EQ(LineTexts(list),
              (Texts{"F <ohne Typ>", "C Ast", "F .jpg", "C zaun.jpg", "F .txt", "C apfel.TXT", "C Zebra.txt"}));
    list.SetSortMode(kSortByPath);
    // Back by path: each directory's files keep the order they had (stable), here by type.
    EXPECT_EQ(LineTexts(list),
              (Texts{"F .../", "C apfel.TXT", "F .../Briefe/", "C Ast", "C Zebra.txt", "F .../Bilder/", "C zaun.jpg"}));
    EXPECT_EQ(run.RunSortMode, kSortByPath);
    list.SetSortMode(9);
    EXPECT_EQ(run.RunSortMode, kSortByPath) << "no such sort mode";
}

TEST_F(PreviewListTest, ResortingTakesTheOpenStateOfThePreviewSettings) {
    FillSix(true);
    cPreviewList list(run);
    list.ToggleFolder(0);
    list.SetSortMode(kSortByCategory);
    EXPECT_EQ(LineTexts(list), (Texts{"F Vorwärts", "C a.txt", "C e", "F Überspringen", "C b.txt", "C f.jpg",
                                      "F Löschen", "C c.doc", "F Rückwärts", "C d.doc"}));
    EXPECT_EQ(run.Folders[0]->ForwardTotal, 2) << "the new folders have their totals";
}

TEST(PreviewFigures, Texts) {
    EXPECT_EQ(PreviewCountText(1234567), "1.234.567");
    EXPECT_EQ(PreviewTransferText(3 * 1048576 + 524288), "3,500 MB Transfer");
    const struct {
        std::int64_t balance;
        std::int64_t free;
        std::optional<cBalanceText> expected;
    } cases[] = {
        {2 * 1048576, 0, cBalanceText{"2,000 MB bleiben", false}},
        {0, 0, cBalanceText{"0,000 MB bleiben", false}},
        {-5 * 1048576 - 1048, 1, cBalanceText{"5,001 MB fehlen", true}},
        {-5, kFreeSpaceUnknown, std::nullopt},
        {5, kFreeSpaceNotReady, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewBalanceText(c.balance, c.free), c.expected) << c.balance << " " << c.free;
}

} // namespace
} // namespace previewtest

// Grouping the sorted candidate list: keys, German captions and index ranges per sort mode.
#include "engine/Folders.h"

#include "engine/CandidateSort.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
    int dirIndex;
    std::string baseName;
    std::string extension;
    std::int64_t size;
    platform::FileTime time;
    ActionFlags action;
};

std::vector<std::unique_ptr<cCandidate>> MakeList(const std::vector<Row>& rows) {
    std::vector<std::unique_ptr<cCandidate>> list;
    for (const Row& r : rows) {
        auto c = std::make_unique<cCandidate>();
        c->DirIndex = r.dirIndex;
        c->BaseName = r.baseName;
        c->Extension = r.extension;
        c->SortSize = r.size;
        c->SortTime = r.time;
        c->Flags = r.action;
        list.push_back(std::move(c));
    }
    return list;
}

// "caption [first-last]" per folder.
std::vector<std::string> Describe(const std::vector<std::unique_ptr<cFolder>>& folders) {
    std::vector<std::string> out;
    for (const auto& f : folders)
        out.push_back(f->Caption + " [" + std::to_string(f->FirstIndex) + "-" + std::to_string(f->LastIndex) + "]");
    return out;
}

const std::vector<std::string> kDirs = {"\\Daten\\Projekte\\", "\\Daten\\Projekte\\Alt\\", "\\Andere\\"};

std::vector<std::unique_ptr<cFolder>> Build(std::vector<std::unique_ptr<cCandidate>>& list, int mode) {
    SortCandidates(list, mode, false);
    return BuildFolders(list, {mode, &kDirs, "\\daten\\projekte", true});
}

TEST(FoldersTest, CaptionsAndRangesPerMode) {
    using platform::JoinFileTime;
    const std::vector<Row> rows = {
        {0, "report", ".TXT", 5, JoinFileTime(2026, 12, 9, 23, 59), kActionForward},
        {1, "notes", ".txt", 9, JoinFileTime(2026, 12, 9, 0, 0), kActionSkip},
        {2, "Makefile", "", 0, JoinFileTime(2026, 12, 7, 12), kActionDelete},
        {0, "älter", ".doc", 10, JoinFileTime(2026, 12, 7, 8), kActionForward},
        {2, "Ärger", ".DOC", 2'000'000'000, JoinFileTime(2026, 12, 8, 1), kActionBackward},
        {1, "nachtrag", ".txt", 999'999'999, JoinFileTime(2026, 12, 9, 12), kActionSkip},
    };
    struct Case {
        int mode;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {kSortByPath, {".../ [0-1]", ".../Alt/ [2-3]", ".../Andere/ [4-5]"}},
        {kSortByName, {"Ä... [0-1]", "M... [2-2]", "N... [3-4]", "R... [5-5]"}},
        {kSortByType, {"<ohne Typ> [0-0]", ".doc [1-2]", ".txt [3-5]"}},
        {kSortBySize,
         {"Größer als 1.000.000.000 Bytes [0-0]", "100.000.000...999.999.999 Bytes [1-1]", "10...99 Bytes [2-2]",
          "1...9 Bytes [3-4]", "0 Bytes [5-5]"}},
        {kSortByDateTime, {"Mittwoch 09.12.2026 [0-2]", "Dienstag 08.12.2026 [3-3]", "Montag 07.12.2026 [4-5]"}},
        {kSortByCategory, {"Vorwärts [0-1]", "Überspringen [2-3]", "Löschen [4-4]", "Rückwärts [5-5]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        auto list = MakeList(rows);
        const auto folders = Build(list, c.mode);
        EXPECT_EQ(Describe(folders), c.expected);
        for (const auto& f : folders) {
            EXPECT_EQ(f->Kind, kKindFolder);
            EXPECT_TRUE(f->Expanded);
            EXPECT_EQ(f->DisplayState, 0);
            EXPECT_EQ(f->ForwardTotal + f->SkipTotal + f->DeleteTotal + f->BackwardTotal, 0);
        }
    }
}

TEST(FoldersTest, LettersAndTypesGroupAsTheySort) {
    // By name, umlauts stand with their base letter, as the German collation sorts them; by type, case does not
    // part a type, an umlaut does.
    const std::vector<Row> rows = {
        {0, "Axt", ".TXT", 1, 0, kActionForward},
        {0, "Äpfel", ".txt", 1, 0, kActionForward},
        {0, "apfel", ".tät", 1, 0, kActionForward},
        {0, "Zebra", ".txt", 1, 0, kActionForward},
    };
    auto list = MakeList(rows);
    EXPECT_EQ(Describe(Build(list, kSortByName)), (std::vector<std::string>{"A... [0-2]", "Z... [3-3]"}));
    list = MakeList(rows);
    EXPECT_EQ(Describe(Build(list, kSortByType)), (std::vector<std::string>{".tät [0-0]", ".txt [1-3]"}));
}

TEST(FoldersTest, EmptyListClosedFoldersAndUnknownMode) {
    std::vector<std::unique_ptr<cCandidate>> empty;
    EXPECT_TRUE(BuildFolders(empty, {kSortByPath, &kDirs, "", true}).empty());

    auto list = MakeList({{0, "a", "", 1, 1, kActionForward}, {1, "b", "", 2, 2, kActionSkip}});
    const auto closed = BuildFolders(list, {kSortByPath, &kDirs, "", false});
    ASSERT_EQ(closed.size(), 2u);
    EXPECT_FALSE(closed[0]->Expanded);
    EXPECT_EQ(closed[0]->Caption, ".../Daten/Projekte/");

    const auto unknown = BuildFolders(list, {9, &kDirs, "", true});
    EXPECT_EQ(Describe(unknown), std::vector<std::string>{" [0-1]"});
}

} // namespace

// The order of the candidate list in every sort mode, with ties and reversed.
#include "engine/CandidateSort.h"

#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
    std::string label; // BaseName; unique per row so the order can be read back
    int dirIndex;
    std::string extension;
    std::int64_t size;
    platform::FileTime time;
    ActionFlags action;
};

std::vector<std::unique_ptr<cCandidate>> MakeList(const std::vector<Row>& rows) {
    std::vector<std::unique_ptr<cCandidate>> list;
    for (const Row& r : rows) {
        auto c = std::make_unique<cCandidate>();
        c->BaseName = r.label;
        c->DirIndex = r.dirIndex;
        c->Extension = r.extension;
        c->SortSize = r.size;
        c->SortTime = r.time;
        c->Flags = static_cast<ActionFlags>(r.action | kFlagCopyContent);
        list.push_back(std::move(c));
    }
    return list;
}

std::string Order(const std::vector<std::unique_ptr<cCandidate>>& list) {
    std::string order;
    for (const auto& c : list)
        order += (order.empty() ? "" : " ") + c->BaseName;
    return order;
}

const platform::FileTime kMonday = platform::JoinFileTime(2026, 12, 7, 9);
const platform::FileTime kTuesday = platform::JoinFileTime(2026, 12, 8, 9);

// Scan order; every mode has ties among these.
const std::vector<Row> kRows = {
    {"delta", 2, ".TXT", 10, kMonday, kActionSkip},   {"Alpha", 0, ".doc", 2'147'483'648, kTuesday, kActionBackward},
    {"charlie", 1, "", 10, kTuesday, kActionForward}, {"bravo", 0, ".txt", 0, kMonday, kActionDelete},
    {"ALPHA", 2, ".Doc", 9, kMonday, kActionForward},
};

TEST(CandidateSortTest, EveryModeAndItsReverse) {
    struct Case {
        int mode;
        const char* forward;
        const char* reversed;
    };
    const Case cases[] = {
        {kSortByPath, "Alpha bravo charlie delta ALPHA", "delta ALPHA charlie Alpha bravo"},
        {kSortByName, "Alpha ALPHA bravo charlie delta", "delta charlie bravo Alpha ALPHA"},
        {kSortByType, "charlie Alpha ALPHA delta bravo", "delta bravo Alpha ALPHA charlie"},
        {kSortBySize, "Alpha delta charlie ALPHA bravo", "bravo ALPHA delta charlie Alpha"},
        {kSortByDateTime, "Alpha charlie delta bravo ALPHA", "delta bravo ALPHA Alpha charlie"},
        {kSortByCategory, "charlie ALPHA delta bravo Alpha", "Alpha bravo delta charlie ALPHA"},
        {6, "delta Alpha charlie bravo ALPHA", "delta Alpha charlie bravo ALPHA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        auto list = MakeList(kRows);
        SortCandidates(list, c.mode, false);
        EXPECT_EQ(Order(list), c.forward);
        list = MakeList(kRows);
        SortCandidates(list, c.mode, true);
        EXPECT_EQ(Order(list), c.reversed);
    }
}

TEST(CandidateSortTest, CompareIsNegatedByReverseOrder) {
    const auto list = MakeList(kRows);
    const cCandidate& big = *list[1];
    const cCandidate& small = *list[0];
    EXPECT_LT(CompareCandidates(big, small, kSortBySize, false), 0);
    EXPECT_GT(CompareCandidates(big, small, kSortBySize, true), 0);
    EXPECT_EQ(CompareCandidates(*list[1], *list[4], kSortByName, false), 0);
    EXPECT_EQ(CompareCandidates(*list[1], *list[4], kSortByName, true), 0);
}

TEST(CandidateSortTest, NamesAndTypesFollowTheGermanCollation) {
    // Umlauts sort with their base letter; case does not count, so equal names keep the order of the scan.
    const std::vector<Row> rows = {
        {"Zebra", 0, ".txt", 0, kMonday, kActionForward}, {"Äpfel", 0, ".TXT", 0, kMonday, kActionForward},
        {"Axt", 0, ".tät", 0, kMonday, kActionForward},   {"apfel", 0, ".doc", 0, kMonday, kActionForward},
        {"Apfel", 0, ".Tät", 0, kMonday, kActionForward}, {"Übel", 0, "", 0, kMonday, kActionForward},
    };
    auto list = MakeList(rows);
    SortCandidates(list, kSortByName, false);
    EXPECT_EQ(Order(list), "apfel Apfel Äpfel Axt Übel Zebra");
    SortCandidates(list, kSortByName, true);
    EXPECT_EQ(Order(list), "Zebra Übel Axt Äpfel apfel Apfel");
    list = MakeList(rows);
    SortCandidates(list, kSortByType, false);
    EXPECT_EQ(Order(list), "Übel apfel Axt Apfel Zebra Äpfel");

    // A single comparison agrees with the sort.
    list = MakeList(rows);
    EXPECT_LT(CompareCandidates(*list[1], *list[0], kSortByName, false), 0); // Äpfel < Zebra
    EXPECT_LT(CompareCandidates(*list[4], *list[1], kSortByName, false), 0); // Apfel < Äpfel
    EXPECT_EQ(CompareCandidates(*list[3], *list[4], kSortByName, false), 0); // apfel = Apfel
    EXPECT_LT(CompareCandidates(*list[2], *list[0], kSortByType, false), 0); // .tät < .txt
    EXPECT_GT(CompareCandidates(*list[2], *list[0], kSortByType, true), 0);
}

} // namespace

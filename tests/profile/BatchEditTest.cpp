// Editing a batch's entries: moving selected entries with the wrap-round, new entries in their canonical form.
#include "profile/BatchEdit.h"

#include <gtest/gtest.h>

namespace {

// Moves the lines marked '*' of "A*BC*D" with move and returns the result in the same notation.
template <class Move> std::string MovedBy(const std::string& lines, Move move) {
    std::vector<char> items;
    std::vector<bool> selected;
    for (char c : lines) {
        if (c == '*')
            selected.back() = true;
        else {
            items.push_back(c);
            selected.push_back(false);
        }
    }
    move(items, selected);
    std::string result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        result += items[i];
        if (selected[i]) result += '*';
    }
    return result;
}

std::string Moved(const std::string& lines, bool up) {
    return MovedBy(lines, [up](auto& items, auto& selected) { MoveSelected(items, selected, up); });
}

std::string Dragged(const std::string& lines, std::size_t before) {
    return MovedBy(lines, [before](auto& items, auto& selected) { MoveSelectedBefore(items, selected, before); });
}

TEST(BatchEditTest, SelectedLinesMoveOnePlaceAndWrapRound) {
    const struct {
        const char* before;
        bool up;
        const char* after;
    } cases[] = {
        {"ABC*D", true, "AC*BD"},
        {"ABC*D", false, "ABDC*"},
        {"A*BCD", true, "BCDA*"},
        {"ABCD*", false, "D*ABC"},
        {"A*B*CD", true, "CDA*B*"},
        {"A*BC*D", true, "C*BDA*"},
        {"AB*C*D", true, "B*C*AD"},
        {"AB*C*D", false, "ADB*C*"},
        {"ABCD", true, "ABCD"},
        {"A*B*C*", true, "A*B*C*"},
        {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Moved(c.before, c.up), c.after) << c.before << (c.up ? " up" : " down");
}

// A drag within the list puts the selected lines, as one block in their order, before the line it is dropped on.
TEST(BatchEditTest, DraggedLinesMoveAsOneBlock) {
    const struct {
        const char* before;
        std::size_t onto; // the line dropped on; 4 is below the last
        const char* after;
    } cases[] = {
        {"AB*CD", 0, "B*ACD"},   {"AB*CD", 4, "ACDB*"},   {"A*BC*D", 3, "BA*C*D"}, {"A*BC*D", 0, "A*C*BD"},
        {"AB*C*D", 2, "AB*C*D"}, {"AB*C*D", 1, "AB*C*D"}, {"ABCD", 2, "ABCD"},     {"A*B*C*D*", 2, "A*B*C*D*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dragged(c.before, c.onto), c.after) << c.before << " onto " << c.onto;
}

TEST(BatchEditTest, NewEntriesTakeTheCanonicalForm) {
    const struct {
        const char* file;
        BatchEntry entry;
    } cases[] = {
        {"/home/anna/Profile/Briefe.tvp", {"/", "\\home\\anna\\Profile\\", "Briefe.tvp"}},
        {"/home/anna/Profile/Briefe.txt", {"/", "\\home\\anna\\Profile\\", "Briefe.tvp"}},
        {"/home/anna/Profile/Briefe", {"/", "\\home\\anna\\Profile\\", "Briefe.tvp"}},
        {"/home/anna/Profile/.versteckt", {"/", "\\home\\anna\\Profile\\", ".versteckt.tvp"}},
        {"/Sicherung.tvp", {"/", "\\", "Sicherung.tvp"}},
        {"%HOME%/Profile/Fotos.tvp", {"/", "%HOME%\\Profile\\", "Fotos.tvp"}},
        {"/home/anna/", {}},
        {"Briefe.tvp", {}},
    };
    for (const auto& c : cases) {
        const BatchEntry entry = BatchEntryFor(c.file);
        EXPECT_EQ(entry.Drive, c.entry.Drive) << c.file;
        EXPECT_EQ(entry.Directory, c.entry.Directory) << c.file;
        EXPECT_EQ(entry.Name, c.entry.Name) << c.file;
    }
    EXPECT_EQ(BatchEntryPath(BatchEntryFor("/home/anna/Profile/Briefe.tvp")), "/home/anna/Profile/Briefe.tvp");
}

TEST(BatchEditTest, EntriesRoundTripWithTheirContinuations) {
    cBatchParameters batch;
    const std::vector<BatchEntry> entries = {{"/", "\\a\\", "Eins.tvp", kContinueOnFailure},
                                             {"/", "\\a\\", "Eins.tvp", kContinueAlways},
                                             {"D:", "\\Profile\\", "Zwei.tvp", kContinueOnSuccess}};
    SetBatchEntries(batch, entries);
    const std::vector<BatchEntry> read = BatchEntries(batch);
    ASSERT_EQ(read.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read[i].Drive, entries[i].Drive);
        EXPECT_EQ(read[i].Directory, entries[i].Directory);
        EXPECT_EQ(read[i].Name, entries[i].Name);
        EXPECT_EQ(read[i].Continuation, entries[i].Continuation);
    }
    EXPECT_EQ(NextContinuation(0), 1);
    EXPECT_EQ(NextContinuation(1), 2);
    EXPECT_EQ(NextContinuation(2), 0);
    EXPECT_EQ(NextContinuation(9), 0);
}

} // namespace

// Editing a batch's entries: moving selected entries with the wrap-round, new entries in their canonical form.
#include "profile/BatchEdit.h"

#include <gtest/gtest.h>

namespace {

// Moves the lines marked '*' of "A*BC*D" and returns the result in the same notation.
std::string Moved(const std::string& lines, bool up) {
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
    MoveSelected(items, selected, up);
    std::string result;
    for (std::size_t i = 0; i < items.size(); ++i) {
        result += items[i];
        if (selected[i]) result += '*';
    }
    return result;
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

// Action counts, bytes to copy, free-space balances and folder totals of a candidate list.
#include "engine/Statistics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t kMB = 1'000'000;

struct Row {
    ActionFlags flags;
    std::int64_t sourceSize;
    std::int64_t destSize;
};

std::vector<std::unique_ptr<cCandidate>> MakeList(const std::vector<Row>& rows) {
    std::vector<std::unique_ptr<cCandidate>> list;
    for (const Row& r : rows) {
        auto c = std::make_unique<cCandidate>();
        c->Flags = r.flags;
        c->SourceSize = r.sourceSize;
        c->DestSize = r.destSize;
        list.push_back(std::move(c));
    }
    return list;
}

std::unique_ptr<cFolder> MakeFolder(int first, int last) {
    auto f = std::make_unique<cFolder>();
    f->FirstIndex = first;
    f->LastIndex = last;
    f->SkipTotal = 99; // stale totals are replaced
    return f;
}

const std::vector<Row> kEveryAction = {
    {kActionForward | kFlagCopyContent, 300, 100},   // grows the destination by 200
    {kActionForward, 50, 50},                        // properties only: nothing copied
    {kActionSkip | kFlagSizeDiffers, 7000, 9000},    // counted only
    {kActionDelete, 1000, 0},                        // source orphan
    {kActionDelete | kFlagDoubleModified, 400, 600}, // on both sides
    {kActionBackward | kFlagCopyContent, 20, 500},   // grows the source by 480
    {kActionBackward | kFlagCopyContent, 900, 100},  // a smaller file shrinks the source by 800
};

TEST(StatisticsTest, CountsAndBalancesForEveryAction) {
    const auto list = MakeList(kEveryAction);
    std::vector<std::unique_ptr<cFolder>> folders;
    folders.push_back(MakeFolder(0, 2));
    folders.push_back(MakeFolder(3, 6));

    const cRunStatistics apart = ComputeStatistics(list, folders, {false, 10'000, 20'000});
    EXPECT_EQ(apart.PlannedForward, 2);
    EXPECT_EQ(apart.PlannedSkip, 1);
    EXPECT_EQ(apart.PlannedDelete, 2);
    EXPECT_EQ(apart.PlannedBackward, 2);
    EXPECT_EQ(apart.BytesToCopy, 300 + 500 + 100);
    // Backward growth 480 - 800 = -320; freed source 1400; freed destination 600; forward growth 200.
    EXPECT_EQ(apart.SourceBalance, 10'000 + 1400 + 320);
    EXPECT_EQ(apart.DestBalance, 20'000 + 600 - 200);

    const cRunStatistics same = ComputeStatistics(list, folders, {true, 10'000, 55'555});
    EXPECT_EQ(same.SourceBalance, 10'000 + 1400 + 600 - (200 - 320));
    EXPECT_EQ(same.DestBalance, same.SourceBalance);

    EXPECT_EQ(folders[0]->ForwardTotal, 2);
    EXPECT_EQ(folders[0]->SkipTotal, 1);
    EXPECT_EQ(folders[0]->DeleteTotal, 0);
    EXPECT_EQ(folders[0]->BackwardTotal, 0);
    EXPECT_EQ(folders[1]->ForwardTotal, 0);
    EXPECT_EQ(folders[1]->SkipTotal, 0);
    EXPECT_EQ(folders[1]->DeleteTotal, 2);
    EXPECT_EQ(folders[1]->BackwardTotal, 2);
}

TEST(StatisticsTest, SameRootShortfall) {
    // Deleting 10 MB and copying 30 MB of new files with 15 MB free leaves 5 MB missing.
    const auto list = MakeList({{kActionDelete, 10 * kMB, 0},
                                {kActionForward | kFlagCopyContent, 20 * kMB, 0},
                                {kActionForward | kFlagCopyContent, 10 * kMB, 0}});
    std::vector<std::unique_ptr<cFolder>> folders;
    const cRunStatistics s = ComputeStatistics(list, folders, {true, 15 * kMB, 15 * kMB});
    EXPECT_EQ(s.BytesToCopy, 30 * kMB);
    EXPECT_EQ(s.SourceBalance, -5 * kMB);
    EXPECT_EQ(s.DestBalance, -5 * kMB);
}

TEST(StatisticsTest, EmptyListAndFolderRangesOutsideTheList) {
    std::vector<std::unique_ptr<cCandidate>> empty;
    std::vector<std::unique_ptr<cFolder>> none;
    const cRunStatistics s = ComputeStatistics(empty, none, {false, 7, 9});
    EXPECT_EQ(s.PlannedForward + s.PlannedSkip + s.PlannedDelete + s.PlannedBackward, 0);
    EXPECT_EQ(s.BytesToCopy, 0);
    EXPECT_EQ(s.SourceBalance, 7);
    EXPECT_EQ(s.DestBalance, 9);

    const auto list = MakeList({{kActionSkip, 1, 1}});
    std::vector<std::unique_ptr<cFolder>> stale;
    stale.push_back(MakeFolder(0, 5));
    ComputeStatistics(list, stale, {});
    EXPECT_EQ(stale[0]->SkipTotal, 1);
}

} // namespace

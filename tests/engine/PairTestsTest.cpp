// The size-factor test and the double-modification test against the last run.
#include "engine/PairTests.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using platform::FileTime;
using platform::JoinFileTime;

struct SizeCase {
    const char* name;
    std::int64_t found;
    std::int64_t other;
    bool otherExists;
    bool sizesCompare;
    int factor;
    bool differ;
};

TEST(SizesDifferByFactorTest, Cases) {
    constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
    const SizeCase cases[] = {
        {"100 and 300, factor 3", 100, 300, true, true, 3, true},
        {"300 and 100, factor 3", 300, 100, true, true, 3, true},
        {"100 and 299, factor 3", 100, 299, true, true, 3, false},
        {"two empty files", 0, 0, true, true, 3, false},
        {"empty and non-empty", 0, 1, true, true, 3, true},
        {"non-empty and empty", 1, 0, true, true, 3, true},
        {"factor reached, SizesCompare off", 100, 300, true, false, 3, false},
        {"other side missing", 100, 0, false, true, 3, false},
        {"huge sizes do not overflow", kHuge, kHuge / 2, true, true, 3, false},
        {"huge size against a small one", kHuge, 1, true, true, 3, true},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const cSideRecord found{0, JoinFileTime(2026, 1, 1), c.found};
        const cSideRecord other{0, c.otherExists ? JoinFileTime(2026, 1, 2) : 0, c.other};
        EXPECT_EQ(SizesDifferByFactor(found, other, c.sizesCompare, c.factor), c.differ);
    }
}

class ModifiedSinceLastRunTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetTimeZone("Europe/Berlin"); }
    void TearDown() override { platform::SetTimeZone(""); }
};

TEST_F(ModifiedSinceLastRunTest, LocalRecords) {
    const FileTime lastRun = JoinFileTime(2026, 12, 9, 20);
    EXPECT_TRUE(IsModifiedSinceLastRun(cSideRecord{0, lastRun, 1}, lastRun, false));
    EXPECT_FALSE(IsModifiedSinceLastRun(cSideRecord{0, lastRun - 1, 1}, lastRun, false));
    EXPECT_FALSE(IsModifiedSinceLastRun(cSideRecord{}, lastRun, false));
    // A last run whose upper 32 bits are 0 counts as never run.
    EXPECT_FALSE(IsModifiedSinceLastRun(cSideRecord{0, lastRun, 1}, 0xFFFF'FFFF, false));
}

TEST_F(ModifiedSinceLastRunTest, UtcRecordsAreComparedInUtc) {
    // Last run started at 20:00 local (19:00 UTC); the other side changed at 20:30 local, held as 19:30 UTC.
    const FileTime lastRun = JoinFileTime(2026, 12, 9, 20);
    EXPECT_TRUE(IsModifiedSinceLastRun(cSideRecord{0, JoinFileTime(2026, 12, 9, 19, 30), 1}, lastRun, true));
    EXPECT_FALSE(IsModifiedSinceLastRun(cSideRecord{0, JoinFileTime(2026, 12, 9, 18, 59), 1}, lastRun, true));
}

} // namespace

// The age filter by AgeMode (with the clock set) and the attribute filter by the Attributes bits.
#include "engine/FileFilters.h"

#include "platform/Clock.h"
#include "platform/FileInfo.h"
#include "platform/FileTime.h"
#include "profile/Parameters.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using platform::FileTime;
using platform::JoinFileTime;

class AgeFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        SetLocalNow(JoinFileTime(2026, 12, 10, 12));
    }
    void TearDown() override {
        platform::SetClock(std::nullopt);
        platform::SetTimeZone("");
    }
    static void SetLocalNow(FileTime local) { platform::SetClock(platform::LocalToUtc(local)); }
};

struct AgeCase {
    const char* name;
    std::uint8_t ageMode;
    int relativeAge;
    double dateOffset;
    FileTime time; // local, as the records hold it without UseUTC
    bool passes;
};

TEST_F(AgeFilterTest, ModesAndReversal) {
    const FileTime eightDaysAgo = JoinFileTime(2026, 12, 2, 12);
    const FileTime sevenDaysAgoAtMidnight = JoinFileTime(2026, 12, 3);
    const FileTime justBefore = sevenDaysAgoAtMidnight - 1;
    const FileTime yesterdayEvening = JoinFileTime(2026, 12, 9, 21);
    using enum eAgeMode;
    const AgeCase cases[] = {
        {"no limit", AgeModeValue(None), 7, 0, eightDaysAgo, true},
        {"no limit, reversed: nothing passes", AgeModeValue(None, true), 7, 0, eightDaysAgo, false},
        {"no limit, reversed: not even a new file", AgeModeValue(None, true), 7, 0, yesterdayEvening, false},
        {"7 days, 8 days old", AgeModeValue(RelativeAge), 7, 0, eightDaysAgo, false},
        {"7 days, 8 days old, reversed", AgeModeValue(RelativeAge, true), 7, 0, eightDaysAgo, true},
        {"7 days, at the start of the day", AgeModeValue(RelativeAge), 7, 0, sevenDaysAgoAtMidnight, true},
        {"7 days, at the start of the day, reversed", AgeModeValue(RelativeAge, true), 7, 0, sevenDaysAgoAtMidnight,
         false},
        {"7 days, one tick before the day", AgeModeValue(RelativeAge), 7, 0, justBefore, false},
        {"7 days, one tick before the day, reversed", AgeModeValue(RelativeAge, true), 7, 0, justBefore, true},
        {"7 days, new file", AgeModeValue(RelativeAge), 7, 0, yesterdayEvening, true},
        {"7 days, new file, reversed", AgeModeValue(RelativeAge, true), 7, 0, yesterdayEvening, false},
        {"7 days and the date offset, 8 days old", AgeModeValue(RelativeAge), 7, 1, eightDaysAgo, true},
        {"0 days, yesterday", AgeModeValue(RelativeAge), 0, 0, yesterdayEvening, false},
        {"0 days and the date offset, yesterday", AgeModeValue(RelativeAge), 0, 1, yesterdayEvening, true},
    };
    for (const AgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        cParameters p;
        p.AgeMode = c.ageMode;
        p.RelativeAge = c.relativeAge;
        p.DateOffset = c.dateOffset;
        EXPECT_EQ(PassesAgeFilter(AgeFilterFromParameters(p), c.time), c.passes);
    }
}

TEST_F(AgeFilterTest, AbsoluteDayAndLastRun) {
    cParameters p;
    p.AgeMode = AgeModeValue(eAgeMode::AbsoluteAge);
    p.AbsoluteAge = platform::DayNumberFromFileTime(JoinFileTime(2026, 11, 1));
    EXPECT_EQ(ComputeAgeLimit(p), JoinFileTime(2026, 11, 1));
    EXPECT_TRUE(PassesAgeFilter(AgeFilterFromParameters(p), JoinFileTime(2026, 11, 1)));
    EXPECT_FALSE(PassesAgeFilter(AgeFilterFromParameters(p), JoinFileTime(2026, 10, 31, 23, 59, 59)));

    p.AgeMode = AgeModeValue(eAgeMode::LastRun, true);
    p.LastRun = JoinFileTime(2026, 12, 9, 20);
    EXPECT_EQ(ComputeAgeLimit(p), p.LastRun);
    EXPECT_TRUE(PassesAgeFilter(AgeFilterFromParameters(p), p.LastRun - 1));
    EXPECT_FALSE(PassesAgeFilter(AgeFilterFromParameters(p), p.LastRun));
}

TEST_F(AgeFilterTest, TodayIsTheLocalDay) {
    // 00:30 in Berlin is still yesterday in UTC.
    SetLocalNow(JoinFileTime(2026, 12, 10, 0, 30));
    cParameters p;
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 0;
    EXPECT_EQ(ComputeAgeLimit(p), JoinFileTime(2026, 12, 10));
}

TEST_F(AgeFilterTest, LimitFollowsUtcRecords) {
    // The limit is a local calendar time; records kept in UTC are compared with it in UTC.
    cParameters p;
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 0;
    p.UseUTC = true;
    const cAgeFilter filter = AgeFilterFromParameters(p);
    EXPECT_EQ(filter.Limit, JoinFileTime(2026, 12, 9, 23)); // 00:00 in Berlin, winter time
    // Written at 00:30 local time today, held as 23:30 UTC yesterday.
    EXPECT_TRUE(PassesAgeFilter(filter, JoinFileTime(2026, 12, 9, 23, 30)));
    EXPECT_FALSE(PassesAgeFilter(filter, JoinFileTime(2026, 12, 9, 22, 59, 59)));
}

struct AttributeCase {
    const char* name;
    std::uint32_t attributes;
    bool exists;
    int allowed;
    bool passes;
};

TEST(AttributeFilterTest, HiddenAndSystemNeedTheirBits) {
    using platform::kAttributeArchive;
    using platform::kAttributeHidden;
    using platform::kAttributeReadOnly;
    using platform::kAttributeSystem;
    const AttributeCase cases[] = {
        {"plain file, nothing allowed", 0, true, 0, true},
        {"read-only and archive need nothing", kAttributeReadOnly | kAttributeArchive, true, 0, true},
        {"hidden, not allowed", kAttributeHidden, true, kAttributeReadOnly | kAttributeSystem, false},
        {"hidden, allowed", kAttributeHidden, true, kAttributeHidden, true},
        {"system, not allowed", kAttributeSystem, true, kAttributeHidden | kAttributeReadOnly, false},
        {"system, allowed", kAttributeSystem, true, kAttributeSystem, true},
        {"hidden and system, only hidden allowed", kAttributeHidden | kAttributeSystem, true, kAttributeHidden, false},
        {"hidden and system, both allowed", kAttributeHidden | kAttributeSystem, true, 7, true},
        {"missing file always passes", 0, false, 0, true},
    };
    for (const AttributeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const cSideRecord record{c.attributes, c.exists ? JoinFileTime(2026, 1, 1) : 0, 10};
        EXPECT_EQ(PassesAttributeFilter(record, c.allowed), c.passes);
    }
}

} // namespace

#include "platform/FileTime.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using platform::FileTime;

// Wednesday 9 December 2026 02:46:23.007.
constexpr FileTime kWednesday = 134'412'579'830'070'000;

void ExpectParts(const platform::DateTime& p, int year, int month, int day, int hour, int minute, int second,
                 int millisecond, int dayOfWeek) {
    EXPECT_EQ(p.year, year);
    EXPECT_EQ(p.month, month);
    EXPECT_EQ(p.day, day);
    EXPECT_EQ(p.hour, hour);
    EXPECT_EQ(p.minute, minute);
    EXPECT_EQ(p.second, second);
    EXPECT_EQ(p.millisecond, millisecond);
    EXPECT_EQ(p.dayOfWeek, dayOfWeek);
}

TEST(FileTime, SplitsAndJoinsCalendarDates) {
    const struct {
        FileTime t;
        int year, month, day, hour, minute, second, millisecond, dayOfWeek;
    } cases[] = {
        {0, 1601, 1, 1, 0, 0, 0, 0, 1},
        {platform::kUnixEpoch, 1970, 1, 1, 0, 0, 0, 0, 4},
        {kWednesday, 2026, 12, 9, 2, 46, 23, 7, 3},
        {125'962'992'000'000'000, 2000, 2, 29, 12, 0, 0, 0, 2}, // leap day of a year divisible by 400
        {94'405'824'000'000'000, 1900, 3, 1, 0, 0, 0, 0, 4},    // 1900 has no 29 February
        {2'650'467'743'999'990'000, 9999, 12, 31, 23, 59, 59, 999, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        ExpectParts(platform::SplitFileTime(c.t), c.year, c.month, c.day, c.hour, c.minute, c.second, c.millisecond,
                    c.dayOfWeek);
        EXPECT_EQ(platform::JoinFileTime(c.year, c.month, c.day, c.hour, c.minute, c.second, c.millisecond),
                  c.t - c.t % 10'000);
    }
}

TEST(FileTime, SplitsTheWholeRangeWithoutFailing) {
    ExpectParts(platform::SplitFileTime(std::numeric_limits<FileTime>::max()), 30828, 9, 14, 2, 48, 5, 477, 4);
    ExpectParts(platform::SplitFileTime(-1), 1600, 12, 31, 23, 59, 59, 999, 0);
    const platform::DateTime earliest = platform::SplitFileTime(std::numeric_limits<FileTime>::min());
    EXPECT_LT(earliest.year, -27'000);
    EXPECT_TRUE(earliest.month >= 1 && earliest.month <= 12 && earliest.day >= 1 && earliest.day <= 31);
    EXPECT_TRUE(earliest.dayOfWeek >= 0 && earliest.dayOfWeek <= 6);
}

TEST(FileTime, JoinCarriesOverAndSaturates) {
    EXPECT_EQ(platform::JoinFileTime(2026, 13, 1), platform::JoinFileTime(2027, 1, 1));
    EXPECT_EQ(platform::JoinFileTime(2026, 3, 0), platform::JoinFileTime(2026, 2, 28));
    EXPECT_EQ(platform::JoinFileTime(2024, 0, 1), platform::JoinFileTime(2023, 12, 1));
    EXPECT_EQ(platform::JoinFileTime(2026, 12, 9, 0, 90), platform::JoinFileTime(2026, 12, 9, 1, 30));
    EXPECT_EQ(platform::JoinFileTime(2026, 12, 9 - 400), platform::JoinFileTime(2025, 11, 4));
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(platform::JoinFileTime(big, big, big, big, big, big, big), std::numeric_limits<FileTime>::max());
    EXPECT_EQ(platform::JoinFileTime(-big, 1, 1), std::numeric_limits<FileTime>::min());
}

TEST(FileTime, TryJoinRejectsPartsOutOfRange) {
    EXPECT_EQ(platform::TryJoinFileTime(2026, 12, 9, 2, 46, 23, 7), kWednesday);
    EXPECT_TRUE(platform::TryJoinFileTime(2024, 2, 29).has_value());
    EXPECT_TRUE(platform::TryJoinFileTime(30827, 12, 31, 23, 59, 59, 999).has_value());
    const int bad[][7] = {
        {1600, 12, 31, 0, 0, 0, 0}, {30828, 1, 1, 0, 0, 0, 0}, {2026, 0, 1, 0, 0, 0, 0},    {2026, 13, 1, 0, 0, 0, 0},
        {2026, 2, 29, 0, 0, 0, 0},  {2026, 4, 31, 0, 0, 0, 0}, {2026, 4, 0, 0, 0, 0, 0},    {2026, 4, 1, 24, 0, 0, 0},
        {2026, 4, 1, 0, 60, 0, 0},  {2026, 4, 1, 0, 0, 60, 0}, {2026, 4, 1, 0, 0, 0, 1000}, {2026, 4, 1, -1, 0, 0, 0},
    };
    for (const auto& p : bad)
        EXPECT_FALSE(platform::TryJoinFileTime(p[0], p[1], p[2], p[3], p[4], p[5], p[6]).has_value())
            << p[0] << "-" << p[1] << "-" << p[2] << " " << p[3] << ":" << p[4] << ":" << p[5] << "." << p[6];
}

TEST(FileTime, TimespecKeeps100NanosecondsAlsoBefore1970) {
    const struct {
        timespec ts;
        FileTime t;
        long nanosecondsBack;
    } cases[] = {
        {{0, 0}, platform::kUnixEpoch, 0},
        {{1, 123'456'789}, platform::kUnixEpoch + 11'234'567, 123'456'700},
        // Half a second before 1970: -1 s + 0.5 s.
        {{-1, 500'000'000}, platform::kUnixEpoch - 5'000'000, 500'000'000},
        // 1960-06-15 13:14:15.000000099 (the 99 ns are cut).
        {{-301'229'145, 99}, 113'432'444'550'000'000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ts.tv_sec);
        EXPECT_EQ(platform::FileTimeFromTimespec(c.ts), c.t);
        const timespec back = platform::TimespecFromFileTime(c.t);
        EXPECT_EQ(back.tv_sec, c.ts.tv_sec);
        EXPECT_EQ(back.tv_nsec, c.nanosecondsBack);
    }
    // A tick before 1970 lies in the second before it, not in the one after.
    const timespec before = platform::TimespecFromFileTime(platform::kUnixEpoch - 1);
    EXPECT_EQ(before.tv_sec, -1);
    EXPECT_EQ(before.tv_nsec, 999'999'900);
}

TEST(FileTime, DayNumbersStartAtTheDaysBeginning) {
    const struct {
        FileTime t;
        int day;
    } cases[] = {
        {platform::kUnixEpoch, 25569},
        {platform::JoinFileTime(1970, 1, 1, 23, 59, 59, 999), 25569},
        {platform::kUnixEpoch - 1, 25568},
        {platform::JoinFileTime(1960, 6, 15, 13, 14, 15), 22082},
        {platform::JoinFileTime(1899, 12, 30), 0},
        {platform::JoinFileTime(1899, 12, 29, 12), -1},
        {kWednesday, 46365},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.t);
        EXPECT_EQ(platform::DayNumberFromFileTime(c.t), c.day);
        const FileTime start = platform::FileTimeFromDayNumber(c.day);
        EXPECT_LE(start, c.t);
        EXPECT_LT(c.t, start + platform::kTicksPerDay);
        EXPECT_EQ(start % platform::kTicksPerDay, 0);
    }
    EXPECT_EQ(platform::FileTimeFromDayNumber(25569), platform::kUnixEpoch);
    EXPECT_EQ(platform::FileTimeFromDayNumber(std::numeric_limits<int>::max()), std::numeric_limits<FileTime>::max());
}

// Berlin: CET (UTC+1) in winter, CEST (UTC+2) from 29 March 2026 02:00 to 25 October 2026 03:00.
class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetTimeZone("Europe/Berlin"); }
    void TearDown() override { platform::SetClock(std::nullopt); }

    static FileTime Hours(int n) { return n * 3600 * platform::kTicksPerSecond; }
};

TEST_F(LocalTimeTest, ConvertsWithTheOffsetOfThatInstant) {
    const FileTime winter = platform::JoinFileTime(2026, 12, 9, 2, 46, 23);
    const FileTime summer = platform::JoinFileTime(2026, 7, 1, 12, 0, 0);
    EXPECT_EQ(platform::UtcToLocal(winter), winter + Hours(1));
    EXPECT_EQ(platform::UtcToLocal(summer), summer + Hours(2));
    EXPECT_EQ(platform::LocalToUtc(winter + Hours(1)), winter);
    EXPECT_EQ(platform::LocalToUtc(summer + Hours(2)), summer);
    // Before 1970 too: 1960 had no summer time in Berlin.
    const FileTime old = platform::JoinFileTime(1960, 7, 1, 12, 0, 0);
    EXPECT_EQ(platform::UtcToLocal(old), old + Hours(1));
    EXPECT_EQ(platform::LocalToUtc(old + Hours(1)), old);
}

TEST_F(LocalTimeTest, SkippedHourInSpringUsesTheOffsetBeforeTheChange) {
    const struct {
        int hour, minute;
        FileTime utc;
    } cases[] = {
        {1, 59, platform::JoinFileTime(2026, 3, 29, 0, 59)},
        {2, 0, platform::JoinFileTime(2026, 3, 29, 1, 0)}, // does not exist: read as winter time
        {2, 30, platform::JoinFileTime(2026, 3, 29, 1, 30)},
        {3, 0, platform::JoinFileTime(2026, 3, 29, 1, 0)},
        {3, 30, platform::JoinFileTime(2026, 3, 29, 1, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hour * 100 + c.minute);
        EXPECT_EQ(platform::LocalToUtc(platform::JoinFileTime(2026, 3, 29, c.hour, c.minute)), c.utc);
    }
    // So 02:30 shows as 03:30 summer time.
    EXPECT_EQ(platform::UtcToLocal(platform::JoinFileTime(2026, 3, 29, 1, 30)),
              platform::JoinFileTime(2026, 3, 29, 3, 30));
}

TEST_F(LocalTimeTest, RepeatedHourInAutumnGivesTheFirstOccurrence) {
    const FileTime local = platform::JoinFileTime(2026, 10, 25, 2, 30);
    const FileTime first = platform::JoinFileTime(2026, 10, 25, 0, 30);  // 02:30 summer time
    const FileTime second = platform::JoinFileTime(2026, 10, 25, 1, 30); // 02:30 winter time
    EXPECT_EQ(platform::UtcToLocal(first), local);
    EXPECT_EQ(platform::UtcToLocal(second), local);
    EXPECT_EQ(platform::LocalToUtc(local), first);
    EXPECT_EQ(platform::LocalToUtc(platform::JoinFileTime(2026, 10, 25, 1, 59)),
              platform::JoinFileTime(2026, 10, 24, 23, 59));
    EXPECT_EQ(platform::LocalToUtc(platform::JoinFileTime(2026, 10, 25, 3, 0)),
              platform::JoinFileTime(2026, 10, 25, 2, 0));
}

TEST_F(LocalTimeTest, ClockCanBeFixedAndFollowsTheTimeZone) {
    const FileTime utc = platform::JoinFileTime(2026, 12, 9, 1, 46, 23);
    platform::SetClock(utc);
    EXPECT_EQ(platform::NowUtc(), utc);
    EXPECT_EQ(platform::NowLocal(), utc + Hours(1));
    platform::SetTimeZone("America/New_York");
    EXPECT_EQ(platform::NowLocal(), utc - Hours(5));
    platform::SetTimeZone("Europe/Berlin");

    platform::SetClock(std::nullopt);
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    EXPECT_NEAR(static_cast<double>(platform::NowUtc()), static_cast<double>(platform::FileTimeFromTimespec(now)),
                5.0 * platform::kTicksPerSecond);
}

} // namespace

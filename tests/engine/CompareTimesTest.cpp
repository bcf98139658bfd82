// The tolerant time comparison: tolerance boundary, rounding to whole seconds, daylight-saving hour, missing files.
#include "engine/CompareTimes.h"

#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using platform::FileTime;
using platform::kTicksPerSecond;

constexpr FileTime kMillisecond = kTicksPerSecond / 1000;

struct DifferenceCase {
    const char* name;
    int timeDifference;
    bool ignoreDst;
    FileTime aMinusB; // ticks
    int expected;
};

TEST(CompareTimesTest, DifferencesAgainstTheTolerance) {
    const DifferenceCase cases[] = {
        {"equal", 2, false, 0, 0},
        {"2 s newer, at the tolerance (FAT keeps even seconds)", 2, false, 2 * kTicksPerSecond, 0},
        {"2 s older, at the tolerance", 2, false, -2 * kTicksPerSecond, 0},
        {"3 s newer", 2, false, 3 * kTicksPerSecond, 1},
        {"3 s older", 2, false, -3 * kTicksPerSecond, -1},
        {"2.5 s rounds to the even 2", 2, false, 2500 * kMillisecond, 0},
        {"-2.5 s rounds to the even -2", 2, false, -2500 * kMillisecond, 0},
        {"2.5 s and one tick rounds to 3", 2, false, 2500 * kMillisecond + 1, 1},
        {"2.5 s less one tick rounds to 2", 2, false, 2500 * kMillisecond - 1, 0},
        {"3.5 s rounds to 4", 2, false, 3500 * kMillisecond, 1},
        {"-3.5 s rounds to -4", 2, false, -3500 * kMillisecond, -1},
        {"no tolerance, 0.5 s rounds to 0", 0, false, 500 * kMillisecond, 0},
        {"no tolerance, 1.5 s rounds to 2", 0, false, 1500 * kMillisecond, 1},
        {"no tolerance, -0.6 s rounds to -1", 0, false, -600 * kMillisecond, -1},
        {"negative tolerance counts as 0: equal stays equal", -5, false, 0, 0},
        {"negative tolerance counts as 0: 1 s newer", -5, false, kTicksPerSecond, 1},
        {"one hour newer without IgnoreDST", 2, false, 3600 * kTicksPerSecond, 1},
        {"one hour older without IgnoreDST", 2, false, -3600 * kTicksPerSecond, -1},
        {"one hour newer with IgnoreDST", 2, true, 3600 * kTicksPerSecond, 0},
        {"one hour older with IgnoreDST", 2, true, -3600 * kTicksPerSecond, 0},
        {"3598 s with IgnoreDST", 2, true, 3598 * kTicksPerSecond, 0},
        {"3602 s with IgnoreDST", 2, true, 3602 * kTicksPerSecond, 0},
        {"-3602 s with IgnoreDST", 2, true, -3602 * kTicksPerSecond, 0},
        {"3597 s with IgnoreDST", 2, true, 3597 * kTicksPerSecond, 1},
        {"3603 s with IgnoreDST", 2, true, 3603 * kTicksPerSecond, 1},
        {"-3597 s with IgnoreDST", 2, true, -3597 * kTicksPerSecond, -1},
        {"two hours with IgnoreDST", 2, true, 7200 * kTicksPerSecond, 1},
        {"IgnoreDST keeps small differences equal", 2, true, kTicksPerSecond, 0},
    };
    const FileTime b = platform::JoinFileTime(2026, 10, 25, 12, 30, 15);
    for (const DifferenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompareTimes(b + c.aMinusB, b, cTimeTolerance{c.timeDifference, c.ignoreDst}), c.expected);
    }
}

TEST(CompareTimesTest, MissingFileOnEitherSide) {
    const FileTime t = platform::JoinFileTime(2026, 12, 10, 8);
    const cTimeTolerance tolerance{2, true};
    EXPECT_EQ(CompareTimes(t, 0, tolerance), 1);
    EXPECT_EQ(CompareTimes(0, t, tolerance), -1);
    // A missing second time makes the first newer, also when both are missing.
    EXPECT_EQ(CompareTimes(0, 0, tolerance), 1);
}

TEST(CompareTimesTest, ExtremeTimesDoNotOverflow) {
    constexpr FileTime kMax = std::numeric_limits<FileTime>::max();
    constexpr FileTime kMin = std::numeric_limits<FileTime>::min();
    const cTimeTolerance tolerance{2, false};
    EXPECT_EQ(CompareTimes(kMax, kMin, tolerance), 1);
    EXPECT_EQ(CompareTimes(kMin, kMax, tolerance), -1);
    EXPECT_EQ(CompareTimes(kMax, -1, tolerance), 1);
}

} // namespace

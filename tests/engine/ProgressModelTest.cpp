// Elapsed time, rate and remaining time of the copy progress, with the clock set by the test.
#include "engine/ProgressModel.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

using platform::kTicksPerSecond;

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

class ProgressModelTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetClock(m_now); }
    void TearDown() override { platform::SetClock(std::nullopt); }

    void Advance(int seconds) {
        m_now += seconds * kTicksPerSecond;
        platform::SetClock(m_now);
    }
    // One second of copying at the given rate, with the clock ticking as the window's timer does.
    void CopySeconds(cProgressModel& model, int seconds, std::int64_t bytesPerSecond) {
        for (int i = 0; i < seconds; ++i) {
            Advance(1);
            model.ReportProgress(bytesPerSecond, 0);
            model.Tick();
        }
    }

    platform::FileTime m_now = platform::JoinFileTime(2026, 12, 9, 1, 0, 0);
};

TEST_F(ProgressModelTest, RateAndRemainingStayEmptyBeforeTenSeconds) {
    cProgressModel model;
    model.Begin(1000 * kMiB);
    CopySeconds(model, 9, 10 * kMiB);
    cProgressFigures figures = model.Figures();
    EXPECT_EQ(figures.Elapsed, 9 * kTicksPerSecond);
    EXPECT_FALSE(figures.HasRate);
    EXPECT_FALSE(figures.HasRemaining);

    CopySeconds(model, 1, 10 * kMiB);
    figures = model.Figures();
    EXPECT_TRUE(figures.HasRate);
    EXPECT_DOUBLE_EQ(figures.BytesPerSecond, 10.0 * kMiB);
    EXPECT_EQ(FormatRate(figures.BytesPerSecond), "10.240,0 kB/sec");
    ASSERT_TRUE(figures.HasRemaining);
    EXPECT_EQ(figures.Remaining, 90 * kTicksPerSecond);
    EXPECT_EQ(figures.Percent, 10);
}

TEST_F(ProgressModelTest, PausedPeriodsDoNotCount) {
    cProgressModel model;
    model.Begin(100 * kMiB);
    Advance(3);
    model.SetPaused(true); // the three seconds before the pause count, though no tick came between
    Advance(2);
    model.Tick(); // the clock keeps ticking while the dialog is open
    Advance(40);
    model.Tick();
    EXPECT_EQ(model.Figures().Elapsed, 3 * kTicksPerSecond);
    Advance(1);
    model.SetPaused(false); // the second before resuming is still paused time
    Advance(2);
    model.Tick();
    EXPECT_EQ(model.Figures().Elapsed, 5 * kTicksPerSecond);
}

TEST_F(ProgressModelTest, ZeroRateAndOddCountsGiveNoNonsense) {
    cProgressModel model;
    model.Begin(0);
    CopySeconds(model, 12, 0);
    cProgressFigures figures = model.Figures();
    EXPECT_TRUE(figures.HasRate);
    EXPECT_EQ(figures.BytesPerSecond, 0.0);
    EXPECT_FALSE(figures.HasRemaining);
    EXPECT_EQ(figures.Percent, 0);

    // More reported than announced (a file grew while copied): full, nothing remaining, no negative time.
    model.Begin(10 * kMiB);
    CopySeconds(model, 11, 2 * kMiB);
    figures = model.Figures();
    EXPECT_EQ(figures.Percent, 100);
    EXPECT_EQ(figures.Remaining, 0);

    // A clock set back does not shrink the elapsed time.
    const platform::FileTime before = figures.Elapsed;
    Advance(-3600);
    model.Tick();
    EXPECT_EQ(model.Figures().Elapsed, before);
}

TEST_F(ProgressModelTest, RemainingTimeRoundsToTheNearestSecond) {
    cProgressModel model;
    model.Begin(10 * 1000 + 1600);
    CopySeconds(model, 10, 1000);
    EXPECT_EQ(model.Figures().Remaining, 2 * kTicksPerSecond); // 1,6 s
    model.Begin(10 * 1000 + 1400);
    CopySeconds(model, 10, 1000);
    EXPECT_EQ(model.Figures().Remaining, 1 * kTicksPerSecond); // 1,4 s
}

TEST(FormatDurationTest, HoursGoOnPastOneDay) {
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(3725 * kTicksPerSecond + kTicksPerSecond / 2), "01:02:05");
    EXPECT_EQ(FormatDuration(100'000 * kTicksPerSecond), "27:46:40");
    EXPECT_EQ(FormatDuration(-5 * kTicksPerSecond), "00:00:00");
}

} // namespace

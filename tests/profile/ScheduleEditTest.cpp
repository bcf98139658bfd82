// Editing a schedule: filling many entries at once, the time a dial's angle stands for, switching cells.
#include "profile/ScheduleEdit.h"

#include <gtest/gtest.h>

namespace {

constexpr ScheduleEntry kMonday = ScheduleColumnBit(0);
constexpr ScheduleEntry kWeekdays = 0x7C00'0000u;

TEST(ScheduleEditTest, FillAddsEveryStepFromStartToEndIncluded) {
    const struct {
        int from, to, step;
        std::size_t count;
        int last;
    } cases[] = {
        {8 * 60, 9 * 60, 30, 3, 9 * 60}, // 08:00, 08:30, 09:00
        {0, 23 * 60 + 59, 60, 24, 1380}, // every hour of the day
        {0, 1439, 1, 1440, 1439},        // every minute
        {600, 600, 5, 1, 600},           // one time
        {601, 600, 5, 0, 0},             // "bis" before "von"
        {0, 1439, 0, 0, 0},              // a step of 0 would never end
        {0, 1439, -3, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to << " every " << c.step);
        const std::vector<ScheduleEntry> filled = FillSchedule(c.from, c.to, c.step, kMonday);
        ASSERT_EQ(filled.size(), c.count);
        if (filled.empty()) continue;
        EXPECT_EQ(ScheduleEntryMinutes(filled.front()), c.from);
        EXPECT_EQ(ScheduleEntryMinutes(filled.back()), c.last);
        for (ScheduleEntry entry : filled) {
            EXPECT_TRUE(ScheduleEntryActive(entry));
            EXPECT_EQ(entry & kScheduleWeekdayMask, kMonday);
        }
    }
}

TEST(ScheduleEditTest, DialAngleIsTwoMinutesADegree) {
    const struct {
        double degrees;
        bool afternoon;
        int minutes;
    } cases[] = {
        {0, false, 0},     {90, true, 900}, // three o'clock on the afternoon dial: 15:00
        {225, false, 450}, {359.9, false, 719}, {359.9, true, 1439}, {0.4, false, 0}, {180, true, 1080},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialMinutes(c.degrees, c.afternoon), c.minutes) << c.degrees << (c.afternoon ? " pm" : " am");
}

TEST(ScheduleEditTest, CellsSwitchTheirBitOnly) {
    const ScheduleEntry entry = 0x7C00'01C2u; // Monday to Friday, 07:30
    EXPECT_EQ(ToggleScheduleActive(entry), 0xFC00'01C2u);
    EXPECT_EQ(ToggleScheduleActive(ToggleScheduleActive(entry)), entry);
    EXPECT_EQ(ToggleScheduleDay(entry, 0), 0x3C00'01C2u);     // Monday off
    EXPECT_EQ(ToggleScheduleDay(entry, 6), 0x7D00'01C2u);     // Sunday on
    EXPECT_EQ(WithScheduleMinutes(entry, 900), 0x7C00'0384u); // 15:00
    EXPECT_EQ(kNewScheduleEntry, kWeekdays);
}

} // namespace

// The scheduler's minute check over set clocks: weekdays, switched-off entries, a minute lost to an open dialog,
// a late tick, a second tick in the same minute and a clock set back.
#include "shell/ScheduleTicker.h"

#include "platform/FileTime.h"
#include "profile/Parameters.h"
#include "shell/ScheduleMisses.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using platform::JoinFileTime;

constexpr ScheduleEntry kWeekdays0730 = 0x7C00'01C2u; // Monday to Friday, 07:30
constexpr ScheduleEntry kOff0730 = 0xFC00'01C2u;      // the same, switched off
constexpr ScheduleEntry kSaturday0800 = 0x0200'01E0u; // Saturday, 08:00

// 9 December 2026 is a Wednesday.
platform::FileTime Wednesday(int hour, int minute, int second = 0) {
    return JoinFileTime(2026, 12, 9, hour, minute, second);
}

TEST(ScheduleDue, WeekdaysMinutesAndSwitchedOffEntries) {
    struct cCase {
        const char* What;
        std::vector<ScheduleEntry> Schedule;
        platform::FileTime Local;
        bool Due;
    };
    const std::vector<cCase> cases = {
        {"Wednesday 07:30", {kWeekdays0730}, Wednesday(7, 30), true},
        {"seconds do not matter", {kWeekdays0730}, Wednesday(7, 30, 59), true},
        {"07:31", {kWeekdays0730}, Wednesday(7, 31), false},
        {"Saturday 07:30", {kWeekdays0730}, JoinFileTime(2026, 12, 12, 7, 30), false},
        {"switched off", {kOff0730}, Wednesday(7, 30), false},
        {"Saturday entry", {kSaturday0800}, JoinFileTime(2026, 12, 12, 8, 0), true},
        {"Sunday bit", {0x0100'0000u}, JoinFileTime(2026, 12, 13, 0, 0), true},
        {"no weekday never fires", {0x0000'01C2u}, Wednesday(7, 30), false},
        {"two entries, one due", {kOff0730, kWeekdays0730}, Wednesday(7, 30), true},
        {"empty schedule", {}, Wednesday(7, 30), false},
    };
    for (const cCase& c : cases)
        EXPECT_EQ(ScheduleDue(c.Schedule, c.Local), c.Due) << c.What;
}

TEST(ScheduleTicker, EveryDueMinuteRunsOnceOrIsReported) {
    using W = cScheduleMiss::eWhy;
    struct cStep {
        platform::FileTime Local;
        bool Busy;
        bool Run;
        std::vector<std::pair<platform::FileTime, W>> Missed;
    };
    struct cCase {
        const char* What;
        std::vector<ScheduleEntry> Schedule;
        std::vector<cStep> Steps;
    };
    const std::vector<cCase> cases = {
        {"on time",
         {kWeekdays0730},
         {{Wednesday(7, 29, 1), false, false, {}}, {Wednesday(7, 30, 1), false, true, {}},
          {Wednesday(7, 31, 1), false, false, {}}}},
        {"two entries for one minute give one run",
         {kWeekdays0730, kWeekdays0730},
         {{Wednesday(7, 30, 1), false, true, {}}}},
        {"a second tick in the same minute runs nothing",
         {kWeekdays0730},
         {{Wednesday(7, 30, 1), false, true, {}}, {Wednesday(7, 30, 40), false, false, {}}}},
        {"a dialog open at the minute loses it, and says so",
         {kWeekdays0730},
         {{Wednesday(7, 29, 1), false, false, {}}, {Wednesday(7, 30, 1), true, false, {{Wednesday(7, 30), W::Busy}}},
          {Wednesday(7, 31, 1), false, false, {}}}},
        {"a late tick does not catch up, and says what passed",
         {kWeekdays0730},
         {{Wednesday(7, 29, 1), false, false, {}}, {Wednesday(7, 31, 5), false, false, {{Wednesday(7, 30), W::NoTick}}}}},
        {"a night asleep: every due minute reported once",
         {kWeekdays0730, kSaturday0800},
         {{JoinFileTime(2026, 12, 8, 22, 0), false, false, {}},
          {JoinFileTime(2026, 12, 12, 9, 0), false, false,
           {{Wednesday(7, 30), W::NoTick},
            {JoinFileTime(2026, 12, 10, 7, 30), W::NoTick},
            {JoinFileTime(2026, 12, 11, 7, 30), W::NoTick},
            {JoinFileTime(2026, 12, 12, 8, 0), W::NoTick}}}}},
        {"a clock set back runs no minute twice",
         {kWeekdays0730},
         {{Wednesday(7, 30, 1), false, true, {}}, {Wednesday(7, 45, 1), false, false, {}},
          {Wednesday(7, 29, 1), false, false, {}}, {Wednesday(7, 30, 1), false, false, {}},
          {Wednesday(7, 46, 1), false, false, {}}}},
        {"a clock set back by more than a day was wrong before: its minutes count anew",
         {kWeekdays0730},
         {{JoinFileTime(2026, 12, 11, 12, 0), false, false, {}}, {Wednesday(7, 29, 1), false, false, {}},
          {Wednesday(7, 30, 1), false, true, {}}}},
        {"a tick far ahead looks through one week only",
         {kWeekdays0730},
         {{Wednesday(7, 31), false, false, {}},
          {JoinFileTime(2027, 3, 1, 0, 0), false, false,
           {{JoinFileTime(2027, 2, 22, 7, 30), W::NoTick},
            {JoinFileTime(2027, 2, 23, 7, 30), W::NoTick},
            {JoinFileTime(2027, 2, 24, 7, 30), W::NoTick},
            {JoinFileTime(2027, 2, 25, 7, 30), W::NoTick},
            {JoinFileTime(2027, 2, 26, 7, 30), W::NoTick}}}}},
    };
    for (const cCase& c : cases) {
        SCOPED_TRACE(c.What);
        cScheduleTicker ticker;
        for (std::size_t i = 0; i < c.Steps.size(); ++i) {
            SCOPED_TRACE(i);
            const cStep& step = c.Steps[i];
            const cScheduleTick tick = ticker.Tick(c.Schedule, step.Local, step.Busy);
            EXPECT_EQ(tick.Run, step.Run);
            std::vector<std::pair<platform::FileTime, W>> missed;
            for (const cScheduleMiss& miss : tick.Missed)
                missed.emplace_back(miss.Minute, miss.Why);
            EXPECT_EQ(missed, step.Missed);
        }
    }
}

TEST(ScheduleTicker, ResetLooksAtItsOwnMinuteOnly) {
    cScheduleTicker ticker;
    (void)ticker.Tick({kWeekdays0730}, Wednesday(7, 0), false);
    ticker.Reset();
    const cScheduleTick tick = ticker.Tick({kWeekdays0730}, Wednesday(8, 0), false);
    EXPECT_FALSE(tick.Run);
    EXPECT_TRUE(tick.Missed.empty()) << "a new schedule has missed nothing";
}

TEST(ScheduleMisses, LinesGoToTheProfilesLogAndAreCapped) {
    testsupport::TempDir dir;
    cParameters params;
    params.DocumentKind = kProfileDocument;
    params.Log.Active = true;
    params.Log.FileName = (dir.Path() / "log.txt").string();
    std::vector<cScheduleMiss> misses;
    for (int i = 0; i < 25; ++i)
        misses.push_back({Wednesday(7, i), cScheduleMiss::eWhy::NoTick});
    misses.front().Why = cScheduleMiss::eWhy::Busy;
    ReportScheduleMisses(params, misses);

    std::ifstream in(params.Log.FileName, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), kMaxListedMisses + 1);
    EXPECT_EQ(lines[0], "Zeitplaner: Lauf von Mi 09.12.2026 07:00 ausgelassen (ein Dialog oder ein Lauf war offen)\r");
    EXPECT_EQ(lines[1],
              "Zeitplaner: Lauf von Mi 09.12.2026 07:01 ausgelassen (das Programm lief nicht weiter oder der Rechner "
              "ruhte)\r");
    EXPECT_EQ(lines.back(), "Zeitplaner: 5 weitere L\xE4ufe ausgelassen\r") << "the log is Windows-1252";
}

} // namespace

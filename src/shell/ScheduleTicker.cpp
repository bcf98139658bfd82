#include "shell/ScheduleTicker.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr platform::FileTime kTicksPerMinute = 60 * platform::kTicksPerSecond;

std::int64_t MinuteOf(platform::FileTime local) {
    return local / kTicksPerMinute;
}

} // namespace

bool ScheduleDue(const std::vector<ScheduleEntry>& schedule, platform::FileTime local) {
    const platform::DateTime parts = platform::SplitFileTime(local);
    const int minute = parts.hour * 60 + parts.minute;
    return std::any_of(schedule.begin(), schedule.end(), [&](ScheduleEntry entry) {
        return ScheduleEntryActive(entry) && ScheduleEntryOnDay(entry, parts.dayOfWeek) &&
               ScheduleEntryMinutes(entry) == minute;
    });
}

cScheduleTick cScheduleTicker::Tick(const std::vector<ScheduleEntry>& schedule, platform::FileTime local, bool busy) {
    cScheduleTick tick;
    const std::int64_t minute = MinuteOf(local);
    if (m_lastMinute && minute <= *m_lastMinute) {
        // Looked at already: the same minute again, or the clock was set back.
        if (*m_lastMinute - minute <= kSetBackLimitMinutes) return tick;
        m_lastMinute.reset();
    }
    const std::int64_t first = m_lastMinute ? std::max(*m_lastMinute + 1, minute - kMissedWindowMinutes) : minute;
    for (std::int64_t passed = first; passed < minute; ++passed) {
        const platform::FileTime start = passed * kTicksPerMinute;
        if (ScheduleDue(schedule, start)) tick.Missed.push_back({start, cScheduleMiss::eWhy::NoTick});
    }
    if (ScheduleDue(schedule, minute * kTicksPerMinute)) {
        if (busy)
            tick.Missed.push_back({minute * kTicksPerMinute, cScheduleMiss::eWhy::Busy});
        else
            tick.Run = true;
    }
    m_lastMinute = minute;
    return tick;
}

std::string ScheduleMissLine(const cScheduleMiss& miss) {
    static constexpr std::array<const char*, 7> kDays{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    const platform::DateTime t = platform::SplitFileTime(miss.Minute);
    char when[64];
    std::snprintf(when, sizeof when, "%s %02d.%02d.%04d %02d:%02d", kDays[static_cast<std::size_t>(t.dayOfWeek)],
                  t.day, t.month, t.year, t.hour, t.minute);
    const char* why = miss.Why == cScheduleMiss::eWhy::Busy
                          ? "ein Dialog oder ein Lauf war offen"
                          : "das Programm lief nicht weiter oder der Rechner ruhte";
    return std::string("Zeitplaner: Lauf von ") + when + " ausgelassen (" + why + ")";
}

// A weekly schedule entry: active flag, weekdays and time of day packed into 32 bits as profiles store them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// Bit 31 set: not active. Bits 30..24: Monday..Sunday. Bits 23..16: zero. Bits 15..0: minutes after midnight.
using ScheduleEntry = std::uint32_t;

inline constexpr ScheduleEntry kScheduleInactive = 0x8000'0000u;
inline constexpr ScheduleEntry kScheduleWeekdayMask = 0x7F00'0000u;
inline constexpr ScheduleEntry kScheduleMinutesMask = 0x0000'FFFFu;

// The bit of a weekday, dayOfWeek counted 0 Sunday .. 6 Saturday as platform::DateTime does.
constexpr ScheduleEntry ScheduleWeekdayBit(int dayOfWeek) {
    return dayOfWeek == 0 ? ScheduleEntry{1} << 24 : ScheduleEntry{1} << (31 - dayOfWeek);
}

// weekdays: an or-combination of ScheduleWeekdayBit values; minutes: 0..1439.
constexpr ScheduleEntry MakeScheduleEntry(bool active, ScheduleEntry weekdays, int minutes) {
    return (active ? 0u : kScheduleInactive) | (weekdays & kScheduleWeekdayMask) |
           (static_cast<ScheduleEntry>(minutes) & kScheduleMinutesMask);
}

constexpr bool ScheduleEntryActive(ScheduleEntry entry) {
    return (entry & kScheduleInactive) == 0;
}
constexpr bool ScheduleEntryOnDay(ScheduleEntry entry, int dayOfWeek) {
    return (entry & ScheduleWeekdayBit(dayOfWeek)) != 0;
}
constexpr int ScheduleEntryMinutes(ScheduleEntry entry) {
    return static_cast<int>(entry & kScheduleMinutesMask);
}

// Whether an entry of the schedule can ever start a run: the scheduler's timer and its lamp go by this.
inline bool HasActiveEntry(const std::vector<ScheduleEntry>& schedule) {
    return std::any_of(schedule.begin(), schedule.end(), ScheduleEntryActive);
}

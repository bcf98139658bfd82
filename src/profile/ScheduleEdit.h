// Editing a weekly schedule: new and filled entries, switching an entry or a weekday, and the time a clock
// dial's angle stands for.
#pragma once

#include "profile/ScheduleEntry.h"

#include <vector>

// The entry the plus button adds: active, Monday to Friday, 00:00.
inline constexpr ScheduleEntry kNewScheduleEntry = 0x7C00'0000u;

// The weekday bit of day, counted 0 = Monday .. 6 = Sunday as the scheduler's columns show them.
constexpr ScheduleEntry ScheduleColumnBit(int day) {
    return ScheduleEntry{1} << (30 - day);
}

constexpr ScheduleEntry ToggleScheduleActive(ScheduleEntry entry) {
    return entry ^ kScheduleInactive;
}
constexpr ScheduleEntry ToggleScheduleDay(ScheduleEntry entry, int day) {
    return entry ^ ScheduleColumnBit(day);
}
constexpr ScheduleEntry WithScheduleMinutes(ScheduleEntry entry, int minutes) {
    return (entry & ~kScheduleMinutesMask) | (static_cast<ScheduleEntry>(minutes) & kScheduleMinutesMask);
}

// Active entries on the weekdays of weekdays (an or-combination of ScheduleColumnBit) at from, from + step, ...
// up to to (minutes after midnight, both included). Nothing for a step below 1, which would never end.
std::vector<ScheduleEntry> FillSchedule(int from, int to, int step, ScheduleEntry weekdays);

// The time a hand pointing at degrees (clockwise from twelve o'clock, 0 to below 360) stands for: two minutes a
// degree, on the afternoon dial from 12:00.
int DialMinutes(double degrees, bool afternoonDial);

// File times: 64-bit counts of 100 ns since 1601-01-01, and their calendar parts.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace platform {

using FileTime = std::int64_t;

inline constexpr FileTime kTicksPerSecond = 10'000'000;
inline constexpr FileTime kTicksPerDay = 86'400 * kTicksPerSecond;
// 1970-01-01 00:00 as a FileTime.
inline constexpr FileTime kUnixEpoch = 116'444'736'000'000'000;

// Calendar parts of a FileTime, without any time-zone conversion.
struct DateTime {
    int year = 1601;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 1; // 0 Sunday .. 6 Saturday
};

// Proleptic Gregorian calendar arithmetic, no time zone. Every FileTime splits without failing; times before
// 1601 give earlier (or negative) years.
DateTime SplitFileTime(FileTime t);
// Parts outside their ranges carry over as in a calendar (month 13 is January of the next year, day 0 the last
// day of the month before, minute 90 is 1:30 hours); a result beyond the FileTime range saturates.
FileTime JoinFileTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0);
// The same without carrying over: std::nullopt unless year 1601..30827, month 1..12, day 1..DaysInMonth,
// hour 0..23, minute 0..59, second 0..59 and millisecond 0..999.
std::optional<FileTime> TryJoinFileTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                                        int millisecond = 0);
bool IsLeapYear(int year);
// Days of the month (28..31); 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Nanoseconds are cut to 100 ns; times before 1970 (negative tv_sec) convert both ways. Times outside the
// FileTime range saturate.
FileTime FileTimeFromTimespec(const timespec& ts);
timespec TimespecFromFileTime(FileTime t);

// Converts with the system's time zone and the offset valid at that instant.
FileTime UtcToLocal(FileTime utc);
// The inverse of UtcToLocal. A local time that occurs twice (the hour repeated when summer time ends) gives
// the earlier instant, its first occurrence (still summer time). A local time that does not exist (skipped when summer
// time begins) is read with the offset in force before the change, so 02:30 in Berlin on the spring day becomes 01:30
// UTC, which is 03:30 summer time.
FileTime LocalToUtc(FileTime local);

// Day numbers count days from 30 December 1899 (day 25569 is 1 January 1970). A time gives the number of the
// day it falls on, also before 1970 and before 1899.
int DayNumberFromFileTime(FileTime t);
// The start (00:00) of the day.
FileTime FileTimeFromDayNumber(int day);

} // namespace platform

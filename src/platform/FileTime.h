// File times: 64-bit counts of 100 ns since 1601-01-01, and their calendar parts.
#pragma once

#include <cstdint>
#include <ctime>

namespace platform {

using FileTime = std::int64_t;

inline constexpr FileTime kTicksPerSecond = 10'000'000;
inline constexpr FileTime kTicksPerDay = 86'400 * kTicksPerSecond;
// 1970-01-01 00:00 as a FileTime.
inline constexpr FileTime kUnixEpoch = 116'444'736'000'000'000;

// Calendar parts of a FileTime, without any time-zone conversion.
struct DateTime {
    int year = 1601;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 1;  // 0 Sunday .. 6 Saturday
};

DateTime SplitFileTime(FileTime t);
FileTime JoinFileTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0);

FileTime FileTimeFromTimespec(const timespec& ts);
timespec TimespecFromFileTime(FileTime t);

// Converts with the system's time zone and the offset valid at that instant.
FileTime UtcToLocal(FileTime utc);
FileTime LocalToUtc(FileTime local);

// Day numbers count days from 30 December 1899 (day 25569 is 1 January 1970).
int DayNumberFromFileTime(FileTime t);
FileTime FileTimeFromDayNumber(int day);

}  // namespace platform

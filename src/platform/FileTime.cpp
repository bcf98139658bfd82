// File times: calendar arithmetic, timespec conversion, local time and day numbers.
#include "platform/FileTime.h"

#include <limits>

namespace platform {
namespace {

constexpr std::int64_t kDaysFrom1601To1970 = 134'774;
constexpr std::int64_t kDaysFrom1601To1899_12_30 = 109'205;
constexpr std::int64_t kSecondsFrom1601To1970 = kDaysFrom1601To1970 * 86'400;
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kTicksPerMinute = 60 * kTicksPerSecond;
constexpr std::int64_t kTicksPerHour = 60 * kTicksPerMinute;
constexpr std::int64_t kTicksPerMillisecond = 10'000;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    const std::int64_t remainder = a % b;
    return (remainder != 0 && (remainder < 0) != (b < 0)) ? remainder + b : remainder;
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return sum;
}

std::int64_t SaturatingMul(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return product;
}

// Days from 1970-01-01 to the first of a month (1..12) of the proleptic Gregorian calendar, counted in
// 400-year eras that start on 1 March (after H. Hinnant's days_from_civil).
constexpr std::int64_t DaysFromCivil(std::int64_t year, int month) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - 719'468;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

constexpr CivilDate CivilFromDays(std::int64_t daysSince1970) {
    const std::int64_t shifted = daysSince1970 + 719'468;
    const std::int64_t era = FloorDiv(shifted, 146'097);
    const std::int64_t dayOfEra = shifted - era * 146'097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t UnixSeconds(FileTime t) {
    return FloorDiv(t, kTicksPerSecond) - kSecondsFrom1601To1970;
}

// Seconds east of UTC in force at the instant; 0 when the system cannot tell (far outside its range).
std::int64_t UtcOffsetAt(std::int64_t unixSeconds) {
    const auto instant = static_cast<std::time_t>(unixSeconds);
    std::tm parts{};
    if (!localtime_r(&instant, &parts)) return 0;
    return parts.tm_gmtoff;
}

} // namespace

DateTime SplitFileTime(FileTime t) {
    const std::int64_t days = FloorDiv(t, kTicksPerDay);
    const std::int64_t ticksOfDay = FloorMod(t, kTicksPerDay);
    const CivilDate date = CivilFromDays(days - kDaysFrom1601To1970);
    DateTime parts;
    parts.year = static_cast<int>(date.year);
    parts.month = date.month;
    parts.day = date.day;
    parts.hour = static_cast<int>(ticksOfDay / kTicksPerHour);
    parts.minute = static_cast<int>(ticksOfDay % kTicksPerHour / kTicksPerMinute);
    parts.second = static_cast<int>(ticksOfDay % kTicksPerMinute / kTicksPerSecond);
    parts.millisecond = static_cast<int>(ticksOfDay % kTicksPerSecond / kTicksPerMillisecond);
    // 1 January 1601 was a Monday.
    parts.dayOfWeek = static_cast<int>(FloorMod(days + 1, 7));
    return parts;
}

FileTime JoinFileTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const std::int64_t monthIndex = std::int64_t{month} - 1;
    const std::int64_t fullYear = year + FloorDiv(monthIndex, 12);
    const int monthOfYear = static_cast<int>(FloorMod(monthIndex, 12)) + 1;
    const std::int64_t days = DaysFromCivil(fullYear, monthOfYear) + kDaysFrom1601To1970 + (std::int64_t{day} - 1);
    FileTime t = SaturatingMul(days, kTicksPerDay);
    t = SaturatingAdd(t, SaturatingMul(hour, kTicksPerHour));
    t = SaturatingAdd(t, SaturatingMul(minute, kTicksPerMinute));
    t = SaturatingAdd(t, SaturatingMul(second, kTicksPerSecond));
    return SaturatingAdd(t, SaturatingMul(millisecond, kTicksPerMillisecond));
}

std::optional<FileTime> TryJoinFileTime(int year, int month, int day, int hour, int minute, int second,
                                        int millisecond) {
    if (year < 1601 || year > 30'827 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        return std::nullopt;
    return JoinFileTime(year, month, day, hour, minute, second, millisecond);
}

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

FileTime FileTimeFromTimespec(const timespec& ts) {
    const std::int64_t seconds = SaturatingAdd(ts.tv_sec, FloorDiv(ts.tv_nsec, kNanosecondsPerSecond));
    const std::int64_t nanoseconds = FloorMod(ts.tv_nsec, kNanosecondsPerSecond);
    const FileTime whole = SaturatingMul(SaturatingAdd(seconds, kSecondsFrom1601To1970), kTicksPerSecond);
    return SaturatingAdd(whole, nanoseconds / 100);
}

timespec TimespecFromFileTime(FileTime t) {
    timespec ts{};
    ts.tv_sec = static_cast<std::time_t>(UnixSeconds(t));
    ts.tv_nsec = static_cast<long>(FloorMod(t, kTicksPerSecond) * 100);
    return ts;
}

FileTime UtcToLocal(FileTime utc) {
    return SaturatingAdd(utc, UtcOffsetAt(UnixSeconds(utc)) * kTicksPerSecond);
}

FileTime LocalToUtc(FileTime local) {
    const std::int64_t localSeconds = UnixSeconds(local);
    // The offsets in force a day before and a day after: a time zone changes its offset at most once between.
    const std::int64_t before = UtcOffsetAt(localSeconds - 86'400);
    const std::int64_t after = UtcOffsetAt(localSeconds + 86'400);
    std::int64_t offset = before;
    if (before != after) {
        const auto fits = [localSeconds](std::int64_t candidate) {
            return UtcOffsetAt(localSeconds - candidate) == candidate;
        };
        const bool beforeFits = fits(before);
        const bool afterFits = fits(after);
        if (beforeFits && afterFits)
            offset = before > after ? before : after; // the larger offset gives the earlier instant
        else if (afterFits)
            offset = after;
        // Neither fits inside the gap of a spring change: keep the offset from before it.
    }
    return SaturatingAdd(local, -offset * kTicksPerSecond);
}

int DayNumberFromFileTime(FileTime t) {
    return static_cast<int>(FloorDiv(t, kTicksPerDay) - kDaysFrom1601To1899_12_30);
}

FileTime FileTimeFromDayNumber(int day) {
    return SaturatingMul(std::int64_t{day} + kDaysFrom1601To1899_12_30, kTicksPerDay);
}

} // namespace platform

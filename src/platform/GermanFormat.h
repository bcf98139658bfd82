// German date, time and number formats, whatever the system locale says.
#pragma once

#include "platform/FileTime.h"

#include <string>
#include <string_view>

namespace platform {

// Formats a (local) time with the program's format letters: "d", "dd", "ddd" (Mi), "dddd" (Mittwoch),
// "ddddd" (09.12.2026), "dddddd" (Mittwoch, 9. Dezember 2026), "m", "mm", "mmm" (Dez), "mmmm" (Dezember),
// "yy", "yyyy", "h", "hh", "n", "nn", "s", "ss", "z", "zzz", "t" (02:46), "tt" (02:46:23), "c" (09.12.2026 02:46:23);
// "m"/"mm" after an hour letter are minutes ("hh:mm:ss"); letters are case-insensitive; "/" is the date
// separator ".", ":" the time separator; text in '...' or "..." is copied as it is, and so is every other
// character. A FileTime below one day formats a duration with "hh:mm:ss".
std::string FormatDateTime(std::string_view format, FileTime local);

// A number with German separators: "%.0n" → 1.234.567, "%.1n" → 1.234,5, "%.3n" → 1.234,568. Rounds the
// shortest decimal form of the number half away from zero (2.5 → 3, 2.675 → 2,68); whole numbers print exactly, also
// beyond 2^53; decimals are limited to 0..18; NaN and infinities give "NAN", "INF", "-INF".
std::string FormatNumber(double value, int decimals);

// German names: weekday 0 = Sonntag .. 6 = Samstag, month 1 = Januar .. 12 = Dezember; empty outside.
std::string_view LongDayName(int dayOfWeek);
std::string_view ShortDayName(int dayOfWeek);
std::string_view LongMonthName(int month);
std::string_view ShortMonthName(int month);

} // namespace platform

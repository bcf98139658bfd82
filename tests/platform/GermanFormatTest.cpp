#include "platform/GermanFormat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using platform::FileTime;
using platform::FormatDateTime;
using platform::FormatNumber;

// Wednesday 9 December 2026 02:46:23.007, local time.
const FileTime kWednesday = platform::JoinFileTime(2026, 12, 9, 2, 46, 23, 7);

TEST(GermanFormat, EveryFormatLetter) {
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"d", "9"},
        {"dd", "09"},
        {"ddd", "Mi"},
        {"dddd", "Mittwoch"},
        {"ddddd", "09.12.2026"},
        {"dddddd", "Mittwoch, 9. Dezember 2026"},
        {"ddddddd", "Mittwoch, 9. Dezember 2026"},
        {"m", "12"},
        {"mm", "12"},
        {"mmm", "Dez"},
        {"mmmm", "Dezember"},
        {"mmmmm", "Dezember"},
        {"y", "26"},
        {"yy", "26"},
        {"yyy", "2026"},
        {"yyyy", "2026"},
        {"h", "2"},
        {"hh", "02"},
        {"hhh", "02"},
        {"n", "46"},
        {"nn", "46"},
        {"s", "23"},
        {"ss", "23"},
        {"z", "7"},
        {"zzz", "007"},
        {"t", "02:46"},
        {"tt", "02:46:23"},
        {"c", "09.12.2026 02:46:23"},
        {"DD.MM.YYYY", "09.12.2026"},
        {"dd/mm/yyyy", "09.12.2026"},
        {"'dd' \"mm\" dd", "dd mm 09"},
        {"'offen", "offen"},
        {"x q ä", "x q ä"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, kWednesday), c.expected) << c.format;
}

TEST(GermanFormat, CombinationsTheProgramWrites) {
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"dddd ddddd tt", "Mittwoch 09.12.2026 02:46:23"}, // log header and footer
        {"ddd ddddd tt", "Mi 09.12.2026 02:46:23"},        // last run in dialogs and the description
        {"ddd ddddd", "Mi 09.12.2026"},                    // age limits in the description
        {"dddd ddddd", "Mittwoch 09.12.2026"},             // date groups of the candidate list
        {"ddddd tt", "09.12.2026 02:46:23"},               // a corrected time stamp
        {"ddddd t", "09.12.2026 02:46"},                   // the log viewer's caption
        {"t ", "02:46 "},                                  // scheduler list
        {"  ddd", "  Mi"},                                 // weekdays of a schedule entry
        {"ddmmyy", "091226"},                              // 8.3 calendar-date variation
        {"yyyymmddhhnnss", "20261209024623"},              // FTP MDTM
        {"hh:mm:ss", "02:46:23"},                          // "m" after an hour means minutes
        {"h 'Uhr' mm", "2 Uhr 46"},
        {"hh dd mm", "02 09 12"}, // ... but not after another letter
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, kWednesday), c.expected) << c.format;
}

TEST(GermanFormat, NamesWithUmlautsAndOtherDays) {
    const FileTime sundayInMarch = platform::JoinFileTime(2026, 3, 1, 14, 5, 9);
    EXPECT_EQ(FormatDateTime("dddddd", sundayInMarch), "Sonntag, 1. März 2026");
    EXPECT_EQ(FormatDateTime("ddd d. mmm yy, h:n:s", sundayInMarch), "So 1. Mär 26, 14:5:9");
    EXPECT_EQ(FormatDateTime("dddd", platform::JoinFileTime(2026, 12, 12)), "Samstag");
    EXPECT_EQ(platform::LongMonthName(1), "Januar");
    EXPECT_EQ(platform::ShortMonthName(10), "Okt");
    EXPECT_EQ(platform::ShortDayName(4), "Do");
    EXPECT_EQ(platform::LongDayName(7), "");
    EXPECT_EQ(platform::ShortMonthName(0), "");
}

TEST(GermanFormat, DurationsAndTimesOutsideTheUsualRange) {
    EXPECT_EQ(FormatDateTime("hh:mm:ss", 3725 * platform::kTicksPerSecond), "01:02:05");
    EXPECT_EQ(FormatDateTime("ddddd tt", 0), "01.01.1601 00:00:00");
    EXPECT_EQ(FormatDateTime("ddddd tt", -1), "31.12.1600 23:59:59");
    EXPECT_FALSE(FormatDateTime("dddddd c", std::numeric_limits<FileTime>::min()).empty());
    EXPECT_EQ(FormatDateTime("ddddd", std::numeric_limits<FileTime>::max()), "14.09.30828");
}

TEST(GermanFormat, Numbers) {
    const struct {
        double value;
        int decimals;
        const char* expected;
    } cases[] = {
        {0, 0, "0"},
        {7, 0, "7"},
        {999, 0, "999"},
        {1000, 0, "1.000"},
        {1234567, 0, "1.234.567"},
        {1e9, 0, "1.000.000.000"},
        {-1234567, 0, "-1.234.567"},
        {1234.5, 1, "1.234,5"},
        {1234.5678, 3, "1.234,568"},
        {12.3, 3, "12,300"},
        {0.25, 1, "0,3"}, // half away from zero, not to even
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {2.675, 2, "2,68"}, // the number as written, not its binary neighbour 2.67499...
        {-1234.45, 1, "-1.234,5"},
        {999.9995, 3, "1.000,000"},
        {999999.5, 0, "1.000.000"},
        {-0.0001, 2, "0,00"},
        {0.001, 1, "0,0"},
        {1.0 / 3.0, 3, "0,333"},
        {5e-324, 2, "0,00"},
        {9223372036854775808.0, 0, "9.223.372.036.854.775.808"}, // 2^63
        {18446744073709551616.0, 0, "18.446.744.073.709.551.616"},
        {123.456, -1, "123"},
        {std::nan(""), 2, "NAN"},
        {-std::numeric_limits<double>::infinity(), 0, "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals;
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), 0).size(), 309u + 102u);
}

} // namespace

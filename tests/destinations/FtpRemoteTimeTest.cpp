// The remote file time from listing, MDTM reply and time-stamp list, in Berlin (UTC+1 in winter, +2 in summer).
#include "destinations/FtpRemoteTime.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::FileTime;
using platform::JoinFileTime;

constexpr FileTime kHour = 3600 * platform::kTicksPerSecond;

TEST(FtpRemoteTime, ParsesOnlyReadableMdtmReplies) {
    struct Case {
        const char* reply;
        std::optional<FileTime> expected;
    };
    const Case cases[] = {
        {"213 20261209024623", JoinFileTime(2026, 12, 9, 2, 46, 23)},
        {"213 20261209024623.123", JoinFileTime(2026, 12, 9, 2, 46, 23)},
        {"213 20261209024623\r", JoinFileTime(2026, 12, 9, 2, 46, 23)},
        {"213 19800101000000", JoinFileTime(1980, 1, 1)},
        {"213 20240229235959", JoinFileTime(2024, 2, 29, 23, 59, 59)},
        {"213 19791231235959", std::nullopt}, // before 1980
        {"213 2026120902462", std::nullopt},  // 17 characters
        {"", std::nullopt},
        {"550 20261209024623", std::nullopt}, // not 213
        {"200 20261209024623", std::nullopt},
        {"213 20260230120000", std::nullopt}, // 30 February
        {"213 20250229120000", std::nullopt}, // 29 February of a common year
        {"213 20261301120000", std::nullopt}, // month 13
        {"213 20261200120000", std::nullopt}, // day 0
        {"213 20261209240000", std::nullopt}, // hour 24
        {"213 20261209236000", std::nullopt}, // minute 60
        {"213 20261209235960", std::nullopt}, // second 60
        {"213 2026120902462x", std::nullopt},
        {"213 2026-12-09 02:46:23", std::nullopt},
        {"213 -0261209024623", std::nullopt},
        {"213 2026 209024623", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(ParseMdtmReply(c.reply), c.expected);
    }
}

TEST(FtpRemoteTime, TheLastSourceThatYieldsATimeWins) {
    platform::SetTimeZone("Europe/Berlin");
    const FileTime summer = JoinFileTime(2026, 7, 1, 12, 0, 0);
    const FileTime winter = JoinFileTime(2026, 12, 9, 2, 46, 23);
    const FileTime mdtm = JoinFileTime(2026, 12, 9, 2, 46, 23);
    const FileTime stamp = JoinFileTime(2025, 1, 15, 8, 30, 0);
    struct Case {
        const char* what;
        FileTime listed;
        bool serverLocal;
        std::optional<std::string> reply;
        std::optional<FileTime> listStamp;
        bool useUtc;
        FileTime expected;
    };
    const Case cases[] = {
        {"listed UTC", summer, false, std::nullopt, std::nullopt, true, summer},
        {"listed UTC, shown local", summer, false, std::nullopt, std::nullopt, false, summer + 2 * kHour},
        {"server-local in summer", summer, true, std::nullopt, std::nullopt, true, summer - 2 * kHour},
        {"server-local in winter", winter, true, std::nullopt, std::nullopt, true, winter - kHour},
        {"server-local, shown local", winter, true, std::nullopt, std::nullopt, false, winter},
        {"MDTM over the listing", summer, true, "213 20261209024623", std::nullopt, true, mdtm},
        {"MDTM, shown local", summer, false, "213 20261209024623", std::nullopt, false, mdtm + kHour},
        {"MDTM refused", summer, false, "550 Keine Datei", std::nullopt, true, summer},
        {"MDTM before 1980", summer, true, "213 19791231235959", std::nullopt, true, summer - 2 * kHour},
        {"MDTM too short", summer, false, "213 2026120902462", std::nullopt, true, summer},
        {"stamp over MDTM", summer, false, "213 20261209024623", stamp, true, stamp},
        {"stamp over the listing", summer, true, std::nullopt, stamp, true, stamp},
        {"stamp, shown local", summer, false, "213 20261209024623", stamp, false, stamp + kHour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::string_view> reply =
            c.reply ? std::optional<std::string_view>(*c.reply) : std::nullopt;
        EXPECT_EQ(RemoteFileTime(c.listed, c.serverLocal, reply, c.listStamp, c.useUtc), c.expected);
    }
}

} // namespace

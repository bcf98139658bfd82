// The time of a remote file as a run compares it: from the listing, the server's MDTM answer and the time-stamp
// list, the last of them that yields a time.
#pragma once

#include "platform/FileTime.h"

#include <optional>
#include <string_view>

// The time of an MDTM reply line ("213 yyyymmddhhnnss", UTC): code 213, at least 18 characters, digits for
// every part, a date that exists, year 1980 or later; std::nullopt for anything else. What follows the seconds
// (fractions, a line end) is ignored.
std::optional<platform::FileTime> ParseMdtmReply(std::string_view reply);

// The remote file's time:
// - the listed time, taken as UTC or, with serverLocal, as the server's local time and converted to UTC;
// - replaced by the MDTM reply's time when a reply is given and readable (pass it only when FtpUseMdtm asked);
// - replaced by the stamp list's entry when one is given (pass it only when FtpUseList found one).
// The result is in UTC with useUtc, else in local time, as the times of the other destination kinds.
platform::FileTime RemoteFileTime(platform::FileTime listed, bool serverLocal,
                                  std::optional<std::string_view> mdtmReply,
                                  std::optional<platform::FileTime> listStamp, bool useUtc);

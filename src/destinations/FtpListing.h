// Directory listings of FTP servers (Unix, DOS, HP3000 and AS/400 styles): the style detection and one entry per
// listing line.
#pragma once

#include "platform/FileTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TmsServerType { stAuto, stUnix, stDos, stHP3000, stAS400 };

// Kind of a listed entry.
enum : std::uint8_t { kFtpUnparsed = 0, kFtpFile = 1, kFtpDirectory = 2, kFtpLink = 3 };

struct TmsFTPDirEntry {
    std::uint8_t Kind = kFtpUnparsed;
    std::string Name; // UTF-8; for an unparsed line the whole line
    std::int64_t Size = 0;
    platform::FileTime Date = 0; // as listed (the server's local time)
    std::string LinkTarget;
};

using TmsFTPDirList = std::vector<TmsFTPDirEntry>;

// Splits the listing text into lines, detects the style while serverType is stAuto (a first line "total ..."
// sets stUnix again) and parses every line. Lines are taken as UTF-8 when valid, else as Windows-1252. Dates
// without a year take the year of now (local time).
TmsFTPDirList ParseFtpListing(std::string_view text, TmsServerType& serverType, platform::FileTime now);

// Parses one line of the given style; a line that does not fit gives a kFtpUnparsed entry.
TmsFTPDirEntry ParseFtpListingLine(std::string_view line, TmsServerType serverType, platform::FileTime now);

// True for a name that can stand for one entry of a directory: not empty, not "." or "..", no "/", "\" and no
// control characters.
bool IsSafeFtpName(std::string_view name);

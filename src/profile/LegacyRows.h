// Rows that only the earlier profile and batch formats have: numbers that are unpacked into several fields,
// lists of absolute directories, and the optional "Extra Data" blocks behind a marker line.
#pragma once

#include "profile/ProfileEnums.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class cLineReader;
class cParameters;
class cRowReader;
class cTextList;

namespace legacy {

// A number row for a value that is unpacked rather than stored as it is; empty once the reading has failed.
std::optional<int> NumberRow(cRowReader& rows);
std::optional<std::string> TextRow(cRowReader& rows);

// A header line and a counted list of absolute directories ("C:\Daten\*"). Each entry loses its first two
// characters (drive letter and ":"); with bulletMarkers a trailing "•" (byte 0x95) first becomes "*". An
// entry with nothing left after the drive names no directory and is dropped. sourceDrive (may be null)
// receives the drive of the first entry that has one, upper-cased.
void FullPathList(cRowReader& rows, cTextList& list, std::string* sourceDrive, bool bulletMarkers);

// The marker texts of the optional blocks, named by the version that introduced each.
inline constexpr std::string_view kExtra403 = "Tolvan 4.03 Extra Data";
inline constexpr std::string_view kExtra420 = "Tolvan 4.20 Extra Data";
inline constexpr std::string_view kExtra501 = "Tolvan 5.01 Extra Data";
inline constexpr std::string_view kExtra502 = "Tolvan 5.02 Extra Data";
inline constexpr std::string_view kExtra503 = "Tolvan 5.03 Extra Data";
inline constexpr std::string_view kExtra504 = "Tolvan 5.04 Extra Data";

// The marker lines in front of the optional blocks at the end of a file. Each marker position holds its own
// marker when its block follows. A line that equals a later block's marker means that this block (and maybe
// more) is simply left out: the line is kept for that marker. Any other line (an empty line, a "1", a marker
// with a trailing blank) stands at its own position: it is consumed there and skips only its own block.
class cMarkerReader {
public:
    // markers: every marker of the layout in file order; the caller keeps them alive while reading.
    cMarkerReader(cLineReader& lines, std::span<const std::string_view> markers) : m_lines(lines), m_markers(markers) {}

    // True when the next marker position holds marker (one of the layout's markers, asked in file order)
    // exactly: the caller then reads the block behind it. At the end of the file no marker matches and nothing
    // fails.
    bool Next(std::string_view marker);

private:
    cLineReader& m_lines;
    std::span<const std::string_view> m_markers;
    std::optional<std::string> m_pending; // a line kept for a later marker
};

// Bits 0 to 7 of bits into the eight flags, given in the order Warning1Message, Warning1Sound, ...,
// Warning4Message, Warning4Sound.
void SetWarningBits(int bits, const std::array<bool*, 8>& flags);
// The direction number of the earlier versions: 0 (and less) destination only, 1 both sides, 2 (and more)
// source only.
void SetOldDirection(int direction, cParameters& params);
// A non-zero run-end beep number turns on the sound and the beep of the run-finished event.
void SetRunEndBeep(int beep, cParameters& params);
// ShortenPaths from the earlier versions' number: 0 and 2 meant automatic shortening, anything else none.
eShortenPaths ShortenPathsFromOld(int value);

} // namespace legacy

// Rows that only the earlier profile and batch formats have: numbers that are unpacked into several fields,
// lists of absolute directories, and the optional "Extra Data" blocks behind a marker line.
#pragma once

#include <array>
#include <optional>
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

// The marker lines in front of the optional blocks at the end of a file.
class cMarkerReader {
public:
    explicit cMarkerReader(cLineReader& lines) : m_lines(lines) {}

    // True when the next marker position holds marker exactly: the caller then reads the block behind it.
    // A line that does not match is kept for the next marker position, so every block is optional on its
    // own and a missing block costs no other; at the end of the file no marker matches and nothing fails.
    bool Next(std::string_view marker);

private:
    cLineReader& m_lines;
    std::optional<std::string> m_pending;
};

// Bits 0 to 7 of bits into the eight flags, given in the order Warning1Message, Warning1Sound, ...,
// Warning4Message, Warning4Sound.
void SetWarningBits(int bits, const std::array<bool*, 8>& flags);
// The direction number of the earlier versions: 0 destination only, 1 both sides, 2 source only.
void SetOldDirection(int direction, cParameters& params);
// A non-zero run-end beep number turns on the sound and the beep of the run-finished event.
void SetRunEndBeep(int beep, cParameters& params);
// ShortenPaths from the earlier versions' number: 0 and 2 meant automatic shortening, anything else none.
int ShortenPathsFromOld(int value);

} // namespace legacy

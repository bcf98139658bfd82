// The current profile file format, "Tolvan 6 Profile": one value per line in a fixed order (rows 2 to 189).
#pragma once

#include <string_view>

class cLineReader;
class cLineWriter;
class cParameters;

inline constexpr std::string_view kProfileMagic = "Tolvan 6 Profile";

// Reads the rows after the first line: resets the profile first (option defaults from the settings), then
// reads every row into its field; on success DocumentKind = 1 and LegacyFormat = false. The common end of
// reading (file names, last run, document flags) is the caller's. False when a row could not be read:
// lines.Error() holds the code, and the rows read before the failure stay in their fields.
bool ReadProfile(cLineReader& lines, cParameters& params);

// Writes the whole profile, first line included.
void WriteProfile(const cParameters& params, cLineWriter& lines);

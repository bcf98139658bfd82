// The current batch file format, "Tolvan 6 Batch File": the entries, then the batch options, one value per line.
#pragma once

#include <string_view>

class cLineReader;
class cLineWriter;
class cParameters;

inline constexpr std::string_view kBatchMagic = "Tolvan 6 Batch File";

// Reads the rows after the first line into the batch part only (ResetBatch first; the profile fields stay
// as they were); on success DocumentKind = 2 and LegacyFormat = false. An entry is added only when all four
// of its lines were read, so the three entry lists stay the same length. The common end of reading is the
// caller's. False when a row could not be read: lines.Error() holds the code.
bool ReadBatch(cLineReader& lines, cParameters& params);

// Writes the whole batch file, first line included.
void WriteBatch(const cParameters& params, cLineWriter& lines);

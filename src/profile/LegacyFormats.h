// Readers for the profile and batch files of the program's earlier versions (read only, never written).
#pragma once

#include <string_view>

class cLineReader;
class cParameters;

// True when the first line names one of the earlier formats.
bool IsLegacyFormat(std::string_view firstLine);

// Reads the rest of an earlier-format file whose first line was already read: resets the profile or the
// batch part first, reads every row it knows, then sets DocumentKind (1 profile, 2 batch) and LegacyFormat.
// The common end of reading (file names, last run, document flags) is the caller's. Returns false when a row
// could not be read; reader.Error() then holds the code.
bool ReadLegacyDocument(std::string_view firstLine, cLineReader& reader, cParameters& params);

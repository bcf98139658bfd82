// The readers of the single earlier layouts. Each reads the rows behind the first line into a profile or a
// batch part that the caller has reset; a failure sticks in the line reader, which the caller checks.
#pragma once

class cLineReader;
class cParameters;
struct cBatchParameters;

namespace legacy {

// "Tolvan 4.00 Workfile", "Tolvan 4.1 Profile", "Tolvan 4.2 Profile", "Tolvan 5.0 Profile".
void ReadProfile4(cLineReader& lines, cParameters& params);
// "Tolvan 3.00 Workfile".
void ReadWorkfile3(cLineReader& lines, cParameters& params);
// The oldest profiles, whose first line is "0", "1" or "11".
void ReadOldestProfile(cLineReader& lines, cParameters& params);
// "Tolvan 4.00 Batch File", "Tolvan 5.00 Batch File".
void ReadBatch4(cLineReader& lines, cBatchParameters& batch);
// "Tolvan 3.00 Batch File".
void ReadBatch3(cLineReader& lines, cBatchParameters& batch);

} // namespace legacy

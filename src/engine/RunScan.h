// The steps of a run from the snapshot to the sorted candidate list.
#pragma once

struct cRun;

// Reads the last run's snapshot when orphans are decided by it (30307).
void ReadRunSnapshot(cRun& run);
// Scans and compares both sides, reports what the scan could not read or show (30121, 30122, unreadable
// directories, names the program cannot carry), then sorts the candidates, builds the folders and computes
// the statistics.
void ScanAndCompare(cRun& run);
// Sorts the candidates, groups them into folders and computes the planned counts, bytes and free-space
// balances of their current actions; again after anything changed the actions.
void BuildCandidateList(cRun& run);
// Stops the run (30116) when the shortened source directory is the destination directory itself (compared as
// real paths, so it holds also for differently written roots).
void CheckIdenticalAfterShortening(cRun& run);
// Writes the snapshot of both sides as they are now (30308). When the run acted but the snapshot cannot be
// written, the old one is removed (30132): it no longer tells what was deleted since.
void WriteRunSnapshot(cRun& run);

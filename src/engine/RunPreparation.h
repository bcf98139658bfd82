// The steps of a run before the scan: the expanded roots and lists, the destination kind, and every check
// that can stop a run before a file is looked at.
#pragma once

struct cRun;

// Expands the roots and the directory lists and finds the roots' native directories.
void ExpandRunInputs(cRun& run);
// Zip and FTP destinations are not carried out by this version: the run stops with an error.
void PrepareDestination(cRun& run);
// Stops the run (30114) when no mask and directory combination could find a file.
void CheckSomethingToDo(cRun& run);
// Between midnight and MidnightHours, with an age limit of 0 days, offers to treat today as yesterday (30120).
void AskMidnight(cRun& run);
// Stops the run (30119) when the destination's volume label is readable and differs from CheckLabel.
void CheckVolumeLabel(cRun& run);
// Stops the run (30116) when the destination would be the source root itself.
void CheckSameRoot(cRun& run);
// Stops the run (30131) when the expanded destination directory, archive name, a search or an exclude entry
// has a ".." component ("\\" and "/" both separate components).
void CheckRunPaths(cRun& run);
// Resolves the destination directory and archive name of this run, with the variation.
void ResolveDestination(cRun& run);
// Stops the run (30117) when the destination lies inside a searched source tree or the reverse.
void CheckOverlap(cRun& run);
// Measures the free space of the source (destination) root; while it is not ready, asks to try again (30118).
void WaitForSourceRoot(cRun& run);
void WaitForDestRoot(cRun& run);
// The age limit of this run.
void ComputeRunAgeLimit(cRun& run);

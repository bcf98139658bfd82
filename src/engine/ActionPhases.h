// Carrying out a run's planned actions on a directory destination.
#pragma once

struct cRun;

// The six phases in order, each only while the run goes on: deletions, copies and property transfers,
// verify, empty directories, creating directories, directory properties. Without candidates (no files
// found) only the three directory phases run.
void ExecuteDirectoryActions(cRun& run);

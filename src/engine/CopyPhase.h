// The copy phase of a run on a directory destination.
#pragma once

struct cRun;

// Carries out the copies, property transfers, skips and leftover deletions of the candidate list in order,
// under the progress display. A failed copy is logged and counted; the interruption dialog, when one can be
// shown, decides how to go on, otherwise the file is skipped. Ctrl+C rolls the current copy back and stops.
void RunCopyPhase(cRun& run);

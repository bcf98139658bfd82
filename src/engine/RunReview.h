// The steps of a run between the scan and the actions: the no-files case, the check dialogs and default
// actions, the deletion percentage, the free space and the preview.
#pragma once

struct cRun;

// No candidate: 30123, and the run goes on to the directory phases only.
void NoteNoFiles(cRun& run);
// The double-modification and size-difference dialogs, then their default actions.
void RunCheckDialogs(cRun& run);
// Asks (30130) before files are deleted while one side is completely empty; No (the preset) stops the run
// with an error.
void CheckEmptySide(cRun& run);
// Stops the run (30124) when the share of deletions reaches the threshold and the user does not go on.
void CheckDeletionPercentage(cRun& run);
// Warns (30125) for each side that will run short of space; No stops the run.
void CheckFreeSpace(cRun& run);
// Shows the preview; Cancel stops the run.
void ShowRunPreview(cRun& run);

// The batch loop: each profile of the current batch file is read into the one settings object, given the
// batch's overrides and run; its continuation code decides whether the batch goes on.
#pragma once

#include <cstdint>
#include <functional>

class cParameters;
class cUserInterface;

// How one profile's run ended: its result (0 success, 1 stopped, 2 errors) and whether it was stopped (the
// user cancelled or interrupted it, or a refused question ended it).
struct cBatchRunEnd {
    std::uint8_t Result = 0;
    bool Stopped = false;
};

struct cBatchSteps {
    // Shows the error boxes of reading a profile and asks whether to abandon the batch after a stopped run.
    cUserInterface& Ui;
    // Runs the profile now in params, with the entry's continuation code as the batch condition.
    std::function<cBatchRunEnd(std::uint8_t condition)> RunProfile;
    // True when the batch is to end at once without asking (the program is being ended, Ctrl+C).
    std::function<bool()> EndRequested = [] { return false; };
};

// Runs the batch in params (DocumentKind batch, at least one entry). An entry's path (drive + directory +
// name) has its variables expanded when its turn comes; a file that cannot be read, or that is a batch file
// itself, is skipped (with continuation 1 it ends the batch). After a stopped run the next entry first asks
// whether to abandon the whole batch (message 30998, answered No without asking when the profile run last has
// its "other" warning off). Afterwards the document is the batch file again, unmodified if it was; the
// profile fields hold the profile run last. Returns the batch's result: the worst of its runs, 2 for an entry
// that could not be read, at least 1 when the batch was abandoned.
[[nodiscard]] std::uint8_t RunBatch(cParameters& params, const cBatchSteps& steps);

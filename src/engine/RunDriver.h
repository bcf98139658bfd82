// The run driver: one run of a profile, from its log header through the checks, the
// scan, the questions and the preview to the summary.
#pragma once

#include "engine/RunControl.h"
#include "engine/RunState.h"

#include <cstdint>
#include <functional>
#include <string>

class cParameters;

// The batch condition of a run started for a single profile (the footer leaves the condition out).
inline constexpr std::uint8_t kSingleProfile = 255;

struct cRunOptions {
    // Plan only: the run goes as far as the preview, hands its state to OnPlan instead of showing the preview,
    // and then ends without carrying out anything. Nothing is written or renamed: no log file (the log's text
    // goes to OnLogText), no snapshot, no variation rotation.
    bool PlanOnly = false;
    std::function<void(const cParameters&, const cRunState&)> OnPlan;
    std::function<void(const std::string&)> OnLogText;
};

// What a run hands back to the document it was started from.
struct cRunOutcome {
    std::uint8_t Result = kRunSucceeded; // 0 success, 1 stopped, 2 errors
    double DateOffset = 0;               // 1 when the run counted as yesterday (after midnight)
    std::string ResolvedDestDirectory;   // with the variation the run used
    std::string ResolvedArchiveName;
    std::string LogFileName; // the log file the run wrote, empty without one
    bool LogOpen = false;
};

// Carries out one run of the profile in document on its own copy of it; the document is only read, so the
// run may execute on a worker thread while the caller's thread keeps the document. control's interface asks
// the questions and its flags stop the run. condition is the batch continuation condition (kSingleProfile or
// 0..2) for the log's footer, reason the start reason (0 by hand .. 5 scheduler) for its header. Result 1
// means stopped (by a question answered No, Cancel in a dialog, the window's button or Ctrl+C).
[[nodiscard]] cRunOutcome ExecuteRun(const cParameters& document, cRunControl& control, std::uint8_t condition,
                                     std::uint8_t reason, const cRunOptions& options = {});

// Takes what a run changed into the document it ran from (on the document's thread).
void ApplyRunOutcome(cParameters& document, const cRunOutcome& outcome);

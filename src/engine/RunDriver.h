// The run driver: one run of the profile held by cParameters, from its log header through the checks, the
// scan, the questions and the preview to the summary.
#pragma once

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

// Carries out one run. condition is the batch continuation condition (kSingleProfile or 0..2) for the log's
// footer, reason the start reason (0 by hand .. 5 scheduler) for its header. Returns the result byte: 0
// success, 1 stopped (by a question answered No, Cancel in a dialog, or Ctrl+C), 2 errors.
std::uint8_t ExecuteRun(cParameters& params, std::uint8_t condition, std::uint8_t reason,
                        const cRunOptions& options = {});

#include "engine/RunState.h"

#include "engine/DestinationRun.h"
#include "engine/Statistics.h"

cRunState::cRunState(cRunControl& control)
    : AbortRequested(control.AbortRequested), InterruptRequested(control.InterruptRequested) {}

cRunState::~cRunState() = default;

std::uint8_t cRunState::Result() const {
    if (Counters.ErrorCount > 0) return kRunFailed;
    return AbortRequested ? kRunStopped : kRunSucceeded;
}

void UpdateRunFigures(cRunState& s, bool sameVolume) {
    const cRunStatistics statistics =
        ComputeStatistics(s.Candidates, s.Folders, {sameVolume, s.SourceFree, s.DestFree});
    s.BytesToCopy = statistics.BytesToCopy;
    s.PlannedForward = statistics.PlannedForward;
    s.PlannedSkip = statistics.PlannedSkip;
    s.PlannedDelete = statistics.PlannedDelete;
    s.PlannedBackward = statistics.PlannedBackward;
    s.SourceBalance = statistics.SourceBalance;
    s.DestBalance = statistics.DestBalance;
}

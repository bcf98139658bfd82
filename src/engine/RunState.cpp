#include "engine/RunState.h"

#include "destinations/RemoteTree.h"
#include "engine/DestinationRun.h"
#include "engine/Statistics.h"
#include "platform/Roots.h"

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

std::string ShownDestPath(const cRunState& state, const std::string& relativePath) {
    if (state.Destination) return state.Destination->Tree().ShownPath(relativePath);
    return platform::NativePath(state.NativeDestRoot, relativePath);
}

cSideTexts RunSideTexts(const cRunState& state, const cCandidate& candidate, bool fromSource) {
    if (fromSource) return SideTexts(candidate, true, state.NativeSourceRoot, state.SourceDirList);
    cSideTexts texts = SideTexts(candidate, false, state.NativeDestRoot, state.DestDirList);
    if (state.Destination) {
        const auto index = static_cast<std::size_t>(candidate.DirIndex);
        const std::string directory = index < state.DestDirList.size() ? state.DestDirList[index] : "\\";
        texts.Path = ShownDestPath(state, directory + candidate.BaseName + candidate.Extension);
    }
    return texts;
}

// The sequence of a run's steps. Every step after the log is opened runs only while the run is not stopped;
// the finish always runs.
#include "engine/RunDriver.h"

#include "engine/ActionPhases.h"
#include "engine/DestinationRun.h"
#include "engine/RunContext.h"
#include "engine/RunPreparation.h"
#include "engine/RunReview.h"
#include "engine/RunScan.h"
#include "messages/ErrorText.h"
#include "messages/UserInterface.h"
#include "platform/BelowRoot.h"
#include "platform/Eject.h"
#include "platform/RunLock.h"
#include "profile/Parameters.h"

namespace {

constexpr int kLogNameMissing = 30101;
constexpr int kLogCannotOpen = 30102;

// The working copies of a new run; everything else of the state starts empty.
void ResetRun(cParameters& params, cRunState& state) {
    params.DateOffset = 0;
    state.Checks = cRunChecks::FromParameters(params);
    state.RunOneLine = params.Preview.OneLine;
    state.RunSortMode = params.SortMode;
    state.RunReverseOrder = params.ReverseOrder;
    state.RunPreview = params.Preview;
    state.Touched = {params.TouchSrc, params.TouchDest};
}

// A log that cannot be opened is a question: the run goes on without it unless the user says No.
void OpenRunLog(cRun& run, const cRunOptions& options, std::uint8_t reason) {
    if (options.PlanOnly) {
        OpenLogInMemory(run.Log, run.Params);
    } else if (const int code = OpenLog(run.Log, run.Params); code != 0) {
        const std::string& name = run.Params.Log.ActualFileName;
        const eAnswer answer =
            name.empty() ? run.Ask(kLogNameMissing) : run.Ask(kLogCannotOpen, {.Text1 = name, .Error = code});
        if (answer == eAnswer::No) run.State.AbortRequested = true;
    }
    run.Event(kLogRunHeader, {.Kind = reason});
    run.Event(kLogTimeBase);
}

// A second run of the same profile in another process would scan a tree the first one is changing and
// write the same snapshot: it stops before anything else.
void LockProfile(cRun& run, platform::cRunLock& lock) {
    const std::string& profile = run.Params.ProfileFile;
    if (run.Stopping() || IsUntitledProfile(profile)) return;
    if (lock.Acquire(RunLockFileName(profile)) == 0) return;
    run.FailCheck(kLogProfileBusy, {.Path = profile}, {.Text1 = profile});
}

// The steps up to the sorted candidate list; each only while the run goes on.
void PrepareAndScan(cRun& run) {
    using Step = void (*)(cRun&);
    constexpr Step steps[] = {
        PrepareDestination, CheckSomethingToDo,
        AskMidnight,        CheckVolumeLabel,
        CheckSameRoot,      CheckRunPaths,
        ResolveDestination, CheckOverlap,
        WaitForSourceRoot,  WaitForDestRoot,
        ComputeRunAgeLimit, ReadRunSnapshot,
        ScanAndCompare,     CheckIdenticalAfterShortening,
    };
    for (Step step : steps) {
        if (run.Stopping()) return;
        step(run);
    }
}

// The questions before the actions; none of them is asked when no file was found.
void Review(cRun& run) {
    if (run.State.Candidates.empty()) {
        NoteNoFiles(run);
        return;
    }
    using Step = void (*)(cRun&);
    constexpr Step steps[] = {RunCheckDialogs, CheckEmptySide, CheckDeletionPercentage, CheckFreeSpace};
    for (Step step : steps) {
        if (run.Stopping()) return;
        step(run);
    }
}

void Finish(cRun& run, std::uint8_t condition, const cRunOptions& options) {
    cRunState& s = run.State;
    if (run.Stopping()) run.Event(kLogAborted);
    run.Ui.HideStatus();
    run.Event(kLogSummary, {.Counters = s.Counters});
    run.Event(kLogRunFooter, {.Kind = condition});
    if (options.PlanOnly) {
        if (options.OnLogText) options.OnLogText(LogText(run.Log));
    } else {
        CloseLog(run.Log, run.Params);
    }
}

} // namespace

cRunOutcome ExecuteRun(const cParameters& document, cRunControl& control, std::uint8_t condition, std::uint8_t reason,
                       const cRunOptions& options) {
    const platform::cRootHandleScope roots;
    cParameters params = document;
    cRunState state(control);
    ResetRun(params, state);
    cLog log;
    cRun run{params, state, log, control.Ui, options.PlanOnly};

    OpenRunLog(run, options, reason);
    platform::cRunLock lock;
    if (!options.PlanOnly) LockProfile(run, lock);
    ExpandRunInputs(run);
    PrepareAndScan(run);
    if (!run.Stopping()) Review(run);
    if (options.PlanOnly) {
        if (!run.Stopping() && options.OnPlan) options.OnPlan(params, state);
    } else {
        if (!run.Stopping() && !state.NoFiles) ShowRunPreview(run);
        if (!run.Stopping()) {
            if (state.Destination)
                state.Destination->Execute(run);
            else
                ExecuteDirectoryActions(run);
        }
        WriteRunSnapshot(run); // also after a stop: a snapshot the actions made outdated must go
        // Whatever happened before: the disk is ejected when the profile asks for it.
        if (params.EjectDisk && !state.NativeDestRoot.empty()) platform::EjectDisk(state.NativeDestRoot);
    }
    if (state.Destination) state.Destination->Finish(run);
    Finish(run, condition, options);
    return {.Result = state.Result(),
            .DateOffset = params.DateOffset,
            .ResolvedDestDirectory = params.ResolvedDestDirectory,
            .ResolvedArchiveName = params.ResolvedArchiveName,
            .LogFileName = params.Log.ActualFileName,
            .LogOpen = params.Log.IsOpen};
}

void ApplyRunOutcome(cParameters& document, const cRunOutcome& outcome) {
    document.DateOffset = outcome.DateOffset;
    document.ResolvedDestDirectory = outcome.ResolvedDestDirectory;
    document.ResolvedArchiveName = outcome.ResolvedArchiveName;
    document.Log.ActualFileName = outcome.LogFileName;
    document.Log.IsOpen = outcome.LogOpen;
}

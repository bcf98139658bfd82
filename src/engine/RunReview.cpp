// Questions and dialogs between the scan and the actions.
#include "engine/RunReview.h"

#include "engine/CheckDialogs.h"
#include "engine/CompareTimes.h"
#include "engine/RunContext.h"
#include "engine/RunScan.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/ErrorCodes.h"
#include "platform/FreeSpace.h"
#include "platform/GermanFormat.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

namespace {

constexpr int kNoFilesFound = 30123;
constexpr int kManyDeletions = 30124;
constexpr int kShortOfSpace = 30125;
constexpr int kEmptySide = 30130;

// Shows one check dialog when its warning is on and a candidate carries its flag.
void ShowCheckDialogFor(cRun& run, eCheckDialog kind) {
    const cParameters& p = run.Params;
    cRunState& s = run.State;
    if (run.Stopping() || !NeedsCheckDialog(kind, p, s.Candidates)) return;
    if (kind == eCheckDialog::DoubleModifications)
        PlaySignal(run.Ui, p.Event3Sound, p.Event3Beep, p.Event3File, p.SyncSounds);
    else
        PlaySignal(run.Ui, p.Event4Sound, p.Event4Beep, p.Event4File, p.SyncSounds);
    cCheckDialogModel model = BuildCheckDialog(kind, p, s.Checks, p.LastRun, s.Candidates, s.SourceDirList, s.CutPath);
    if (run.Ui.ShowCheckDialog(model))
        StoreCheckDialogAnswer(model, s.Checks);
    else
        s.AbortRequested = true;
}

// The shortfall of one side, when there is one; No stops the run, Yes measures the free space again.
void CheckSide(cRun& run, const std::string& root, const std::string& shownRoot, std::int64_t balance,
               std::int64_t& free) {
    if (run.Stopping() || balance >= 0 || free == kFreeSpaceUnknown) return;
    const std::string megabytes = platform::FormatNumber(static_cast<double>(-balance) / 1024.0 / 1024.0, 3);
    run.Event(kShortOfSpace, {.Path = shownRoot, .Text1 = megabytes});
    if (run.Ask(kShortOfSpace, {.Text1 = shownRoot, .Text2 = megabytes}) == eAnswer::Yes) {
        int code = 0;
        free = platform::MeasureFreeSpace(root, run.Params.Drives, code);
    } else {
        run.State.AbortRequested = true;
    }
}

} // namespace

void NoteNoFiles(cRun& run) {
    run.Event(kNoFilesFound);
    run.Ask(kNoFilesFound);
    run.State.NoFiles = true;
}

void RunCheckDialogs(cRun& run) {
    ShowCheckDialogFor(run, eCheckDialog::DoubleModifications);
    ShowCheckDialogFor(run, eCheckDialog::SizeDifferences);
    if (run.Stopping()) return;
    ApplyDefaultActions(run.State.Candidates, run.State.Checks, cTimeTolerance::FromParameters(run.Params),
                        {run.Params.TouchSrc, run.Params.TouchDest});
    // The groups, counts and balances that the checks, the plan and the preview show follow the actions now taken.
    BuildCandidateList(run);
}

// An empty side asks before the other side loses files: "nothing there" looks exactly like an unmounted disk or
// a dropped share, and a run that took it as "everything was deleted" would delete everything in turn.
void CheckEmptySide(cRun& run) {
    const cRunState& s = run.State;
    int sourceLoses = 0;
    int destLoses = 0;
    for (const auto& c : s.Candidates) {
        if (c->Action() != kActionDelete) continue;
        if (c->SourceTime != 0) ++sourceLoses;
        if (c->DestTime != 0) ++destLoses;
    }
    const auto ask = [&run](const std::string& shown, int losing) {
        run.Event(kEmptySide, {.Path = shown, .Number1 = losing});
        if (run.Ask(kEmptySide, {.Text1 = shown, .Number1 = losing}) == eAnswer::Yes) return;
        ++run.State.Counters.ErrorCount;
        run.State.AbortRequested = true;
    };
    if (sourceLoses > 0 && s.DestEmpty) ask(ShownDestPath(s, run.Params.ResolvedDestDirectory), sourceLoses);
    if (!run.Stopping() && destLoses > 0 && s.SourceEmpty)
        ask(platform::NativePath(s.NativeSourceRoot, "\\"), destLoses);
}

void CheckDeletionPercentage(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    const auto found = static_cast<long long>(s.Candidates.size());
    if (!p.Percentage || found == 0 || found < p.PercentageCount) return;
    long long deletions = 0;
    for (const auto& c : s.Candidates)
        if (c->Action() == kActionDelete) ++deletions;
    const long long percent = deletions * 100 / found;
    if (percent < p.PercentageThreshold) return;
    if (run.Ask(kManyDeletions, {.Number1 = percent, .Number2 = found}) != eAnswer::No) return;
    run.Event(kManyDeletions, {.Number1 = static_cast<int>(percent), .Number2 = static_cast<int>(found)});
    run.State.AbortRequested = true;
}

void CheckFreeSpace(cRun& run) {
    cRunState& s = run.State;
    const auto shown = [](const std::string& native, const std::string& root) {
        return native.empty() ? root : native;
    };
    CheckSide(run, s.SourceRoot, shown(s.NativeSourceRoot, s.SourceRoot), s.SourceBalance, s.SourceFree);
    if (run.Params.DestType == eDestType::Ftp || s.SameRoot ||
        platform::OnSameFileSystem(s.NativeSourceRoot, s.NativeDestRoot))
        return;
    CheckSide(run, s.DestRoot, shown(s.NativeDestRoot, s.DestRoot), s.DestBalance, s.DestFree);
}

void ShowRunPreview(cRun& run) {
    const cParameters& p = run.Params;
    if (!run.State.Checks.ShowPreview) return;
    PlaySignal(run.Ui, p.Event5Sound, p.Event5Beep, p.Event5File, p.SyncSounds);
    if (!run.Ui.ShowPreview(run.State)) run.State.AbortRequested = true;
}

// The action phases of a directory destination besides the copy phase.
#include "engine/ActionPhases.h"

#include "engine/ActionSupport.h"
#include "engine/CopyPhase.h"
#include "engine/RunContext.h"
#include "messages/UserInterface.h"
#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "platform/FileContents.h"
#include "platform/FileProperties.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

namespace {

void DeletePhase(cRun& run) {
    cRunState& s = run.State;
    run.Ui.ShowStatus("Suche zu löschende Dateien...", static_cast<int>(s.Candidates.size()));
    int position = 0;
    for (const auto& c : s.Candidates) {
        if (run.Stopping()) break;
        run.Ui.StepStatus(++position);
        if (c->Action() != kActionDelete || (c->Flags & kFlagDone) != 0) continue;
        // A failure is logged and counted there; the other side is deleted all the same.
        if (c->SourceTime != 0) (void)DeleteSide(run, *c, eSide::Source);
        if (c->DestTime != 0) (void)DeleteSide(run, *c, eSide::Dest);
        c->Flags |= kFlagDone;
    }
    run.Ui.HideStatus();
}

// Compares one copied pair until it is equal or the user does not want to try again.
void VerifyPair(cRun& run, cCandidate& c) {
    cRunState& s = run.State;
    const bool forward = c.Action() != kActionBackward;
    const std::string source =
        platform::NativePath(s.NativeSourceRoot, SideDirectory(run, c, eSide::Source) + c.BaseName + c.Extension);
    const std::string dest =
        platform::NativePath(s.NativeDestRoot, SideDirectory(run, c, eSide::Dest) + c.BaseName + c.Extension);
    const std::string& a = forward ? source : dest;
    const std::string& b = forward ? dest : source;
    for (;;) {
        const int code = platform::CompareContents(a, b, [&run] { return !run.Stopping(); });
        if (!ReportComparison(run, c, a, b, code)) return;
    }
}

void VerifyPhase(cRun& run) {
    cRunState& s = run.State;
    run.Ui.ShowStatus("Vergleiche Dateien (Verify)...", static_cast<int>(s.Candidates.size()));
    int position = 0;
    for (const auto& c : s.Candidates) {
        if (run.Stopping()) break;
        run.Ui.StepStatus(++position);
        if ((c->Flags & kFlagVerifyPending) != 0) VerifyPair(run, *c);
    }
    run.Ui.HideStatus();
}

// Removes a directory when it is empty; the roots themselves are never removed, nor a directory reached
// through a symlink.
void RemoveIfEmpty(cRun& run, eSide side, const std::string& relative) {
    if (relative.find_first_not_of('\\') == std::string::npos) return;
    if (!IsDirectoryBelow(run, side, relative)) return;
    const std::string path = platform::NativePath(SideRoot(run, side), relative);
    if (platform::RemoveEmptyDirectory(path) != 0) return;
    run.Event(kLogDirDeleted, {.Path = path});
    ++run.State.Counters.DirsDeletedCount;
}

void EmptyDirectoriesPhase(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    const bool source = p.DeleteEmptySrcDirs && p.TouchSrc;
    const bool dest = p.DeleteEmptyDestDirs && p.TouchDest;
    if (!source && !dest) return;
    run.Ui.ShowStatus("Suche leere Verzeichnisse...", 0);
    // Deeper directories come later in the sorted lists, so going backwards empties children first.
    // A directory that the other side has is not "empty" but mirrored: removing it here would only have it
    // created again by the next run.
    for (std::size_t i = s.SourceDirList.size(); i-- > 0;) {
        if (source && !IsDirectoryBelow(run, eSide::Dest, s.DestDirList[i]))
            RemoveIfEmpty(run, eSide::Source, s.SourceDirList[i]);
        if (dest && !IsDirectoryBelow(run, eSide::Source, s.SourceDirList[i]))
            RemoveIfEmpty(run, eSide::Dest, s.DestDirList[i]);
    }
    if (dest) {
        RemoveIfEmpty(run, eSide::Dest, p.ResolvedDestDirectory);
        RemoveIfEmpty(run, eSide::Dest, p.DestDirectory);
    }
    run.Ui.HideStatus();
}

void CreateDirectoriesPhase(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    const bool source = p.CreateAllSrcDirs && p.TouchSrc;
    const bool dest = p.CreateAllDestDirs && p.TouchDest;
    if (!source && !dest) return;
    run.Ui.ShowStatus("Erstelle Verzeichnisse...", 0);
    const auto mirror = [&](eSide from, const std::vector<std::string>& fromList, eSide to,
                            const std::vector<std::string>& toList) {
        for (std::size_t i = 0; i < fromList.size() && i < toList.size(); ++i)
            // An existing directory costs CreateDirectoryPath one check and creates nothing.
            if (IsDirectoryBelow(run, from, fromList[i])) CreateDirectoryPath(run, to, toList[i], fromList[i]);
    };
    if (source) mirror(eSide::Dest, s.DestDirList, eSide::Source, s.SourceDirList);
    if (dest) mirror(eSide::Source, s.SourceDirList, eSide::Dest, s.DestDirList);
    run.Ui.HideStatus();
}

// Mode, access lists and owner of every source directory go to its destination directory; nothing is logged.
void DirectoryPropertiesPhase(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    if (!p.TransferDirProperties || !p.TouchDest) return;
    run.Ui.ShowStatus("Übertrage Verzeichniseigenschaften...", 0);
    for (std::size_t i = 0; i < s.SourceDirList.size() && i < s.DestDirList.size(); ++i) {
        if (!IsDirectoryBelow(run, eSide::Source, s.SourceDirList[i]) ||
            !IsDirectoryBelow(run, eSide::Dest, s.DestDirList[i]))
            continue;
        const std::string from = platform::NativePath(s.NativeSourceRoot, s.SourceDirList[i]);
        const std::string to = platform::NativePath(s.NativeDestRoot, s.DestDirList[i]);
        (void)platform::TransferSecurity(from, to, true, true);
    }
    run.Ui.HideStatus();
}

} // namespace

// Every phase begins with the log's held lines written, so a run killed in it leaves what the phases before did.
void ExecuteDirectoryActions(cRun& run) {
    using Phase = void (*)(cRun&);
    if (!run.State.NoFiles) {
        constexpr Phase filePhases[] = {DeletePhase, RunCopyPhase};
        for (Phase phase : filePhases) {
            if (run.Stopping()) return;
            FlushLog(run.Log);
            phase(run);
        }
        FlushLog(run.Log);
        if (run.Params.Verify && !run.Stopping()) VerifyPhase(run);
    }
    constexpr Phase directoryPhases[] = {EmptyDirectoriesPhase, CreateDirectoriesPhase, DirectoryPropertiesPhase};
    for (Phase phase : directoryPhases) {
        if (run.Stopping()) return;
        FlushLog(run.Log);
        phase(run);
    }
    FlushLog(run.Log);
}

// Snapshot, scan, and the candidate list of a run.
#include "engine/RunScan.h"

#include "destinations/RemoteTree.h"
#include "engine/CandidateSort.h"
#include "engine/DestinationRun.h"
#include "engine/DirectoryPass.h"
#include "engine/FileFilters.h"
#include "engine/RunContext.h"
#include "engine/Scan.h"
#include "messages/UserInterface.h"
#include "platform/DirectoryIdentity.h"
#include "platform/ErrorCodes.h"
#include "platform/FileRemoval.h"
#include "platform/FreeSpace.h"
#include "platform/ProgramFolders.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"

#include <optional>

namespace {

constexpr int kIdentical = 30116;
constexpr int kInvalidStamp = 30122;

bool UsesSnapshot(const cParameters& p) {
    return p.OrphanModeB == eOrphanMode::LookInSnapshot;
}

std::array<int, 7> StampFields(const platform::DateTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

cScanContext ScanContext(cRun& run, const cSnapshot* snapshot) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    return {p,
            s.NativeSourceRoot,
            s.NativeDestRoot,
            s.ExpandedSearchDirectories,
            s.ExpandedExcludeDirectories,
            cAgeFilter{s.AgeLimit, s.AgeReversed},
            snapshot,
            [&run] { return run.Stopping(); },
            {},
            s.OwnFiles,
            {.Source = !run.PlanOnly && p.TouchSrc, .Dest = !run.PlanOnly && p.TouchDest},
            s.Destination ? &s.Destination->Tree() : nullptr};
}

cOwnFiles OwnFilesOf(const cParameters& p) {
    cOwnFiles own;
    if (!p.ProfileFile.empty()) {
        own.Add(p.ProfileFile);
        own.Add(SnapshotFileName(p.ProfileFile));
        own.Add(p.ProfileFile + ".ftp");
        own.Add(RunLockFileName(p.ProfileFile));
    }
    if (!p.Log.ActualFileName.empty()) own.Add(p.Log.ActualFileName);
    own.Add(platform::SettingsFolder() + std::string(kSettingsFileName));
    return own;
}

// Whether the run's actions changed anything on disk, so that the last snapshot no longer tells what happened
// since: a file this run deleted is still listed there, and the next run would take a new file of that name for
// one deleted on the other side.
bool ChangedFiles(const cRunCounters& c) {
    return c.ForwardCount + c.BackwardCount + c.DeletedCount + c.DirsCreatedCount + c.DirsDeletedCount +
               c.PropsForwardCount + c.PropsBackwardCount >
           0;
}

void RemoveOutdatedSnapshot(cRun& run) {
    const std::string file = SnapshotFileName(run.Params.ProfileFile);
    const int code = platform::RemoveFile(file);
    if (code == 0) {
        run.Event(kLogSnapshotRemoved, {.Path = file});
    } else if (code != platform::kFileNotFound) {
        run.Event(kLogDeleteFailed, {.Path = file, .Code = code});
        ++run.State.Counters.ErrorCount;
    }
}

void ReportLeftovers(cRun& run, const std::vector<std::string>& removed) {
    for (const std::string& path : removed)
        run.Event(kLogLeftoverRemoved, {.Path = path});
}

void ReportProblems(cRun& run, const std::vector<cScanProblem>& problems) {
    for (const cScanProblem& problem : problems) {
        run.Event(kLogScanProblem, {.Path = problem.Path, .Code = problem.Code});
        ++run.State.Counters.ErrorCount;
    }
}

// Each corrected stamp is an error; Cancel stops the run and the remaining reports.
void ReportCorrections(cRun& run, const std::vector<cCorrectionReport>& corrections) {
    for (const cCorrectionReport& report : corrections) {
        if (run.Stopping()) return;
        run.Event(kInvalidStamp, {.Path = report.Path, .Text1 = report.Correction.Text});
        ++run.State.Counters.ErrorCount;
        const cMessageArgs args{.Text1 = report.Path,
                                .Stamp = StampFields(report.Correction.Original),
                                .CorrectedStamp = StampFields(report.Correction.Corrected)};
        if (run.Ask(kInvalidStamp, args) == eAnswer::Cancel) run.State.AbortRequested = true;
    }
}

void UpdateRunStatistics(cRun& run) {
    cRunState& s = run.State;
    UpdateRunFigures(s, s.SameRoot || platform::OnSameFileSystem(s.NativeSourceRoot, s.NativeDestRoot));
}

} // namespace

void BuildCandidateList(cRun& run) {
    cRunState& s = run.State;
    SortCandidates(s.Candidates, s.RunSortMode, s.RunReverseOrder);
    s.Folders =
        BuildFolders(s.Candidates, {s.RunSortMode, &s.SourceDirList, s.CutPath, run.Params.Preview.OpenFolders});
    UpdateRunStatistics(run);
}

void ReadRunSnapshot(cRun& run) {
    if (!UsesSnapshot(run.Params)) return;
    run.Ui.ShowStatus("Lese Schnappschuss...", 0);
    const std::string file = SnapshotFileName(run.Params.ProfileFile);
    const int code = ReadSnapshot(run.State.Snapshot, run.Params.ProfileFile);
    run.Event(kLogSnapshotRead, {.Path = file, .Code = code});
    run.State.SnapshotRead = code == 0;
    run.Ui.HideStatus();
}

void ScanAndCompare(cRun& run) {
    cRunState& s = run.State;
    s.OwnFiles = OwnFilesOf(run.Params);
    if (s.Destination) s.Destination->AddOwnFiles(s.OwnFiles);
    run.Ui.ShowStatus("Suche Verzeichnisse...", 0);
    cScanResult result;
    cScanContext context = ScanContext(run, UsesSnapshot(run.Params) ? &s.Snapshot : nullptr);
    context.FilePassStarts = [&run] { run.Ui.ShowStatus("Suche Dateien...", 0); };
    const int rc = ScanTrees(context, result);
    s.Snapshot.Clear();
    s.SourceDirList = std::move(result.SourceDirList);
    s.DestDirList = std::move(result.DestDirList);
    // Also when the lists came out unequal: the trees show what was found.
    s.SourceDirTree.Build(s.SourceDirList);
    s.DestDirTree.Build(s.DestDirList);
    s.CutPath = std::move(result.CutPath);
    s.Candidates = std::move(result.Files.Candidates);
    s.SourceEmpty = result.SourceSubdirectories == 0 && result.Files.SourceFiles == 0;
    s.DestEmpty = result.DestSubdirectories == 0 && result.Files.DestFiles == 0;
    run.Ui.HideStatus();

    ReportLeftovers(run, result.Files.LeftoversRemoved);
    // Nothing is left out without a line: a FIFO, socket or device node has no content to copy.
    for (const std::string& path : result.Files.SpecialFiles)
        run.Event(kLogSpecialSkipped, {.Path = path});
    ReportProblems(run, result.Files.Problems);
    if (rc == kDirectoryCountMismatch) {
        const auto sourceCount = static_cast<int>(s.SourceDirList.size());
        const auto destCount = static_cast<int>(s.DestDirList.size());
        run.FailCheck(kDirectoryCountMismatch, {.Number1 = sourceCount, .Number2 = destCount},
                      {.Number1 = sourceCount, .Number2 = destCount});
    } else if (rc != 0) {
        ++s.Counters.ErrorCount;
        s.AbortRequested = true;
    }
    ReportCorrections(run, result.Files.Corrections);
    if (!s.Candidates.empty()) BuildCandidateList(run);
}

void CheckIdenticalAfterShortening(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    // A code below Automatic cuts nothing, so there is nothing to compare.
    if (p.DestType == eDestType::Ftp || p.ShortenPaths < eShortenPaths::Automatic) return;
    const std::optional<std::string> cut = RealTypedDirectory(s.NativeSourceRoot, s.CutPath);
    const std::optional<std::string> dest = RealTypedDirectory(s.NativeDestRoot, p.ResolvedDestDirectory);
    if (!cut || !dest) return;
    if (platform::SameDirectory(*cut, *dest)) run.FailCheck(kIdentical);
}

void WriteRunSnapshot(cRun& run) {
    cRunState& s = run.State;
    if (!UsesSnapshot(run.Params)) return;
    const bool stopped = run.Stopping();
    if (!stopped && !(s.NoFiles && s.SnapshotRead)) {
        run.Ui.ShowStatus("Schreibe Schnappschuss...", 0);
        s.Candidates.clear();
        if (s.Destination) s.Destination->Tree().Forget(); // the snapshot holds what the destination holds now
        int code = CollectSnapshot(ScanContext(run, nullptr), s.Snapshot);
        // A collection that was stopped or went wrong must not replace the last complete snapshot.
        if (code == 0) code = WriteSnapshot(s.Snapshot, run.Params.ProfileFile);
        run.Event(kLogSnapshotWritten, {.Path = SnapshotFileName(run.Params.ProfileFile), .Code = code});
        s.Snapshot.Clear();
        run.Ui.HideStatus();
        if (code == 0) return;
    }
    if (ChangedFiles(s.Counters)) RemoveOutdatedSnapshot(run);
}

// Snapshot, scan, and the candidate list of a run.
#include "engine/RunScan.h"

#include "engine/CandidateSort.h"
#include "engine/FileFilters.h"
#include "engine/RunContext.h"
#include "engine/Scan.h"
#include "engine/Statistics.h"
#include "platform/ErrorCodes.h"
#include "platform/FreeSpace.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "shell/UserInterface.h"

#include <optional>

namespace {

constexpr int kSnapshotOrphanMode = 5; // OrphanModeB: "Im Schnappschuss nachsehen"
constexpr int kIdentical = 30116;
constexpr int kInvalidStamp = 30122;

bool UsesSnapshot(const cParameters& p) {
    return p.OrphanModeB == kSnapshotOrphanMode;
}

std::array<int, 7> StampFields(const platform::DateTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

cScanContext ScanContext(cRun& run, const cSnapshot* snapshot) {
    return {run.Params,
            run.State.NativeSourceRoot,
            run.State.NativeDestRoot,
            cAgeFilter{run.State.AgeLimit, run.State.AgeReversed},
            snapshot,
            [&run] { return run.Stopping(); },
            {}};
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
        if (run.State.AbortRequested) return;
        run.Event(kInvalidStamp, {.Path = report.Path, .Text1 = report.Correction.Text});
        ++run.State.Counters.ErrorCount;
        const cMessageArgs args{.Text1 = report.Path,
                                .Stamp = StampFields(report.Correction.Original),
                                .CorrectedStamp = StampFields(report.Correction.Corrected)};
        if (run.Ask(kInvalidStamp, args) == kAnswerCancel) run.State.AbortRequested = true;
    }
}

void BuildCandidateList(cRun& run) {
    cRunState& s = run.State;
    SortCandidates(s.Candidates, s.RunSortMode, s.RunReverseOrder);
    s.Folders =
        BuildFolders(s.Candidates, {s.RunSortMode, &s.SourceDirList, s.CutPath, run.Params.Preview.OpenFolders});
    const bool sameVolume = s.SameRoot || platform::OnSameFileSystem(s.NativeSourceRoot, s.NativeDestRoot);
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

} // namespace

void ReadRunSnapshot(cRun& run) {
    if (!UsesSnapshot(run.Params)) return;
    UserInterface().ShowStatus("Lese Schnappschuss...", 0);
    const std::string file = SnapshotFileName(run.Params.ProfileFile);
    const int code = ReadSnapshot(run.State.Snapshot, run.Params.ProfileFile);
    run.Event(kLogSnapshotRead, {.Path = file, .Code = code});
    run.State.SnapshotRead = code == 0;
    UserInterface().HideStatus();
}

void ScanAndCompare(cRun& run) {
    cRunState& s = run.State;
    UserInterface().ShowStatus("Suche Verzeichnisse...", 0);
    cScanResult result;
    cScanContext context = ScanContext(run, UsesSnapshot(run.Params) ? &s.Snapshot : nullptr);
    context.FilePassStarts = [] { UserInterface().ShowStatus("Suche Dateien...", 0); };
    const int rc = ScanTrees(context, result);
    s.Snapshot.Clear();
    s.SourceDirList = std::move(result.SourceDirList);
    s.DestDirList = std::move(result.DestDirList);
    // Also when the lists came out unequal: the trees show what was found.
    s.SourceDirTree.Build(s.SourceDirList);
    s.DestDirTree.Build(s.DestDirList);
    s.CutPath = std::move(result.CutPath);
    s.Candidates = std::move(result.Files.Candidates);
    UserInterface().HideStatus();

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
    if (p.DestType == kDestTypeFtp || p.ShortenPaths < 1) return;
    std::string cut;
    std::string dest;
    if (platform::RealPath(platform::NativePath(s.NativeSourceRoot, s.CutPath), cut) != 0 ||
        platform::RealPath(platform::NativePath(s.NativeDestRoot, p.ResolvedDestDirectory), dest) != 0)
        return;
    if (cut == dest) run.FailCheck(kIdentical);
}

void WriteRunSnapshot(cRun& run) {
    cRunState& s = run.State;
    if (s.AbortRequested || !UsesSnapshot(run.Params) || (s.NoFiles && s.SnapshotRead)) return;
    UserInterface().ShowStatus("Schreibe Schnappschuss...", 0);
    s.Candidates.clear();
    int code = CollectSnapshot(ScanContext(run, nullptr), s.Snapshot);
    // A collection that was stopped or went wrong must not replace the last complete snapshot.
    if (code == 0) code = WriteSnapshot(s.Snapshot, run.Params.ProfileFile);
    run.Event(kLogSnapshotWritten, {.Path = SnapshotFileName(run.Params.ProfileFile), .Code = code});
    s.Snapshot.Clear();
    UserInterface().HideStatus();
}

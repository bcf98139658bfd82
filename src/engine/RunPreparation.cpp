// The checks of a run before the scan.
#include "engine/RunPreparation.h"

#include "destinations/Variation.h"
#include "engine/DestinationRun.h"
#include "engine/DirectoryPass.h"
#include "engine/FileFilters.h"
#include "engine/RunContext.h"
#include "engine/Scan.h"
#include "platform/Clock.h"
#include "platform/DirectoryIdentity.h"
#include "platform/FreeSpace.h"
#include "platform/Roots.h"
#include "platform/Text.h"
#include "platform/VolumeLabel.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

#include <optional>

namespace {

constexpr int kNothingToDo = 30114;
constexpr int kSameRoot = 30116;
constexpr int kOverlap = 30117;
constexpr int kRootNotReady = 30118;
constexpr int kWrongLabel = 30119;
constexpr int kAfterMidnight = 30120;

std::vector<std::string> ExpandedSorted(const cTextList& list, double dateOffset) {
    std::vector<std::string> texts = ExpandedTexts(list, dateOffset);
    SortAndRemoveDuplicates(texts);
    return texts;
}

// The real path of an internal relative path below a native root, as written; std::nullopt when it cannot be
// resolved.
std::optional<std::string> RealExactly(const std::string& nativeRoot, std::string_view relative) {
    std::string real;
    if (nativeRoot.empty() || platform::RealPath(platform::NativePath(nativeRoot, relative), real) != 0)
        return std::nullopt;
    return real;
}

// The directory below which a directory entry can find directories: the entry itself, or for an entry whose
// last component holds "*" the directory before that component.
std::string SearchBase(std::string entry) {
    if (entry.empty() || entry.front() != '\\') entry.insert(0, 1, '\\');
    if (entry.back() == '*') entry.erase(entry.rfind('\\') + 1);
    return entry;
}

void WaitForRoot(cRun& run, const std::string& root, const std::string& nativeRoot, std::int64_t& free) {
    int code = 0;
    free = platform::MeasureFreeSpace(root, run.Params.Drives, code);
    while (free == kFreeSpaceNotReady && !run.Stopping()) {
        const std::string shown = nativeRoot.empty() ? root : nativeRoot;
        run.Event(kRootNotReady, {.Path = shown, .Code = code});
        const eAnswer answer = run.Ask(kRootNotReady, {.Text1 = shown, .Error = code});
        ++run.State.Counters.ErrorCount;
        if (answer == eAnswer::No)
            run.State.AbortRequested = true;
        else
            free = platform::MeasureFreeSpace(root, run.Params.Drives, code);
    }
}

} // namespace

void ExpandRunInputs(cRun& run) {
    const cParameters& p = run.Params;
    cRunState& s = run.State;
    s.SourceRoot = ExpandVariables(p.SourceDrive, p.DateOffset);
    s.DestRoot = ExpandVariables(p.DestDrive, p.DateOffset);
    s.NativeSourceRoot = platform::NativeRoot(s.SourceRoot, p.Drives).value_or("");
    // A server has no local root: nothing local is ejected, measured or compared for it.
    if (p.DestType != eDestType::Ftp) s.NativeDestRoot = platform::NativeRoot(s.DestRoot, p.Drives).value_or("");
    s.ExpandedSearchDirectories = ExpandedSorted(p.SearchDirectories, p.DateOffset);
    s.ExpandedExcludeDirectories = ExpandedSorted(p.ExcludeDirectories, p.DateOffset);
}

void PrepareDestination(cRun& run) {
    if (run.Params.DestType == eDestType::Zip) run.State.Destination = StartZipRun(run);
    if (run.Params.DestType == eDestType::Ftp) run.State.Destination = StartFtpRun(run);
}

void CheckSomethingToDo(cRun& run) {
    const cParameters& p = run.Params;
    std::size_t masks = p.CompareFiles.Size();
    if (p.TouchDest) masks += p.EnforceFiles.Size();
    if (p.TouchMode() == eTouchMode::Both) masks += p.DeleteFiles.Size();
    if (masks * run.State.ExpandedSearchDirectories.size() == 0) run.FailCheck(kNothingToDo);
}

void AskMidnight(cRun& run) {
    cParameters& p = run.Params;
    if (AgeModeOf(p.AgeMode) != eAgeMode::RelativeAge || p.RelativeAge != 0) return;
    if (platform::SplitFileTime(platform::NowLocal()).hour >= p.MidnightHours) return;
    if (run.Ask(kAfterMidnight) != eAnswer::Yes) return;
    run.Event(kAfterMidnight);
    p.DateOffset = 1;
}

void CheckVolumeLabel(cRun& run) {
    const cParameters& p = run.Params;
    if (p.DestType == eDestType::Ftp || p.CheckLabel.empty() || run.State.NativeDestRoot.empty()) return;
    const std::optional<std::string> label = platform::VolumeLabel(run.State.NativeDestRoot);
    if (label && !platform::EqualNoCase(*label, ExpandVariables(p.CheckLabel, p.DateOffset)))
        run.FailCheck(kWrongLabel);
}

// Roots are compared as real paths, so two spellings of one directory are one root.
void CheckSameRoot(cRun& run) {
    const cParameters& p = run.Params;
    cRunState& s = run.State;
    if (p.DestType == eDestType::Ftp) return;
    const std::optional<std::string> source = RealTypedDirectory(s.NativeSourceRoot, "\\");
    const std::optional<std::string> dest = RealTypedDirectory(s.NativeDestRoot, "\\");
    s.SameRoot =
        source && dest ? platform::SameDirectory(*source, *dest) : platform::EqualNoCase(s.SourceRoot, s.DestRoot);
    if (p.ShortenPaths != eShortenPaths::None || p.Variation != kVariationFixed || !source) return;
    const std::optional<std::string> destDirectory =
        RealTypedDirectory(s.NativeDestRoot, ExpandVariables(p.DestDirectory, p.DateOffset));
    if (destDirectory && platform::SameDirectory(*destDirectory, *source)) run.FailCheck(kSameRoot);
}

// Every expanded directory and name stays below its root: a ".." typed into the profile or arriving through a
// variable's value would make the run read, write and delete beside the tree the user chose. Checked before the
// variation renames anything.
void CheckRunPaths(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    std::vector<std::string> paths{ExpandVariables(p.DestDirectory, p.DateOffset),
                                   ExpandVariables(p.DestArchive, p.DateOffset)};
    paths.insert(paths.end(), s.ExpandedSearchDirectories.begin(), s.ExpandedSearchDirectories.end());
    paths.insert(paths.end(), s.ExpandedExcludeDirectories.begin(), s.ExpandedExcludeDirectories.end());
    for (const std::string& path : paths) {
        if (platform::StaysBelowRoot(path)) continue;
        run.FailCheck(kLogPathRefused, {.Text1 = path}, {.Text1 = path});
        return;
    }
}

void ResolveDestination(cRun& run) {
    const bool rotate = !run.PlanOnly && !run.State.NativeDestRoot.empty();
    ResolveVariation(run.Params, run.State.NativeDestRoot, rotate);
    if (run.State.Destination) run.State.Destination->DestinationResolved(run);
}

// A searched tree overlaps the destination when the destination lies in it or it lies in the destination; an
// entry without "*" overlaps only a destination equal to it. Decided by the directories' identities, so that
// differently written roots, symlinks and bind mounts of one directory are caught.
void CheckOverlap(cRun& run) {
    const cRunState& s = run.State;
    if (run.Params.DestType == eDestType::Ftp) return;
    const std::optional<std::string> dest = RealTypedDirectory(s.NativeDestRoot, run.Params.ResolvedDestDirectory);
    if (!dest) return;
    for (const std::string& entry : s.ExpandedSearchDirectories) {
        const bool withSubdirectories = !entry.empty() && entry.back() == '*';
        // An entry with "*" searches every directory its typed base names without regard to case.
        const std::vector<std::string> bases = withSubdirectories
                                                   ? MatchingDirectories(s.NativeSourceRoot, SearchBase(entry))
                                                   : std::vector<std::string>{SearchBase(entry)};
        for (const std::string& base : bases) {
            const std::optional<std::string> searched = RealExactly(s.NativeSourceRoot, base);
            if (!searched) continue;
            const bool overlaps = withSubdirectories
                                      ? platform::LiesInside(*dest, *searched) || platform::LiesInside(*searched, *dest)
                                      : platform::SameDirectory(*searched, *dest);
            if (overlaps) {
                run.FailCheck(kOverlap);
                return;
            }
        }
    }
}

void WaitForSourceRoot(cRun& run) {
    WaitForRoot(run, run.State.SourceRoot, run.State.NativeSourceRoot, run.State.SourceFree);
}

void WaitForDestRoot(cRun& run) {
    if (run.Params.DestType == eDestType::Ftp) return;
    WaitForRoot(run, run.State.DestRoot, run.State.NativeDestRoot, run.State.DestFree);
}

void ComputeRunAgeLimit(cRun& run) {
    const cAgeFilter filter = AgeFilterFromParameters(run.Params);
    run.State.AgeLimit = filter.Limit;
    run.State.AgeReversed = filter.Reversed;
}

// The working state of one run: the values computed for it, its counters, its stop flags (its starter's)
// and its lists. The profile in cParameters keeps its own values; the check dialogs and the preview change
// only the working copies here.
#pragma once

#include "engine/Candidate.h"
#include "engine/CheckDialogs.h"
#include "engine/DirectoryTree.h"
#include "engine/Folders.h"
#include "engine/OwnFiles.h"
#include "engine/RunControl.h"
#include "engine/Snapshot.h"
#include "log/LogEvent.h"
#include "platform/FileTime.h"
#include "profile/PreviewParameters.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Free-space values of a root besides a byte count.
inline constexpr std::int64_t kFreeSpaceUnknown = -1;
inline constexpr std::int64_t kFreeSpaceNotReady = -2;

// The run's result: 0 success, 1 stopped without errors, 2 errors.
inline constexpr std::uint8_t kRunSucceeded = 0;
inline constexpr std::uint8_t kRunStopped = 1;
inline constexpr std::uint8_t kRunFailed = 2;

class cDestinationRun;

struct cRunState {
    explicit cRunState(cRunControl& control);
    ~cRunState();
    cRunState(const cRunState&) = delete;
    cRunState& operator=(const cRunState&) = delete;

    // Roots as the profile writes them after variable expansion, and their native directories ("" when a root
    // is not ready).
    std::string SourceRoot;
    std::string DestRoot;
    std::string NativeSourceRoot;
    std::string NativeDestRoot;
    std::vector<std::string> ExpandedSearchDirectories;  // sorted, no duplicates
    std::vector<std::string> ExpandedExcludeDirectories; // sorted, no duplicates
    std::vector<std::string> SourceDirList;
    std::vector<std::string> DestDirList; // parallel to SourceDirList
    cDirectoryTree SourceDirTree;
    cDirectoryTree DestDirTree;
    bool SameRoot = false;
    std::string CutPath;
    platform::FileTime AgeLimit = 0;
    bool AgeReversed = false;
    std::int64_t SourceFree = kFreeSpaceUnknown;
    std::int64_t DestFree = kFreeSpaceUnknown;
    std::int64_t SourceBalance = 0;
    std::int64_t DestBalance = 0;
    std::int64_t BytesToCopy = 0;
    std::int64_t BytesCopied = 0;
    int PlannedForward = 0;
    int PlannedSkip = 0;
    int PlannedDelete = 0;
    int PlannedBackward = 0;

    // Working copies of the profile's preview and check options.
    cRunChecks Checks;
    bool RunOneLine = false;
    std::uint8_t RunSortMode = 0;
    bool RunReverseOrder = false;
    cPreviewParameters RunPreview; // the filter flags the preview starts with
    cTouchedSides Touched;         // the sides the profile lets the run change (TouchSrc, TouchDest)

    std::atomic<bool>& AbortRequested;
    std::atomic<bool>& InterruptRequested;
    cRunCounters Counters;
    std::string LastErrorMessage;

    cOwnFiles OwnFiles;       // the program's files in the trees: never candidates
    bool SourceEmpty = false; // the scan found no file and no subdirectory on that side
    bool DestEmpty = false;

    bool NoFiles = false;      // the scan found no candidate
    bool SnapshotRead = false; // the last run's snapshot was read without error

    std::vector<std::unique_ptr<cCandidate>> Candidates;
    std::vector<std::unique_ptr<cFolder>> Folders;
    cSnapshot Snapshot;
    std::unique_ptr<cDestinationRun> Destination; // a zip archive or FTP server; none for a directory

    // The result byte of a run that has ended: 2 with errors, else 1 when stopped, else 0.
    [[nodiscard]] std::uint8_t Result() const;
};

// A destination file or directory (relative, as in DestDirList) as the user sees it: the native path for a
// directory destination, the path in the archive or on the server for the others.
std::string ShownDestPath(const cRunState& state, const std::string& relativePath);
// The texts of one side of a candidate (SideTexts), the destination's path as ShownDestPath gives it.
cSideTexts RunSideTexts(const cRunState& state, const cCandidate& candidate, bool fromSource);

// Recomputes the planned counts, the bytes to copy and the balances of the sides from the candidates (after the
// list was built or an action changed). sameVolume: both roots lie on one file system, which has one balance.
void UpdateRunFigures(cRunState& state, bool sameVolume);

// The tree scan of a run: the directory lists of both sides, then the candidates of every directory pair.
#pragma once

#include "engine/DirectoryPass.h"
#include "engine/FileFilters.h"
#include "engine/FilePass.h"
#include "engine/OwnFiles.h"

#include <functional>
#include <string>
#include <vector>

class cParameters;
class cTextList;
class cSnapshot;

struct cScanContext {
    const cParameters& Params; // masks, path shortening, touch modes, ResolvedDestDirectory
    std::string SourceRoot;    // native root of the source
    std::string DestRoot;      // native root of the destination
    // The search and exclude entries as the run expanded them once, so that every pass sees the same
    // directories (also with a variable that changes by the minute).
    const std::vector<std::string>& SearchDirectories;
    const std::vector<std::string>& ExcludeDirectories;
    cAgeFilter Age;
    const cSnapshot* Snapshot = nullptr;
    cStopQuery Stopping{};
    std::function<void()> FilePassStarts{}; // called between the two passes; may be empty
    cOwnFiles OwnFiles{};                   // never candidates, never in the snapshot
    cLeftoverRemoval RemoveLeftovers{};     // none for a plan, which changes nothing
    cRemoteTree* DestTree = nullptr;        // a zip archive or FTP server: listed instead of DestRoot
};

struct cScanResult {
    std::vector<std::string> SourceDirList;
    std::vector<std::string> DestDirList;
    std::string CutPath;
    cFilePassOutput Files;
    std::size_t SourceSubdirectories = 0; // subdirectories found on each side where the profile looks
    std::size_t DestSubdirectories = 0;
};

// The entries of a list after ExpandVariables, in list order.
std::vector<std::string> ExpandedTexts(const cTextList& list, double dateOffset);

// The leading part of the source directories that the destination directory replaces, by ShortenPaths: None
// nothing, Automatic AutoPathOffset of the search directories as the run expanded them, ByPathOffset PathOffset
// as written.
std::string ComputeCutPath(const cParameters& p, const std::vector<std::string>& searchDirectories);
// The cut path of a run: ComputeCutPath of its expanded search directories, in the spelling the source disk
// gives it (a typed prefix matches without regard to case).
std::string RunCutPath(const cScanContext& context);

// The input of the directory pass for a run: the expanded search and exclude entries, the cut path, the
// resolved destination directory, and the trash directories that must not be walked.
cDirectoryPassInput DirectoryPassInput(const cScanContext& context, const std::string& cutPath);

// Runs both passes; the masks are expanded first. Returns 0, or kDirectoryCountMismatch (the lists are
// filled, no file is scanned).
[[nodiscard]] int ScanTrees(const cScanContext& context, cScanResult& result);

// Fills snapshot with what both sides hold now: the directory lists collected again as the scan collects them,
// and for each pair the names of all files directly in it (directories and names the program cannot carry
// left out). Returns 0, kDirectoryCountMismatch (nothing is collected), or kCancelled when the run was asked
// to stop meanwhile.
[[nodiscard]] int CollectSnapshot(const cScanContext& context, cSnapshot& snapshot);

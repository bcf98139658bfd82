// The tree scan of a run: the directory lists of both sides, then the candidates of every directory pair.
#pragma once

#include "engine/DirectoryPass.h"
#include "engine/FileFilters.h"
#include "engine/FilePass.h"

#include <string>
#include <vector>

class cParameters;
class cSnapshot;

struct cScanContext {
    const cParameters& Params; // lists, masks, path shortening, touch modes, ResolvedDestDirectory
    std::string SourceRoot;    // native root of the source
    std::string DestRoot;      // native root of the destination
    cAgeFilter Age;
    const cSnapshot* Snapshot = nullptr;
    cAbortQuery AbortRequested;
};

struct cScanResult {
    std::vector<std::string> SourceDirList;
    std::vector<std::string> DestDirList;
    std::string CutPath;
    cFilePassOutput Files;
};

// The leading part of the source directories that the destination directory replaces, by ShortenPaths: 0
// none, 1 AutoPathOffset, 2 PathOffset as written.
std::string ComputeCutPath(const cParameters& p);

// Runs both passes; lists, masks and the destination directory are expanded first. Returns 0;
// kDirectoryCountMismatch (the lists are filled, no file is scanned); platform::kNotSupported for a zip or
// FTP destination, which this scan does not list.
int ScanTrees(const cScanContext& context, cScanResult& result);

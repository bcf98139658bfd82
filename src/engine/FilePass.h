// The file pass of the scan: lists both sides of every directory pair once, sorts the names into the four
// mask kinds and hands them to the comparison rules.
#pragma once

#include "engine/Candidate.h"
#include "engine/DirectoryPass.h"
#include "engine/OwnFiles.h"
#include "engine/PairRules.h"
#include "engine/ScanProblem.h"

#include <memory>
#include <string>
#include <vector>

class cRemoteTree;
class cSnapshot;

// The expanded file masks of the four kinds.
struct cMaskLists {
    std::vector<std::string> Compare;
    std::vector<std::string> Enforce;
    std::vector<std::string> Delete;
    std::vector<std::string> Exclude;
};

// On which sides the temporary files that a killed run left behind are removed when the scan meets them: only
// on a side the profile may change.
struct cLeftoverRemoval {
    bool Source = false;
    bool Dest = false;
};

struct cFilePassInput {
    std::string SourceRoot; // native
    std::string DestRoot;   // native
    const std::vector<std::string>& SourceDirs;
    const std::vector<std::string>& DestDirs; // parallel to SourceDirs
    const cMaskLists& Masks;
    const cRuleContext& Rules;
    const cSnapshot* Snapshot = nullptr; // the last run's snapshot; null when there is none
    cStopQuery Stopping;
    cFileNameCache* FileNames = nullptr;    // the directory pass's names; an entry is used once and dropped
    cFileNameCache* SpecialNames = nullptr; // the directory pass's FIFOs, sockets and devices, by directory
    const cOwnFiles* OwnFiles = nullptr;    // never candidates
    cLeftoverRemoval RemoveLeftovers;
    cRemoteTree* DestTree = nullptr; // a zip archive or FTP server: listed instead of DestRoot
};

// A display time that CreateCandidate had to correct, with the native path of the file it belongs to.
struct cCorrectionReport {
    std::string Path;
    cStampCorrection Correction;
};

struct cFilePassOutput {
    std::vector<std::unique_ptr<cCandidate>> Candidates;
    std::vector<cCorrectionReport> Corrections;
    std::vector<cScanProblem> Problems;
    std::vector<std::string> LeftoversRemoved; // native paths
    std::vector<std::string> SpecialFiles;     // native paths of FIFOs, sockets and devices: never copied
    // The files listed on each side, before any mask: none on a side means nothing is there.
    std::size_t SourceFiles = 0;
    std::size_t DestFiles = 0;
};

// For each directory pair: the names (files and symlinks, never directories) matching the masks of each kind,
// each name once; the program's own files and temporary files are never among them. Exclude beats delete beats enforce
// beats compare; enforce masks act only when the destination is touched (from the destination only with
// EnforceBackward), delete masks only when both sides are. The other side of a name is found by exact name. A directory
// that cannot be read (other than one that does not exist) and a name that cannot be carried are reported in Problems;
// such a name is left out, and so is the whole pair of an unreadable directory: no candidate is made from one side's
// files alone.
void ScanFiles(const cFilePassInput& input, cFilePassOutput& output);

// The base name and the extension (from the last "." on, dot included, or empty) of a file name.
std::pair<std::string, std::string> SplitExtension(std::string_view name);

// The directory pass of the scan: the directories that the search and exclude entries denote, and the
// two parallel directory lists of a run.
#pragma once

#include "engine/ScanProblem.h"
#include "platform/FileInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

// Returned when the two lists come out of unequal length; the run logs it with both counts and stops.
inline constexpr int kDirectoryCountMismatch = 30121;

class cRemoteTree;
class cStopQuery;

// Anything callable that answers whether the run is to stop, such as a lambda around cRun::Stopping.
template <class T>
concept StopAnswer = !std::is_same_v<std::remove_cvref_t<T>, cStopQuery> && std::is_invocable_r_v<bool, T&>;

// The question "should the run stop" for the scan's helpers, which have no run: the run hands in its own
// (cRun::Stopping). An empty query never stops.
class cStopQuery {
public:
    cStopQuery() = default;
    template <StopAnswer Answer> cStopQuery(Answer answer) : m_answer(std::move(answer)) {}

    bool operator()() const { return m_answer && m_answer(); }

private:
    std::function<bool()> m_answer;
};

// The names of the files (and symlinks) found in each directory the walk listed, by native directory path
// (as NativePath forms it), so that the file pass need not read those directories a second time.
using cFileNameCache = std::unordered_map<std::string, std::vector<std::string>>;

// How a walk goes: when to stop, where to leave the names of the files it sees, and which directories it
// never enters (the trash directories the program fills: what a run deleted must not come back).
struct cWalk {
    cStopQuery Stopping;
    cFileNameCache* FileNames = nullptr; // filled for the directories listed when given
    std::vector<platform::FileIdentity> Skipped{};
    std::size_t* SubdirectoriesFound = nullptr; // counts every subdirectory found, when given
    cFileNameCache* SpecialNames = nullptr;     // with FileNames: the FIFOs, sockets and devices of each directory
};

// Adds dir (a relative directory, "\" at both ends) and every directory below it under the native root to
// list, whether or not dir exists. Iterative, so depth is bounded only by path length. Directory symlinks are
// not descended, and no level is reached through one; a subdirectory whose name cannot be carried is left out
// and reported in problems; a directory that cannot be read contributes nothing (the file pass reports it).
void ListSubdirectories(std::string_view nativeRoot, const std::string& dir, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk = {});

// Adds the directories that one directory entry denotes below the native root. With c the last "\" of pattern and
// rest the text after it: rest "*" gives the directory before it and everything below; "t*", "*t" and "*t*"
// (t without "*") give the directories below whose path after c has a component beginning with t, a
// component ending with t, or contains t; any other rest gives pattern itself, exactly as written. With a "*",
// the pattern is a typed pattern and matched without regard to case in every part: the directory before c is
// every directory on disk whose path equals it so (two that differ only in case both), or, when there is none,
// that directory in the spelling SpellingOnDisk gives it. A pattern without a leading or trailing "\" gets one;
// a pattern with a ".." component ("\" and "/" both separate components) would leave the root: nothing is added
// and it is reported as platform::kBadPathname.
void CollectDirectories(std::string_view nativeRoot, std::string_view pattern, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk = {});

// A typed directory prefix ("\Daten\Projekte", a trailing "\" allowed) in the spelling the disk gives it below
// the native root: each component that names a real subdirectory without regard to case takes the name found
// (the one spelt as typed when there are several, else the first in byte order); from the first component
// that names none on, the rest stays as typed. The result has a leading "\" and no trailing one; "\" alone and
// the empty prefix give "".
std::string SpellingOnDisk(std::string_view nativeRoot, std::string_view prefix);

// The real path (platform::RealPath) of a typed directory below the native root, in the spelling the disk
// gives it; std::nullopt when the root is not ready or the path cannot be resolved.
std::optional<std::string> RealTypedDirectory(const std::string& nativeRoot, std::string_view typed);

// Every real directory below the native root that a typed directory ("\Daten\Projekte", "\" at the end
// allowed) names without regard to case in every component, each with "\" at both ends (two that differ only
// in case both); when there is none, the directory in the spelling SpellingOnDisk gives it. The directories that
// a pattern with "*" searches from are these.
std::vector<std::string> MatchingDirectories(std::string_view nativeRoot, std::string_view directory);

// Replaces a leading fromPrefix of the relative directory path by toPrefix. Prefixes are normalised (a
// leading "\" added, one trailing "\" removed, "\" alone becomes empty). Empty fromPrefix: toPrefix + path.
// Otherwise path must be fromPrefix or begin with fromPrefix followed by "\", compared component by component
// without regard to case (a typed prefix), else the result is empty, so "\DatenAlt\" is not below "\Daten".
// Path equal to fromPrefix gives toPrefix + "\".
std::string MapDirectory(std::string_view path, std::string_view fromPrefix, std::string_view toPrefix);

// Deletes from list every entry equal (exactly: names on disk are case-sensitive) to an entry of names.
void RemoveNames(std::vector<std::string>& list, const std::vector<std::string>& names);

// Sorts case-insensitively (exact order among entries equal but for case) and removes exact duplicates.
void SortAndRemoveDuplicates(std::vector<std::string>& list);

struct cDirectoryPassInput {
    std::string SourceRoot;                      // native
    std::string DestRoot;                        // native
    std::vector<std::string> SearchDirectories;  // expanded entries
    std::vector<std::string> ExcludeDirectories; // expanded entries
    std::string CutPath;
    std::string DestDirectory;                   // the resolved destination directory
    cWalk Walk;                                  // for the searched directories; exclusions are walked without names
    std::size_t* SourceSubdirectories = nullptr; // set to the subdirectories the search found on each side
    std::size_t* DestSubdirectories = nullptr;
    cRemoteTree* DestTree = nullptr; // a zip archive or FTP server: listed instead of DestRoot
};

// Fills sourceDirs and destDirs with the union of the directories found on either side, mapped through
// CutPath and DestDirectory, sorted and free of duplicates, so that entry i of both names the same
// directory: the one whose part below DestDirectory equals (exactly) the source directory's part below
// CutPath. CutPath and DestDirectory are typed prefixes: they match without regard to case, and a directory
// that only one side has gets the other side's prefix as SpellingOnDisk spells it, so a directory found on disk
// maps back onto itself. Returns 0, or kDirectoryCountMismatch when the lists differ in length or two
// directories of one side would share one of the other (the lists stay filled).
[[nodiscard]] int BuildDirectoryLists(const cDirectoryPassInput& input, std::vector<std::string>& sourceDirs,
                                      std::vector<std::string>& destDirs, std::vector<cScanProblem>& problems);

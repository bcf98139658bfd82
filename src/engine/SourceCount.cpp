// Counting what the source settings select, with the run's own scan against a destination that holds nothing.
#include "engine/SourceCount.h"

#include "engine/Scan.h"
#include "platform/BelowRoot.h"
#include "platform/ErrorCodes.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

namespace {

// A root below which nothing can exist: every file of the source is an orphan there, and no directory of it is
// ever listed. (Opening it as a directory fails with "not a directory", which the scan takes for "not there".)
constexpr const char* kEmptyDestRoot = "/dev/null";

} // namespace

int CountSelection(const cParameters& params, const cStopQuery& stopping, cSelectionCount& count) {
    count = {};
    const std::optional<std::string> sourceRoot = platform::NativeRoot(params.SourceDrive, params.Drives);
    if (!sourceRoot || platform::CheckDirectoryBelow(*sourceRoot, "\\") != platform::kSuccess)
        return platform::kPathNotFound;

    cParameters p = params;
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD1 = eOrphanMode::Forward;
    p.DestType = eDestType::Directory;
    p.ShortenPaths = eShortenPaths::None;
    p.ResolvedDestDirectory = std::string(1, '\\'); // the destination's root
    const std::vector<std::string> search = ExpandedTexts(p.SearchDirectories, p.DateOffset);
    const std::vector<std::string> exclude = ExpandedTexts(p.ExcludeDirectories, p.DateOffset);
    cScanContext context{p, *sourceRoot, kEmptyDestRoot, search, exclude, AgeFilterFromParameters(p)};
    context.Stopping = stopping;
    cScanResult result;
    const int rc = ScanTrees(context, result);
    if (stopping()) return platform::kCancelled;
    for (const std::string& dir : result.SourceDirList)
        if (platform::CheckDirectoryBelow(*sourceRoot, dir) == platform::kSuccess) ++count.Folders;
    for (const auto& candidate : result.Files.Candidates) {
        ++count.Files;
        count.Bytes += static_cast<std::uint64_t>(candidate->SourceSize);
    }
    return rc;
}

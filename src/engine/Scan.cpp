// Running the directory pass and the file pass of a run.
#include "engine/Scan.h"

#include "engine/Snapshot.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

namespace {

// The names of the files directly in a directory, in listing order.
std::vector<std::string> FileNames(const std::string& nativeDirectory) {
    std::vector<platform::FileInfo> entries;
    std::vector<std::string> names;
    if (platform::ListDirectory(nativeDirectory, "", entries) != 0) return names;
    for (platform::FileInfo& entry : entries)
        if (!entry.IsDirectory() && !entry.unrepresentable) names.push_back(std::move(entry.name));
    return names;
}

} // namespace

std::string ComputeCutPath(const cParameters& p) {
    if (p.ShortenPaths == 1) return p.AutoPathOffset();
    if (p.ShortenPaths == 2) return p.PathOffset;
    return {};
}

cDirectoryPassInput DirectoryPassInput(const cScanContext& context, const std::string& cutPath) {
    const cParameters& p = context.Params;
    return {context.SourceRoot,
            context.DestRoot,
            ExpandedTexts(p.SearchDirectories, p.DateOffset),
            ExpandedTexts(p.ExcludeDirectories, p.DateOffset),
            cutPath,
            p.ResolvedDestDirectory,
            context.AbortRequested};
}

std::vector<std::string> ExpandedTexts(const cTextList& list, double dateOffset) {
    std::vector<std::string> texts;
    texts.reserve(list.Size());
    for (std::size_t i = 0; i < list.Size(); ++i)
        texts.push_back(ExpandVariables(list.Text(i), dateOffset));
    return texts;
}

int ScanTrees(const cScanContext& context, cScanResult& result) {
    const cParameters& p = context.Params;
    if (p.DestType != 0) return platform::kNotSupported;
    result.CutPath = ComputeCutPath(p);

    const int rc = BuildDirectoryLists(DirectoryPassInput(context, result.CutPath), result.SourceDirList,
                                       result.DestDirList, result.Files.Problems);
    if (rc != 0) return rc;

    const cMaskLists masks{ExpandedTexts(p.CompareFiles, p.DateOffset), ExpandedTexts(p.EnforceFiles, p.DateOffset),
                           ExpandedTexts(p.DeleteFiles, p.DateOffset), ExpandedTexts(p.ExcludeFiles, p.DateOffset)};
    const cRuleContext rules{p, context.Age};
    const cFilePassInput files{
        context.SourceRoot, context.DestRoot,      result.SourceDirList, result.DestDirList, masks, rules,
        context.Snapshot,   context.AbortRequested};
    ScanFiles(files, result.Files);
    return 0;
}

int CollectSnapshot(const cScanContext& context, cSnapshot& snapshot) {
    snapshot.Clear();
    std::vector<std::string> sourceDirs;
    std::vector<std::string> destDirs;
    std::vector<cScanProblem> problems;
    const int rc = BuildDirectoryLists(DirectoryPassInput(context, ComputeCutPath(context.Params)), sourceDirs,
                                       destDirs, problems);
    if (rc != 0) return rc;
    for (std::size_t i = 0; i < sourceDirs.size(); ++i) {
        if (context.AbortRequested && context.AbortRequested()) return platform::kCancelled;
        snapshot.AddPair({sourceDirs[i], FileNames(platform::NativePath(context.SourceRoot, sourceDirs[i]))},
                         {destDirs[i], FileNames(platform::NativePath(context.DestRoot, destDirs[i]))});
    }
    return 0;
}

// Running the directory pass and the file pass of a run.
#include "engine/Scan.h"

#include "engine/Snapshot.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

namespace {

// The names of the files directly in a directory, in listing order: from the directory pass when it read the
// directory, else read now. Names the program cannot carry are left out.
std::vector<std::string> FileNames(const std::string& nativeDirectory, cFileNameCache& cache) {
    std::vector<std::string> names;
    const auto cached = cache.find(nativeDirectory);
    if (cached != cache.end()) {
        names = std::move(cached->second);
        cache.erase(cached);
    } else {
        std::vector<platform::SubdirectoryName> subdirectories;
        if (platform::ListSubdirectoryNames(nativeDirectory, subdirectories, &names) != 0) return {};
    }
    std::erase_if(names, [](const std::string& name) { return !platform::IsRepresentableName(name); });
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

    cFileNameCache fileNames;
    cDirectoryPassInput directories = DirectoryPassInput(context, result.CutPath);
    directories.FileNames = &fileNames;
    const int rc = BuildDirectoryLists(directories, result.SourceDirList, result.DestDirList, result.Files.Problems);
    if (rc != 0) return rc;

    const cMaskLists masks{ExpandedTexts(p.CompareFiles, p.DateOffset), ExpandedTexts(p.EnforceFiles, p.DateOffset),
                           ExpandedTexts(p.DeleteFiles, p.DateOffset), ExpandedTexts(p.ExcludeFiles, p.DateOffset)};
    const cRuleContext rules{p, context.Age};
    if (context.FilePassStarts) context.FilePassStarts();
    const cFilePassInput files{context.SourceRoot,
                               context.DestRoot,
                               result.SourceDirList,
                               result.DestDirList,
                               masks,
                               rules,
                               context.Snapshot,
                               context.AbortRequested,
                               &fileNames};
    ScanFiles(files, result.Files);
    return 0;
}

int CollectSnapshot(const cScanContext& context, cSnapshot& snapshot) {
    snapshot.Clear();
    std::vector<std::string> sourceDirs;
    std::vector<std::string> destDirs;
    std::vector<cScanProblem> problems;
    cFileNameCache fileNames;
    cDirectoryPassInput directories = DirectoryPassInput(context, ComputeCutPath(context.Params));
    directories.FileNames = &fileNames;
    const int rc = BuildDirectoryLists(directories, sourceDirs, destDirs, problems);
    if (rc != 0) return rc;
    for (std::size_t i = 0; i < sourceDirs.size(); ++i) {
        if (context.AbortRequested && context.AbortRequested()) return platform::kCancelled;
        snapshot.AddPair({sourceDirs[i], FileNames(platform::NativePath(context.SourceRoot, sourceDirs[i]), fileNames)},
                         {destDirs[i], FileNames(platform::NativePath(context.DestRoot, destDirs[i]), fileNames)});
    }
    return 0;
}

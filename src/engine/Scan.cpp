// Running the directory pass and the file pass of a run.
#include "engine/Scan.h"

#include "destinations/RemoteTree.h"
#include "engine/Snapshot.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/Roots.h"
#include "platform/TemporaryFiles.h"
#include "platform/Trash.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

namespace {

// The names of the files directly in a directory, in listing order: from the directory pass when it read the
// directory, else read now. Names the program cannot carry, its temporary files and its own files are left
// out.
std::vector<std::string> FileNames(const std::string& nativeRoot, const std::string& directory, cFileNameCache& cache,
                                   const cOwnFiles& own) {
    std::vector<std::string> names;
    const auto cached = cache.find(platform::NativePath(nativeRoot, directory));
    if (cached != cache.end()) {
        names = std::move(cached->second);
        cache.erase(cached);
    } else {
        std::vector<platform::SubdirectoryName> subdirectories;
        if (platform::ListSubdirectoryNames(nativeRoot, directory, subdirectories, &names) != 0) return {};
    }
    const std::string native = platform::NativePath(nativeRoot, directory);
    std::erase_if(names, [&](const std::string& name) {
        return !platform::IsRepresentableName(name) || platform::IsTemporaryName(name) || own.Holds(native + name);
    });
    return names;
}

// The names of the files directly in a directory of a remote tree that a run could carry.
std::vector<std::string> RemoteFileNames(cRemoteTree& tree, const std::string& directory) {
    cRemoteDirectory listing;
    std::vector<std::string> names;
    if (tree.List(directory, listing) != 0) return names;
    for (platform::FileInfo& file : listing.Files) {
        if (!file.IsDirectory() && IsRemoteEntryName(file.name)) names.push_back(std::move(file.name));
    }
    return names;
}

} // namespace

std::string ComputeCutPath(const cParameters& p, const std::vector<std::string>& searchDirectories) {
    if (p.ShortenPaths == eShortenPaths::Automatic) return cParameters::AutoPathOffset(searchDirectories);
    if (p.ShortenPaths == eShortenPaths::ByPathOffset) return p.PathOffset;
    return {};
}

std::string RunCutPath(const cScanContext& context) {
    return SpellingOnDisk(context.SourceRoot, ComputeCutPath(context.Params, context.SearchDirectories));
}

cDirectoryPassInput DirectoryPassInput(const cScanContext& context, const std::string& cutPath) {
    const cParameters& p = context.Params;
    cDirectoryPassInput input{
        context.SourceRoot,
        context.DestRoot,
        context.SearchDirectories,
        context.ExcludeDirectories,
        cutPath,
        p.ResolvedDestDirectory,
        {context.Stopping, nullptr, platform::TrashDirectoriesFor({context.SourceRoot, context.DestRoot})}};
    input.DestTree = context.DestTree;
    return input;
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
    result.CutPath = RunCutPath(context);

    cFileNameCache fileNames;
    cFileNameCache specialNames;
    cDirectoryPassInput directories = DirectoryPassInput(context, result.CutPath);
    directories.Walk.FileNames = &fileNames;
    directories.Walk.SpecialNames = &specialNames;
    directories.SourceSubdirectories = &result.SourceSubdirectories;
    directories.DestSubdirectories = &result.DestSubdirectories;
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
                               context.Stopping,
                               &fileNames,
                               &specialNames,
                               &context.OwnFiles,
                               context.RemoveLeftovers,
                               context.DestTree};
    ScanFiles(files, result.Files);
    return 0;
}

int CollectSnapshot(const cScanContext& context, cSnapshot& snapshot) {
    snapshot.Clear();
    std::vector<std::string> sourceDirs;
    std::vector<std::string> destDirs;
    std::vector<cScanProblem> problems;
    cFileNameCache fileNames;
    cDirectoryPassInput directories = DirectoryPassInput(context, RunCutPath(context));
    directories.Walk.FileNames = &fileNames;
    const int rc = BuildDirectoryLists(directories, sourceDirs, destDirs, problems);
    if (rc != 0) return rc;
    for (std::size_t i = 0; i < sourceDirs.size(); ++i) {
        if (context.Stopping()) return platform::kCancelled;
        snapshot.AddPair({sourceDirs[i], FileNames(context.SourceRoot, sourceDirs[i], fileNames, context.OwnFiles)},
                         {destDirs[i], context.DestTree ? RemoteFileNames(*context.DestTree, destDirs[i])
                                                        : FileNames(context.DestRoot, destDirs[i], fileNames,
                                                                    context.OwnFiles)});
    }
    return 0;
}

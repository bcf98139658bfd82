// Running the directory pass and the file pass of a run.
#include "engine/Scan.h"

#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

namespace {

std::vector<std::string> Expanded(const cTextList& list, double dateOffset) {
    std::vector<std::string> texts;
    texts.reserve(list.Size());
    for (std::size_t i = 0; i < list.Size(); ++i)
        texts.push_back(ExpandVariables(list.Text(i), dateOffset));
    return texts;
}

} // namespace

std::string ComputeCutPath(const cParameters& p) {
    if (p.ShortenPaths == 1) return p.AutoPathOffset();
    if (p.ShortenPaths == 2) return p.PathOffset;
    return {};
}

int ScanTrees(const cScanContext& context, cScanResult& result) {
    const cParameters& p = context.Params;
    if (p.DestType != 0) return platform::kNotSupported;
    result.CutPath = ComputeCutPath(p);

    cDirectoryPassInput directories{context.SourceRoot,
                                    context.DestRoot,
                                    Expanded(p.SearchDirectories, p.DateOffset),
                                    Expanded(p.ExcludeDirectories, p.DateOffset),
                                    result.CutPath,
                                    p.ResolvedDestDirectory,
                                    context.AbortRequested};
    const int rc = BuildDirectoryLists(directories, result.SourceDirList, result.DestDirList, result.Files.Problems);
    if (rc != 0) return rc;

    const cMaskLists masks{Expanded(p.CompareFiles, p.DateOffset), Expanded(p.EnforceFiles, p.DateOffset),
                           Expanded(p.DeleteFiles, p.DateOffset), Expanded(p.ExcludeFiles, p.DateOffset)};
    const cRuleContext rules{p, context.Age};
    const cFilePassInput files{
        context.SourceRoot, context.DestRoot,      result.SourceDirList, result.DestDirList, masks, rules,
        context.Snapshot,   context.AbortRequested};
    ScanFiles(files, result.Files);
    return 0;
}

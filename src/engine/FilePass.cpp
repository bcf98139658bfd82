// Listing the directory pairs and applying the mask kinds through the comparison rules.
#include "engine/FilePass.h"

#include "engine/Snapshot.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/Roots.h"
#include "platform/Wildcard.h"
#include "profile/Parameters.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

using cNameSet = std::unordered_set<std::string_view>;
using cRule = std::optional<ActionFlags> (*)(const cRuleContext&, const cPairFacts&);

std::vector<platform::cWildcard> Compile(const std::vector<std::string>& masks) {
    std::vector<platform::cWildcard> compiled;
    compiled.reserve(masks.size());
    for (const std::string& mask : masks)
        compiled.emplace_back(mask);
    return compiled;
}

// One side of a directory pair: its files in listing order and an exact index by name.
struct cSideListing {
    std::vector<platform::FileInfo> Files;
    std::unordered_map<std::string_view, const platform::FileInfo*> ByName;

    const platform::FileInfo* Find(std::string_view name) const {
        const auto found = ByName.find(name);
        return found == ByName.end() ? nullptr : found->second;
    }
};

// Lists one side (from the names the directory pass found, when it has them); false (and a problem) when
// the directory exists but cannot be read.
bool ListSide(const std::string& nativeDirectory, cFileNameCache* fileNames, cSideListing& side,
              std::vector<cScanProblem>& problems) {
    side.Files.clear();
    side.ByName.clear();
    std::vector<platform::FileInfo> entries;
    int rc = 0;
    const auto cached = fileNames ? fileNames->find(nativeDirectory) : cFileNameCache::iterator{};
    if (fileNames && cached != fileNames->end()) {
        rc = platform::DescribeEntries(nativeDirectory, cached->second, entries);
        fileNames->erase(cached);
    } else {
        rc = platform::ListDirectory(nativeDirectory, "", entries);
    }
    if (rc != 0) {
        if (rc == platform::kPathNotFound || rc == platform::kFileNotFound) return true;
        problems.push_back({nativeDirectory, rc});
        return false;
    }
    for (platform::FileInfo& entry : entries) {
        if (entry.IsDirectory()) continue;
        if (entry.unrepresentable) {
            problems.push_back({nativeDirectory + entry.name, platform::kInvalidName});
            continue;
        }
        side.Files.push_back(std::move(entry));
    }
    side.ByName.reserve(side.Files.size());
    for (const platform::FileInfo& file : side.Files)
        side.ByName.emplace(file.name, &file);
    return true;
}

// The names of the side matching any of the masks, each once, mask by mask in listing order.
std::vector<std::string_view> Matching(const cSideListing& side, const std::vector<platform::cWildcard>& masks) {
    std::vector<std::string_view> names;
    cNameSet seen;
    for (const platform::cWildcard& mask : masks) {
        for (const platform::FileInfo& file : side.Files) {
            if (mask.Matches(file.name) && seen.insert(file.name).second) names.push_back(file.name);
        }
    }
    return names;
}

std::vector<std::string_view> Without(const std::vector<std::string_view>& names,
                                      std::initializer_list<const std::vector<std::string_view>*> removed) {
    cNameSet drop;
    for (const auto* list : removed)
        drop.insert(list->begin(), list->end());
    std::vector<std::string_view> kept;
    for (std::string_view name : names) {
        if (!drop.contains(name)) kept.push_back(name);
    }
    return kept;
}

struct cPairScan {
    const cFilePassInput& Input;
    cFilePassOutput& Output;
    int Index;
    const cSideListing& Source;
    const cSideListing& Dest;

    void Apply(const std::vector<std::string_view>& names, cRule rule, bool fromSource) const {
        const cParameters& p = Input.Rules.Params;
        const std::string& sourceDir = Input.SourceDirs[static_cast<std::size_t>(Index)];
        const std::string& destDir = Input.DestDirs[static_cast<std::size_t>(Index)];
        for (std::string_view name : names) {
            const platform::FileInfo* source = Source.Find(name);
            const platform::FileInfo* dest = Dest.Find(name);
            cPairFacts facts;
            if (source) facts.Source = SideRecordFromFileInfo(*source, p.UseUTC);
            if (dest) facts.Dest = SideRecordFromFileInfo(*dest, p.UseUTC);
            if (Input.Snapshot) {
                if (fromSource && !dest) facts.ListedInSnapshot = Input.Snapshot->InDestSnapshot(destDir, name);
                if (!fromSource && !source) facts.ListedInSnapshot = Input.Snapshot->InSourceSnapshot(sourceDir, name);
            }
            if (source && dest)
                facts.SecurityDiffers =
                    source->mode != dest->mode || source->uid != dest->uid || source->gid != dest->gid;
            const std::optional<ActionFlags> flags = rule(Input.Rules, facts);
            if (!flags) continue;
            auto [baseName, extension] = SplitExtension(name);
            cCreatedCandidate created =
                CreateCandidate(Index, *flags, facts.Source, facts.Dest, std::move(baseName), std::move(extension));
            const std::string path = fromSource ? platform::NativePath(Input.SourceRoot, sourceDir + std::string(name))
                                                : platform::NativePath(Input.DestRoot, destDir + std::string(name));
            if (created.SourceCorrection) Output.Corrections.push_back({path, *created.SourceCorrection});
            if (created.DestCorrection) Output.Corrections.push_back({path, *created.DestCorrection});
            Output.Candidates.push_back(std::move(created.Candidate));
        }
    }
};

} // namespace

std::pair<std::string, std::string> SplitExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {std::string(name), {}};
    return {std::string(name.substr(0, dot)), std::string(name.substr(dot))};
}

void ScanFiles(const cFilePassInput& input, cFilePassOutput& output) {
    const cParameters& p = input.Rules.Params;
    const auto compare = Compile(input.Masks.Compare);
    const auto enforce = Compile(input.Masks.Enforce);
    const auto del = Compile(input.Masks.Delete);
    const auto exclude = Compile(input.Masks.Exclude);
    cSideListing source;
    cSideListing dest;
    const std::size_t pairs = std::min(input.SourceDirs.size(), input.DestDirs.size());
    for (std::size_t i = 0; i < pairs; ++i) {
        if (input.AbortRequested && input.AbortRequested()) return;
        // With one side unreadable every file of the other would look like an orphan, and with a snapshot an
        // orphan can mean "deleted there": the pair is left alone rather than decided on half the facts.
        const bool sourceRead = ListSide(platform::NativePath(input.SourceRoot, input.SourceDirs[i]), input.FileNames,
                                         source, output.Problems);
        const bool destRead =
            ListSide(platform::NativePath(input.DestRoot, input.DestDirs[i]), input.FileNames, dest, output.Problems);
        if (!sourceRead || !destRead) continue;
        const cPairScan scan{input, output, static_cast<int>(i), source, dest};

        const auto sourceCompare = Matching(source, compare);
        const auto sourceEnforce = Matching(source, enforce);
        const auto sourceDelete = Matching(source, del);
        const auto sourceExclude = Matching(source, exclude);
        const auto destCompare = Matching(dest, compare);
        const auto destEnforce = Matching(dest, enforce);
        const auto destDelete = Matching(dest, del);
        const auto destExclude = Matching(dest, exclude);

        scan.Apply(Without(sourceCompare, {&sourceExclude, &sourceDelete, &sourceEnforce}), CompareFromSource, true);
        scan.Apply(Without(destCompare, {&destExclude, &destDelete, &destEnforce}), CompareFromDest, false);
        if (p.TouchDest) {
            scan.Apply(Without(sourceEnforce, {&sourceExclude, &sourceDelete}), EnforceFromSource, true);
            if (p.EnforceBackward)
                scan.Apply(Without(destEnforce, {&destExclude, &destDelete}), EnforceFromDest, false);
        }
        if (p.TouchSrc && p.TouchDest) {
            scan.Apply(Without(sourceDelete, {&sourceExclude}), DeleteFromSource, true);
            scan.Apply(Without(destDelete, {&destExclude}), DeleteFromDest, false);
        }
    }
}

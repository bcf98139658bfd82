// Listing the directory pairs and applying the mask kinds through the comparison rules.
#include "engine/FilePass.h"

#include "destinations/RemoteTree.h"
#include "engine/Snapshot.h"
#include "platform/BelowRoot.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/FileProperties.h"
#include "platform/Roots.h"
#include "platform/TemporaryFiles.h"
#include "platform/Text.h"
#include "platform/Wildcard.h"
#include "profile/Parameters.h"

#include <algorithm>
#include <condition_variable>
#include <iterator>
#include <mutex>
#include <optional>
#include <thread>
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
    std::vector<std::string> OwnNames; // the program's own files here: their names are left alone on both sides
    std::unordered_map<std::string_view, const platform::FileInfo*> ByName;

    const platform::FileInfo* Find(std::string_view name) const {
        const auto found = ByName.find(name);
        return found == ByName.end() ? nullptr : found->second;
    }
};

// The names the directory pass found for one directory, taken out of its caches: only the thread that runs the
// pass touches the caches, so a side listed on the helper thread gets its names handed over.
struct cKnownNames {
    bool Known = false;
    std::vector<std::string> Names;
    std::vector<std::string> Specials; // FIFOs, sockets and devices
};

cKnownNames TakeKnownNames(const cFilePassInput& input, const std::string& nativeDirectory) {
    cKnownNames known;
    if (!input.FileNames) return known;
    const auto cached = input.FileNames->find(nativeDirectory);
    if (cached == input.FileNames->end()) return known;
    known.Known = true;
    known.Names = std::move(cached->second);
    input.FileNames->erase(cached);
    if (input.SpecialNames) {
        const auto found = input.SpecialNames->find(nativeDirectory);
        if (found != input.SpecialNames->end()) {
            known.Specials = std::move(found->second);
            input.SpecialNames->erase(found);
        }
    }
    return known;
}

// What listing one side adds to the pass's output besides the listing itself, in the order it was found.
struct cSideReport {
    bool Read = true; // false when the directory exists but cannot be read, or is reached through a symlink
    std::size_t Files = 0;
    std::vector<cScanProblem> Problems;
    std::vector<std::string> SpecialFiles;
    std::vector<std::string> LeftoversRemoved;

    void MoveInto(cFilePassOutput& output, bool sourceSide) {
        (sourceSide ? output.SourceFiles : output.DestFiles) += Files;
        std::move(Problems.begin(), Problems.end(), std::back_inserter(output.Problems));
        std::move(SpecialFiles.begin(), SpecialFiles.end(), std::back_inserter(output.SpecialFiles));
        std::move(LeftoversRemoved.begin(), LeftoversRemoved.end(), std::back_inserter(output.LeftoversRemoved));
    }
};

// Lists a destination that is a remote tree. Its names come from a server or an archive: one that cannot stand
// for a single entry of the directory is reported and left out, as a name on disk the program cannot carry.
cSideReport ListRemoteSide(const cFilePassInput& input, const std::string& directory, cSideListing& side) {
    cSideReport report;
    side.Files.clear();
    side.ByName.clear();
    side.OwnNames.clear();
    cRemoteDirectory listing;
    const int rc = input.DestTree->List(directory, listing);
    if (rc != 0) {
        if (rc == platform::kPathNotFound || rc == platform::kFileNotFound) return report;
        report.Problems.push_back({input.DestTree->ShownPath(directory), rc});
        report.Read = false;
        return report;
    }
    std::unordered_set<std::string> seen;
    for (platform::FileInfo& entry : listing.Files) {
        const std::string_view name = entry.name;
        if (!IsRemoteEntryName(name)) {
            report.Problems.push_back(
                {input.DestTree->ShownPath(directory) + platform::EscapeInvalidUtf8(entry.name), platform::kInvalidName});
            continue;
        }
        if (entry.IsDirectory()) continue;
        side.Files.push_back(std::move(entry));
    }
    // A listing that names one file twice holds two files the run cannot tell apart: the first one counts.
    std::erase_if(side.Files, [&seen](const platform::FileInfo& file) { return !seen.insert(file.name).second; });
    report.Files = side.Files.size();
    side.ByName.reserve(side.Files.size());
    for (const platform::FileInfo& file : side.Files)
        side.ByName.emplace(file.name, &file);
    return report;
}

// Lists one side (from the names the directory pass found, when it has them). Touches nothing shared but the
// disk, so the two sides of a pair may be listed at the same time.
cSideReport ListSide(const cFilePassInput& input, bool sourceSide, const std::string& directory, cKnownNames known,
                     cSideListing& side) {
    if (!sourceSide && input.DestTree) return ListRemoteSide(input, directory, side);
    const std::string& nativeRoot = sourceSide ? input.SourceRoot : input.DestRoot;
    cSideReport report;
    side.Files.clear();
    side.ByName.clear();
    side.OwnNames.clear();
    const std::string nativeDirectory = platform::NativePath(nativeRoot, directory);
    std::vector<platform::FileInfo> entries;
    std::vector<std::string> specials = std::move(known.Specials);
    const int rc = known.Known ? platform::DescribeEntries(nativeRoot, directory, known.Names, entries)
                               : platform::ListDirectory(nativeRoot, directory, "", entries, &specials);
    if (rc != 0) {
        if (rc == platform::kPathNotFound || rc == platform::kFileNotFound) return report;
        report.Problems.push_back({nativeDirectory, rc});
        report.Read = false;
        return report;
    }
    std::vector<std::string> leftovers;
    for (platform::FileInfo& entry : entries) {
        if (entry.IsDirectory()) continue;
        if (platform::IsTemporaryName(entry.name)) {
            leftovers.push_back(entry.name);
            continue;
        }
        if (input.OwnFiles && input.OwnFiles->Holds(entry)) {
            side.OwnNames.push_back(entry.name);
            continue;
        }
        if (entry.unrepresentable) {
            report.Problems.push_back({nativeDirectory + entry.name, platform::kInvalidName});
            continue;
        }
        side.Files.push_back(std::move(entry));
    }
    report.Files = side.Files.size();
    for (const std::string& name : specials)
        report.SpecialFiles.push_back(nativeDirectory + platform::EscapeInvalidUtf8(name));
    if (!leftovers.empty() && (sourceSide ? input.RemoveLeftovers.Source : input.RemoveLeftovers.Dest)) {
        std::vector<std::string> removed;
        // Best effort: what cannot be removed now stays for a later run; what was removed is reported.
        (void)platform::RemoveLeftoverTemporaryFiles(nativeRoot, directory, leftovers, removed);
        for (const std::string& name : removed)
            report.LeftoversRemoved.push_back(nativeDirectory + name);
    }
    side.ByName.reserve(side.Files.size());
    for (const platform::FileInfo& file : side.Files)
        side.ByName.emplace(file.name, &file);
    return report;
}

// Lists the destination side of each pair on a thread of its own while the caller lists the source side: a
// listing is mostly waiting for system calls, and the two sides are often two disks.
class cDestLister {
public:
    explicit cDestLister(const cFilePassInput& input) : m_input(input), m_thread([this] { Work(); }) {}
    ~cDestLister() {
        {
            const std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    cDestLister(const cDestLister&) = delete;
    cDestLister& operator=(const cDestLister&) = delete;

    void Start(const std::string& directory, cKnownNames known) {
        {
            const std::lock_guard lock(m_mutex);
            m_directory = &directory;
            m_known = std::move(known);
            m_busy = true;
        }
        m_changed.notify_all();
    }
    // Waits for the listing Start asked for; the listing stays the lister's until the next Start.
    cSideReport Finish() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_busy; });
        return std::move(m_report);
    }
    const cSideListing& Listing() const { return m_listing; }

private:
    void Work() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_busy || m_quit; });
            if (m_quit) return;
            cKnownNames known = std::move(m_known);
            const std::string& directory = *m_directory;
            lock.unlock();
            cSideReport report = ListSide(m_input, false, directory, std::move(known), m_listing);
            lock.lock();
            m_report = std::move(report);
            m_busy = false;
            m_changed.notify_all();
        }
    }

    const cFilePassInput& m_input;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::string* m_directory = nullptr;
    cKnownNames m_known;
    cSideListing m_listing;
    cSideReport m_report;
    bool m_busy = false;
    bool m_quit = false;
    std::thread m_thread; // last: it starts working on the members above
};

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

// A symlink to a directory on one side where the other side has a real directory of that name: neither is an
// orphan of the other. The scan below reports the link (its directory is reached through it) and the pair is
// left alone, so that a link planted in a tree is neither copied over the directory nor deleted as an orphan.
bool LinkFacesDirectory(const platform::FileInfo& found, const std::string& otherRoot, const std::string& otherDir,
                        std::string_view name, cRemoteTree* otherTree) {
    if (found.kind != platform::FileKind::DirectorySymlink) return false;
    if (otherTree) {
        cRemoteDirectory listing;
        return otherTree->List(otherDir, listing) == 0 &&
               std::find(listing.Subdirectories.begin(), listing.Subdirectories.end(), name) !=
                   listing.Subdirectories.end();
    }
    return platform::CheckDirectoryBelow(otherRoot, otherDir + std::string(name) + "\\") == platform::kSuccess;
}

// Own files are a handful in a whole run: a linear look, and none at all for nearly every directory.
bool IsOwnName(const cSideListing& side, std::string_view name) {
    return std::find(side.OwnNames.begin(), side.OwnNames.end(), name) != side.OwnNames.end();
}

struct cPairScan {
    const cFilePassInput& Input;
    cFilePassOutput& Output;
    int Index;
    const cSideListing& Source;
    const cSideListing& Dest;

    // What a transfer of properties with the profile's options would change, as far as both file systems keep
    // it; the access lists are read only when the options transfer them.
    void CompareProperties(const platform::FileInfo& source, const platform::FileInfo& dest, std::string_view name,
                           cPairFacts& facts) const {
        const cParameters& p = Input.Rules.Params;
        const std::size_t index = static_cast<std::size_t>(Index);
        const std::string sourcePath =
            platform::NativePath(Input.SourceRoot, Input.SourceDirs[index] + std::string(name));
        const std::string destPath = platform::NativePath(Input.DestRoot, Input.DestDirs[index] + std::string(name));
        const platform::PropertiesSide from{sourcePath, source};
        const platform::PropertiesSide to{destPath, dest};
        facts.ReadOnlyKept = platform::KeptBetween(from, to) != platform::KeptProperties::Nothing;
        facts.SecurityDiffers = platform::PropertiesDiffer(
            from, to, {.mode = true, .accessList = p.TransferPermissions, .owner = p.TransferOwner});
    }

    void Apply(const std::vector<std::string_view>& names, cRule rule, bool fromSource) const {
        const cParameters& p = Input.Rules.Params;
        const std::string& sourceDir = Input.SourceDirs[static_cast<std::size_t>(Index)];
        const std::string& destDir = Input.DestDirs[static_cast<std::size_t>(Index)];
        for (std::string_view name : names) {
            const platform::FileInfo* source = Source.Find(name);
            const platform::FileInfo* dest = Dest.Find(name);
            // Nothing is copied over the program's own file, nor is its namesake taken for an orphan.
            if (IsOwnName(Source, name) || IsOwnName(Dest, name)) continue;
            const platform::FileInfo* found = fromSource ? source : dest;
            const platform::FileInfo* other = fromSource ? dest : source;
            if (found && !other &&
                LinkFacesDirectory(*found, fromSource ? Input.DestRoot : Input.SourceRoot,
                                   fromSource ? destDir : sourceDir, name, fromSource ? Input.DestTree : nullptr))
                continue;
            cPairFacts facts;
            if (source) facts.Source = SideRecordFromFileInfo(*source, p.UseUTC);
            if (dest) facts.Dest = SideRecordFromFileInfo(*dest, p.UseUTC);
            if (Input.Snapshot) {
                if (fromSource && !dest) facts.ListedInSnapshot = Input.Snapshot->InDestSnapshot(destDir, name);
                if (!fromSource && !source) facts.ListedInSnapshot = Input.Snapshot->InSourceSnapshot(sourceDir, name);
            }
            if (source && dest && p.CompareProperties && p.DestType == eDestType::Directory)
                CompareProperties(*source, *dest, name, facts);
            const std::optional<ActionFlags> flags = rule(Input.Rules, facts);
            if (!flags) continue;
            auto [baseName, extension] = SplitExtension(name);
            cCreatedCandidate created =
                CreateCandidate(Index, *flags, facts.Source, facts.Dest, std::move(baseName), std::move(extension));
            const std::string path =
                fromSource      ? platform::NativePath(Input.SourceRoot, sourceDir + std::string(name))
                : Input.DestTree ? Input.DestTree->ShownPath(destDir + std::string(name))
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
    const std::size_t pairs = std::min(input.SourceDirs.size(), input.DestDirs.size());
    if (pairs == 0) return;
    cSideListing source;
    // A remote tree is listed on this thread: its connection serves one caller at a time.
    std::optional<cDestLister> destLister;
    cSideListing remoteDest;
    if (!input.DestTree) destLister.emplace(input);
    for (std::size_t i = 0; i < pairs; ++i) {
        if (input.Stopping()) return;
        if (destLister)
            destLister->Start(input.DestDirs[i],
                              TakeKnownNames(input, platform::NativePath(input.DestRoot, input.DestDirs[i])));
        cSideReport sourceReport =
            ListSide(input, true, input.SourceDirs[i],
                     TakeKnownNames(input, platform::NativePath(input.SourceRoot, input.SourceDirs[i])), source);
        cSideReport destReport =
            destLister ? destLister->Finish() : ListRemoteSide(input, input.DestDirs[i], remoteDest);
        const bool bothRead = sourceReport.Read && destReport.Read;
        sourceReport.MoveInto(output, true);
        destReport.MoveInto(output, false);
        // With one side unreadable every file of the other would look like an orphan, and with a snapshot an
        // orphan can mean "deleted there": the pair is left alone rather than decided on half the facts.
        if (!bothRead) continue;
        const cSideListing& dest = destLister ? destLister->Listing() : remoteDest;
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
        if (p.TouchMode() == eTouchMode::Both) {
            scan.Apply(Without(sourceDelete, {&sourceExclude}), DeleteFromSource, true);
            scan.Apply(Without(destDelete, {&destExclude}), DeleteFromDest, false);
        }
    }
}

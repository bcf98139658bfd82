// Collecting, mapping and merging the directory lists of a run.
#include "engine/DirectoryPass.h"

#include "destinations/RemoteTree.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/Roots.h"
#include "platform/Text.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

// One side of the pass: a native root on disk, or a destination that is a remote tree.
struct cTreeSide {
    std::string_view NativeRoot;
    cRemoteTree* Remote = nullptr;

    // As platform::ListSubdirectoryNames; a remote tree gives no file names (the file pass lists it itself) and
    // marks a subdirectory name that cannot stand for one entry as unrepresentable.
    int ListNames(const std::string& directory, std::vector<platform::SubdirectoryName>& entries,
                  std::vector<std::string>* files = nullptr, std::vector<std::string>* specials = nullptr) const {
        if (!Remote) return platform::ListSubdirectoryNames(NativeRoot, directory, entries, files, specials);
        entries.clear();
        cRemoteDirectory listing;
        if (const int rc = Remote->List(directory, listing); rc != 0) return rc;
        for (std::string& name : listing.Subdirectories) {
            const bool unsafe = !IsRemoteEntryName(name);
            entries.push_back({std::move(name), unsafe, 0});
        }
        return 0;
    }
    std::string Shown(const std::string& path) const {
        return Remote ? Remote->ShownPath(path) : platform::NativePath(NativeRoot, path);
    }
};

std::string NormalizePattern(std::string_view pattern) {
    std::string result(pattern);
    if (result.empty() || result.front() != '\\') result.insert(result.begin(), '\\');
    return result;
}

std::string WithTrailingBackslash(std::string text) {
    if (text.empty() || text.back() != '\\') text.push_back('\\');
    return text;
}

enum class PatternForm { AsWritten, All, Begins, Ends, Contains };

PatternForm FormOfRest(std::string_view rest, std::string& text) {
    const auto stars = std::count(rest.begin(), rest.end(), '*');
    if (rest == "*") return PatternForm::All;
    if (stars == 2 && rest.size() > 2 && rest.front() == '*' && rest.back() == '*') {
        text = platform::FoldCase(rest.substr(1, rest.size() - 2));
        return PatternForm::Contains;
    }
    if (stars == 1 && rest.size() > 1 && rest.back() == '*') {
        text = platform::FoldCase(rest.substr(0, rest.size() - 1));
        return PatternForm::Begins;
    }
    if (stars == 1 && rest.size() > 1 && rest.front() == '*') {
        text = platform::FoldCase(rest.substr(1));
        return PatternForm::Ends;
    }
    return PatternForm::AsWritten;
}

// Whether the part of a directory below the prefix (case-folded, ending in "\") fits the form.
bool FitsForm(PatternForm form, std::string_view below, std::string_view text) {
    if (form == PatternForm::Contains) return below.find(text) != std::string_view::npos;
    std::size_t start = 0;
    while (start < below.size()) {
        const std::size_t end = below.find('\\', start);
        const std::string_view component = below.substr(start, end - start);
        if (form == PatternForm::Begins && component.starts_with(text)) return true;
        if (form == PatternForm::Ends && component.ends_with(text)) return true;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return false;
}

// The components of a relative path: "\a\b\" and "a\b" give a and b.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    while (start < path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return components;
}

bool SameNameNoCase(std::string_view a, std::string_view b) {
    return a == b || platform::FoldCase(a) == platform::FoldCase(b);
}

// The length of the leading part of path that names the directory prefix ("\" at the front, none at the end),
// compared component by component without regard to case; std::nullopt when path does not begin with it.
std::optional<std::size_t> PrefixLength(std::string_view path, std::string_view prefix) {
    std::size_t position = 0; // in path, at a "\"
    for (const std::string_view component : Components(prefix)) {
        if (position >= path.size() || path[position] != '\\') return std::nullopt;
        const std::size_t end = std::min(path.find('\\', position + 1), path.size());
        if (!SameNameNoCase(path.substr(position + 1, end - position - 1), component)) return std::nullopt;
        position = end;
    }
    return position;
}

// The real subdirectories of a relative directory ("\" at both ends) whose names equal name without regard to
// case, the one spelt exactly as name first, the others in byte order.
std::vector<std::string> SubdirectoriesNamed(const cTreeSide& side, const std::string& directory,
                                             std::string_view name) {
    std::vector<platform::SubdirectoryName> entries;
    if (side.ListNames(directory, entries) != 0) return {};
    std::vector<std::string> names;
    const std::string folded = platform::FoldCase(name);
    for (platform::SubdirectoryName& entry : entries)
        if (!entry.unrepresentable && platform::FoldCase(entry.name) == folded) names.push_back(std::move(entry.name));
    std::sort(names.begin(), names.end(), [name](const std::string& a, const std::string& b) {
        if ((a == name) != (b == name)) return a == name;
        return a < b;
    });
    std::vector<std::string> found;
    for (const std::string& entry : names)
        found.push_back(directory + entry + "\\");
    return found;
}

// Every directory on disk below base (a directory as the disk spells it, "\" at both ends) whose path after base
// equals rest without regard to case, in every component; when there is none, base + rest in the spelling that
// SpellingOnDisk gives it.
std::string Spelling(const cTreeSide& side, std::string_view prefix);

std::vector<std::string> DirectoriesMatching(const cTreeSide& side, const std::string& base,
                                             std::string_view rest) {
    std::vector<std::string> matches{base};
    for (const std::string_view component : Components(rest)) {
        std::vector<std::string> deeper;
        for (const std::string& match : matches) {
            std::vector<std::string> found = SubdirectoriesNamed(side, match, component);
            deeper.insert(deeper.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        }
        if (deeper.empty()) return {WithTrailingBackslash(Spelling(side, base + std::string(rest)))};
        matches = std::move(deeper);
    }
    return matches;
}

std::string NormalizePrefix(std::string_view prefix) {
    std::string result(prefix);
    if (result.empty()) return result;
    if (result.front() != '\\') result.insert(result.begin(), '\\');
    if (result.back() == '\\') result.pop_back();
    return result;
}

// CollectDirectories, with the pattern's leading directory fixedPrefix ("\" at the front, none at the end; may be
// empty) taken as it is written: the destination directory of a mapped pattern is already spelt as on disk.
void ListBelow(const cTreeSide& side, const std::string& dir, std::vector<std::string>& list,
               std::vector<cScanProblem>& problems, const cWalk& walk);

void CollectBelow(const cTreeSide& side, std::string_view pattern, const std::string& fixedPrefix,
                  std::vector<std::string>& list, std::vector<cScanProblem>& problems, const cWalk& walk) {
    const std::string normalized = NormalizePattern(pattern);
    if (!platform::StaysBelowRoot(normalized)) {
        problems.push_back({side.Shown(normalized), platform::kBadPathname});
        return;
    }
    const std::size_t c = normalized.rfind('\\');
    std::string text;
    const PatternForm form = FormOfRest(std::string_view(normalized).substr(c + 1), text);
    if (form == PatternForm::AsWritten) {
        list.push_back(WithTrailingBackslash(normalized));
        return;
    }
    const std::string_view directory = std::string_view(normalized).substr(0, c + 1);
    const std::string base =
        !fixedPrefix.empty() && directory.starts_with(fixedPrefix + "\\") ? fixedPrefix + "\\" : "\\";
    for (const std::string& prefix : DirectoriesMatching(side, base, directory.substr(base.size()))) {
        if (form == PatternForm::All) {
            ListBelow(side, prefix, list, problems, walk);
            continue;
        }
        std::vector<std::string> below;
        ListBelow(side, prefix, below, problems, walk);
        for (std::string& found : below) {
            if (FitsForm(form, platform::FoldCase(std::string_view(found).substr(prefix.size())), text))
                list.push_back(std::move(found));
        }
    }
}

void CollectAll(const cTreeSide& side, const std::vector<std::string>& patterns, std::vector<std::string>& list,
                std::vector<cScanProblem>& problems, const cWalk& walk, const std::string& fixedPrefix = {}) {
    for (const std::string& pattern : patterns) {
        if (walk.Stopping()) return;
        CollectBelow(side, pattern, fixedPrefix, list, problems, walk);
    }
}

bool IsSkipped(const cWalk& walk, const cTreeSide& side, const std::string& directory,
               const platform::SubdirectoryName& entry) {
    if (side.Remote) return false;
    const std::string_view nativeRoot = side.NativeRoot;
    for (const platform::FileIdentity& skipped : walk.Skipped) {
        if (skipped.inode != entry.inode) continue;
        if (platform::IdentityOf(platform::NativePath(nativeRoot, directory + entry.name)) == skipped) return true;
    }
    return false;
}

// The part of a directory below a typed prefix ("\" at its front), or the directory itself for an empty prefix;
// std::nullopt when the directory is not below the prefix.
std::optional<std::string_view> PartBelow(std::string_view directory, const std::string& prefix) {
    if (prefix.empty()) return directory;
    const std::optional<std::size_t> length = PrefixLength(directory, prefix);
    if (!length) return std::nullopt;
    return *length == directory.size() ? std::string_view("\\") : directory.substr(*length);
}

// Adds to each list the counterparts of the other list's directories that it lacks. Two directories are
// counterparts when their parts below their side's prefix are equal (exactly: names on disk); a prefix is
// typed and matches without regard to case. A directory without a counterpart gets the other prefix, as the
// disk spells it, in front of its part.
void AddCounterparts(std::vector<std::string>& sourceDirs, const std::string& cut, std::vector<std::string>& destDirs,
                     const std::string& destDirectory) {
    const auto partsOf = [](const std::vector<std::string>& dirs, const std::string& prefix) {
        std::unordered_set<std::string_view> parts;
        for (const std::string& directory : dirs)
            if (const auto part = PartBelow(directory, prefix)) parts.insert(*part);
        return parts;
    };
    const auto add = [](const std::vector<std::string>& from, const std::string& fromPrefix,
                        const std::unordered_set<std::string_view>& existing, const std::string& toPrefix) {
        std::vector<std::string> added;
        for (const std::string& directory : from) {
            const auto part = PartBelow(directory, fromPrefix);
            if (part && !existing.contains(*part)) added.push_back(toPrefix + std::string(*part));
        }
        return added;
    };
    std::vector<std::string> toDest;
    std::vector<std::string> toSource;
    {
        const auto sourceParts = partsOf(sourceDirs, cut);
        const auto destParts = partsOf(destDirs, destDirectory);
        toDest = add(sourceDirs, cut, destParts, destDirectory);
        toSource = add(destDirs, destDirectory, sourceParts, cut);
    }
    destDirs.insert(destDirs.end(), std::make_move_iterator(toDest.begin()), std::make_move_iterator(toDest.end()));
    sourceDirs.insert(sourceDirs.end(), std::make_move_iterator(toSource.begin()),
                      std::make_move_iterator(toSource.end()));
}

// Orders destDirs so that entry i is the counterpart of sourceDirs[i] (the lists are sorted each by its own
// paths, which keeps them parallel only while each side spells its prefix one way). False when the counterparts
// are not one to one: two directories would share one directory of the other side.
bool OrderAsCounterparts(const std::vector<std::string>& sourceDirs, const std::string& cut,
                         std::vector<std::string>& destDirs, const std::string& destDirectory) {
    std::unordered_map<std::string_view, std::size_t> destByPart;
    for (std::size_t i = 0; i < destDirs.size(); ++i) {
        const auto part = PartBelow(destDirs[i], destDirectory);
        if (!part || !destByPart.emplace(*part, i).second) return false;
    }
    std::vector<std::string> ordered;
    ordered.reserve(destDirs.size());
    for (const std::string& directory : sourceDirs) {
        const auto part = PartBelow(directory, cut);
        const auto found = part ? destByPart.find(*part) : destByPart.end();
        if (found == destByPart.end()) return false;
        ordered.push_back(destDirs[found->second]);
        destByPart.erase(found);
    }
    destDirs = std::move(ordered);
    return true;
}

} // namespace

namespace {

void ListBelow(const cTreeSide& side, const std::string& dir, std::vector<std::string>& list,
               std::vector<cScanProblem>& problems, const cWalk& walk) {
    cFileNameCache* fileNames = side.Remote ? nullptr : walk.FileNames;
    std::vector<std::string> pending{dir};
    std::vector<platform::SubdirectoryName> entries;
    std::vector<std::string> files;
    std::vector<std::string> specials;
    cFileNameCache* specialNames = fileNames ? walk.SpecialNames : nullptr;
    while (!pending.empty()) {
        if (walk.Stopping()) return;
        std::string current = std::move(pending.back());
        pending.pop_back();
        const std::string native = side.Shown(current);
        if (side.ListNames(current, entries, fileNames ? &files : nullptr, specialNames ? &specials : nullptr) != 0) {
            entries.clear();
        } else if (fileNames) {
            (*fileNames)[native] = std::move(files);
            if (specialNames && !specials.empty()) (*specialNames)[native] = std::move(specials);
        }
        const std::size_t firstChild = pending.size();
        for (const platform::SubdirectoryName& entry : entries) {
            if (entry.unrepresentable) {
                problems.push_back({native + entry.name, platform::kInvalidName});
                continue;
            }
            if (!walk.Skipped.empty() && IsSkipped(walk, side, current, entry)) continue;
            if (walk.SubdirectoriesFound) ++*walk.SubdirectoriesFound;
            pending.push_back(current + entry.name + "\\");
        }
        // Children are taken from the back: reversed, they are handled in listing order.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
        list.push_back(std::move(current));
    }
}

std::string Spelling(const cTreeSide& side, std::string_view prefix) {
    std::string spelt;
    bool onDisk = true;
    for (const std::string_view component : Components(prefix)) {
        if (onDisk) {
            const std::vector<std::string> found = SubdirectoriesNamed(side, spelt + "\\", component);
            if (!found.empty()) {
                spelt = found.front();
                spelt.pop_back();
                continue;
            }
            onDisk = false;
        }
        spelt += "\\";
        spelt += component;
    }
    return spelt;
}

} // namespace

void ListSubdirectories(std::string_view nativeRoot, const std::string& dir, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk) {
    ListBelow({nativeRoot}, dir, list, problems, walk);
}

void CollectDirectories(std::string_view nativeRoot, std::string_view pattern, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk) {
    CollectBelow({nativeRoot}, pattern, {}, list, problems, walk);
}

std::string SpellingOnDisk(std::string_view nativeRoot, std::string_view prefix) {
    return Spelling({nativeRoot}, prefix);
}

std::optional<std::string> RealTypedDirectory(const std::string& nativeRoot, std::string_view typed) {
    std::string real;
    if (nativeRoot.empty() ||
        platform::RealPath(platform::NativePath(nativeRoot, SpellingOnDisk(nativeRoot, typed) + "\\"), real) != 0)
        return std::nullopt;
    return real;
}

std::vector<std::string> MatchingDirectories(std::string_view nativeRoot, std::string_view directory) {
    return DirectoriesMatching({nativeRoot}, "\\", directory);
}

std::string MapDirectory(std::string_view path, std::string_view fromPrefix, std::string_view toPrefix) {
    const std::string from = NormalizePrefix(fromPrefix);
    const std::string to = NormalizePrefix(toPrefix);
    if (from.empty()) return to + std::string(path);
    const std::optional<std::size_t> length = PrefixLength(path, from);
    if (!length) return {};
    if (*length == path.size()) return to + "\\";
    return to + std::string(path.substr(*length));
}

void RemoveNames(std::vector<std::string>& list, const std::vector<std::string>& names) {
    if (names.empty()) return;
    const std::unordered_set<std::string> removed(names.begin(), names.end());
    std::erase_if(list, [&](const std::string& entry) { return removed.contains(entry); });
}

void SortAndRemoveDuplicates(std::vector<std::string>& list) {
    std::vector<std::pair<std::string, std::string>> keyed; // (lower case, as found)
    keyed.reserve(list.size());
    for (std::string& entry : list) {
        std::string key = platform::LowerCase(entry);
        keyed.emplace_back(std::move(key), std::move(entry));
    }
    std::sort(keyed.begin(), keyed.end());
    list.clear();
    for (auto& [key, entry] : keyed) {
        if (list.empty() || list.back() != entry) list.push_back(std::move(entry));
    }
}

int BuildDirectoryLists(const cDirectoryPassInput& input, std::vector<std::string>& sourceDirs,
                        std::vector<std::string>& destDirs, std::vector<cScanProblem>& problems) {
    sourceDirs.clear();
    destDirs.clear();
    std::vector<cScanProblem> ignored; // exclusions report nothing: their directories are not scanned
    std::vector<std::string> excluded;

    const cWalk withoutNames{input.Walk.Stopping, nullptr, input.Walk.Skipped, nullptr, nullptr};
    cWalk sourceWalk = input.Walk;
    cWalk destWalk = input.Walk;
    std::size_t sourceFound = 0;
    std::size_t destFound = 0;
    sourceWalk.SubdirectoriesFound = &sourceFound;
    destWalk.SubdirectoriesFound = &destFound;
    const cTreeSide sourceSide{input.SourceRoot};
    CollectAll(sourceSide, input.SearchDirectories, sourceDirs, problems, sourceWalk);
    CollectAll(sourceSide, input.ExcludeDirectories, excluded, ignored, withoutNames);
    RemoveNames(sourceDirs, excluded);

    // The typed prefixes are mapped in the spelling the disk gives them, so that both directions of the mapping
    // name the directories that are there.
    const std::string cut = SpellingOnDisk(input.SourceRoot, input.CutPath);
    const cTreeSide destSide{input.DestRoot, input.DestTree};
    const std::string destDirectory = Spelling(destSide, input.DestDirectory);
    std::vector<std::string> destSearch;
    std::vector<std::string> destExclude;
    for (const std::string& pattern : input.SearchDirectories) {
        std::string mapped = MapDirectory(NormalizePattern(pattern), cut, destDirectory);
        if (!mapped.empty()) destSearch.push_back(std::move(mapped));
    }
    for (const std::string& pattern : input.ExcludeDirectories) {
        std::string mapped = MapDirectory(NormalizePattern(pattern), cut, destDirectory);
        if (!mapped.empty()) destExclude.push_back(std::move(mapped));
    }
    CollectAll(destSide, destSearch, destDirs, problems, destWalk, destDirectory);
    if (input.SourceSubdirectories) *input.SourceSubdirectories = sourceFound;
    if (input.DestSubdirectories) *input.DestSubdirectories = destFound;
    excluded.clear();
    CollectAll(destSide, destExclude, excluded, ignored, withoutNames, destDirectory);
    RemoveNames(destDirs, excluded);

    AddCounterparts(sourceDirs, cut, destDirs, destDirectory);
    SortAndRemoveDuplicates(sourceDirs);
    SortAndRemoveDuplicates(destDirs);
    if (sourceDirs.size() != destDirs.size()) return kDirectoryCountMismatch;
    return OrderAsCounterparts(sourceDirs, cut, destDirs, destDirectory) ? 0 : kDirectoryCountMismatch;
}

// Collecting, mapping and merging the directory lists of a run.
#include "engine/DirectoryPass.h"

#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/Roots.h"
#include "platform/Text.h"

#include <algorithm>
#include <unordered_set>

namespace {

bool Aborted(const cAbortQuery& abortRequested) {
    return abortRequested && abortRequested();
}

std::string NormalizePattern(std::string_view pattern) {
    std::string result(pattern);
    if (result.empty() || result.front() != '\\') result.insert(result.begin(), '\\');
    return result;
}

std::string WithTrailingBackslash(std::string text) {
    if (text.back() != '\\') text.push_back('\\');
    return text;
}

enum class PatternForm { AsWritten, All, Begins, Ends, Contains };

PatternForm FormOfRest(std::string_view rest, std::string& text) {
    const auto stars = std::count(rest.begin(), rest.end(), '*');
    if (rest == "*") return PatternForm::All;
    if (stars == 2 && rest.size() > 2 && rest.front() == '*' && rest.back() == '*') {
        text = platform::LowerCase(rest.substr(1, rest.size() - 2));
        return PatternForm::Contains;
    }
    if (stars == 1 && rest.size() > 1 && rest.back() == '*') {
        text = platform::LowerCase(rest.substr(0, rest.size() - 1));
        return PatternForm::Begins;
    }
    if (stars == 1 && rest.size() > 1 && rest.front() == '*') {
        text = platform::LowerCase(rest.substr(1));
        return PatternForm::Ends;
    }
    return PatternForm::AsWritten;
}

// Whether the part of a directory below the prefix (lower case, ending in "\") fits the form.
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

std::string NormalizePrefix(std::string_view prefix) {
    std::string result(prefix);
    if (result.empty()) return result;
    if (result.front() != '\\') result.insert(result.begin(), '\\');
    if (result.back() == '\\') result.pop_back();
    return result;
}

void CollectAll(std::string_view nativeRoot, const std::vector<std::string>& patterns, std::vector<std::string>& list,
                std::vector<cScanProblem>& problems, const cWalk& walk) {
    for (const std::string& pattern : patterns) {
        if (Aborted(walk.AbortRequested)) return;
        CollectDirectories(nativeRoot, pattern, list, problems, walk);
    }
}

bool IsSkipped(const cWalk& walk, std::string_view nativeRoot, const std::string& directory,
               const platform::SubdirectoryName& entry) {
    for (const platform::FileIdentity& skipped : walk.Skipped) {
        if (skipped.inode != entry.inode) continue;
        if (platform::IdentityOf(platform::NativePath(nativeRoot, directory + entry.name)) == skipped) return true;
    }
    return false;
}

} // namespace

void ListSubdirectories(std::string_view nativeRoot, const std::string& dir, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk) {
    cFileNameCache* fileNames = walk.FileNames;
    std::vector<std::string> pending{dir};
    std::vector<platform::SubdirectoryName> entries;
    std::vector<std::string> files;
    while (!pending.empty()) {
        if (Aborted(walk.AbortRequested)) return;
        std::string current = std::move(pending.back());
        pending.pop_back();
        const std::string native = platform::NativePath(nativeRoot, current);
        if (platform::ListSubdirectoryNames(nativeRoot, current, entries, fileNames ? &files : nullptr) != 0)
            entries.clear();
        else if (fileNames)
            (*fileNames)[native] = std::move(files);
        const std::size_t firstChild = pending.size();
        for (const platform::SubdirectoryName& entry : entries) {
            if (entry.unrepresentable) {
                problems.push_back({platform::NativePath(nativeRoot, current) + entry.name, platform::kInvalidName});
                continue;
            }
            if (!walk.Skipped.empty() && IsSkipped(walk, nativeRoot, current, entry)) continue;
            if (walk.SubdirectoriesFound) ++*walk.SubdirectoriesFound;
            pending.push_back(current + entry.name + "\\");
        }
        // Children are taken from the back: reversed, they are handled in listing order.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
        list.push_back(std::move(current));
    }
}

void CollectDirectories(std::string_view nativeRoot, std::string_view pattern, std::vector<std::string>& list,
                        std::vector<cScanProblem>& problems, const cWalk& walk) {
    const std::string normalized = NormalizePattern(pattern);
    if (!platform::StaysBelowRoot(normalized)) {
        problems.push_back({platform::NativePath(nativeRoot, normalized), platform::kBadPathname});
        return;
    }
    const std::size_t c = normalized.rfind('\\');
    const std::string prefix = normalized.substr(0, c + 1);
    std::string text;
    const PatternForm form = FormOfRest(std::string_view(normalized).substr(c + 1), text);
    if (form == PatternForm::AsWritten) {
        list.push_back(WithTrailingBackslash(normalized));
        return;
    }
    if (form == PatternForm::All) {
        ListSubdirectories(nativeRoot, prefix, list, problems, walk);
        return;
    }
    std::vector<std::string> below;
    ListSubdirectories(nativeRoot, prefix, below, problems, walk);
    for (std::string& directory : below) {
        if (FitsForm(form, platform::LowerCase(std::string_view(directory).substr(prefix.size())), text))
            list.push_back(std::move(directory));
    }
}

std::string MapDirectory(std::string_view path, std::string_view fromPrefix, std::string_view toPrefix) {
    const std::string from = NormalizePrefix(fromPrefix);
    const std::string to = NormalizePrefix(toPrefix);
    if (from.empty()) return to + std::string(path);
    if (path.size() == from.size() && platform::EqualNoCase(path, from)) return to + "\\";
    if (path.size() < from.size() || path[from.size()] != '\\' ||
        !platform::EqualNoCase(path.substr(0, from.size()), from))
        return {};
    return to + std::string(path.substr(from.size()));
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

    const cWalk withoutNames{input.Walk.AbortRequested, nullptr, input.Walk.Skipped};
    cWalk sourceWalk = input.Walk;
    cWalk destWalk = input.Walk;
    std::size_t sourceFound = 0;
    std::size_t destFound = 0;
    sourceWalk.SubdirectoriesFound = &sourceFound;
    destWalk.SubdirectoriesFound = &destFound;
    CollectAll(input.SourceRoot, input.SearchDirectories, sourceDirs, problems, sourceWalk);
    CollectAll(input.SourceRoot, input.ExcludeDirectories, excluded, ignored, withoutNames);
    RemoveNames(sourceDirs, excluded);

    std::vector<std::string> destSearch;
    std::vector<std::string> destExclude;
    for (const std::string& pattern : input.SearchDirectories) {
        std::string mapped = MapDirectory(NormalizePattern(pattern), input.CutPath, input.DestDirectory);
        if (!mapped.empty()) destSearch.push_back(std::move(mapped));
    }
    for (const std::string& pattern : input.ExcludeDirectories) {
        std::string mapped = MapDirectory(NormalizePattern(pattern), input.CutPath, input.DestDirectory);
        if (!mapped.empty()) destExclude.push_back(std::move(mapped));
    }
    CollectAll(input.DestRoot, destSearch, destDirs, problems, destWalk);
    if (input.SourceSubdirectories) *input.SourceSubdirectories = sourceFound;
    if (input.DestSubdirectories) *input.DestSubdirectories = destFound;
    excluded.clear();
    CollectAll(input.DestRoot, destExclude, excluded, ignored, withoutNames);
    RemoveNames(destDirs, excluded);

    const std::size_t destListed = destDirs.size();
    for (std::size_t i = 0, n = sourceDirs.size(); i < n; ++i) {
        std::string mapped = MapDirectory(sourceDirs[i], input.CutPath, input.DestDirectory);
        if (!mapped.empty()) destDirs.push_back(std::move(mapped));
    }
    for (std::size_t i = 0; i < destListed; ++i) {
        std::string mapped = MapDirectory(destDirs[i], input.DestDirectory, input.CutPath);
        if (!mapped.empty()) sourceDirs.push_back(std::move(mapped));
    }
    SortAndRemoveDuplicates(sourceDirs);
    SortAndRemoveDuplicates(destDirs);
    return sourceDirs.size() == destDirs.size() ? 0 : kDirectoryCountMismatch;
}

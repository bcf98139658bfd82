#include "shell/DroppedFiles.h"

#include "platform/Roots.h"
#include "profile/Parameters.h"

#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kProfileExtension = ".tvp";

// The file-name part of a native path ("/a/b/c.txt" → "c.txt"; a trailing "/" is no part of it).
std::string_view NamePart(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// True when an internal relative path names "." or ".." anywhere: the desktop hands over absolute paths, but
// such a part would make the entry mean another directory than the one the user saw.
bool HasDotParts(std::string_view relative) {
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('\\', start);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view part = relative.substr(start, end - start);
        if (part == "." || part == "..") return true;
        start = end + 1;
    }
    return false;
}

// The directory below the root as an internal path with a trailing "\"; std::nullopt when it is not below
// the root. A root or folder reached through a link is tried again by the real paths of both.
std::optional<std::string> DirectoryBelowRoot(const std::string& root, const std::string& directory) {
    std::optional<std::string> relative = platform::InternalRelative(root, directory);
    if (!relative || HasDotParts(*relative)) {
        std::string realRoot, realDirectory;
        if (platform::RealPath(root, realRoot) != 0 || platform::RealPath(directory, realDirectory) != 0)
            return std::nullopt;
        relative = platform::InternalRelative(realRoot, realDirectory);
        if (!relative || HasDotParts(*relative)) return std::nullopt;
    }
    if (relative->back() != '\\') *relative += '\\';
    return relative;
}

void AddProfileDirectory(cParameters& params, const cDroppedItem& item, cDropKeys keys, cDropOutcome& outcome) {
    const std::optional<std::string> root = platform::NativeRoot(params.SourceDrive, params.Drives);
    const std::optional<std::string> relative = root ? DirectoryBelowRoot(*root, item.NativePath) : std::nullopt;
    if (!relative) {
        outcome.OutsideSource.push_back(item.NativePath);
        return;
    }
    cTextList& list = keys.Ctrl ? params.ExcludeDirectories : params.SearchDirectories;
    const std::string withSubdirectories = *relative + "*";
    if (list.Contains(*relative) || list.Contains(withSubdirectories)) return;
    if (list.Add(keys.Shift ? *relative : withSubdirectories)) ++outcome.Added;
}

void AddProfileFile(cParameters& params, const cDroppedItem& item, cDropKeys keys, cDropOutcome& outcome) {
    const std::string_view name = NamePart(item.NativePath);
    if (name.empty() || name == "/" || name.find('\\') != std::string_view::npos) return;
    cTextList& list = keys.Ctrl ? params.ExcludeFiles : params.CompareFiles;
    if (list.Add(std::string(name))) ++outcome.Added;
}

void AddBatchEntry(cParameters& params, const cDroppedItem& item, cDropOutcome& outcome) {
    if (item.IsDirectory) return;
    const std::string_view name = NamePart(item.NativePath);
    // "x.tvp" counts, "x.TVP" and the hidden ".tvp" (a name without extension) do not.
    if (name.size() <= kProfileExtension.size() || !name.ends_with(kProfileExtension)) return;
    const std::string_view folder = std::string_view(item.NativePath).substr(0, item.NativePath.size() - name.size());
    const std::optional<std::string> directory = platform::InternalRelative("/", folder);
    if (!directory || name.find('\\') != std::string_view::npos || HasDotParts(*directory)) return;
    params.Batch.AddEntry({"/", *directory, std::string(name), kContinueAlways});
    ++outcome.Added;
}

} // namespace

cDropOutcome AddDroppedFiles(cParameters& params, const std::vector<cDroppedItem>& items, cDropKeys keys) {
    cDropOutcome outcome;
    for (const cDroppedItem& item : items) {
        if (params.DocumentKind == kProfileDocument) {
            if (item.IsDirectory)
                AddProfileDirectory(params, item, keys, outcome);
            else
                AddProfileFile(params, item, keys, outcome);
        } else if (params.DocumentKind == kBatchDocument) {
            AddBatchEntry(params, item, outcome);
        }
    }
    if (outcome.Added > 0) params.Modified = true;
    return outcome;
}

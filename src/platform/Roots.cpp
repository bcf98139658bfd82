// Roots, the drive map and the conversion between internal and native paths.
#include "platform/Roots.h"

#include "platform/ErrorCodes.h"
#include "platform/Text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform {

namespace {

bool IsDriveLetterRoot(std::string_view root) {
    if (root.size() == 3 && root[2] == '\\') root.remove_suffix(1);
    if (root.size() != 2 || root[1] != ':') return false;
    char letter = root[0];
    return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

bool IsUncRoot(std::string_view root) {
    return root.size() > 2 && root.substr(0, 2) == "\\\\";
}

// The drive map's key: lower case, without a trailing "\".
std::string FoldWindowsRoot(std::string_view root) {
    if (root.size() > 2 && root.back() == '\\') root.remove_suffix(1);
    return LowerCase(root);
}

// The components of a path split at "/", empty ones dropped.
std::vector<std::string> SplitComponents(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Appends components to a real path lexically: "." is dropped, ".." removes the last component.
void AppendLexically(std::string& path, const std::vector<std::string>& parts, std::size_t first) {
    for (std::size_t i = first; i < parts.size(); ++i) {
        if (parts[i] == ".") continue;
        if (parts[i] == "..") {
            std::size_t slash = path.rfind('/');
            path.erase(slash == 0 ? 1 : slash);
            continue;
        }
        if (path.back() != '/') path += '/';
        path += parts[i];
    }
}

} // namespace

bool cDriveMap::Set(std::string_view windowsRoot, std::string_view posixDirectory) {
    if (!IsWindowsRoot(windowsRoot) || posixDirectory.empty() || posixDirectory.front() != '/') return false;
    m_directories[FoldWindowsRoot(windowsRoot)] = NormalizeRoot(posixDirectory);
    return true;
}

std::optional<std::string> cDriveMap::Lookup(std::string_view windowsRoot) const {
    auto it = m_directories.find(FoldWindowsRoot(windowsRoot));
    if (it == m_directories.end()) return std::nullopt;
    return it->second;
}

void cDriveMap::Clear() {
    m_directories.clear();
}

bool IsWindowsRoot(std::string_view root) {
    return IsDriveLetterRoot(root) || IsUncRoot(root);
}

std::string NormalizeRoot(std::string_view root) {
    if (root.empty() || root.front() != '/') return std::string(root);
    std::string result;
    result.reserve(root.size());
    for (char c : root) {
        if (c == '/' && !result.empty() && result.back() == '/') continue;
        result += c;
    }
    if (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}

std::optional<std::string> NativeRoot(std::string_view root, const cDriveMap& drives) {
    if (!root.empty() && root.front() == '/') return NormalizeRoot(root);
    if (IsWindowsRoot(root)) return drives.Lookup(root);
    return std::nullopt;
}

std::string NativePath(std::string_view nativeRoot, std::string_view internalRelative) {
    while (!nativeRoot.empty() && nativeRoot.back() == '/')
        nativeRoot.remove_suffix(1);
    std::string path(nativeRoot);
    if (internalRelative.empty()) return path.empty() ? "/" : path;
    if (internalRelative.front() != '\\') path += '/';
    for (char c : internalRelative)
        path += c == '\\' ? '/' : c;
    return path;
}

std::optional<std::string> InternalRelative(std::string_view nativeRoot, std::string_view nativePath) {
    while (!nativeRoot.empty() && nativeRoot.back() == '/')
        nativeRoot.remove_suffix(1);
    if (nativePath.empty() || nativePath.front() != '/') return std::nullopt;
    if (nativePath.substr(0, nativeRoot.size()) != nativeRoot) return std::nullopt;
    std::string_view rest = nativePath.substr(nativeRoot.size());
    if (!rest.empty() && rest.front() != '/') return std::nullopt;
    if (rest.find('\\') != std::string_view::npos) return std::nullopt;
    std::string relative = "\\";
    for (char c : rest) {
        if (c != '/')
            relative += c;
        else if (relative.back() != '\\')
            relative += '\\';
    }
    return relative;
}

bool StaysBelowRoot(std::string_view internalRelative) {
    std::size_t start = 0;
    while (start <= internalRelative.size()) {
        std::size_t end = internalRelative.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = internalRelative.size();
        if (internalRelative.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

int RealPath(std::string_view nativePath, std::string& realPath) {
    realPath.clear();
    if (nativePath.empty() || nativePath.front() != '/') return kInvalidParameter;
    std::vector<std::string> parts = SplitComponents(nativePath);
    // Resolve the longest prefix that exists; what follows it cannot hold a symlink and is joined lexically.
    for (std::size_t existing = parts.size() + 1; existing-- > 0;) {
        std::string prefix = "/";
        for (std::size_t i = 0; i < existing; ++i)
            prefix += (i ? "/" : "") + parts[i];
        std::unique_ptr<char, decltype(&std::free)> resolved(realpath(prefix.c_str(), nullptr), &std::free);
        if (resolved) {
            realPath = resolved.get();
            AppendLexically(realPath, parts, existing);
            return kSuccess;
        }
        if (errno != ENOENT) return ErrorFromErrno(errno);
    }
    return kPathNotFound; // not reached: "/" always resolves
}

bool IsSameOrInside(std::string_view inner, std::string_view outer) {
    if (outer == "/") return !inner.empty() && inner.front() == '/';
    if (inner.substr(0, outer.size()) != outer) return false;
    return inner.size() == outer.size() || inner[outer.size()] == '/';
}

} // namespace platform

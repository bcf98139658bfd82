// Walks from a directory to the file system's root through "..", which at the top of a (bind) mount leads to the
// parent of its mount point, and compares each level's identity.
#include "platform/DirectoryIdentity.h"

#include "platform/Roots.h"
#include "platform/UniqueFd.h"

#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace platform {

namespace {

// A bound for the walk; a real tree is never deeper.
constexpr int kMaxDepth = 4096;

std::optional<struct stat> DirectoryStat(std::string_view path) {
    struct stat st {};
    if (::stat(std::string(path).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return st;
}

bool SameIdentity(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The nearest existing directory of path, opened for walking.
UniqueFd OpenNearestExisting(std::string path) {
    for (;;) {
        UniqueFd fd(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (fd || path == "/" || path.empty()) return fd;
        const std::size_t slash = path.rfind('/');
        path = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
    }
}

} // namespace

bool LiesInside(std::string_view inner, std::string_view outer) {
    if (IsSameOrInside(inner, outer)) return true;
    const std::optional<struct stat> target = DirectoryStat(outer);
    if (!target) return false;
    UniqueFd fd = OpenNearestExisting(std::string(inner));
    bool inside = false;
    for (int depth = 0; fd && depth < kMaxDepth && !inside; ++depth) {
        struct stat level {};
        if (::fstat(fd.get(), &level) != 0) break;
        inside = SameIdentity(level, *target);
        UniqueFd parent(::openat(fd.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat above {};
        const bool atTop = !parent || ::fstat(parent.get(), &above) != 0 || SameIdentity(above, level);
        fd = std::move(parent);
        if (atTop) break;
    }
    return inside;
}

bool SameDirectory(std::string_view a, std::string_view b) {
    if (a == b) return true;
    const std::optional<struct stat> first = DirectoryStat(a);
    const std::optional<struct stat> second = DirectoryStat(b);
    return first && second && SameIdentity(*first, *second);
}

} // namespace platform

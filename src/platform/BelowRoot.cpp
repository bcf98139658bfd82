// openat2 with RESOLVE_NO_SYMLINKS checks every level in one call; kernels without it walk level by level
// with O_NOFOLLOW.
#include "platform/BelowRoot.h"

#include "platform/ErrorCodes.h"
#include "platform/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

[[nodiscard]] int LevelError(int err) {
    switch (err) {
    case ELOOP:
        return kLinkInPath;
    case ENOENT:
    case ENOTDIR:
        return kPathNotFound;
    case EXDEV:
        return kPathLeavesRoot;
    default:
        return ErrorFromErrno(err);
    }
}

// The levels of an internal relative directory as a relative native path ("a/b"), or "." for the root.
// False when a level is "..".
bool RelativeLevels(std::string_view relative, std::string& levels) {
    levels.clear();
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view level = relative.substr(start, end - start);
        if (level == "..") return false;
        if (!level.empty() && level != ".") {
            if (!levels.empty()) levels += '/';
            levels.append(level);
        }
        start = end + 1;
    }
    if (levels.empty()) levels = ".";
    return true;
}

int OpenWithOpenat2(int rootFd, const std::string& levels, int& fd) {
    open_how how{};
    how.flags = kDirectoryFlags;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    for (;;) {
        const long got = ::syscall(SYS_openat2, rootFd, levels.c_str(), &how, sizeof how);
        if (got >= 0) {
            fd = static_cast<int>(got);
            return kSuccess;
        }
        if (errno != EINTR && errno != EAGAIN) return -errno;
    }
}

[[nodiscard]] int OpenLevelByLevel(int rootFd, const std::string& levels, int& fd) {
    UniqueFd current(::dup(rootFd));
    if (!current) return LevelError(errno);
    std::size_t start = 0;
    while (levels != "." && start < levels.size()) {
        std::size_t end = levels.find('/', start);
        if (end == std::string::npos) end = levels.size();
        const std::string level = levels.substr(start, end - start);
        UniqueFd next(::openat(current.get(), level.c_str(), kDirectoryFlags | O_NOFOLLOW));
        if (!next) return LevelError(errno);
        current = std::move(next);
        start = end + 1;
    }
    fd = current.release();
    return kSuccess;
}

// The roots kept open by the innermost cRootHandleScope of this thread.
struct cRootHandles {
    std::vector<std::pair<std::string, UniqueFd>> Open;
    cRootHandles* Outer = nullptr;
};
thread_local cRootHandles* t_handles = nullptr;

// An open descriptor of the root (-1 and errno when it cannot be opened): held by the scope when there is one,
// otherwise by owned.
[[nodiscard]] int OpenRoot(const std::string& root, UniqueFd& owned) {
    if (t_handles)
        for (const auto& [path, fd] : t_handles->Open)
            if (path == root) return fd.get();
    UniqueFd fd(::open(root.c_str(), kDirectoryFlags));
    const int opened = fd.get();
    if (fd && t_handles)
        t_handles->Open.emplace_back(root, std::move(fd));
    else
        owned = std::move(fd);
    return opened;
}

} // namespace

cRootHandleScope::cRootHandleScope() {
    t_handles = new cRootHandles{{}, t_handles};
}

cRootHandleScope::~cRootHandleScope() {
    cRootHandles* handles = t_handles;
    t_handles = handles->Outer;
    delete handles; // closes the roots
}

int OpenDirectoryBelow(std::string_view nativeRoot, std::string_view relative, int& fd) {
    fd = -1;
    std::string levels;
    if (!RelativeLevels(relative, levels)) return kPathLeavesRoot;
    const std::string root = nativeRoot.empty() ? std::string("/") : std::string(nativeRoot);
    UniqueFd ownedRoot;
    const int rootFd = OpenRoot(root, ownedRoot);
    if (rootFd < 0) return errno == ENOENT || errno == ENOTDIR ? kPathNotFound : ErrorFromErrno(errno);
    // A kernel without openat2, or a sandbox that forbids it, answers ENOSYS or EPERM.
    static std::atomic<bool> noOpenat2 = false;
    int code = noOpenat2 ? -ENOSYS : OpenWithOpenat2(rootFd, levels, fd);
    if (code == -ENOSYS || code == -EPERM) {
        noOpenat2 = true;
        code = OpenLevelByLevel(rootFd, levels, fd);
    } else if (code < 0) {
        code = LevelError(-code);
    }
    return code;
}

int CheckDirectoryBelow(std::string_view nativeRoot, std::string_view relative) {
    int fd = -1;
    const int code = OpenDirectoryBelow(nativeRoot, relative, fd);
    const UniqueFd opened(fd);
    return code;
}

} // namespace platform

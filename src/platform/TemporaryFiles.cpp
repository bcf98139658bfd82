// Temporary names, the writer's lock and the removal of leftovers.
//
// A writer holds an exclusive flock on its temporary file from its creation until the file is renamed or
// removed; the lock goes with the process, so a killed writer's file is free at once. The cleaner removes
// only a file it can lock itself, and checks after locking that the name still leads to that file. A writer
// checks the same after taking its lock: should a cleaner have removed the brand-new file between the
// writer's open and its lock, the writer notices and takes another name.
#include "platform/TemporaryFiles.h"

#include "platform/BelowRoot.h"
#include "platform/ErrorCodes.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Creating a temporary file gives up after this many names that were taken.
constexpr int kNameAttempts = 100;

bool IsLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::uint64_t RandomSeed() {
    std::uint64_t seed = 0;
    if (::getrandom(&seed, sizeof seed, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof seed))
        seed = static_cast<std::uint64_t>(::getpid()) * 0x9E3779B97F4A7C15ull ^
               static_cast<std::uint64_t>(::time(nullptr)) ^ reinterpret_cast<std::uintptr_t>(&seed);
    return seed;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the name in the directory (dirFd, or AT_FDCWD for a path) still leads to the open file.
bool StillNamed(int dirFd, const char* name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &opened) == 0 &&
           SameFile(named, opened);
}

// Takes the lock a leftover must give: false when a writer holds the file or the lock cannot be had.
// Locks on NFS are byte-range locks underneath, and an exclusive one needs a descriptor open for writing.
bool LockLeftover(int dirFd, const char* name, int& fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EBADF) return false;
    const int writable = ::openat(dirFd, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (writable < 0) return false;
    ::close(fd);
    fd = writable;
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Removes one name when it is a leftover: a regular file that no writer holds.
bool RemoveIfLeftover(int dirFd, const std::string& name) {
    struct stat named {};
    // Looked at before it is opened: a device node is never opened, a symlink never followed.
    if (::fstatat(dirFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode)) return false;
    int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat opened {};
    bool removed = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && SameFile(named, opened) &&
                   LockLeftover(dirFd, name.c_str(), fd) && StillNamed(dirFd, name.c_str(), fd) &&
                   ::unlinkat(dirFd, name.c_str(), 0) == 0;
    ::close(fd); // after the unlink: the lock keeps a writer from taking the file over meanwhile
    return removed;
}

[[nodiscard]] int RemoveLeftoversIn(int dirFd, const std::vector<std::string>& names,
                                    std::vector<std::string>& removed) {
    for (const std::string& name : names) {
        if (IsTemporaryName(name) && RemoveIfLeftover(dirFd, name)) removed.push_back(name);
    }
    ::close(dirFd);
    return kSuccess;
}

// Creates a file named prefix + a fresh temporary name relative to dirFd (see CreateTemporaryFile).
int CreateNamed(int dirFd, const std::string& prefix, mode_t mode, int& fd, std::string& path) {
    fd = -1;
    path.clear();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = prefix + MakeTemporaryName();
        const int created =
            ::openat(dirFd, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (created < 0) {
            if (errno == EEXIST) continue;
            return errno == ENOENT ? kPathNotFound : ErrorFromErrno(errno);
        }
        // A cleaner that found the new file before it was locked removes it: then the name is not ours any
        // more, and the next name is tried.
        if (LockTemporaryFile(created) == kSuccess && StillNamed(dirFd, candidate.c_str(), created)) {
            fd = created;
            path = std::move(candidate);
            return kSuccess;
        }
        ::close(created);
    }
    return kAlreadyExists;
}

} // namespace

bool IsTemporaryName(std::string_view name) {
    if (name.size() != kTemporaryPrefix.size() + kTemporaryRandomLength || !name.starts_with(kTemporaryPrefix))
        return false;
    for (char c : name.substr(kTemporaryPrefix.size()))
        if (!IsLetterOrDigit(c)) return false;
    return true;
}

std::string MakeTemporaryName() {
    thread_local std::mt19937_64 engine(RandomSeed());
    std::string name(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryRandomLength; ++i)
        name += kLetters[engine() % (sizeof kLetters - 1)];
    return name;
}

int LockTemporaryFile(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return kSuccess;
    return errno == EWOULDBLOCK ? kSharingViolation : kSuccess;
}

int CreateTemporaryFile(const std::string& nativeDirectory, mode_t mode, int& fd, std::string& path) {
    const std::string prefix = nativeDirectory.ends_with('/') ? nativeDirectory : nativeDirectory + "/";
    return CreateNamed(AT_FDCWD, prefix, mode, fd, path);
}

int CreateTemporaryFileAt(int dirFd, mode_t mode, int& fd, std::string& name) {
    return CreateNamed(dirFd, {}, mode, fd, name);
}

int RemoveLeftoverTemporaryFiles(const std::string& nativeDirectory, const std::vector<std::string>& names,
                                 std::vector<std::string>& removed) {
    const int dirFd = ::open(nativeDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0) {
        const int err = errno;
        struct stat st {};
        if ((err == ELOOP || err == ENOTDIR) && ::lstat(nativeDirectory.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            return kLinkInPath;
        return err == ENOENT || err == ENOTDIR ? kPathNotFound : ErrorFromErrno(err);
    }
    return RemoveLeftoversIn(dirFd, names, removed);
}

int RemoveLeftoverTemporaryFiles(std::string_view nativeRoot, std::string_view relative,
                                 const std::vector<std::string>& names, std::vector<std::string>& removed) {
    int dirFd = -1;
    if (const int error = OpenDirectoryBelow(nativeRoot, relative, dirFd); error != kSuccess) return error;
    return RemoveLeftoversIn(dirFd, names, removed);
}

} // namespace platform

// Copying one file: a temporary file in the target's directory, filled, given the source's mode and times,
// then renamed over the target.
//
// Files are not flushed one by one (fsync): a run copies thousands of files, and a flush each would make it
// many times slower than cp -a and rsync, which do not flush either. The temporary name protects the old target
// against failures, cancels and a killed program; after a power loss a file system without ext4's flush on
// rename-over-existing may hold a replaced file with unwritten content, which the verify option detects.
//
// A run copies many small files, where the system calls around the content cost more than the content itself:
// each file is reached from its directory's open descriptor instead of by its whole path, a fast path that the
// pair of file systems refused once is not tried for every file again, a copy stops when it has moved the
// source's length instead of asking once more for the end, and a nameless file is linked by its descriptor
// where the system allows it instead of through /proc.
#include "platform/FileCopy.h"

#include "platform/BelowRoot.h"
#include "platform/ErrorCodes.h"
#include "platform/FileSystemKind.h"
#include "platform/Roots.h"
#include "platform/TemporaryFiles.h"
#include "platform/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

struct CopySession::State {
    // The fast paths a pair of file systems may offer; cleared for the pair once it refuses one.
    struct FastPaths {
        bool clone = true; // a reflink (FICLONE)
        bool range = true; // copy_file_range
    };
    // A directory that copies read from or write to, open while the copies go on using it.
    struct Directory {
        std::string path; // native, without a trailing "/"
        UniqueFd fd;
        dev_t device = 0;

        void Close() {
            fd.reset();
            path.clear();
        }
    };
    struct PairPaths {
        dev_t from;
        dev_t to;
        FastPaths paths;
    };

    ~State() { ForgetDirectories(); }

    void ForgetLookedUp() {
        from.Close();
        to.Close();
    }

    void ForgetDirectories() {
        ForgetLookedUp();
        for (Directory& d : entered)
            d.Close();
        entered.clear();
    }

    FastPaths& PathsBetween(dev_t fromDevice, dev_t toDevice) {
        for (PairPaths& pair : pairs)
            if (pair.from == fromDevice && pair.to == toDevice) return pair.paths;
        pairs.push_back({fromDevice, toDevice, {}});
        return pairs.back().paths;
    }

    std::vector<Directory> entered; // by EnterDirectory
    Directory from;                 // looked up by name for the source of the last copy
    Directory to;                   // and for its target
    std::vector<PairPaths> pairs;   // a run copies between very few file systems
    // linkat with AT_EMPTY_PATH was refused (it takes CAP_DAC_READ_SEARCH): nameless files get their name
    // through /proc/self/fd.
    bool noLinkByDescriptor = false;
};

CopySession::CopySession() : m_state(std::make_unique<State>()) {}
CopySession::~CopySession() = default;

void CopySession::ForgetDirectories() {
    m_state->ForgetDirectories();
}

int CopySession::EnterDirectory(std::string_view nativeRoot, std::string_view relative) {
    State::Directory directory;
    directory.path = NativePath(nativeRoot, relative);
    while (directory.path.size() > 1 && directory.path.back() == '/')
        directory.path.pop_back();
    std::erase_if(m_state->entered, [&](State::Directory& known) {
        if (known.path != directory.path) return false;
        known.Close();
        return true;
    });
    int fd = -1;
    if (const int code = OpenDirectoryBelow(nativeRoot, relative, fd); code != kSuccess) return code;
    directory.fd.reset(fd);
    struct stat st {};
    if (::fstat(directory.fd.get(), &st) != 0) return ErrorFromErrno(errno);
    directory.device = st.st_dev;
    m_state->entered.push_back(std::move(directory));
    return kSuccess;
}

namespace {

using State = CopySession::State;
using FastPaths = State::FastPaths;

// copy_file_range moves at most this much per call, so that progress and cancel come often enough.
constexpr std::size_t kChunkSize = 4 * 1024 * 1024;
// Read-ahead advice pays only for a file that takes many reads.
constexpr std::int64_t kAdviseFrom = 8 * static_cast<std::int64_t>(kCopyBlockSize);
// Naming a temporary symlink or a nameless file gives up after this many names that were taken.
constexpr int kNameAttempts = 100;

// A failure to create something in the target's directory: a missing directory is "path not found".
[[nodiscard]] int TargetError(int err) {
    return err == ENOENT ? kPathNotFound : ErrorFromErrno(err);
}

// A refusal that holds for every file between the two file systems, not just for this one.
bool RefusedForAll(int err) {
    return err == EOPNOTSUPP || err == ENOTTY || err == ENOSYS || err == EXDEV;
}

bool ProcSelfAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// Finds the open directory of path and sets name to path's last part (pointing into path): an entered
// directory, else slot when the last copy used the same one, else slot newly opened. A directory that was not
// entered is looked up as a path lookup does it, links included: the caller checks beforehand that no link
// leads there. Returns 0 or the errno of the lookup.
int OpenDirectoryOf(State& state, State::Directory& slot, const std::string& path, const State::Directory*& found,
                    const char*& name) {
    const auto slash = path.rfind('/');
    const std::string_view directory = slash == std::string::npos ? std::string_view(".")
                                       : slash == 0               ? std::string_view("/")
                                                                  : std::string_view(path).substr(0, slash);
    name = path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
    for (const State::Directory& entered : state.entered) {
        if (entered.path == directory) {
            found = &entered;
            return 0;
        }
    }
    if (!slot.fd || slot.path != directory) {
        slot.Close();
        slot.fd.reset(::open(std::string(directory).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat st {};
        if (!slot.fd || ::fstat(slot.fd.get(), &st) != 0) {
            const int err = errno;
            slot.Close();
            return err;
        }
        slot.path.assign(directory);
        slot.device = st.st_dev;
    }
    found = &slot;
    return 0;
}

// An existing target that the copy must not replace: a directory, or a file whose owner has no write
// permission (the caller clears read-only first when it may).
[[nodiscard]] int CheckTarget(int dirFd, const char* name) {
    struct stat target {};
    if (::fstatat(dirFd, name, &target, AT_SYMLINK_NOFOLLOW) != 0) return kSuccess; // a missing one shows later
    if (S_ISDIR(target.st_mode)) return kAccessDenied;
    if (S_ISREG(target.st_mode) && (target.st_mode & S_IWUSR) == 0) return kAccessDenied;
    return kSuccess;
}

// The file that becomes the target. Until Publish succeeds, destroying it removes every trace: an O_TMPFILE
// file has no name at all, a named temporary file is unlinked. A named one is locked while it exists (see
// LockTemporaryFile), so the next run's cleaner tells a killed copy's leftover from a copy under way.
class PendingTarget {
public:
    PendingTarget(State& state, int dirFd) : m_state(state), m_dirFd(dirFd) {}
    ~PendingTarget() {
        if (!m_tempName.empty()) ::unlinkat(m_dirFd, m_tempName.c_str(), 0); // the lock still holds cleaners off
        m_fd.reset();
    }
    PendingTarget(const PendingTarget&) = delete;
    PendingTarget& operator=(const PendingTarget&) = delete;

    int Fd() const { return m_fd.get(); }

    [[nodiscard]] int Create() {
        if (ProcSelfAvailable()) {
            int fd = ::openat(m_dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (fd >= 0) {
                m_fd.reset(fd);
                return kSuccess;
            }
            // EISDIR: a kernel without O_TMPFILE; EOPNOTSUPP: a file system without it.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return TargetError(errno);
        }
        int fd = -1;
        const int error = CreateTemporaryFileAt(m_dirFd, 0600, fd, m_tempName);
        m_fd.reset(fd);
        return error;
    }

    // Gives the file its final name, replacing the old target in one step. A nameless file for a target that
    // does not exist yet is linked under the target's name directly: it appears complete or not at all, and
    // the directory is changed once instead of twice.
    [[nodiscard]] int Publish(const char* name) {
        if (m_tempName.empty()) {
            if (LinkNameless(name)) {
                const int error = m_fd.close();
                if (error != kSuccess) ::unlinkat(m_dirFd, name, 0); // it was new: nothing older is lost
                return error;
            }
            if (errno != EEXIST) return TargetError(errno);
            if (const int error = CheckTarget(m_dirFd, name); error != kSuccess) return error;
            int error = LinkAnonymousFile();
            if (error != kSuccess) return error;
        } else if (const int error = CheckTarget(m_dirFd, name); error != kSuccess) {
            return error;
        }
        // Closed before the rename, for a write error that a network file system reports only here; a duplicate
        // keeps the lock until the file has its final name.
        const UniqueFd lockHolder(::dup(m_fd.get()));
        int error = m_fd.close();
        if (error != kSuccess) return error;
        if (::renameat(m_dirFd, m_tempName.c_str(), m_dirFd, name) != 0) return ErrorFromErrno(errno);
        m_tempName.clear();
        return kSuccess;
    }

private:
    // Links the nameless file under name; false with errno set when that failed. By its descriptor where the
    // system allows it (CAP_DAC_READ_SEARCH), which saves the lookup through /proc; otherwise, and for the rest
    // of the session once that was refused, through /proc/self/fd.
    bool LinkNameless(const char* name) {
        if (!m_state.noLinkByDescriptor) {
            if (::linkat(m_fd.get(), "", m_dirFd, name, AT_EMPTY_PATH) == 0) return true;
            if (errno != ENOENT) return false;
        }
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd.get());
        const bool linked = ::linkat(AT_FDCWD, self.c_str(), m_dirFd, name, AT_SYMLINK_FOLLOW) == 0;
        // The refusal looks like a missing directory (ENOENT); that the other way got further tells them apart.
        if (linked || errno != ENOENT) m_state.noLinkByDescriptor = true;
        return linked;
    }

    // An O_TMPFILE file gets a hidden name first; linkat cannot replace, rename then can.
    [[nodiscard]] int LinkAnonymousFile() {
        if (const int error = LockTemporaryFile(m_fd.get()); error != kSuccess) return error;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = MakeTemporaryName();
            if (LinkNameless(name.c_str())) {
                m_tempName = std::move(name);
                return kSuccess;
            }
            if (errno != EEXIST) return TargetError(errno);
        }
        return kAlreadyExists;
    }

    State& m_state;
    int m_dirFd;
    std::string m_tempName;
    UniqueFd m_fd;
};

[[nodiscard]] int WriteAll(int fd, const char* data, std::size_t length, off_t at) {
    while (length > 0) {
        ssize_t n = ::pwrite(fd, data, length, at);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        data += n;
        at += n;
        length -= static_cast<std::size_t>(n);
    }
    return kSuccess;
}

bool Continue(const CopyOptions& options, std::int64_t bytesSoFar) {
    return !options.progress || options.progress(bytesSoFar);
}

// Reads and writes in kCopyBlockSize blocks from offset `at` of both files up to end (-1: the end of the file),
// reporting the offset reached as progress.
[[nodiscard]] int CopyBlocks(int source, int target, std::int64_t at, std::int64_t end, const CopyOptions& options) {
    std::vector<char> buffer(kCopyBlockSize);
    while (end < 0 || at < end) {
        const std::size_t want = end < 0 ? buffer.size() : std::min<std::size_t>(buffer.size(), end - at);
        ssize_t n = ::pread(source, buffer.data(), want, at);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        if (n == 0) return kSuccess;
        int error = WriteAll(target, buffer.data(), static_cast<std::size_t>(n), at);
        if (error != kSuccess) return error;
        at += n;
        if (!Continue(options, at)) return kCancelled;
    }
    return kSuccess;
}

// Moves the bytes from offset `at` up to end with copy_file_range, reporting the offset reached as progress;
// `at` tells how far it got. A source that ends early (it shrank meanwhile) is no failure: the check after the
// copy notices it. Returns kNotSupported, before anything was moved, when the system cannot copy this way
// (paths remember it when it holds for every file between the two file systems); the caller then copies in
// blocks.
[[nodiscard]] int CopyRange(int source, int target, off_t& at, off_t end, const CopyOptions& options,
                            FastPaths& paths) {
    const off_t start = at;
    while (at < end) {
        off_t in = at;
        off_t out = at;
        const auto chunk = static_cast<std::size_t>(std::min<off_t>(end - at, kChunkSize));
        const ssize_t n = ::copy_file_range(source, &in, target, &out, chunk, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (at != start || (!RefusedForAll(errno) && errno != EINVAL)) return ErrorFromErrno(errno);
            if (RefusedForAll(errno)) paths.range = false;
            return kNotSupported;
        }
        // Some file systems (procfs-like, older FUSE) answer 0 instead of failing.
        if (n == 0) return at == start ? kNotSupported : kSuccess;
        at += n;
        if (!Continue(options, at)) return kCancelled;
    }
    return kSuccess;
}

// Copies the bytes up to end, with copy_file_range while paths allow it, else (and after a refusal) in blocks.
[[nodiscard]] int CopyExtent(int source, int target, off_t at, off_t end, const CopyOptions& options,
                             FastPaths* paths) {
    if (paths && paths->range) {
        const int error = CopyRange(source, target, at, end, options, *paths);
        if (error != kNotSupported) return error;
    }
    return CopyBlocks(source, target, at, end, options);
}

// Copies only the data segments of a sparse source (found with SEEK_DATA and SEEK_HOLE) and leaves the holes
// between them, with copy_file_range while paths allow it, in blocks when paths is null; progress counts the
// offset reached. Returns kNotSupported when the source cannot tell its segments, before anything was written.
[[nodiscard]] int CopySegments(int source, int target, std::int64_t size, const CopyOptions& options,
                               FastPaths* paths) {
    off_t data = 0;
    bool first = true;
    while (data < size) {
        data = ::lseek(source, data, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) break; // only a hole is left
            return errno == EINVAL && first ? kNotSupported : ErrorFromErrno(errno);
        }
        first = false;
        off_t hole = ::lseek(source, data, SEEK_HOLE);
        if (hole < 0) hole = size;
        if (const int error = CopyExtent(source, target, data, hole, options, paths); error != kSuccess) return error;
        data = hole;
    }
    return ::ftruncate(target, size) == 0 ? kSuccess : ErrorFromErrno(errno);
}

// The end offset for copying a file of this length: an empty file is read until the end all the same, for the
// pseudo files that show no length.
std::int64_t EndFor(std::int64_t size) {
    return size > 0 ? size : -1;
}

// A reflink where the file system shares blocks, else copy_file_range in chunks (by data segments for a sparse
// source), else blocks; what paths rules out is not tried.
[[nodiscard]] int CopySystem(int source, int target, std::int64_t size, bool sparse, const CopyOptions& options,
                             FastPaths& paths) {
    if (size == 0) return CopyBlocks(source, target, 0, EndFor(size), options); // nothing to share or move
    if (paths.clone) {
        if (::ioctl(target, FICLONE, source) == 0) return Continue(options, size) ? kSuccess : kCancelled;
        if (RefusedForAll(errno)) paths.clone = false;
    }
    if (sparse) {
        const int error = CopySegments(source, target, size, options, &paths);
        if (error != kNotSupported) return error;
    }
    return CopyExtent(source, target, 0, size, options, &paths);
}

int ReadLinkAt(int dirFd, const char* name, std::size_t length, std::string& target) {
    std::vector<char> buffer(std::max<std::size_t>(length + 1, 256));
    for (;;) {
        const ssize_t n = ::readlinkat(dirFd, name, buffer.data(), buffer.size());
        if (n < 0) return ErrorFromErrno(errno);
        if (static_cast<std::size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(n));
            return kSuccess;
        }
        buffer.resize(buffer.size() * 2); // the target was cut off: try again with room for more
    }
}

[[nodiscard]] int CopySymlink(int fromDir, const char* fromName, int toDir, const char* toName,
                              const struct stat& source, const CopyOptions& options) {
    std::string target;
    int error = ReadLinkAt(fromDir, fromName, static_cast<std::size_t>(source.st_size), target);
    if (error != kSuccess) return error;

    // A symlink cannot be locked: a killed copy's temporary link stays until someone removes it, but its name
    // keeps it from ever being taken for a user's file.
    std::string tempName;
    for (int attempt = 0; attempt < kNameAttempts && tempName.empty(); ++attempt) {
        std::string name = MakeTemporaryName();
        if (::symlinkat(target.c_str(), toDir, name.c_str()) == 0)
            tempName = std::move(name);
        else if (errno != EEXIST)
            return TargetError(errno);
    }
    if (tempName.empty()) return kAlreadyExists;

    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(toDir, tempName.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        error = ErrorFromErrno(errno);
    else if (!Continue(options, static_cast<std::int64_t>(target.size())))
        error = kCancelled;
    else if (::renameat(toDir, tempName.c_str(), toDir, toName) != 0)
        error = ErrorFromErrno(errno);
    if (error != kSuccess) ::unlinkat(toDir, tempName.c_str(), 0);
    return error;
}

// Whether the source changed since `before`: its length, its modification time or its change time (which
// also moves for a write that restores the old modification time).
bool SourceChanged(int source, const struct stat& before) {
    struct stat after {};
    if (::fstat(source, &after) != 0) return true;
    return after.st_size != before.st_size || after.st_mtim.tv_sec != before.st_mtim.tv_sec ||
           after.st_mtim.tv_nsec != before.st_mtim.tv_nsec || after.st_ctim.tv_sec != before.st_ctim.tv_sec ||
           after.st_ctim.tv_nsec != before.st_ctim.tv_nsec;
}

// The source's mode for the copy: without set-user-ID and set-group-ID when the copy's owner or group is not
// the source's (it belongs to whoever runs the program), as cp -p and rsync do.
mode_t ModeForCopy(int target, const struct stat& source) {
    mode_t mode = source.st_mode & 07777;
    if ((mode & (S_ISUID | S_ISGID)) == 0) return mode;
    struct stat copy {};
    if (::fstat(target, &copy) != 0 || copy.st_uid != source.st_uid || copy.st_gid != source.st_gid)
        mode &= ~mode_t{S_ISUID | S_ISGID};
    return mode;
}

[[nodiscard]] int CopyRegularFile(State& state, int fromDir, const char* fromName, const std::string& to,
                                  const CopyOptions& options) {
    // O_NONBLOCK and the type check guard against a FIFO or device put in the file's place since lstat.
    UniqueFd source(::openat(fromDir, fromName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (source.get() < 0) return ErrorFromErrno(errno);
    struct stat st {};
    if (::fstat(source.get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) return kFileNotFound;

    const State::Directory* toDir = nullptr;
    const char* toName = nullptr;
    if (const int err = OpenDirectoryOf(state, state.to, to, toDir, toName); err != 0) return TargetError(err);
    PendingTarget target(state, toDir->fd.get());
    int error = target.Create();
    if (error != kSuccess) return error;
    const auto size = static_cast<std::int64_t>(st.st_size);
    if (size >= kAdviseFrom) ::posix_fadvise(source.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    // Fewer blocks than the length needs: the file has holes, and the copy keeps them (a sparse disk image
    // copied byte by byte could fill the target's disk).
    const bool sparse = static_cast<std::int64_t>(st.st_blocks) * 512 < size;
    if (!options.ownCopy)
        error =
            CopySystem(source.get(), target.Fd(), size, sparse, options, state.PathsBetween(st.st_dev, toDir->device));
    else if (!sparse || (error = CopySegments(source.get(), target.Fd(), size, options, nullptr)) == kNotSupported)
        error = CopyBlocks(source.get(), target.Fd(), 0, EndFor(size), options);
    if (error != kSuccess) return error;
    // A copy of a file that was written meanwhile may hold part old, part new content; stamped with the old
    // time it would pass for a good copy of the old file.
    if (SourceChanged(source.get(), st)) return kSourceChanged;

    // A file system that cannot hold the mode (FAT, some FUSE) refuses it; the copy itself is still good.
    const mode_t mode = ModeForCopy(target.Fd(), st);
    const bool modeSet = ::fchmod(target.Fd(), mode) == 0;
    if (!modeSet && errno != EPERM && errno != EOPNOTSUPP) return ErrorFromErrno(errno);
    // The target does not exist under its name yet: its directory tells the file system.
    if (options.modeComplete)
        *options.modeComplete = modeSet && mode == (st.st_mode & 07777) &&
                                KeptPropertiesOn(toDir->device, to.substr(0, to.rfind('/') + 1)) == KeptProperties::All;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(target.Fd(), times) != 0) return ErrorFromErrno(errno);
    return target.Publish(toName);
}

[[nodiscard]] int CopyOnce(State& state, const std::string& from, const std::string& to, const CopyOptions& options) {
    const State::Directory* fromDir = nullptr;
    const char* fromName = nullptr;
    if (const int err = OpenDirectoryOf(state, state.from, from, fromDir, fromName); err != 0)
        return ErrorFromErrno(err);
    struct stat source {};
    if (::fstatat(fromDir->fd.get(), fromName, &source, AT_SYMLINK_NOFOLLOW) != 0) return ErrorFromErrno(errno);
    if (S_ISDIR(source.st_mode)) return kAccessDenied;
    if (!S_ISREG(source.st_mode) && !S_ISLNK(source.st_mode)) return kFileNotFound;
    // A regular file's target is checked when the copy is published.
    if (S_ISREG(source.st_mode)) return CopyRegularFile(state, fromDir->fd.get(), fromName, to, options);
    const State::Directory* toDir = nullptr;
    const char* toName = nullptr;
    if (const int err = OpenDirectoryOf(state, state.to, to, toDir, toName); err != 0) return TargetError(err);
    if (const int error = CheckTarget(toDir->fd.get(), toName); error != kSuccess) return error;
    if (options.modeComplete) *options.modeComplete = true;
    return CopySymlink(fromDir->fd.get(), fromName, toDir->fd.get(), toName, source, options);
}

int CopyInSession(State& state, const std::string& from, const std::string& to, const CopyOptions& options) {
    int error = CopyOnce(state, from, to, options);
    // A file written once while it was copied is usually at rest the next moment.
    if (error == kSourceChanged) error = CopyOnce(state, from, to, options);
    // A directory that failed may have been replaced meanwhile: the next attempt looks it up again.
    if (error != kSuccess) state.ForgetLookedUp();
    return error;
}

} // namespace

int CopyFileSafely(const std::string& from, const std::string& to, const CopyOptions& options) {
    if (options.session) return CopyInSession(options.session->Get(), from, to, options);
    State state;
    return CopyInSession(state, from, to, options);
}

} // namespace platform

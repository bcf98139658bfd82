// Copying one file: a temporary file in the target's directory, filled, given the source's mode and times,
// then renamed over the target.
//
// Files are not flushed one by one (fsync): a run copies thousands of files, and a flush each would make it
// many times slower than cp -a and rsync, which do not flush either. The temporary name protects the old target
// against failures, cancels and a killed program; after a power loss a file system without ext4's flush on
// rename-over-existing may hold a replaced file with unwritten content, which the verify option detects.
#include "platform/FileCopy.h"

#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// copy_file_range moves at most this much per call, so that progress and cancel come often enough.
constexpr std::size_t kChunkSize = 4 * 1024 * 1024;
// Naming a temporary symlink or a nameless file gives up after this many names that were taken.
constexpr int kNameAttempts = 100;

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return m_fd; }
    void Reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    // Closes with its result: a network file system may report a failed write only here.
    [[nodiscard]] int Close() {
        int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? kSuccess : ErrorFromErrno(errno);
    }

private:
    int m_fd;
};

std::string DirectoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string TemporaryPathIn(const std::string& directory) {
    return (directory.ends_with('/') ? directory : directory + "/") + MakeTemporaryName();
}

// A failure to create something in the target's directory: a missing directory is "path not found".
[[nodiscard]] int TargetError(int err) {
    return err == ENOENT ? kPathNotFound : ErrorFromErrno(err);
}

bool ProcSelfAvailable() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// An existing target that the copy must not replace: a directory, or a file whose owner has no write
// permission (the caller clears read-only first when it may).
[[nodiscard]] int CheckTarget(const std::string& to) {
    struct stat target {};
    if (::lstat(to.c_str(), &target) != 0) return kSuccess; // a missing target or directory shows later
    if (S_ISDIR(target.st_mode)) return kAccessDenied;
    if (S_ISREG(target.st_mode) && (target.st_mode & S_IWUSR) == 0) return kAccessDenied;
    return kSuccess;
}

// The file that becomes the target. Until Publish succeeds, destroying it removes every trace: an O_TMPFILE
// file has no name at all, a named temporary file is unlinked. A named one is locked while it exists (see
// LockTemporaryFile), so the next run's cleaner tells a killed copy's leftover from a copy under way.
class PendingTarget {
public:
    explicit PendingTarget(std::string directory) : m_directory(std::move(directory)) {}
    ~PendingTarget() {
        if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str()); // while the lock still holds cleaners off
        m_fd.Reset();
    }
    PendingTarget(const PendingTarget&) = delete;
    PendingTarget& operator=(const PendingTarget&) = delete;

    int Fd() const { return m_fd.Get(); }

    [[nodiscard]] int Create() {
        if (ProcSelfAvailable()) {
            int fd = ::open(m_directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
            if (fd >= 0) {
                m_fd.Reset(fd);
                return kSuccess;
            }
            // EISDIR: a kernel without O_TMPFILE; EOPNOTSUPP: a file system without it.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return TargetError(errno);
        }
        int fd = -1;
        const int error = CreateTemporaryFile(m_directory, 0600, fd, m_tempPath);
        m_fd.Reset(fd);
        return error;
    }

    // Gives the file its final name, replacing the old target in one step. A nameless file for a target that
    // does not exist yet is linked under the target's name directly: it appears complete or not at all, and
    // the directory is changed once instead of twice.
    [[nodiscard]] int Publish(const std::string& to) {
        if (m_tempPath.empty()) {
            if (::linkat(AT_FDCWD, SelfPath().c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                const int error = m_fd.Close();
                if (error != kSuccess) ::unlink(to.c_str()); // it was new: nothing older is lost
                return error;
            }
            if (errno != EEXIST) return TargetError(errno);
            if (const int error = CheckTarget(to); error != kSuccess) return error;
            int error = LinkAnonymousFile();
            if (error != kSuccess) return error;
        } else if (const int error = CheckTarget(to); error != kSuccess) {
            return error;
        }
        // Closed before the rename, for a write error that a network file system reports only here; a duplicate
        // keeps the lock until the file has its final name.
        const UniqueFd lockHolder(::dup(m_fd.Get()));
        int error = m_fd.Close();
        if (error != kSuccess) return error;
        if (::rename(m_tempPath.c_str(), to.c_str()) != 0) return ErrorFromErrno(errno);
        m_tempPath.clear();
        return kSuccess;
    }

private:
    // An O_TMPFILE file gets a hidden name first; linkat cannot replace, rename then can.
    std::string SelfPath() const { return "/proc/self/fd/" + std::to_string(m_fd.Get()); }

    [[nodiscard]] int LinkAnonymousFile() {
        const std::string self = SelfPath();
        if (const int error = LockTemporaryFile(m_fd.Get()); error != kSuccess) return error;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string path = TemporaryPathIn(m_directory);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                m_tempPath = std::move(path);
                return kSuccess;
            }
            if (errno != EEXIST) return TargetError(errno);
        }
        return kAlreadyExists;
    }

    std::string m_directory;
    std::string m_tempPath;
    UniqueFd m_fd;
};

[[nodiscard]] int WriteAll(int fd, const char* data, std::size_t length) {
    while (length > 0) {
        ssize_t n = ::write(fd, data, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        data += n;
        length -= static_cast<std::size_t>(n);
    }
    return kSuccess;
}

bool Continue(const CopyOptions& options, std::int64_t bytesSoFar) {
    return !options.progress || options.progress(bytesSoFar);
}

// Reads and writes in blocks from the current positions of both files to the source's end.
// Reads and writes in kCopyBlockSize blocks from the current offsets, up to end (-1: the end of the file).
// bytesSoFar counts on from the given value for the progress.
[[nodiscard]] int CopyBlocks(int source, int target, std::int64_t bytesSoFar, const CopyOptions& options,
                             std::int64_t end = -1) {
    std::vector<char> buffer(kCopyBlockSize);
    std::int64_t left = end < 0 ? -1 : end - bytesSoFar;
    while (left != 0) {
        const std::size_t want = left < 0 ? buffer.size() : std::min<std::size_t>(buffer.size(), left);
        ssize_t n = ::read(source, buffer.data(), want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        if (n == 0) return kSuccess;
        int error = WriteAll(target, buffer.data(), static_cast<std::size_t>(n));
        if (error != kSuccess) return error;
        bytesSoFar += n;
        if (left > 0) left -= n;
        if (!Continue(options, bytesSoFar)) return kCancelled;
    }
    return kSuccess;
}

// Copies only the data segments of a sparse source (found with SEEK_DATA and SEEK_HOLE), with copy_file_range
// or, for the own routine, in blocks, and leaves the holes between them; progress counts the offset reached.
// Returns kNotSupported when the source cannot tell its segments, before anything was written.
[[nodiscard]] int CopySegments(int source, int target, std::int64_t size, bool inBlocks, const CopyOptions& options) {
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
        if (inBlocks) {
            if (::lseek(source, data, SEEK_SET) < 0 || ::lseek(target, data, SEEK_SET) < 0)
                return ErrorFromErrno(errno);
            if (const int error = CopyBlocks(source, target, data, options, hole); error != kSuccess) return error;
        } else {
            off_t in = data;
            off_t out = data;
            while (in < hole) {
                const auto chunk = static_cast<std::size_t>(std::min<off_t>(hole - in, kChunkSize));
                const ssize_t n = ::copy_file_range(source, &in, target, &out, chunk, 0);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) return ErrorFromErrno(errno);
                if (n == 0) break; // the file shrank meanwhile
                if (!Continue(options, in)) return kCancelled;
            }
        }
        data = hole;
    }
    return ::ftruncate(target, size) == 0 ? kSuccess : ErrorFromErrno(errno);
}

// A reflink where the file system shares blocks, else copy_file_range in chunks (by data segments for a sparse
// source), else blocks.
[[nodiscard]] int CopySystem(int source, int target, std::int64_t size, bool sparse, const CopyOptions& options) {
    if (::ioctl(target, FICLONE, source) == 0) return Continue(options, size) ? kSuccess : kCancelled;
    if (sparse) {
        const int error = CopySegments(source, target, size, false, options);
        if (error != kNotSupported) return error;
    }
    std::int64_t bytesSoFar = 0;
    for (;;) {
        ssize_t n = ::copy_file_range(source, nullptr, target, nullptr, kChunkSize, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            bool unsupported = errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL;
            if (bytesSoFar == 0 && unsupported) break;
            return ErrorFromErrno(errno);
        }
        // Some file systems (procfs-like, older FUSE) answer 0 instead of failing.
        if (n == 0 && bytesSoFar == 0 && size > 0) break;
        if (n == 0) return kSuccess;
        bytesSoFar += n;
        if (!Continue(options, bytesSoFar)) return kCancelled;
    }
    return CopyBlocks(source, target, 0, options);
}

[[nodiscard]] int CopySymlink(const std::string& from, const std::string& to, const struct stat& source,
                              const CopyOptions& options) {
    std::string target;
    int error = ReadSymlinkTarget(from, target);
    if (error != kSuccess) return error;

    // A symlink cannot be locked: a killed copy's temporary link stays until someone removes it, but its name
    // keeps it from ever being taken for a user's file.
    const std::string directory = DirectoryOf(to);
    std::string tempPath;
    for (int attempt = 0; attempt < kNameAttempts && tempPath.empty(); ++attempt) {
        std::string path = TemporaryPathIn(directory);
        if (::symlink(target.c_str(), path.c_str()) == 0)
            tempPath = std::move(path);
        else if (errno != EEXIST)
            return TargetError(errno);
    }
    if (tempPath.empty()) return kAlreadyExists;

    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(AT_FDCWD, tempPath.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        error = ErrorFromErrno(errno);
    else if (!Continue(options, static_cast<std::int64_t>(target.size())))
        error = kCancelled;
    else if (::rename(tempPath.c_str(), to.c_str()) != 0)
        error = ErrorFromErrno(errno);
    if (error != kSuccess) ::unlink(tempPath.c_str());
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

[[nodiscard]] int CopyRegularFile(const std::string& from, const std::string& to, const CopyOptions& options) {
    // O_NONBLOCK and the type check guard against a FIFO or device put in the file's place since lstat.
    UniqueFd source(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (source.Get() < 0) return ErrorFromErrno(errno);
    struct stat st {};
    if (::fstat(source.Get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) return kFileNotFound;

    PendingTarget target(DirectoryOf(to));
    int error = target.Create();
    if (error != kSuccess) return error;
    ::posix_fadvise(source.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    // Fewer blocks than the length needs: the file has holes, and the copy keeps them (a sparse disk image
    // copied byte by byte could fill the target's disk).
    const bool sparse = static_cast<std::int64_t>(st.st_blocks) * 512 < static_cast<std::int64_t>(st.st_size);
    const auto size = static_cast<std::int64_t>(st.st_size);
    if (!options.ownCopy)
        error = CopySystem(source.Get(), target.Fd(), size, sparse, options);
    else if (!sparse || (error = CopySegments(source.Get(), target.Fd(), size, true, options)) == kNotSupported)
        error = CopyBlocks(source.Get(), target.Fd(), 0, options);
    if (error != kSuccess) return error;
    // A copy of a file that was written meanwhile may hold part old, part new content; stamped with the old
    // time it would pass for a good copy of the old file.
    if (SourceChanged(source.Get(), st)) return kSourceChanged;

    // A file system that cannot hold the mode (FAT, some FUSE) refuses it; the copy itself is still good.
    if (::fchmod(target.Fd(), ModeForCopy(target.Fd(), st)) != 0 && errno != EPERM && errno != EOPNOTSUPP)
        return ErrorFromErrno(errno);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(target.Fd(), times) != 0) return ErrorFromErrno(errno);
    return target.Publish(to);
}

[[nodiscard]] int CopyOnce(const std::string& from, const std::string& to, const CopyOptions& options) {
    struct stat source {};
    if (::lstat(from.c_str(), &source) != 0) return ErrorFromErrno(errno);
    if (S_ISDIR(source.st_mode)) return kAccessDenied;
    if (!S_ISREG(source.st_mode) && !S_ISLNK(source.st_mode)) return kFileNotFound;
    if (S_ISREG(source.st_mode)) return CopyRegularFile(from, to, options); // checks the target when it publishes
    if (const int error = CheckTarget(to); error != kSuccess) return error;
    return CopySymlink(from, to, source, options);
}

} // namespace

int CopyFileSafely(const std::string& from, const std::string& to, const CopyOptions& options) {
    const int error = CopyOnce(from, to, options);
    // A file written once while it was copied is usually at rest the next moment.
    return error == kSourceChanged ? CopyOnce(from, to, options) : error;
}

} // namespace platform

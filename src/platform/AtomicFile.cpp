#include "platform/AtomicFile.h"

#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return kSuccess;
}

} // namespace

int WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode) {
    // Locked until it is renamed or removed: a cleaner removes only a killed writer's file.
    std::string temp;
    int fd = -1;
    if (const int error = CreateTemporaryFile(FolderOf(path), 0600, fd, temp); error != kSuccess) return error;

    int error = WriteAll(fd, bytes);
    if (error == kSuccess && ::fchmod(fd, mode) != 0) error = ErrorFromErrno(errno);
    if (error == kSuccess && ::fsync(fd) != 0) error = ErrorFromErrno(errno);
    // A duplicate keeps the lock from the close, which may report a late write error, to the rename.
    const int lockHolder = ::dup(fd);
    if (::close(fd) != 0 && error == kSuccess) error = ErrorFromErrno(errno);
    if (error == kSuccess && ::rename(temp.c_str(), path.c_str()) != 0) error = ErrorFromErrno(errno);
    if (lockHolder >= 0) ::close(lockHolder);
    if (error != kSuccess) {
        ::unlink(temp.c_str());
        return error;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return kSuccess;
}

} // namespace platform

#include "platform/AtomicFile.h"

#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[nodiscard]] int WriteAll(int fd, std::string_view bytes) {
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

// Gives the complete temporary file its final name.
[[nodiscard]] int Publish(const std::string& temp, const std::string& path, bool replace) {
    if (replace) return ::rename(temp.c_str(), path.c_str()) == 0 ? kSuccess : ErrorFromErrno(errno);
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return kSuccess;
    if (errno == EEXIST) return kAlreadyExists;
    if (::link(temp.c_str(), path.c_str()) != 0) return ErrorFromErrno(errno);
    ::unlink(temp.c_str()); // the content lives on under path
    return kSuccess;
}

[[nodiscard]] int WriteThroughTemporaryFile(const std::string& path, std::string_view bytes, FileMode mode,
                                            bool replace) {
    // Locked until it is renamed or removed: a cleaner removes only a killed writer's file.
    std::string temp;
    int created = -1;
    if (const int error = CreateTemporaryFile(FolderOf(path), 0600, created, temp); error != kSuccess) return error;
    UniqueFd file(created);

    int error = WriteAll(file.get(), bytes);
    if (error == kSuccess && ::fchmod(file.get(), mode) != 0) error = ErrorFromErrno(errno);
    if (error == kSuccess && ::fsync(file.get()) != 0) error = ErrorFromErrno(errno);
    // A duplicate keeps the lock from the close, which may report a late write error, to the rename.
    UniqueFd lockHolder(::dup(file.get()));
    if (const int closed = file.close(); closed != kSuccess && error == kSuccess) error = closed;
    if (error == kSuccess) error = Publish(temp, path, replace);
    lockHolder.reset();
    if (error != kSuccess) {
        ::unlink(temp.c_str());
        return error;
    }
    // Make the rename itself durable; a failure here leaves a complete file either way.
    const UniqueFd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.get());
    return kSuccess;
}

} // namespace

int WriteFileAtomically(const std::string& path, std::string_view bytes, FileMode mode) {
    return WriteThroughTemporaryFile(path, bytes, mode, true);
}

int CreateFileAtomically(const std::string& path, std::string_view bytes, FileMode mode) {
    return WriteThroughTemporaryFile(path, bytes, mode, false);
}

std::string WriteTargetOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

} // namespace platform

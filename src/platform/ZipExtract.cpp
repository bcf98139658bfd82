#include "platform/ZipExtract.h"

#include "platform/BelowRoot.h"
#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {
namespace {

// An entry that declares more than the file system has free is not begun: its data could not be kept anyway,
// and a zip bomb fills nothing.
int CheckFreeSpace(int fd, std::uint64_t size) {
    struct statvfs fs {};
    if (::fstatvfs(fd, &fs) != 0) return kSuccess; // unknown: the byte limit still holds
    const std::uint64_t available = std::uint64_t(fs.f_bavail) * std::uint64_t(fs.f_frsize);
    return size > available ? kDiskFull : kSuccess;
}

// The entry's mode for the new file: its own permission bits, or rw-r--r-- (less the write bits for a read-only
// entry) when it carries none. Set-user-ID and set-group-ID never come from an archive.
mode_t ModeOf(const ZipEntry& entry) {
    mode_t mode = entry.mode != 0 ? mode_t(entry.mode & 01777) : mode_t(0644);
    if (entry.readOnly) mode &= mode_t(~0222);
    return mode;
}

int WriteData(const ZipArchive& zip, const ZipEntry& entry, int fd, const std::string& password) {
    if (const int rc = zip.Extract(entry.index, fd, entry.size, password)) return rc;
    const timespec stamp = TimespecFromFileTime(entry.modified);
    const timespec times[2] = {stamp, stamp};
    if (::fchmod(fd, ModeOf(entry)) != 0) return ErrorFromErrno(errno);
    if (::futimens(fd, times) != 0) return ErrorFromErrno(errno);
    if (::fsync(fd) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

int ExtractLink(const ZipArchive& zip, const ZipEntry& entry, int dirFd, const std::string& fileName) {
    std::string target;
    if (const int rc = zip.ReadSymlink(entry.index, target)) return rc;
    if (target.find('\0') != std::string::npos || !SymlinkStaysInside(entry.name, target)) return kPathLeavesRoot;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = MakeTemporaryName();
        if (::symlinkat(target.c_str(), dirFd, name.c_str()) != 0) {
            if (errno == EEXIST) continue;
            return ErrorFromErrno(errno);
        }
        const timespec stamp = TimespecFromFileTime(entry.modified);
        const timespec times[2] = {stamp, stamp};
        (void)::utimensat(dirFd, name.c_str(), times, AT_SYMLINK_NOFOLLOW);
        if (::renameat(dirFd, name.c_str(), dirFd, fileName.c_str()) != 0) {
            const int code = ErrorFromErrno(errno);
            ::unlinkat(dirFd, name.c_str(), 0);
            return code;
        }
        return kSuccess;
    }
    return kAlreadyExists;
}

} // namespace

int ExtractEntryBelow(const ZipArchive& zip, const ZipEntry& entry, std::string_view nativeRoot,
                      std::string_view relativeDirectory, const std::string& fileName, const std::string& password) {
    if (!SafeEntryName(entry.name) || fileName.empty() || fileName.find('/') != std::string::npos || fileName == "." ||
        fileName == "..")
        return kInvalidName;
    int rawDir = -1;
    if (const int rc = OpenDirectoryBelow(nativeRoot, relativeDirectory, rawDir)) return rc;
    const UniqueFd dir(rawDir);
    if (entry.isSymlink) return ExtractLink(zip, entry, dir.get(), fileName);
    if (const int rc = CheckFreeSpace(dir.get(), entry.size)) return rc;
    int rawFile = -1;
    std::string name;
    if (const int rc = CreateTemporaryFileAt(dir.get(), 0600, rawFile, name)) return rc;
    UniqueFd file(rawFile);
    int code = WriteData(zip, entry, file.get(), password);
    if (code == kSuccess && ::renameat(dir.get(), name.c_str(), dir.get(), fileName.c_str()) != 0)
        code = ErrorFromErrno(errno);
    if (code != kSuccess) ::unlinkat(dir.get(), name.c_str(), 0);
    return code;
}

int ExtractEntryToTemporaryFile(const ZipArchive& zip, const ZipEntry& entry, const std::string& nativeDirectory,
                                const std::string& password, std::string& path) {
    path.clear();
    int rawFile = -1;
    std::string created;
    if (const int rc = CreateTemporaryFile(nativeDirectory, 0600, rawFile, created)) return rc;
    const UniqueFd file(rawFile);
    int code = CheckFreeSpace(file.get(), entry.size);
    if (code == kSuccess) code = zip.Extract(entry.index, file.get(), entry.size, password);
    if (code != kSuccess) {
        ::unlink(created.c_str());
        return code;
    }
    path = created;
    return kSuccess;
}

} // namespace platform

// File information from lstat, turned into the program's kinds and attribute word.
#include "platform/FileInfo.h"

#include "platform/ErrorCodes.h"
#include "platform/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// Describes path (relative to dirFd) under the given name.
[[nodiscard]] int Describe(int dirFd, const char* path, std::string_view name, FileInfo& info) {
    struct stat st {};
    if (fstatat(dirFd, path, &st, AT_SYMLINK_NOFOLLOW) != 0) return ErrorFromErrno(errno);
    FileKind kind;
    switch (st.st_mode & S_IFMT) {
    case S_IFREG:
        kind = FileKind::File;
        break;
    case S_IFDIR:
        kind = FileKind::Directory;
        break;
    case S_IFLNK: {
        struct stat target {};
        bool toDirectory = fstatat(dirFd, path, &target, 0) == 0 && S_ISDIR(target.st_mode);
        kind = toDirectory ? FileKind::DirectorySymlink : FileKind::FileSymlink;
        break;
    }
    default:
        return kFileNotFound;
    }

    info.name.assign(name);
    info.kind = kind;
    info.size = kind == FileKind::Directory ? 0 : static_cast<std::int64_t>(st.st_size);
    info.lastWrite = FileTimeFromTimespec(st.st_mtim);
    info.mode = st.st_mode & 07777u;
    info.uid = st.st_uid;
    info.gid = st.st_gid;
    info.attributes = 0;
    if ((st.st_mode & S_IWUSR) == 0) info.attributes |= kAttributeReadOnly;
    if (!name.empty() && name.front() == '.') info.attributes |= kAttributeHidden;
    if (info.IsDirectory()) info.attributes |= kAttributeDirectory;
    info.unrepresentable = !IsRepresentableName(name);
    info.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return kSuccess;
}

} // namespace

bool IsRepresentableName(std::string_view name) {
    return name.find_first_of("\\\r\n") == std::string_view::npos && IsValidUtf8(name);
}

int GetFileInfo(std::string_view nativePath, FileInfo& info) {
    while (nativePath.size() > 1 && nativePath.back() == '/')
        nativePath.remove_suffix(1);
    std::size_t slash = nativePath.rfind('/');
    std::string_view name =
        slash == std::string_view::npos || nativePath.size() == 1 ? nativePath : nativePath.substr(slash + 1);
    return Describe(AT_FDCWD, std::string(nativePath).c_str(), name, info);
}

int GetFileInfoAt(int dirFd, const char* name, FileInfo& info) {
    return Describe(dirFd, name, name, info);
}

std::optional<FileIdentity> IdentityOf(const std::string& nativePath) {
    struct stat st {};
    if (::stat(nativePath.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool FileVersion::operator==(const FileVersion& other) const {
    return identity == other.identity && size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec;
}

FileVersion VersionFromStat(const struct stat& st) {
    return FileVersion{{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)},
                       static_cast<std::int64_t>(st.st_size),
                       st.st_mtim,
                       st.st_ctim};
}

std::optional<FileVersion> VersionOf(const std::string& nativePath) {
    struct stat st {};
    if (::stat(nativePath.c_str(), &st) != 0) return std::nullopt;
    return VersionFromStat(st);
}

int ReadSymlinkTarget(const std::string& path, std::string& target) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return ErrorFromErrno(errno);
        if (static_cast<std::size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(n));
            return kSuccess;
        }
        buffer.resize(buffer.size() * 2); // the target was cut off: try again with room for more
    }
}

} // namespace platform

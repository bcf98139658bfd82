// What the program knows about one file or directory on disk: kind, size, time, attribute word, POSIX
// mode and owner.
#pragma once

#include "platform/ErrorCodes.h"
#include "platform/FileTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace platform {

// The attribute word. Linux sets read-only (the owner has no write permission), hidden (the name begins with
// ".") and directory; system and archive are never set by a listing.
inline constexpr std::uint32_t kAttributeReadOnly = 1;
inline constexpr std::uint32_t kAttributeHidden = 2;
inline constexpr std::uint32_t kAttributeSystem = 4;
inline constexpr std::uint32_t kAttributeDirectory = 16;
inline constexpr std::uint32_t kAttributeArchive = 32;

// FIFOs, sockets and device nodes have no kind: they are never listed or opened.
enum class FileKind {
    File,
    Directory,
    FileSymlink,      // a symlink whose target is no directory (or is missing): a file of its own
    DirectorySymlink, // a symlink to a directory: never descended
};

// Which file an entry is, whatever its name: a path that reaches the same file another way has the same identity.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What tells whether a file changed since it was read: which file it is, its size, and its modification and
// status change times to the nanosecond (the change time moves with every change and cannot be set back).
struct FileVersion {
    FileIdentity identity;
    std::int64_t size = 0;
    timespec modified{};
    timespec changed{};
    bool operator==(const FileVersion& other) const;
};

struct FileInfo {
    std::string name; // as on disk, without a directory
    FileKind kind = FileKind::File;
    std::int64_t size = 0;  // bytes of a file, the target length of a symlink, 0 for a directory
    FileTime lastWrite = 0; // UTC, from the nanosecond mtime; a symlink's own time
    std::uint32_t attributes = 0;
    std::uint32_t mode = 0; // permission bits (07777)
    std::uint32_t uid = 0;
    std::uint32_t gid = 0;
    bool unrepresentable = false; // see IsRepresentableName
    FileIdentity identity;

    // A real directory; a symlink to one is a file of its own.
    bool IsDirectory() const { return kind == FileKind::Directory; }
    bool IsSymlink() const { return kind == FileKind::FileSymlink || kind == FileKind::DirectorySymlink; }
};

// False for a name that cannot live in internal paths and line-based files: it holds "\", CR or LF, or is
// not valid UTF-8.
bool IsRepresentableName(std::string_view name);

// Information on one path, the path itself (lstat: a symlink is described, not followed; a trailing "/" is
// ignored). Returns 0; 2 when it or a directory on the way does not exist, or it is a FIFO, socket or device
// node; 3 when a component on the way is no directory; 5 when a directory on the way cannot be searched;
// 206 for a path too long; other failures map through ErrorFromErrno.
[[nodiscard]] int GetFileInfo(std::string_view nativePath, FileInfo& info);

// The same for name relative to an open directory (openat conventions: dirFd may be AT_FDCWD). Listings use
// this so that an entry is looked up without building its full path.
[[nodiscard]] int GetFileInfoAt(int dirFd, const char* name, FileInfo& info);

// The identity of the file a native path leads to (symlinks followed); std::nullopt when it does not exist.
std::optional<FileIdentity> IdentityOf(const std::string& nativePath);

// The version of the file a native path leads to (symlinks followed); std::nullopt when it cannot be looked up.
std::optional<FileVersion> VersionOf(const std::string& nativePath);
// The version a stat or fstat result describes.
FileVersion VersionFromStat(const struct stat& st);

// The target a symlink points to, as stored in the link (not resolved). Returns 0 or the system code.
[[nodiscard]] int ReadSymlinkTarget(const std::string& path, std::string& target);

} // namespace platform

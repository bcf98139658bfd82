#include "platform/RemoveTree.h"

#include "platform/ErrorCodes.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// Deeper trees are not descended: each level holds one descriptor while its contents go.
constexpr int kMaxDepth = 256;

// Opens a directory below dirFd without following a symlink of that name.
UniqueFd OpenSubdirectory(int dirFd, const char* name) {
    return UniqueFd(::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// The names in an open directory, without "." and "..". The descriptor stays the caller's.
int ListNames(int dirFd, std::vector<std::string>& names) {
    UniqueFd listing(::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!listing) return ErrorFromErrno(errno);
    DIR* dir = ::fdopendir(listing.get());
    if (dir == nullptr) return ErrorFromErrno(errno);
    (void)listing.release(); // closedir closes it
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    return ErrorFromErrno(error);
}

// Removes everything in the open directory dirFd; returns the first failure.
int RemoveContents(int dirFd, int depth) {
    // The owner may lack write or search permission on a copied directory; it can give them to itself.
    struct stat info {};
    if (::fstat(dirFd, &info) == 0 && info.st_uid == ::geteuid())
        (void)::fchmod(dirFd, (info.st_mode & 07777) | S_IRWXU);
    std::vector<std::string> names;
    int first = ListNames(dirFd, names);
    auto note = [&first](int code) {
        if (first == kSuccess) first = code;
    };
    for (const std::string& name : names) {
        // Opening with O_NOFOLLOW first decides what the entry is without a gap between looking and acting:
        // a directory is emptied through this descriptor, anything else (a symlink too) is unlinked itself.
        UniqueFd child = OpenSubdirectory(dirFd, name.c_str());
        if (child) {
            if (depth >= kMaxDepth) {
                note(kPathTooLong);
                continue;
            }
            note(RemoveContents(child.get(), depth + 1));
            child.reset();
            if (::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) != 0) note(ErrorFromErrno(errno));
        } else if (::unlinkat(dirFd, name.c_str(), 0) != 0) {
            note(ErrorFromErrno(errno));
        }
    }
    return first;
}

} // namespace

int RemoveDirectoryTree(const std::string& nativePath) {
    UniqueFd dir(::open(nativePath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir) {
        const int error = errno;
        struct stat info {};
        if (error == ELOOP || (error == ENOTDIR && ::lstat(nativePath.c_str(), &info) == 0 && S_ISLNK(info.st_mode)))
            return kLinkInPath;
        if (error == ENOTDIR) return kPathNotFound;
        return ErrorFromErrno(error);
    }
    const int contents = RemoveContents(dir.get(), 1);
    dir.reset();
    if (contents != kSuccess) return contents;
    if (::rmdir(nativePath.c_str()) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

} // namespace platform

#include "platform/RenameNoReplace.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

int RenameNoReplace(const std::string& nativeFrom, const std::string& nativeTo) {
    if (::renameat2(AT_FDCWD, nativeFrom.c_str(), AT_FDCWD, nativeTo.c_str(), RENAME_NOREPLACE) == 0) return kSuccess;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS) return ErrorFromErrno(err);
    // Some network and FUSE file systems refuse the flag; there the check leaves a small race, which is
    // acceptable for directories that only this program rotates.
    struct stat target {};
    if (::lstat(nativeTo.c_str(), &target) == 0) return kAlreadyExists;
    if (::rename(nativeFrom.c_str(), nativeTo.c_str()) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

} // namespace platform

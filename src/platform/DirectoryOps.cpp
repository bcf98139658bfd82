// mkdir and rmdir with the program's codes.
#include "platform/DirectoryOps.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int CreateDirectoryLevel(const std::string& nativePath) {
    if (::mkdir(nativePath.c_str(), 0777) != 0) return errno == ENOENT ? kPathNotFound : ErrorFromErrno(errno);
    return kSuccess;
}

int RemoveEmptyDirectory(const std::string& nativePath) {
    if (::rmdir(nativePath.c_str()) == 0) return kSuccess;
    // POSIX allows EEXIST for a directory that is not empty.
    return errno == EEXIST ? kDirNotEmpty : ErrorFromErrno(errno);
}

} // namespace platform

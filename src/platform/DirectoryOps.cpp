// mkdir and rmdir with the program's codes.
#include "platform/DirectoryOps.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int CreateDirectoryLevel(const std::string& nativePath, std::optional<mode_t> sourceMode) {
    // Created with the restricted mode at once: a directory that is open to others for a moment is open to them
    // for good (they can enter it and keep a descriptor).
    const mode_t mode = sourceMode ? (*sourceMode & (S_IRWXG | S_IRWXO | S_ISVTX)) | S_IRWXU : 0777;
    if (::mkdir(nativePath.c_str(), mode) != 0) return errno == ENOENT ? kPathNotFound : ErrorFromErrno(errno);
    return kSuccess;
}

int RemoveEmptyDirectory(const std::string& nativePath) {
    if (::rmdir(nativePath.c_str()) == 0) return kSuccess;
    // POSIX allows EEXIST for a directory that is not empty.
    return errno == EEXIST ? kDirNotEmpty : ErrorFromErrno(errno);
}

} // namespace platform

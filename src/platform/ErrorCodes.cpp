// errno → the program's error codes.
#include "platform/ErrorCodes.h"

#include <cerrno>
#include <cstring>

namespace platform {

int ErrorFromErrno(int err) {
    switch (err) {
    case 0:
        return kSuccess;
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
        return kPathNotFound;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
        return kAccessDenied;
    case EROFS:
        return kWriteProtected;
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return kNotReady;
    case EIO:
        return kGeneralFailure;
    case EBUSY:
    case ETXTBSY:
        return kSharingViolation;
    case EAGAIN:
        return kLockViolation;
    case EEXIST:
        return kAlreadyExists;
    case EINVAL:
        return kInvalidParameter;
    case ENAMETOOLONG:
        return kPathTooLong;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kDiskFull;
    case EILSEQ:
        return kInvalidName;
    case ENOTEMPTY:
        return kDirNotEmpty;
    case ELOOP:
        return kBadPathname;
    case EISDIR:
        return kAccessDenied;
    case ENOTSUP:
        return kNotSupported;
    case ENETUNREACH:
    case EHOSTUNREACH:
        return kNetworkUnreachable;
    case ECANCELED:
        return kCancelled;
    default:
        return kErrnoBase + err;
    }
}

std::optional<std::string> SystemMessage(int code) {
    if (code <= kErrnoBase) return std::nullopt;
    return std::string(std::strerror(code - kErrnoBase));
}

}  // namespace platform

#include "platform/FileRemoval.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

int RemoveFile(const std::string& nativePath) {
    if (::unlink(nativePath.c_str()) == 0) return kSuccess;
    return errno == EISDIR ? kAccessDenied : ErrorFromErrno(errno);
}

} // namespace platform

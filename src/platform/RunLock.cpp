#include "platform/RunLock.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace platform {

int cRunLock::Acquire(const std::string& lockFile) {
    m_fd.reset(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!m_fd) return kSuccess;
    while (::flock(m_fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool taken = errno == EWOULDBLOCK;
        m_fd.reset();
        return taken ? kSharingViolation : kSuccess;
    }
    return kSuccess;
}

} // namespace platform

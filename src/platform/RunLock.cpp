#include "platform/RunLock.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

cRunLock::~cRunLock() {
    if (m_fd >= 0) ::close(m_fd); // closing releases the lock; the file stays for the next run
}

int cRunLock::Acquire(const std::string& lockFile) {
    m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0) return kSuccess;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool taken = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
        return taken ? kSharingViolation : kSuccess;
    }
    return kSuccess;
}

} // namespace platform

#include "platform/UniqueFd.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

void UniqueFd::reset(int fd) noexcept {
    // Never retried on EINTR: Linux has released the descriptor either way, and a retry could close another
    // thread's new one.
    if (m_fd >= 0 && m_fd != fd) {
        const int err = errno; // a caller may still have to read the errno of the call that gave fd
        ::close(m_fd);
        errno = err;
    }
    m_fd = fd;
}

int UniqueFd::close() noexcept {
    if (m_fd < 0) return kSuccess;
    const int result = ::close(release());
    return result == 0 ? kSuccess : ErrorFromErrno(errno);
}

} // namespace platform

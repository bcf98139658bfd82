// One run of a profile at a time: an exclusive lock on a file beside the profile, held from the start of a run
// to its end, so that a second run of the same profile (cron and the window, a double click) is refused.
#pragma once

#include "platform/UniqueFd.h"

#include <string>

namespace platform {

class cRunLock {
public:
    cRunLock() = default;
    cRunLock(const cRunLock&) = delete;
    cRunLock& operator=(const cRunLock&) = delete;

    // Takes the lock on lockFile, creating it (owner-only) when it does not exist. Returns 0 when the lock is
    // held, also when the lock file cannot be created at all (a profile on read-only media still runs);
    // kSharingViolation when another process holds it.
    [[nodiscard]] int Acquire(const std::string& lockFile);

private:
    UniqueFd m_fd; // closing releases the lock; the file stays for the next run
};

} // namespace platform

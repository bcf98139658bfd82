// The program's clock: the system clock, or a fixed time for tests.
#include "platform/Clock.h"

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace platform {
namespace {

// The fixed time of tests; runs on other threads read it.
constexpr FileTime kNoFixedTime = std::numeric_limits<FileTime>::min();
std::atomic<FileTime> fixedClock{kNoFixedTime};

} // namespace

FileTime NowUtc() {
    if (const FileTime fixed = fixedClock.load(std::memory_order_relaxed); fixed != kNoFixedTime) return fixed;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return FileTimeFromTimespec(now);
}

FileTime NowLocal() {
    return UtcToLocal(NowUtc());
}

void SetClock(std::optional<FileTime> fixedUtc) {
    fixedClock.store(fixedUtc.value_or(kNoFixedTime), std::memory_order_relaxed);
}

void SetTimeZone(const std::string& zone) {
    if (zone.empty())
        unsetenv("TZ");
    else
        setenv("TZ", zone.c_str(), 1);
    tzset();
}

} // namespace platform

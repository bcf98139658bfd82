// The program's clock: the system clock, or a fixed time for tests.
#include "platform/Clock.h"

#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

// The program has one thread; the fixed time is set by tests only.
std::optional<FileTime> fixedClock;

} // namespace

FileTime NowUtc() {
    if (fixedClock) return *fixedClock;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return FileTimeFromTimespec(now);
}

FileTime NowLocal() {
    return UtcToLocal(NowUtc());
}

void SetClock(std::optional<FileTime> fixedUtc) {
    fixedClock = fixedUtc;
}

void SetTimeZone(const std::string& zone) {
    if (zone.empty())
        unsetenv("TZ");
    else
        setenv("TZ", zone.c_str(), 1);
    tzset();
}

} // namespace platform

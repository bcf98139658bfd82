// The tolerant time comparison.
#include "engine/CompareTimes.h"

#include "profile/Parameters.h"

#include <algorithm>
#include <cstdint>
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;

// Rounds ticks to whole seconds, halves to the even second.
std::int64_t RoundToSeconds(std::int64_t ticks) {
    std::int64_t seconds = ticks / platform::kTicksPerSecond;
    const std::int64_t rest = ticks % platform::kTicksPerSecond; // same sign as ticks
    const std::int64_t twiceRest = rest < 0 ? -2 * rest : 2 * rest;
    const std::int64_t away = ticks < 0 ? -1 : 1;
    if (twiceRest > platform::kTicksPerSecond || (twiceRest == platform::kTicksPerSecond && seconds % 2 != 0))
        seconds += away;
    return seconds;
}

} // namespace

cTimeTolerance cTimeTolerance::FromParameters(const cParameters& p) {
    return cTimeTolerance{p.TimeDifference, p.IgnoreDST};
}

int CompareTimes(platform::FileTime a, platform::FileTime b, const cTimeTolerance& tolerance) {
    if (b == 0) return 1;
    std::int64_t ticks = 0;
    // Only times far outside any calendar overflow; they are as far apart as times can be.
    if (__builtin_sub_overflow(a, b, &ticks)) return a > b ? 1 : -1;
    const std::int64_t d = RoundToSeconds(ticks);
    // A negative tolerance would make equal times unequal.
    const std::int64_t t = std::max(tolerance.TimeDifference, 0);
    int result = d < -t ? -1 : (d > t ? 1 : 0);
    if (tolerance.IgnoreDST && result != 0) {
        const std::int64_t magnitude = d < 0 ? -d : d;
        if (magnitude >= kSecondsPerHour - t && magnitude <= kSecondsPerHour + t) result = 0;
    }
    return result;
}

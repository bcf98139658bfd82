// The size and double-modification tests.
#include "engine/PairTests.h"

bool SizesDifferByFactor(const cSideRecord& found, const cSideRecord& other, bool sizesCompare, int factor) {
    if (!sizesCompare || !other.Exists()) return false;
    if (found.Size == 0 && other.Size == 0) return false;
    // long double holds every 64-bit size exactly, and the products cannot overflow.
    const auto s1 = static_cast<long double>(found.Size);
    const auto s2 = static_cast<long double>(other.Size);
    const auto f = static_cast<long double>(factor);
    return s1 >= f * s2 || s2 >= f * s1;
}

bool IsModifiedSinceLastRun(const cSideRecord& other, platform::FileTime lastRun, bool useUtc) {
    if ((static_cast<std::uint64_t>(lastRun) >> 32) == 0) return false;
    const platform::FileTime reference = useUtc ? platform::LocalToUtc(lastRun) : lastRun;
    return other.Exists() && other.Time >= reference;
}

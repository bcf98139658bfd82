// The age and attribute filters.
#include "engine/FileFilters.h"

#include "platform/Clock.h"
#include "platform/FileInfo.h"
#include "profile/Parameters.h"

#include <cmath>

namespace {

constexpr int kAgeModeMask = 0x03;
constexpr int kAgeModeRelative = 1;
constexpr int kAgeModeAbsolute = 2;
constexpr int kAgeModeLastRun = 3;
constexpr int kAgeModeReversed = 0x04;

} // namespace

platform::FileTime ComputeAgeLimit(const cParameters& p) {
    switch (p.AgeMode & kAgeModeMask) {
    case kAgeModeRelative: {
        const int today = platform::DayNumberFromFileTime(platform::NowLocal());
        const double day = std::floor(static_cast<double>(today) - p.DateOffset - p.RelativeAge);
        return platform::FileTimeFromDayNumber(static_cast<int>(day));
    }
    case kAgeModeAbsolute:
        return platform::FileTimeFromDayNumber(p.AbsoluteAge);
    case kAgeModeLastRun:
        return p.LastRun;
    default:
        return 0;
    }
}

cAgeFilter AgeFilterFromParameters(const cParameters& p) {
    cAgeFilter filter;
    filter.Limit = ComputeAgeLimit(p);
    if (p.UseUTC && filter.Limit != 0) filter.Limit = platform::LocalToUtc(filter.Limit);
    filter.Reversed = (p.AgeMode & kAgeModeReversed) != 0;
    return filter;
}

bool PassesAgeFilter(const cAgeFilter& filter, platform::FileTime time) {
    if (filter.Limit == 0) return !filter.Reversed;
    return filter.Reversed ? time < filter.Limit : time >= filter.Limit;
}

bool PassesAttributeFilter(const cSideRecord& record, int allowedAttributes) {
    if (!record.Exists()) return true;
    const auto allowed = static_cast<std::uint32_t>(allowedAttributes);
    if ((record.Attributes & platform::kAttributeHidden) != 0 && (allowed & platform::kAttributeHidden) == 0)
        return false;
    if ((record.Attributes & platform::kAttributeSystem) != 0 && (allowed & platform::kAttributeSystem) == 0)
        return false;
    return true;
}

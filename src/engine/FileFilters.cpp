// The age and attribute filters.
#include "engine/FileFilters.h"

#include "platform/Clock.h"
#include "platform/FileInfo.h"
#include "profile/Parameters.h"

#include <cmath>

platform::FileTime ComputeAgeLimit(const cParameters& p) {
    switch (AgeModeOf(p.AgeMode)) {
    case eAgeMode::RelativeAge: {
        const int today = platform::DayNumberFromFileTime(platform::NowLocal());
        const double day = std::floor(static_cast<double>(today) - p.DateOffset - p.RelativeAge);
        return platform::FileTimeFromDayNumber(static_cast<int>(day));
    }
    case eAgeMode::AbsoluteAge:
        return platform::FileTimeFromDayNumber(p.AbsoluteAge);
    case eAgeMode::LastRun:
        return p.LastRun;
    case eAgeMode::None:
        break;
    }
    return 0;
}

cAgeFilter AgeFilterFromParameters(const cParameters& p) {
    cAgeFilter filter;
    filter.Limit = ComputeAgeLimit(p);
    if (p.UseUTC && filter.Limit != 0) filter.Limit = platform::LocalToUtc(filter.Limit);
    filter.Reversed = AgeModeReversed(p.AgeMode);
    return filter;
}

bool PassesAgeFilter(const cAgeFilter& filter, platform::FileTime time) {
    if (filter.Limit == 0) return !filter.Reversed;
    return filter.Reversed ? time < filter.Limit : time >= filter.Limit;
}

bool PassesAttributeFilter(const cSideRecord& record, int allowedAttributes) {
    if (!record.Exists()) return true;
    if ((record.Attributes & platform::kAttributeHidden) != 0 &&
        !AllowsChange(allowedAttributes, eAttributeChange::Hidden))
        return false;
    if ((record.Attributes & platform::kAttributeSystem) != 0 &&
        !AllowsChange(allowedAttributes, eAttributeChange::System))
        return false;
    return true;
}

// The age and attribute filters that decide whether a file found by the scan is looked at at all.
#pragma once

#include "engine/SideRecord.h"
#include "platform/FileTime.h"

class cParameters;

// The age test as the rules apply it. Limit is in the time base of the side records (UTC when the profile's
// UseUTC is set, else local); 0 means there is no limit.
struct cAgeFilter {
    platform::FileTime Limit = 0;
    bool Reversed = false; // pass only files older than Limit
};

// The reference time of the age test as a local calendar time, by AgeModeOf(AgeMode): None no limit (0);
// RelativeAge the start of the day RelativeAge days (and DateOffset) before today; AbsoluteAge the start of the
// day AbsoluteAge; LastRun LastRun.
// Today comes from the program's clock.
platform::FileTime ComputeAgeLimit(const cParameters& p);

// The filter for this run: ComputeAgeLimit, taken to UTC when UseUTC is set so that it is compared with
// record times of the same base, and AgeModeReversed(AgeMode) as the reversal.
cAgeFilter AgeFilterFromParameters(const cParameters& p);

// Not reversed: the time is not earlier than the limit (every time passes without a limit). Reversed: the time
// is earlier than the limit; without a limit nothing passes.
bool PassesAgeFilter(const cAgeFilter& filter, platform::FileTime time);

// A present record with the hidden attribute needs eAttributeChange::Hidden in allowedAttributes (the profile's
// Attributes), one with the system attribute eAttributeChange::System. A missing record always passes.
bool PassesAttributeFilter(const cSideRecord& record, int allowedAttributes);

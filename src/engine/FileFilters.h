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

// The reference time of the age test as a local calendar time, by AgeMode bits 0-1: 0 none (0); 1 the start
// of the day RelativeAge days (and DateOffset) before today; 2 the start of the day AbsoluteAge; 3 LastRun.
// Today comes from the program's clock.
platform::FileTime ComputeAgeLimit(const cParameters& p);

// The filter for this run: ComputeAgeLimit, taken to UTC when UseUTC is set so that it is compared with
// record times of the same base, and bit 2 of AgeMode as the reversal.
cAgeFilter AgeFilterFromParameters(const cParameters& p);

// Not reversed: the time is not earlier than the limit (every time passes without a limit). Reversed: the time
// is earlier than the limit; without a limit nothing passes.
bool PassesAgeFilter(const cAgeFilter& filter, platform::FileTime time);

// A present record with the hidden attribute needs the hidden bit (2) of allowedAttributes, one with the system
// attribute the system bit (4). A missing record always passes.
bool PassesAttributeFilter(const cSideRecord& record, int allowedAttributes);

// The tolerant comparison of two file times that decides which side of a pair is newer.
#pragma once

#include "platform/FileTime.h"

class cParameters;

// How far apart two times may be and still count as equal.
struct cTimeTolerance {
    int TimeDifference = 2; // seconds; a negative value counts as 0
    bool IgnoreDST = false; // a difference of one hour, give or take TimeDifference, counts as equal

    static cTimeTolerance FromParameters(const cParameters& p);
};

// -1 when a is older than b, +1 when it is newer, 0 when the two count as equal. A b of 0 (no file) makes a
// newer. The difference is taken in whole seconds, rounded to the nearest (halves to even).
int CompareTimes(platform::FileTime a, platform::FileTime b, const cTimeTolerance& tolerance);

// The size and double-modification tests that add findings to a pair's action flags.
#pragma once

#include "engine/SideRecord.h"
#include "platform/FileTime.h"

// Whether the sizes of the two records differ by at least factor, either way: only when sizesCompare is set,
// the other side exists and not both files are empty. An empty file and a non-empty one always differ.
bool SizesDifferByFactor(const cSideRecord& found, const cSideRecord& other, bool sizesCompare, int factor);

// Whether the other side was changed since the last run: its time is not earlier than lastRun, which counts as
// set only when its upper 32 bits are not 0. lastRun is a local time; it is taken to UTC when the records are
// kept in UTC (useUtc) so that both times have the same base.
bool IsModifiedSinceLastRun(const cSideRecord& other, platform::FileTime lastRun, bool useUtc);

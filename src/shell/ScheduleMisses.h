// Telling the user about scheduled runs that did not happen.
#pragma once

#include "shell/ScheduleTicker.h"

#include <vector>

class cParameters;

// Writes a line per missed minute (ScheduleMissLine) to stderr and, for a profile with an active log, appended
// to its log file, where the user looks for what the program did. After kMaxListedMisses lines one more line
// gives the number of the others.
void ReportScheduleMisses(const cParameters& params, const std::vector<cScheduleMiss>& misses);

inline constexpr std::size_t kMaxListedMisses = 20;

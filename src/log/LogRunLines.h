// The lines of the run's frame: header, time base, summary, footer and the abort line.
#pragma once

#include "log/LogEvent.h"

#include <string>
#include <vector>

class cParameters;

// Appends to lines what one of the events 30103, 30104, 30306, 30997 and 30999 writes and returns true;
// returns false, adding nothing, for any other event.
bool AppendRunEventLines(std::vector<std::string>& lines, const cParameters& params, int event,
                         const cLogEventData& data);

// The line forms of the log and the lines of the file, directory and list-file events.
#pragma once

#include "log/LogEvent.h"
#include "profile/ProfileEnums.h"

#include <string>
#include <string_view>
#include <vector>

// Display form of a path: whole up to 60 characters, otherwise its first 28 characters, "..." and its last 29.
std::string ShortenPath(std::string_view path);

// Appends to lines what a file, directory or list-file event writes (without the per-file time line) and
// returns true; returns false, adding nothing, for any other event.
bool AppendFileEventLines(std::vector<std::string>& lines, int event, const cLogEventData& data,
                          eLogFileInfo fileInfoMode);

// Whether the event is one that the per-file time line precedes.
bool IsFileEvent(int event);

// The single-line events of the log: setup errors, zip and FTP notes, warnings.
#pragma once

#include "log/LogEvent.h"

#include <optional>
#include <string>

// The line of a single-line event (30105 .. 30125, 30209 .. 30218, 30220), or std::nullopt for any other event.
std::optional<std::string> MessageEventLine(int event, const cLogEventData& data);

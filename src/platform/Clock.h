// The one clock of the program: every "now" and "today" comes from here, and tests can set it.
#pragma once

#include "platform/FileTime.h"

#include <optional>
#include <string>

namespace platform {

// The current time as UTC FileTime: the system clock, or the fixed time set for tests.
FileTime NowUtc();
// The current local time (NowUtc converted with UtcToLocal).
FileTime NowLocal();

// Fixes the clock at the given UTC time; std::nullopt returns to the system clock.
void SetClock(std::optional<FileTime> fixedUtc);

// Switches the time zone used by UtcToLocal / LocalToUtc (an Olson name such as "Europe/Berlin", or any other
// TZ value); the empty text returns to the system's own zone.
void SetTimeZone(const std::string& zone);

} // namespace platform

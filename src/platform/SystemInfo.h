// Facts about the running system that the program records at start.
#pragma once

#include <string>

namespace platform {

// The system's name and kernel release as uname reports them ("Linux 6.1.0-18-amd64"); "Linux" alone when
// uname fails.
std::string SystemName();

// Whether the user's measurement locale (LC_MEASUREMENT, by LC_ALL / LC_MEASUREMENT / LANG) is metric;
// true when the locale cannot be loaded.
bool LocaleUsesMetricUnits();

} // namespace platform

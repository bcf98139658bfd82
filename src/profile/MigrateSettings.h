// First start: takes over the settings file of the previous program version when there is none yet.
#pragma once

#include <string>

// Runs only when nothing exists at settingsFilePath. Looks in the parent folder of executableFolder for
// folders whose names match "Tolv*" (any case) holding a file "Tolvan50.ini" (any case) directly inside, and
// copies the newest of these files (a later one replaces an earlier only when strictly newer; they are taken
// in name order) to settingsFilePath with mode 0600, creating its folder (0700) when missing. The copy never
// replaces a file that appeared meanwhile, and a failed copy leaves nothing behind. Every failure is ignored.
// The older program also looked up its folder in the Windows registry; Linux has no such entry to consult.
void MigrateSettings(const std::string& settingsFilePath, const std::string& executableFolder);

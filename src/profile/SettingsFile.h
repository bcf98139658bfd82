// The settings file at start-up: where it lives, the first-start takeover of the previous version's file, and
// the "Drives" section that maps roots of profiles made on Windows to directories here.
#pragma once

#include "platform/Roots.h"
#include "profile/IniFile.h"

#include <memory>
#include <string>
#include <string_view>

inline constexpr std::string_view kSettingsFileName = "Tolvan6.ini";
inline constexpr std::string_view kDrivesSection = "Drives";

// Opens settingsFolder + "Tolvan6.ini". When the file does not exist yet, MigrateSettings first takes over the
// previous version's file from beside executableFolder. Then the section "Drives" is loaded into the drive map.
// A missing file reads as empty and is created by the first write.
std::unique_ptr<cIniFile> OpenSettingsFile(const std::string& settingsFolder, const std::string& executableFolder);
// The same in the program's own place: platform::SettingsFolder(), beside platform::ExecutableFolder().
std::unique_ptr<cIniFile> OpenSettingsFile();

// Opens the settings file in the program's own place for a command that must not write anything: no first-start
// takeover; the "Drives" section is loaded.
std::unique_ptr<cIniFile> OpenSettingsFileWithoutTakeover();

// The drive map of the section "Drives": key = a root as a profile from Windows writes it ("D:",
// "\\NAS\BACKUP"), value = an absolute POSIX directory. Other keys and values that are no absolute directory
// are skipped; of two keys that name one root the first in the file counts.
platform::cDriveMap ReadDrives(const cIniFile& file);

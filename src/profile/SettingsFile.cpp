// The settings file at start-up: its place, the first-start takeover and the "Drives" section.
#include "profile/SettingsFile.h"

#include "platform/ProgramFolders.h"
#include "platform/Roots.h"
#include "profile/MigrateSettings.h"

std::unique_ptr<cIniFile> OpenSettingsFile(const std::string& settingsFolder, const std::string& executableFolder) {
    std::string path = settingsFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += kSettingsFileName;
    MigrateSettings(path, executableFolder);
    auto file = std::make_unique<cIniFile>(path);
    LoadDrives(*file);
    return file;
}

std::unique_ptr<cIniFile> OpenSettingsFile() {
    return OpenSettingsFile(platform::SettingsFolder(), platform::ExecutableFolder());
}

void LoadDrives(const cIniFile& file) {
    platform::cDriveMap& drives = platform::cDriveMap::Instance();
    drives.Clear();
    for (const std::string& root : file.Keys(kDrivesSection)) {
        if (drives.Lookup(root)) continue; // an earlier key named the same root
        if (auto directory = file.Read(kDrivesSection, root)) drives.Set(root, *directory);
    }
}

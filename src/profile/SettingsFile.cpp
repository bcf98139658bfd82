// The settings file at start-up: its place, the first-start takeover and the "Drives" section.
#include "profile/SettingsFile.h"

#include "platform/ProgramFolders.h"
#include "platform/Roots.h"
#include "profile/MigrateSettings.h"

namespace {

std::string SettingsPath(const std::string& settingsFolder) {
    std::string path = settingsFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + std::string(kSettingsFileName);
}

std::unique_ptr<cIniFile> LoadSettingsFile(const std::string& path) {
    return std::make_unique<cIniFile>(path);
}

} // namespace

std::unique_ptr<cIniFile> OpenSettingsFile(const std::string& settingsFolder, const std::string& executableFolder) {
    const std::string path = SettingsPath(settingsFolder);
    MigrateSettings(path, executableFolder);
    return LoadSettingsFile(path);
}

std::unique_ptr<cIniFile> OpenSettingsFileWithoutTakeover() {
    return LoadSettingsFile(SettingsPath(platform::SettingsFolder()));
}

std::unique_ptr<cIniFile> OpenSettingsFile() {
    return OpenSettingsFile(platform::SettingsFolder(), platform::ExecutableFolder());
}

platform::cDriveMap ReadDrives(const cIniFile& file) {
    platform::cDriveMap drives;
    for (const std::string& root : file.Keys(kDrivesSection)) {
        if (drives.Lookup(root)) continue; // an earlier key named the same root
        if (auto directory = file.Read(kDrivesSection, root)) drives.Set(root, *directory);
    }
    return drives;
}

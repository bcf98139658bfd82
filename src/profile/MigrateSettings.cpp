// First start: takes over the settings file of the previous program version when there is none yet.
#include "profile/MigrateSettings.h"

#include "platform/AtomicFile.h"
#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/ProgramFolders.h"
#include "platform/ReadRegularFile.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The folder above the executable's folder, with a trailing "/".
std::string ParentOf(const std::string& folder) {
    std::string path = WithoutTrailingSlashes(folder);
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return path + "/";
    return path.substr(0, slash + 1);
}

std::vector<platform::FileInfo> SortedListing(const std::string& folder, std::string_view mask) {
    std::vector<platform::FileInfo> entries;
    if (platform::ListDirectory(folder, mask, entries) != platform::kSuccess) return {};
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return entries;
}

// The newest "Tolvan50.ini" in a "Tolv*" folder beside the executable's folder.
std::optional<std::string> FindPreviousSettings(const std::string& executableFolder) {
    std::string parent = ParentOf(executableFolder);
    std::optional<std::string> newest;
    platform::FileTime newestTime = 0;
    for (const auto& folder : SortedListing(parent, "Tolv*")) {
        if (!folder.IsDirectory()) continue;
        std::string folderPath = parent + folder.name + "/";
        for (const auto& file : SortedListing(folderPath, "Tolvan50.ini")) {
            if (file.kind != platform::FileKind::File) continue;
            if (!newest || file.lastWrite > newestTime) {
                newest = folderPath + file.name;
                newestTime = file.lastWrite;
            }
        }
    }
    return newest;
}

// The settings file is readable by its owner only, as the settings file always is.
constexpr platform::FileMode kSettingsMode = 0600;

} // namespace

void MigrateSettings(const std::string& settingsFilePath, const std::string& executableFolder) {
    platform::FileInfo existing;
    if (platform::GetFileInfo(settingsFilePath, existing) != platform::kFileNotFound) return;
    auto previous = FindPreviousSettings(executableFolder);
    if (!previous) return;
    const platform::FileBytes content = platform::ReadRegularFile(*previous, platform::kMaxOwnTextFileBytes);
    if (!content) return;
    auto slash = settingsFilePath.rfind('/');
    // A folder that cannot be created makes the write below fail, which leaves nothing behind.
    if (slash != std::string::npos && slash > 0) (void)platform::CreatePrivateFolder(settingsFilePath.substr(0, slash));
    // Never replaces a file that appeared meanwhile; a failed write leaves nothing behind.
    (void)platform::CreateFileAtomically(settingsFilePath, content.bytes, kSettingsMode);
}

// First start: takes over the settings file of the previous program version when there is none yet.
#include "profile/MigrateSettings.h"

#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "platform/ProgramFolders.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
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

bool CopyContent(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t written = ::write(to, buffer + done, static_cast<std::size_t>(n - done));
            if (written > 0)
                done += written;
            else if (written == 0 || errno != EINTR)
                return false;
        }
    }
}

// Copies through a temporary file beside the target, which is then moved to the target's name only if that
// name is still free (rename without replacing, or a hard link where the file system lacks it).
void CopyWithoutReplacing(const std::string& source, const std::string& target) {
    int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (from < 0) return;
    auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, std::max<std::size_t>(slash, 1));
    std::string temp;
    int to = -1;
    if (platform::CreateTemporaryFile(folder, 0600, to, temp) != platform::kSuccess) {
        ::close(from);
        return;
    }
    bool copied = CopyContent(from, to) && ::fsync(to) == 0;
    ::close(from);
    if (::close(to) != 0) copied = false;
    if (copied && ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0 &&
        errno != EEXIST)
        ::link(temp.c_str(), target.c_str());
    ::unlink(temp.c_str()); // gone already after the rename; after a link the target keeps the content
}

} // namespace

void MigrateSettings(const std::string& settingsFilePath, const std::string& executableFolder) {
    struct stat st {};
    if (::lstat(settingsFilePath.c_str(), &st) == 0 || errno != ENOENT) return;
    auto previous = FindPreviousSettings(executableFolder);
    if (!previous) return;
    auto slash = settingsFilePath.rfind('/');
    if (slash != std::string::npos && slash > 0) platform::CreatePrivateFolder(settingsFilePath.substr(0, slash));
    CopyWithoutReplacing(*previous, settingsFilePath);
}

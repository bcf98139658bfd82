// The freedesktop.org trash: choosing the trash directory, reserving a name through its info file, moving.
#include "platform/Trash.h"

#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/ErrorCodes.h"
#include "platform/ProgramFolders.h"
#include "platform/RenameNoReplace.h"
#include "platform/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Gives up on finding a free name after this many numbered ones.
constexpr int kNameAttempts = 10000;

std::string ParentOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Join(const std::string& directory, const std::string& name) {
    return directory == "/" ? "/" + name : directory + "/" + name;
}

std::string HomeTrash() {
    std::optional<std::string> dataHome = GetEnvironment("XDG_DATA_HOME");
    std::string base =
        dataHome && !dataHome->empty() && dataHome->front() == '/' ? *dataHome : Join(HomeFolder(), ".local/share");
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return Join(base, "Trash");
}

// The device of the path, or of its nearest existing parent when it does not exist yet.
bool DeviceOfNearest(std::string path, dev_t& device) {
    for (;;) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            device = st.st_dev;
            return true;
        }
        if (path == "/" || path == ".") return false;
        path = ParentOf(path);
    }
}

// Creates the missing levels of a directory path, each readable by the owner only.
[[nodiscard]] int MakeDirectories(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? kSuccess : kPathNotFound;
    if (path != "/" && path != ".") {
        int error = MakeDirectories(ParentOf(path));
        if (error != kSuccess) return error;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return ErrorFromErrno(errno);
    return kSuccess;
}

// A trash directory below a shared top directory must be our own real directory, no symlink planted there.
bool IsOwnDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

[[nodiscard]] int PrepareTrash(const std::string& trash) {
    int error = MakeDirectories(Join(trash, "files"));
    if (error == kSuccess) error = MakeDirectories(Join(trash, "info"));
    return error;
}

// The mount point holding the directory: the highest parent on the same device.
std::string TopDirectory(std::string directory, dev_t device) {
    while (directory != "/") {
        std::string parent = ParentOf(directory);
        struct stat st {};
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device) break;
        directory = parent;
    }
    return directory;
}

// $topdir/.Trash/$uid when the administrator set up a sticky .Trash, else $topdir/.Trash-$uid.
[[nodiscard]] int TopDirectoryTrash(const std::string& topDirectory, std::string& trash) {
    const std::string uid = std::to_string(::getuid());
    const std::string shared = Join(topDirectory, ".Trash");
    struct stat st {};
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        trash = Join(shared, uid);
        if (::mkdir(trash.c_str(), 0700) == 0 || errno == EEXIST)
            if (IsOwnDirectory(trash) && PrepareTrash(trash) == kSuccess) return kSuccess;
    }
    trash = Join(topDirectory, ".Trash-" + uid);
    if (::mkdir(trash.c_str(), 0700) != 0 && errno != EEXIST) return ErrorFromErrno(errno);
    if (!IsOwnDirectory(trash)) return kAccessDenied;
    return PrepareTrash(trash);
}

// Path= of the info file: URL-style escapes for every byte but letters, digits, "-._~" and "/".
std::string PercentEncoded(const std::string& path) {
    std::string encoded;
    for (unsigned char c : path) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                     c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return encoded;
}

std::string InfoText(const std::string& recordedPath) {
    DateTime now = SplitFileTime(NowLocal());
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02dT%02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return "[Trash Info]\nPath=" + PercentEncoded(recordedPath) + "\nDeletionDate=" + date + "\n";
}

// "Brief.doc", "Brief.2.doc", "Brief.3.doc" ...; long names are cut so that "<name>.trashinfo" fits.
std::string TrashName(const std::string& name, int number) {
    std::size_t keep = std::min<std::size_t>(name.size(), 200);
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    std::string base = name.substr(0, keep);
    if (number == 1) return base;
    std::size_t dot = base.rfind('.');
    if (dot == std::string::npos || dot == 0) return base + "." + std::to_string(number);
    return base.substr(0, dot) + "." + std::to_string(number) + base.substr(dot);
}

[[nodiscard]] int WriteInfo(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    return kSuccess;
}

// Reserves a name with an info file created exclusively, then moves the file under that name. A name whose
// files/ entry is taken without an info file (left by another program) is skipped, never replaced.
[[nodiscard]] int MoveIntoTrash(const std::string& path, const std::string& trash, const std::string& recordedPath) {
    const std::string text = InfoText(recordedPath);
    const std::string name = path.substr(path.rfind('/') + 1);
    for (int number = 1; number <= kNameAttempts; ++number) {
        const std::string trashName = TrashName(name, number);
        const std::string info = Join(trash, "info/" + trashName + ".trashinfo");
        UniqueFd fd(::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!fd) {
            if (errno == EEXIST) continue;
            return ErrorFromErrno(errno);
        }
        int error = WriteInfo(fd.get(), text);
        if (const int closed = fd.close(); closed != kSuccess && error == kSuccess) error = closed;
        if (error == kSuccess) error = RenameNoReplace(path, Join(trash, "files/" + trashName));
        if (error == kSuccess) return kSuccess;
        ::unlink(info.c_str());
        if (error != kAlreadyExists) return error;
    }
    return kAlreadyExists;
}

} // namespace

int MoveToTrash(const std::string& nativePath) {
    struct stat st {};
    if (::lstat(nativePath.c_str(), &st) != 0) return ErrorFromErrno(errno);

    // The recorded path has no symlinks or ".." in its directory part; the name stays the entry's own.
    std::string path = nativePath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return kInvalidParameter;
    char* resolved = ::realpath(ParentOf(path).c_str(), nullptr);
    if (!resolved) return ErrorFromErrno(errno);
    path = Join(resolved, name);
    std::free(resolved);

    std::string trash = HomeTrash();
    dev_t homeDevice{};
    int error = kSuccess;
    std::string recordedPath = path;
    if (DeviceOfNearest(trash, homeDevice) && homeDevice == st.st_dev) {
        error = PrepareTrash(trash);
    } else {
        // Top-directory trashes record the path relative to the mount, so the entry survives another mount point.
        std::string top = TopDirectory(ParentOf(path), st.st_dev);
        error = TopDirectoryTrash(top, trash);
        recordedPath = path.substr(top == "/" ? 1 : top.size() + 1);
    }
    if (error != kSuccess) return error;
    return MoveIntoTrash(path, trash, recordedPath);
}

std::vector<FileIdentity> TrashDirectoriesFor(const std::vector<std::string>& nativeDirectories) {
    std::vector<FileIdentity> found;
    const auto add = [&found](const std::string& path) {
        const std::optional<FileIdentity> identity = IdentityOf(path);
        if (identity && std::find(found.begin(), found.end(), *identity) == found.end()) found.push_back(*identity);
    };
    add(HomeTrash());
    const std::string uid = std::to_string(::getuid());
    for (const std::string& directory : nativeDirectories) {
        struct stat st {};
        if (directory.empty() || ::stat(directory.c_str(), &st) != 0) continue;
        const std::string top = TopDirectory(directory, st.st_dev);
        add(Join(top, ".Trash-" + uid));
        add(Join(Join(top, ".Trash"), uid));
    }
    return found;
}

} // namespace platform

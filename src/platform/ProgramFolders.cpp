// Where the program keeps its settings file, default log, sounds and messages.
#include "platform/ProgramFolders.h"

#include "platform/Environment.h"
#include "platform/ErrorCodes.h"

#include <cerrno>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr const char* kSettingsFileName = "Tolvan6.ini";
constexpr const char* kSubfolder = "tolvan/";
// A folder of shipped files holds at least the help pages.
constexpr const char* kShippedMarker = "help";

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool IsPortable(const std::string& executableFolder) {
    struct stat st {};
    return ::stat((executableFolder + kSettingsFileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// An XDG base directory: the variable when it holds an absolute path (relative ones are to be ignored),
// otherwise the default below the home directory.
std::string XdgFolder(std::string_view variable, std::string_view defaultBelowHome) {
    std::optional<std::string> value = GetEnvironment(variable);
    if (value && !value->empty() && value->front() == '/') return WithTrailingSlash(WithoutTrailingSlashes(*value));
    return WithTrailingSlash(HomeFolder()) + std::string(defaultBelowHome);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HoldsShippedFiles(const std::string& folder) {
    return IsDirectory(folder + kShippedMarker);
}

// prefix/share/ for an executable folder prefix/bin/.
std::string InstalledShareFolder(const std::string& executableFolder) {
    std::string bin = WithoutTrailingSlashes(executableFolder);
    std::string prefix = bin.substr(0, bin.rfind('/') + 1);
    return WithTrailingSlash(prefix) + "share/";
}

// prefix/share/tolvan/ for an executable folder prefix/bin/.
std::string InstalledDataFolder(const std::string& executableFolder) {
    return InstalledShareFolder(executableFolder) + kSubfolder;
}

} // namespace

std::string ExecutableFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return "./";
        if (static_cast<std::size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<std::size_t>(length));
            // A replaced executable reads as "/path/name (deleted)"; the folder part is still right.
            return path.substr(0, path.rfind('/') + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string SettingsFolder() {
    std::string executableFolder = ExecutableFolder();
    if (IsPortable(executableFolder)) return executableFolder;
    return XdgFolder("XDG_CONFIG_HOME", ".config/") + kSubfolder;
}

std::string DataFolder() {
    std::string executableFolder = ExecutableFolder();
    if (IsPortable(executableFolder)) return executableFolder;
    return XdgFolder("XDG_DATA_HOME", ".local/share/") + kSubfolder;
}

std::string ShippedFolder() {
    return ShippedFolderFor(ExecutableFolder());
}

std::string ShippedFolderFor(const std::string& executableFolder) {
    if (IsPortable(executableFolder) && HoldsShippedFiles(executableFolder)) return executableFolder;
    std::string installed = InstalledDataFolder(executableFolder);
    if (HoldsShippedFiles(installed)) return installed;
#ifdef TOLVAN_SOURCE_DATA_FOLDER
    // A program run from its build folder, before it was installed.
    if (HoldsShippedFiles(TOLVAN_SOURCE_DATA_FOLDER)) return TOLVAN_SOURCE_DATA_FOLDER;
#endif
    return installed;
}

bool InstalledForAllUsers() {
    return InstalledForAllUsersFrom(ExecutableFolder());
}

bool InstalledForAllUsersFrom(const std::string& executableFolder) {
    if (IsPortable(executableFolder)) return false;
    struct stat st {};
    const std::string entry = InstalledShareFolder(executableFolder) + "applications/tolvan.desktop";
    return ::stat(entry.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string HomeFolder() {
    std::optional<std::string> home = GetEnvironment("HOME");
    if (home && !home->empty()) return WithoutTrailingSlashes(*home);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir &&
        found->pw_dir[0] != '\0')
        return WithoutTrailingSlashes(found->pw_dir);
    return "/";
}

int CreatePrivateFolder(const std::string& folder) {
    std::string path = WithoutTrailingSlashes(folder);
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) == 0) return kSuccess;
    std::size_t slash = path.find('/', 1);
    for (;;) {
        std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return ErrorFromErrno(errno);
        if (slash == std::string::npos) return kSuccess;
        slash = path.find('/', slash + 1);
    }
}

} // namespace platform

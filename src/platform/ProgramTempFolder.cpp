#include "platform/ProgramTempFolder.h"

#include "platform/Environment.h"
#include "platform/ErrorCodes.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace platform {

std::string SystemTempFolder() {
    std::optional<std::string> value = GetEnvironment("TMPDIR");
    std::string folder = value && value->starts_with('/') ? *value : std::string("/tmp");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string ProgramTempFolder() {
    const std::string system = SystemTempFolder();
    return (system == "/" ? std::string() : system) + "/Tolvan Temp";
}

int OwnProgramTempFolder(std::string& folder) {
    folder.clear();
    const std::string path = ProgramTempFolder();
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return ErrorFromErrno(errno);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return kAccessDenied;
    folder = path;
    return kSuccess;
}

} // namespace platform

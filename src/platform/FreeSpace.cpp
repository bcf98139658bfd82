#include "platform/FreeSpace.h"

#include "platform/ErrorCodes.h"
#include "platform/Roots.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace platform {

std::int64_t MeasureFreeSpace(std::string_view root, const cDriveMap& drives, int& code) {
    constexpr std::int64_t kNotReady = -2;
    code = 0;
    const std::optional<std::string> native = NativeRoot(root, drives);
    if (!native) {
        code = kPathNotFound;
        return kNotReady;
    }
    struct stat info {};
    if (::stat(native->c_str(), &info) != 0) {
        code = ErrorFromErrno(errno);
        return kNotReady;
    }
    if (!S_ISDIR(info.st_mode)) {
        code = kPathNotFound;
        return kNotReady;
    }
    struct statvfs volume {};
    if (::statvfs(native->c_str(), &volume) != 0) return -1;
    return static_cast<std::int64_t>(volume.f_bavail) * static_cast<std::int64_t>(volume.f_frsize);
}

bool OnSameFileSystem(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev;
}

} // namespace platform

// File system types (statfs) and mount types (/proc/self/mountinfo) sorted by what they keep of a file's
// properties, with a per-device cache.
#include "platform/FileSystemKind.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <unordered_map>

namespace platform {

namespace {

constexpr std::int64_t kMsdosType = 0x4d44; // vfat and msdos
constexpr std::int64_t kExfatType = 0x2011BAB0;
constexpr std::int64_t kFuseType = 0x65735546;

constexpr auto kAnswerLifetime = std::chrono::seconds(5);

struct cDeviceAnswer {
    KeptProperties Kept;
    std::chrono::steady_clock::time_point Examined;
};

std::mutex g_mutex;
std::unordered_map<std::uint64_t, cDeviceAnswer> g_answers;

KeptProperties KeptByFuse(std::string_view mountType) {
    if (mountType == "fuseblk") return KeptProperties::Nothing;
    const std::size_t dot = mountType.find('.');
    if (dot == std::string_view::npos) return KeptProperties::All;
    const std::string_view base = mountType.substr(0, dot);
    const std::string_view subtype = mountType.substr(dot + 1);
    if (base != "fuse" && base != "fuseblk") return KeptProperties::All;
    const bool windowsFormat =
        subtype.find("ntfs") != std::string_view::npos || subtype.find("fat") != std::string_view::npos;
    return windowsFormat ? KeptProperties::Nothing : KeptProperties::All;
}

std::string ReadMountInfo() {
    std::ifstream in("/proc/self/mountinfo", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The path's own file system (O_PATH: a symlink is not followed, nothing is opened for reading).
std::optional<std::pair<std::uint64_t, KeptProperties>> Examine(const std::string& nativePath) {
    const int fd = ::open(nativePath.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct statfs fileSystem {};
    struct stat st {};
    const bool examined = ::fstatfs(fd, &fileSystem) == 0 && ::fstat(fd, &st) == 0;
    ::close(fd);
    if (!examined) return std::nullopt;
    const auto type = static_cast<std::int64_t>(fileSystem.f_type);
    const std::string mountType = type == kFuseType ? MountTypeOf(ReadMountInfo(), st.st_dev) : std::string();
    return std::pair{static_cast<std::uint64_t>(st.st_dev), KeptPropertiesOf(type, mountType)};
}

} // namespace

KeptProperties KeptPropertiesOf(std::int64_t fileSystemType, std::string_view mountType) {
    switch (fileSystemType) {
    case kMsdosType:
    case kExfatType:
        return KeptProperties::ReadOnlyBit;
    case kFuseType:
        return KeptByFuse(mountType);
    default:
        return KeptProperties::All;
    }
}

std::string MountTypeOf(std::string_view mountInfo, std::uint64_t device) {
    const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    while (!mountInfo.empty()) {
        const std::size_t end = mountInfo.find('\n');
        const std::string_view line = mountInfo.substr(0, end);
        mountInfo = end == std::string_view::npos ? std::string_view() : mountInfo.substr(end + 1);
        // ID, parent ID, major:minor, root, mount point, options, optional fields..., "-", type, source, options.
        // Spaces inside paths are written as \040, so fields never hold one.
        std::size_t field = 0;
        bool matches = false;
        bool afterSeparator = false;
        std::size_t start = 0;
        while (start < line.size()) {
            std::size_t stop = line.find(' ', start);
            if (stop == std::string_view::npos) stop = line.size();
            const std::string_view token = line.substr(start, stop - start);
            start = stop + 1;
            if (afterSeparator) return std::string(token);
            if (field == 2 && token != wanted) break;
            if (field == 2) matches = true;
            if (matches && field >= 6 && token == "-") afterSeparator = true;
            ++field;
        }
    }
    return {};
}

KeptProperties KeptPropertiesOn(std::uint64_t device, const std::string& nativePath) {
    const auto now = std::chrono::steady_clock::now();
    {
        const std::lock_guard lock(g_mutex);
        const auto known = g_answers.find(device);
        if (known != g_answers.end() && now - known->second.Examined < kAnswerLifetime) return known->second.Kept;
    }
    const auto examined = Examine(nativePath);
    if (!examined) return KeptProperties::All;
    const std::lock_guard lock(g_mutex);
    g_answers[examined->first] = {examined->second, now};
    return examined->second;
}

} // namespace platform

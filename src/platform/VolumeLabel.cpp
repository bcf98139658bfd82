#include "platform/VolumeLabel.h"

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> RealPathOf(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return std::nullopt;
    std::string result(real);
    std::free(real);
    return result;
}

// The mount table writes blanks, tabs, newlines and "\" in octal ("\040").
std::string DecodeMountField(std::string_view field) {
    std::string result;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
            field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            result += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            result += field[i];
        }
    }
    return result;
}

// The real paths of the source devices of the mounts whose device number is dev.
std::vector<std::string> MountSources(const std::string& mountInfoFile, dev_t dev) {
    std::vector<std::string> sources;
    std::ifstream in(mountInfoFile);
    const std::string wanted = std::to_string(major(dev)) + ':' + std::to_string(minor(dev));
    std::string line;
    while (std::getline(in, line)) {
        // id parent major:minor root mountpoint options [optional fields] - fstype source superoptions
        std::istringstream fields(line);
        std::string id, parent, device;
        if (!(fields >> id >> parent >> device) || device != wanted) continue;
        const std::size_t separator = line.find(" - ");
        if (separator == std::string::npos) continue;
        std::istringstream tail(line.substr(separator + 3));
        std::string type, source;
        if (!(tail >> type >> source)) continue;
        if (auto real = RealPathOf(DecodeMountField(source))) sources.push_back(*real);
    }
    return sources;
}

} // namespace

std::string DecodeLabelName(std::string_view linkName) {
    std::string result;
    for (std::size_t i = 0; i < linkName.size(); ++i) {
        if (linkName[i] == '\\' && i + 3 < linkName.size() && linkName[i + 1] == 'x' &&
            HexValue(linkName[i + 2]) >= 0 && HexValue(linkName[i + 3]) >= 0) {
            result += static_cast<char>(HexValue(linkName[i + 2]) * 16 + HexValue(linkName[i + 3]));
            i += 3;
        } else {
            result += linkName[i];
        }
    }
    return result;
}

std::optional<std::string> VolumeLabelFrom(const std::string& nativePath, const std::string& byLabelDirectory,
                                           const std::string& mountInfoFile) {
    struct stat target {};
    if (::stat(nativePath.c_str(), &target) != 0) return std::nullopt;

    DIR* dir = ::opendir(byLabelDirectory.c_str());
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);

    for (const std::string& name : names) {
        struct stat device {};
        if (::stat((byLabelDirectory + '/' + name).c_str(), &device) == 0 && S_ISBLK(device.st_mode) &&
            device.st_rdev == target.st_dev)
            return DecodeLabelName(name);
    }
    const std::vector<std::string> sources = MountSources(mountInfoFile, target.st_dev);
    if (sources.empty()) return std::nullopt;
    for (const std::string& name : names) {
        const std::optional<std::string> device = RealPathOf(byLabelDirectory + '/' + name);
        if (!device) continue;
        for (const std::string& source : sources)
            if (source == *device) return DecodeLabelName(name);
    }
    return std::nullopt;
}

namespace {

struct cLabelSources {
    std::string ByLabelDirectory = "/dev/disk/by-label";
    std::string MountInfoFile = "/proc/self/mountinfo";
};

cLabelSources& LabelSources() {
    static cLabelSources sources;
    return sources;
}

} // namespace

std::optional<std::string> VolumeLabel(const std::string& nativePath) {
    return VolumeLabelFrom(nativePath, LabelSources().ByLabelDirectory, LabelSources().MountInfoFile);
}

std::vector<std::string> MountSourcesOf(const std::string& nativePath) {
    struct stat target {};
    if (::stat(nativePath.c_str(), &target) != 0) return {};
    return MountSources(LabelSources().MountInfoFile, target.st_dev);
}

void SetVolumeLabelSources(std::string byLabelDirectory, std::string mountInfoFile) {
    LabelSources() = byLabelDirectory.empty() ? cLabelSources{}
                                              : cLabelSources{std::move(byLabelDirectory), std::move(mountInfoFile)};
}

} // namespace platform

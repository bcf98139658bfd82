#include "platform/Eject.h"

#include "platform/Process.h"
#include "platform/VolumeLabel.h"

#include <sys/stat.h>

namespace platform {

namespace {

bool IsBlockDevice(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISBLK(info.st_mode);
}

bool OnRootFileSystem(const std::string& nativePath) {
    struct stat path {};
    struct stat root {};
    return ::stat(nativePath.c_str(), &path) == 0 && ::stat("/", &root) == 0 && path.st_dev == root.st_dev;
}

} // namespace

void EjectDisk(const std::string& nativePath) {
    if (OnRootFileSystem(nativePath)) return;
    for (const std::string& device : MountSourcesOf(nativePath)) {
        if (!IsBlockDevice(device)) continue;
        if (const std::optional<std::string> udisks = FindProgram("udisksctl")) {
            StartProgram({*udisks, "unmount", "--no-user-interaction", "-b", device}, true, true);
            StartProgram({*udisks, "power-off", "--no-user-interaction", "-b", device}, true, true);
        } else if (const std::optional<std::string> eject = FindProgram("eject")) {
            StartProgram({*eject, device}, true, true);
        }
        return;
    }
}

} // namespace platform

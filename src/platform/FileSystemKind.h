// What a file system keeps of a file's properties (mode, owner, access list), decided by its type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// From least to most: between two file systems, the lesser is what a transfer from one to the other keeps.
enum class KeptProperties {
    Nothing,     // NTFS and exFAT through FUSE: every file shows the mount's mode; chmod and chown change nothing
    ReadOnlyBit, // FAT and exFAT in the kernel: the write bits, all of them or none, are the read-only attribute
    All,         // mode, owner and group, and an access list where the file system has them
};

// The decision from statfs's f_type and, for FUSE only, the mount's type as /proc/self/mountinfo names it
// ("fuseblk", "fuse.sshfs", "fuseblk.ntfs-3g"). Plain "fuseblk" is what ntfs-3g and exfat-fuse mount as.
KeptProperties KeptPropertiesOf(std::int64_t fileSystemType, std::string_view mountType);

// The file system type of the mount of a device in the text of /proc/self/mountinfo, or empty when no line has
// the device ("major:minor" in the third field).
std::string MountTypeOf(std::string_view mountInfo, std::uint64_t device);

// What the file system of nativePath (the path itself: a symlink is not followed) keeps; device is the path's
// st_dev. Answers are cached per device for a few seconds (a disk mounted in place of another may get its device
// number), so a run asks the system about each file system about once. A path that cannot be examined counts
// as All.
KeptProperties KeptPropertiesOn(std::uint64_t device, const std::string& nativePath);

} // namespace platform

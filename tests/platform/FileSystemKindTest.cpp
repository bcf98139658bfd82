// Which file systems keep which properties: the decision by statfs type and mount type, and the mount type found
// for a device in the text of /proc/self/mountinfo.
#include "platform/FileSystemKind.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

namespace {

using platform::KeptProperties;

struct KindCase {
    std::int64_t type;
    const char* mountType;
    KeptProperties expected;
};

TEST(KeptPropertiesOf, ByFileSystemTypeAndForFuseByMountType) {
    constexpr std::int64_t kFuse = 0x65735546;
    const KindCase cases[] = {
        {0xEF53, "ext4", KeptProperties::All},
        {0x9123683E, "btrfs", KeptProperties::All},
        {0x58465342, "xfs", KeptProperties::All},
        {0x01021994, "tmpfs", KeptProperties::All},
        {0x6969, "nfs", KeptProperties::All},
        {0x7366746E, "ntfs3", KeptProperties::All}, // the kernel's NTFS keeps modes in extended attributes
        {0xEF53, "fuseblk", KeptProperties::All},   // the mount type counts for FUSE only
        {0x4D44, "vfat", KeptProperties::ReadOnlyBit},
        {0x4D44, "msdos", KeptProperties::ReadOnlyBit},
        {0x2011BAB0, "exfat", KeptProperties::ReadOnlyBit},
        {kFuse, "fuseblk", KeptProperties::Nothing}, // ntfs-3g and exfat-fuse
        {kFuse, "fuseblk.ntfs-3g", KeptProperties::Nothing},
        {kFuse, "fuse.ntfs-3g", KeptProperties::Nothing},
        {kFuse, "fuse.lowntfs-3g", KeptProperties::Nothing},
        {kFuse, "fuse.exfat", KeptProperties::Nothing},
        {kFuse, "fuse.sshfs", KeptProperties::All},
        {kFuse, "fuse.rclone", KeptProperties::All},
        {kFuse, "fuse", KeptProperties::All},
        {kFuse, "", KeptProperties::All}, // the mount was not found
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.type << " " << c.mountType);
        EXPECT_EQ(platform::KeptPropertiesOf(c.type, c.mountType), c.expected);
    }
}

TEST(MountTypeOf, FindsTheDevicesLine) {
    // Optional fields, none, and a mount point with an escaped space; 8:1 is mounted twice (a bind mount).
    const std::string mountInfo =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "30 22 0:44 / /media/anna/USB\\040STICK rw,nosuid,nodev - fuseblk /dev/sdb1 rw,user_id=0\n"
        "31 22 0:45 / /mnt/share rw shared:5 master:2 - fuse.sshfs anna@nas:/ rw\n"
        "32 22 8:17 / /media/fat rw - vfat /dev/sdb2 rw,fmask=0022\n"
        "33 22 8:1 /home /mnt/home rw shared:1 - ext4 /dev/sda1 rw";
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(8, 1)), "ext4");
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(0, 44)), "fuseblk");
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(0, 45)), "fuse.sshfs");
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(8, 17)), "vfat");
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(8, 2)), "");
    EXPECT_EQ(platform::MountTypeOf(mountInfo, makedev(0, 4)), "") << "no prefix match of 0:44";
    EXPECT_EQ(platform::MountTypeOf("", makedev(8, 1)), "");
    EXPECT_EQ(platform::MountTypeOf("40 1 7:0 / /x rw shared:1", makedev(7, 0)), "") << "a line cut short";
}

} // namespace

#include "platform/VolumeLabel.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

namespace fs = std::filesystem;

TEST(VolumeLabel, DecodesUdevEscapes) {
    EXPECT_EQ(platform::DecodeLabelName("USB\\x20STICK"), "USB STICK");
    EXPECT_EQ(platform::DecodeLabelName("A\\x2fB"), "A/B");
    EXPECT_EQ(platform::DecodeLabelName("Montag"), "Montag");
    // Incomplete or invalid escapes stay as they are.
    EXPECT_EQ(platform::DecodeLabelName("X\\x2"), "X\\x2");
    EXPECT_EQ(platform::DecodeLabelName("X\\xzz"), "X\\xzz");
}

// The mount table names the device of the path's file system; the label link leads to the same device file.
TEST(VolumeLabel, FindsTheLinkOfTheMountedDevice) {
    testsupport::TempDir dir;
    const fs::path device = dir.WriteFile("dev/sdz1", "");
    fs::create_directories(dir.Path() / "by-label");
    fs::create_symlink("../dev/sdz1", dir.Path() / "by-label" / "Sicherung\\x20Montag");
    fs::create_symlink("../dev/sdz1x", dir.Path() / "by-label" / "Verwaist");
    const fs::path data = dir.Path() / "daten";
    fs::create_directories(data);

    struct stat st {};
    ASSERT_EQ(::stat(data.c_str(), &st), 0);
    const std::string devNo = std::to_string(major(st.st_dev)) + ':' + std::to_string(minor(st.st_dev));
    const fs::path mountInfo =
        dir.WriteFile("mountinfo", "1 0 0:1 / / rw - ext4 /dev/other rw\n"
                                   "29 1 " +
                                       devNo + " / /media/usb rw shared:1 - vfat " + device.string() + " rw\n");
    const std::string byLabel = (dir.Path() / "by-label").string();

    EXPECT_EQ(platform::VolumeLabelFrom(data.string(), byLabel, mountInfo.string()), "Sicherung Montag");
    EXPECT_EQ(platform::VolumeLabelFrom((data / "fehlt").string(), byLabel, mountInfo.string()), std::nullopt);
    EXPECT_EQ(platform::VolumeLabelFrom(data.string(), (dir.Path() / "keine").string(), mountInfo.string()),
              std::nullopt);

    const fs::path otherMount = dir.WriteFile("mountinfo2", "29 1 " + devNo + " / /media/usb rw - vfat /dev/sdy1 rw\n");
    EXPECT_EQ(platform::VolumeLabelFrom(data.string(), byLabel, otherMount.string()), std::nullopt);
}

} // namespace

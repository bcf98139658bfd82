// Ejecting the destination's disk: which device is found and which program is asked, with a mount table and
// programs of the test's own (a machine's real disks are never touched).
#include "platform/Eject.h"
#include "platform/VolumeLabel.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

namespace fs = std::filesystem;

class EjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The disk must be another file system than "/", which is never ejected: /dev/shm is one.
        struct stat shm {};
        struct stat root {};
        if (::stat("/dev/shm", &shm) != 0 || ::stat("/", &root) != 0 || shm.st_dev == root.st_dev)
            GTEST_SKIP() << "no file system besides / to stand for a removable disk";
        disk = fs::path("/dev/shm") / ("tolvan-eject-" + std::to_string(::getpid()));
        fs::create_directories(disk);
        device = dir.Path() / "sdz1";
        if (::mknod(device.c_str(), S_IFBLK | 0600, makedev(7, 250)) != 0)
            GTEST_SKIP() << "creating a block device node needs CAP_MKNOD";
        const std::string devNo = std::to_string(major(shm.st_dev)) + ":" + std::to_string(minor(shm.st_dev));
        const fs::path mountInfo =
            dir.WriteFile("mountinfo", "40 1 " + devNo + " / /dev/shm rw - tmpfs " + device.string() + " rw\n");
        platform::SetVolumeLabelSources((dir.Path() / "labels").string(), mountInfo.string());
        fs::create_directories(dir.Path() / "bin");
    }
    void TearDown() override {
        platform::SetVolumeLabelSources({}, {});
        if (!disk.empty()) fs::remove_all(disk);
    }

    // A program on the test's PATH that writes its arguments, one call per line, to calls.
    void FakeProgram(const std::string& name) const {
        const fs::path program = dir.Path() / "bin" / name;
        std::ofstream(program) << "#!/bin/sh\necho \"" << name << " $*\" >> '" << (dir.Path() / "calls").string()
                               << "'\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    std::string Calls() const { return fs::exists(dir.Path() / "calls") ? dir.ReadFile("calls") : ""; }

    testsupport::TempDir dir;
    fs::path disk;
    fs::path device;
};

TEST_F(EjectTest, UdisksUnmountsAndPowersOffTheDevice) {
    FakeProgram("udisksctl");
    FakeProgram("eject");
    testsupport::EnvironmentOverride path("PATH", (dir.Path() / "bin").string());
    platform::EjectDisk(disk.string());
    const std::string d = device.string();
    EXPECT_EQ(Calls(), "udisksctl unmount --no-user-interaction -b " + d +
                           "\nudisksctl power-off --no-user-interaction -b " + d + "\n");
}

TEST_F(EjectTest, EjectIsTheFallbackAndWithoutEitherNothingHappens) {
    FakeProgram("eject");
    {
        testsupport::EnvironmentOverride path("PATH", (dir.Path() / "bin").string());
        platform::EjectDisk(disk.string());
    }
    EXPECT_EQ(Calls(), "eject " + device.string() + "\n");
    fs::remove(dir.Path() / "calls");
    testsupport::EnvironmentOverride path("PATH", (dir.Path() / "leer").string());
    platform::EjectDisk(disk.string());
    EXPECT_EQ(Calls(), "");
}

TEST_F(EjectTest, APathOnTheRootFileSystemIsNeverEjected) {
    FakeProgram("udisksctl");
    testsupport::EnvironmentOverride path("PATH", (dir.Path() / "bin").string());
    platform::EjectDisk("/");
    EXPECT_EQ(Calls(), "");
}

} // namespace

// The settings file's place, the first-start takeover before anything is read, and the "Drives" section.
#include "profile/SettingsFile.h"

#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

using testsupport::EnvironmentOverride;

class SettingsFileTest : public ::testing::Test {
protected:
    std::string FilePath() const { return (m_dir.Path() / "Tolvan6.ini").string(); }
    void WriteFileText(std::string_view text) const { m_dir.WriteFile("Tolvan6.ini", text); }

    testsupport::TempDir m_dir;
};

TEST_F(SettingsFileTest, DrivesSectionFillsTheDriveMap) {
    WriteFileText("[Drives]\r\nD:=/media/usb/\r\n\\\\NAS\\BACKUP = /mnt/nas\r\nd:\\=/other\r\nX:=relative\r\n"
                  "NoRoot=/tmp\r\n; E:=/commented\r\n[Options]\r\nF:=/not/a/drive\r\n[ drives ]\r\nG:=/mnt/g\r\n");
    cIniFile file(FilePath());
    const platform::cDriveMap drives = ReadDrives(file);
    const struct {
        const char* root;
        std::optional<std::string> directory;
    } cases[] = {
        {"D:", "/media/usb"}, {"\\\\nas\\backup\\", "/mnt/nas"},
        {"G:", "/mnt/g"},     {"X:", std::nullopt},
        {"E:", std::nullopt}, {"F:", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drives.Lookup(c.root), c.directory) << c.root;
    EXPECT_EQ(platform::NativeRoot("\\\\NAS\\BACKUP", drives), "/mnt/nas");
}

TEST_F(SettingsFileTest, SettingsFileInTheXdgPlaceTakesOverThePreviousVersionFirst) {
    const std::string root = m_dir.Path().string();
    EnvironmentOverride home("HOME", root + "/home");
    EnvironmentOverride config("XDG_CONFIG_HOME", root + "/config");
    std::unique_ptr<cIniFile> file = OpenSettingsFile();
    EXPECT_EQ(file->Path(), root + "/config/tolvan/Tolvan6.ini");
    EXPECT_FALSE(fs::exists(file->Path())) << "opening alone creates nothing";
    {
        EnvironmentOverride noConfig("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(OpenSettingsFile()->Path(), root + "/home/.config/tolvan/Tolvan6.ini");
    }

    // First start beside a previous version: its file is copied, then its drives are loaded.
    m_dir.WriteFile("programs/Tolvan5/Tolvan50.ini", "[Use]\r\nRuns=4\r\n[Drives]\r\nD:=/media/alt\r\n");
    const std::string executableFolder = root + "/programs/Tolvan6/";
    fs::create_directories(executableFolder);
    file = OpenSettingsFile(root + "/config/tolvan", executableFolder);
    cParameters params(file.get());
    params.ReadRunCount();
    EXPECT_EQ(params.RunCount, 4);
    EXPECT_EQ(ReadDrives(*file).Lookup("D:"), "/media/alt");

    // Portable use: the file beside the executable is used and never replaced.
    m_dir.WriteFile("programs/Tolvan6/Tolvan6.ini", "[Use]\r\nRuns=9\r\n");
    file = OpenSettingsFile(executableFolder, executableFolder);
    EXPECT_EQ(file->Path(), executableFolder + "Tolvan6.ini");
    params.Settings = file.get();
    params.ReadRunCount();
    EXPECT_EQ(params.RunCount, 9);
    EXPECT_FALSE(ReadDrives(*file).Lookup("D:")) << "the drive map holds this file's drives only";
}

} // namespace

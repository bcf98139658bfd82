// The program's folders: portable use beside the executable, otherwise the XDG base directories.
#include "platform/ProgramFolders.h"

#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using testsupport::EnvironmentOverride;

TEST(ProgramFoldersTest, ExecutableFolderHoldsTheRunningProgram) {
    std::string folder = platform::ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(fs::exists(folder + "platform_tests"));
}

// One test for every case that depends on the executable's folder, so that no other test of this program
// runs while the portable settings file is there.
TEST(ProgramFoldersTest, SettingsAndDataFoldersFollowPortableFileThenXdgThenHome) {
    testsupport::TempDir dir;
    std::string root = dir.Path().string();
    EnvironmentOverride home("HOME", root + "/home/");

    struct Case {
        const char* name;
        std::optional<std::string> configHome;
        std::optional<std::string> dataHome;
        std::string settings;
        std::string data;
    };
    const Case cases[] = {
        {"XDG set", root + "/cfg", root + "/data/", root + "/cfg/tolvan/", root + "/data/tolvan/"},
        {"XDG unset", std::nullopt, std::nullopt, root + "/home/.config/tolvan/", root + "/home/.local/share/tolvan/"},
        {"XDG empty or relative", "", "rel/data", root + "/home/.config/tolvan/", root + "/home/.local/share/tolvan/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnvironmentOverride config("XDG_CONFIG_HOME", c.configHome);
        EnvironmentOverride data("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(platform::SettingsFolder(), c.settings);
        EXPECT_EQ(platform::DataFolder(), c.data);
    }

    std::string portableFile = platform::ExecutableFolder() + "Tolvan6.ini";
    ASSERT_FALSE(fs::exists(portableFile)) << "a settings file lies beside the test program";
    {
        struct RemoveAtEnd {
            const std::string& path;
            ~RemoveAtEnd() { fs::remove(path); }
        } removeAtEnd{portableFile};
        fs::copy_file(dir.WriteFile("Tolvan6.ini", ""), portableFile);
        EnvironmentOverride config("XDG_CONFIG_HOME", root + "/cfg");
        EXPECT_EQ(platform::SettingsFolder(), platform::ExecutableFolder());
        EXPECT_EQ(platform::DataFolder(), platform::ExecutableFolder());
    }
}

// The shipped files: a portable folder's own, else those of the installed layout prefix/bin + prefix/share/tolvan,
// else (a program in its build folder) the source tree's.
TEST(ProgramFoldersTest, ShippedFolderIsPortableThenInstalledThenTheSourceTree) {
    testsupport::TempDir dir;
    const std::string prefix = dir.Path().string() + "/usr/";
    const std::string bin = prefix + "bin/";
    const std::string installed = prefix + "share/tolvan/";
    fs::create_directories(bin);

    const std::string fromSource = platform::ShippedFolderFor(bin);
    EXPECT_EQ(fromSource.back(), '/');
    EXPECT_TRUE(fs::is_regular_file(fromSource + "help/1020.html")) << fromSource;
    EXPECT_TRUE(fs::is_regular_file(fromSource + "Nachrichten/Lauf gestartet.rtf")) << fromSource;

    fs::create_directories(installed + "help");
    EXPECT_EQ(platform::ShippedFolderFor(bin), installed);
    dir.WriteFile("usr/bin/Tolvan6.ini", "");
    EXPECT_EQ(platform::ShippedFolderFor(bin), installed) << "a portable folder without help of its own";
    fs::create_directories(bin + "help");
    EXPECT_EQ(platform::ShippedFolderFor(bin), bin);
    fs::remove(bin + "Tolvan6.ini");
    EXPECT_EQ(platform::ShippedFolderFor(bin), installed) << "help beside a program that is not portable";

    EXPECT_EQ(platform::ShippedFolder(), platform::ShippedFolderFor(platform::ExecutableFolder()));
}

// Installed for all users = the package's desktop entry beside the program's prefix; then the program does not
// register a per-user entry that would hide it.
TEST(ProgramFoldersTest, InstalledForAllUsersWhenThePrefixHoldsTheDesktopEntry) {
    testsupport::TempDir dir;
    const std::string bin = dir.Path().string() + "/usr/bin/";
    fs::create_directories(bin);
    EXPECT_FALSE(platform::InstalledForAllUsersFrom(bin)) << "a build folder";
    fs::create_directories(dir.Path() / "usr/share/applications/tolvan.desktop");
    EXPECT_FALSE(platform::InstalledForAllUsersFrom(bin)) << "a folder of that name";
    fs::remove(dir.Path() / "usr/share/applications/tolvan.desktop");
    dir.WriteFile("usr/share/applications/tolvan.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(platform::InstalledForAllUsersFrom(bin));
    dir.WriteFile("usr/bin/Tolvan6.ini", "");
    EXPECT_FALSE(platform::InstalledForAllUsersFrom(bin)) << "a portable program registers itself";
}

TEST(ProgramFoldersTest, HomeFolderFromHomeOrThePasswordEntry) {
    {
        EnvironmentOverride home("HOME", "/home/anna//");
        EXPECT_EQ(platform::HomeFolder(), "/home/anna");
    }
    {
        EnvironmentOverride home("HOME", "/");
        EXPECT_EQ(platform::HomeFolder(), "/");
    }
    {
        EnvironmentOverride home("HOME", std::nullopt);
        const passwd* entry = ::getpwuid(::getuid());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(platform::HomeFolder(), fs::path(entry->pw_dir).string());
    }
}

TEST(ProgramFoldersTest, CreatePrivateFolderMakesMissingParentsOwnerOnly) {
    testsupport::TempDir dir;
    std::string folder = (dir.Path() / "a/b/c/").string();
    EXPECT_EQ(platform::CreatePrivateFolder(folder), 0);
    for (const char* part : {"a", "a/b", "a/b/c"}) {
        struct stat st {};
        ASSERT_EQ(::stat((dir.Path() / part).c_str(), &st), 0) << part;
        EXPECT_EQ(st.st_mode & 07777, 0700u) << part;
    }
    EXPECT_EQ(platform::CreatePrivateFolder(folder), 0);
    dir.WriteFile("file", "");
    EXPECT_NE(platform::CreatePrivateFolder((dir.Path() / "file/sub").string()), 0);
}

} // namespace

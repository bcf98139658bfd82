#include "platform/RemoveTree.h"
#include "platform/ErrorCodes.h"
#include "platform/ProgramTempFolder.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A tree with files, nested directories, a directory its owner locked and links that lead out of the tree:
// everything inside goes, nothing a link points to is touched.
TEST(RemoveTree, RemovesEverythingInsideAndNothingALinkLeadsTo) {
    testsupport::TempDir dir;
    dir.WriteFile("Baum/a.txt", "a");
    dir.WriteFile("Baum/Unter/Tief/b.txt", "b");
    dir.WriteFile("Baum/.versteckt", "");
    dir.WriteFile("Baum/Gesperrt/c.txt", "c");
    dir.WriteFile("Draussen/bleibt.txt", "bleibt");
    fs::create_directory_symlink(dir.Path() / "Draussen", dir.Path() / "Baum/Unter/Verweis");
    fs::create_symlink(dir.Path() / "Draussen/bleibt.txt", dir.Path() / "Baum/Dateiverweis");
    fs::create_symlink(dir.Path() / "fehlt", dir.Path() / "Baum/Ins Leere");
    ASSERT_EQ(::chmod((dir.Path() / "Baum/Gesperrt").c_str(), 0500), 0);

    EXPECT_EQ(platform::RemoveDirectoryTree((dir.Path() / "Baum").string()), 0);

    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.Path() / "Baum")));
    EXPECT_EQ(dir.ReadFile("Draussen/bleibt.txt"), "bleibt");
}

TEST(RemoveTree, RefusesALinkAMissingPathAndAFile) {
    testsupport::TempDir dir;
    dir.WriteFile("Ziel/bleibt.txt", "bleibt");
    dir.WriteFile("Datei", "");
    fs::create_directory_symlink(dir.Path() / "Ziel", dir.Path() / "Verweis");

    EXPECT_EQ(platform::RemoveDirectoryTree((dir.Path() / "Verweis").string()), platform::kLinkInPath);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "Verweis"));
    EXPECT_EQ(dir.ReadFile("Ziel/bleibt.txt"), "bleibt");
    EXPECT_EQ(platform::RemoveDirectoryTree((dir.Path() / "fehlt").string()), platform::kFileNotFound);
    EXPECT_EQ(platform::RemoveDirectoryTree((dir.Path() / "Datei").string()), platform::kPathNotFound);
    EXPECT_TRUE(fs::exists(dir.Path() / "Datei"));
}

TEST(ProgramTempFolder, FollowsTmpdirWhenItIsAbsolute) {
    const struct {
        std::optional<std::string> tmpdir;
        const char* folder;
    } cases[] = {
        {"/var/tmp/", "/var/tmp/Tolvan Temp"},
        {"relativ", "/tmp/Tolvan Temp"},
        {"", "/tmp/Tolvan Temp"},
        {"/", "/Tolvan Temp"},
        {std::nullopt, "/tmp/Tolvan Temp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tmpdir.value_or("(nicht gesetzt)"));
        testsupport::EnvironmentOverride tmpdir("TMPDIR", c.tmpdir);
        EXPECT_EQ(platform::ProgramTempFolder(), c.folder);
    }
}

// Other users can create names in the system's temporary directory: only the user's own folder takes copies.
TEST(ProgramTempFolder, OnlyTheUsersOwnFolderIsUsed) {
    testsupport::TempDir dir;
    const testsupport::EnvironmentOverride tmpdir("TMPDIR", dir.Path().string());
    const fs::path folder = dir.Path() / "Tolvan Temp";
    std::string own;

    // Missing: made for the user alone.
    EXPECT_EQ(platform::OwnProgramTempFolder(own), 0);
    EXPECT_EQ(own, folder.string());
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(platform::OwnProgramTempFolder(own), 0); // and found again

    // Planted: a link to somewhere else, a folder everybody may write, a folder of another user.
    dir.WriteFile("Woanders/authorized_keys", "bleibt");
    fs::remove(folder);
    fs::create_directory_symlink(dir.Path() / "Woanders", folder);
    EXPECT_EQ(platform::OwnProgramTempFolder(own), platform::kAccessDenied);
    EXPECT_EQ(own, "");
    fs::remove(folder);
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    EXPECT_EQ(platform::OwnProgramTempFolder(own), platform::kAccessDenied);
    if (::geteuid() == 0) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        EXPECT_EQ(platform::OwnProgramTempFolder(own), platform::kAccessDenied);
    }
    EXPECT_EQ(dir.ReadFile("Woanders/authorized_keys"), "bleibt");
}

} // namespace

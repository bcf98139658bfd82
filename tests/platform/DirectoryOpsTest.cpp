#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

TEST(DirectoryOps, CreatesOneLevel) {
    testsupport::TempDir dir;
    dir.WriteFile("file", "");
    EXPECT_EQ(platform::CreateDirectoryLevel(dir.Path() / "new"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "new"));
    EXPECT_EQ(platform::CreateDirectoryLevel(dir.Path() / "new"), platform::kAlreadyExists);
    EXPECT_EQ(platform::CreateDirectoryLevel(dir.Path() / "file"), platform::kAlreadyExists);
    EXPECT_EQ(platform::CreateDirectoryLevel(dir.Path() / "a/b"), platform::kPathNotFound);
    EXPECT_EQ(platform::CreateDirectoryLevel(dir.Path() / "file/b"), platform::kPathNotFound);
}

// A directory the run creates is never more open to group and others than the directory it mirrors; its
// owner, who runs the program, can always fill it.
TEST(DirectoryOps, CreatedLevelIsNoMoreOpenThanItsSource) {
    const struct {
        std::optional<mode_t> source;
        mode_t created; // with umask 022
    } cases[] = {
        {0700, 0700},   {0750, 0750},  {0711, 0711},  {0500, 0700},         {0777, 0755},
        {01777, 01755}, {04755, 0755}, {02770, 0750}, {std::nullopt, 0755},
    };
    testsupport::TempDir dir;
    const mode_t oldMask = umask(022);
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << (c.source ? *c.source : 07777));
        const std::filesystem::path path = dir.Path() / std::to_string(i++);
        EXPECT_EQ(platform::CreateDirectoryLevel(path, c.source), 0);
        struct stat st {};
        EXPECT_EQ(lstat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.created);
    }
    umask(oldMask);
}

TEST(DirectoryOps, RemovesOnlyEmptyDirectories) {
    testsupport::TempDir dir;
    dir.WriteFile("full/file", "");
    std::filesystem::create_directory(dir.Path() / "empty");
    std::filesystem::create_directory_symlink("empty", dir.Path() / "link");
    EXPECT_EQ(platform::RemoveEmptyDirectory(dir.Path() / "full"), platform::kDirNotEmpty);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "full/file"));
    EXPECT_EQ(platform::RemoveEmptyDirectory(dir.Path() / "link"), platform::kPathNotFound);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "empty"));
    EXPECT_EQ(platform::RemoveEmptyDirectory(dir.Path() / "empty"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "empty"));
    EXPECT_EQ(platform::RemoveEmptyDirectory(dir.Path() / "empty"), platform::kFileNotFound);
}

} // namespace

#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

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

#include "platform/AtomicFile.h"
#include "ChildProcess.h"
#include "platform/TemporaryFiles.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<std::string> Names(const std::filesystem::path& directory) {
    return testsupport::NamesIn(directory);
}

TEST(AtomicFile, ReplacesTheFileWithTheGivenMode) {
    testsupport::TempDir dir;
    const std::filesystem::path path = dir.WriteFile("Profil.tvp", "alt");
    ASSERT_EQ(platform::WriteFileAtomically(path, "neu", 0600), 0);
    EXPECT_EQ(dir.ReadFile("Profil.tvp"), "neu");
    struct stat st {};
    ASSERT_EQ(lstat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Profil.tvp"});
    EXPECT_NE(platform::WriteFileAtomically((dir.Path() / "fehlt/Profil.tvp").string(), "neu", 0600), 0);
}

// A crash before the rename leaves the old file whole and the new content under a temporary name, which the
// next run knows as the program's own and removes.
TEST(AtomicFile, CrashBeforeTheRenameLeavesALeftoverTheCleanerRemoves) {
    testsupport::TempDir dir;
    const std::filesystem::path path = dir.WriteFile("Profil.tvp", "alt");
    const auto status = testsupport::RunInChild([&] {
        if (!testsupport::DieAtFsync()) return testsupport::kCannotFilter;
        return platform::WriteFileAtomically(path, "neu", 0600);
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_TRUE(status && WIFSIGNALED(*status)) << "the child did not die at fsync";
    EXPECT_EQ(dir.ReadFile("Profil.tvp"), "alt");
    const std::vector<std::string> names = Names(dir.Path());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(platform::IsTemporaryName(names[0])) << names[0];

    std::vector<std::string> removed;
    ASSERT_EQ(platform::RemoveLeftoverTemporaryFiles(dir.Path().string(), names, removed), 0);
    EXPECT_EQ(removed, std::vector<std::string>{names[0]});
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"Profil.tvp"});
}

} // namespace

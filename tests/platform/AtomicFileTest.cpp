#include "platform/AtomicFile.h"
#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdio>
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

// Creating never replaces: a file or a (dangling) symlink already there stays, also on a file system without the
// rename that refuses to replace (there a hard link takes the name), and no temporary file remains.
TEST(AtomicFile, CreatingNeverReplacesWhatIsThere) {
    for (const bool withoutNoReplace : {false, true}) {
        SCOPED_TRACE(withoutNoReplace ? "without RENAME_NOREPLACE" : "with RENAME_NOREPLACE");
        testsupport::TempDir dir;
        const std::string fresh = (dir.Path() / "neu.ini").string();
        const std::string taken = dir.WriteFile("alt.ini", "alt").string();
        const std::filesystem::path link = dir.Path() / "link.ini";
        std::filesystem::create_symlink("fehlt", link);
        const auto status = testsupport::RunInChild([&] {
            if (withoutNoReplace &&
                !testsupport::FilterSystemCall(SYS_renameat2, 4, RENAME_NOREPLACE, SECCOMP_RET_ERRNO | EINVAL))
                return testsupport::kCannotFilter;
            int failures = 0;
            if (platform::CreateFileAtomically(fresh, "neu", 0600) != platform::kSuccess) failures |= 1;
            if (platform::CreateFileAtomically(taken, "neu", 0600) != platform::kAlreadyExists) failures |= 2;
            if (platform::CreateFileAtomically(link.string(), "neu", 0600) != platform::kAlreadyExists) failures |= 4;
            return failures;
        });
        if (testsupport::ExitCode(status) == testsupport::kCannotFilter) continue; // no seccomp filter here
        EXPECT_EQ(testsupport::ExitCode(status), 0);
        EXPECT_EQ(dir.ReadFile("neu.ini"), "neu");
        struct stat st {};
        ASSERT_EQ(lstat(fresh.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        EXPECT_EQ(st.st_nlink, 1u) << "the temporary name is gone";
        EXPECT_EQ(dir.ReadFile("alt.ini"), "alt");
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"alt.ini", "link.ini", "neu.ini"}));
    }
}

} // namespace

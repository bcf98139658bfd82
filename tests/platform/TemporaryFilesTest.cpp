#include "platform/TemporaryFiles.h"
#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::IsTemporaryName;
using platform::RemoveLeftoverTemporaryFiles;

std::vector<std::string> Names(const std::filesystem::path& directory) {
    return testsupport::NamesIn(directory);
}

TEST(TemporaryFiles, NamePatternIsExact) {
    const struct {
        const char* name;
        bool temporary;
    } cases[] = {
        {".~tolvan-Ab3xZ9", true},
        {".~tolvan-000000", true},
        // Too short, too long, not only letters and digits after the prefix.
        {".~tolvan-Ab3xZ", false},
        {".~tolvan-Ab3xZ9a", false},
        {".~tolvan-Ab3xZ!", false},
        {".~tolvan-Ab3x.9", false},
        {".~tolvan-Ab3xä", false},
        {".~tolvan-", false},
        // Names are compared exactly, from their first character.
        {".~Tolvan-Ab3xZ9", false},
        {"~tolvan-Ab3xZ9", false},
        {"x.~tolvan-Ab3xZ9", false},
        {"", false},
        // Names that only look temporary are users' files.
        {".Brief.doc.Ab3xZ9", false},
        {"Brief.doc.tmp-Ab3xZ9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsTemporaryName(c.name), c.temporary) << '"' << c.name << '"';

    std::set<std::string> made;
    for (int i = 0; i < 200; ++i) {
        const std::string name = platform::MakeTemporaryName();
        EXPECT_TRUE(IsTemporaryName(name)) << name;
        made.insert(name);
    }
    EXPECT_GT(made.size(), 195u) << "the names are hardly random";
}

// A directory with one temporary name of each kind; a cleaner must remove only the unheld regular file.
class LeftoverCleaner : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.WriteFile(kLeftover, "half a copy");
        m_dir.WriteFile(kHeld, "a copy under way");
        m_holder = open((m_dir.Path() / kHeld).c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(m_holder, 0);
        ASSERT_EQ(flock(m_holder, LOCK_EX), 0);
        m_dir.WriteFile("ziel.txt", "a user's file");
        std::filesystem::create_symlink("ziel.txt", m_dir.Path() / kLink);
        ASSERT_EQ(mkfifo((m_dir.Path() / kFifo).c_str(), 0600), 0);
        std::filesystem::create_directory(m_dir.Path() / kDirectory);
        m_dir.WriteFile(kUserFile, "looks temporary, is not");
    }
    void TearDown() override {
        if (m_holder >= 0) close(m_holder);
    }

    static constexpr const char* kLeftover = ".~tolvan-AAAAAA";
    static constexpr const char* kHeld = ".~tolvan-BBBBBB";
    static constexpr const char* kLink = ".~tolvan-CCCCCC";
    static constexpr const char* kFifo = ".~tolvan-DDDDDD";
    static constexpr const char* kDirectory = ".~tolvan-EEEEEE";
    static constexpr const char* kUserFile = ".~tolvan-FFFFF";
    testsupport::TempDir m_dir;
    int m_holder = -1;
};

TEST_F(LeftoverCleaner, RemovesOnlyUnheldRegularFilesOfThePattern) {
    const std::vector<std::string> before = Names(m_dir.Path());
    std::vector<std::string> removed;
    ASSERT_EQ(RemoveLeftoverTemporaryFiles(m_dir.Path().string(), before, removed), 0);
    EXPECT_EQ(removed, std::vector<std::string>{kLeftover});
    std::vector<std::string> expected = before;
    std::erase(expected, std::string(kLeftover));
    EXPECT_EQ(Names(m_dir.Path()), expected);
    EXPECT_EQ(m_dir.ReadFile("ziel.txt"), "a user's file") << "the symlink was followed";

    // Once its writer is gone, the held file is a leftover too.
    close(m_holder);
    m_holder = -1;
    removed.clear();
    ASSERT_EQ(RemoveLeftoverTemporaryFiles(m_dir.Path().string(), before, removed), 0);
    EXPECT_EQ(removed, std::vector<std::string>{kHeld});
}

TEST_F(LeftoverCleaner, AFileHeldByAnotherProcessStays) {
    close(m_holder);
    m_holder = -1;
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const std::filesystem::path held = m_dir.Path() / kHeld;
    std::optional<int> status;
    std::thread child([&] {
        status = testsupport::RunInChild([&] {
            const int fd = open(held.c_str(), O_WRONLY | O_CLOEXEC);
            char byte = 1;
            if (fd < 0 || flock(fd, LOCK_EX) != 0 || write(ready[1], &byte, 1) != 1) return 1;
            return read(release[0], &byte, 1) == 1 ? 0 : 2;
        });
        close(ready[1]); // a child that never got its lock ends the wait below
    });
    char byte = 0;
    const bool holding = read(ready[0], &byte, 1) == 1;
    std::vector<std::string> removed;
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(m_dir.Path().string(), {kHeld}, removed), 0);
    const bool kept = std::filesystem::exists(held);
    if (holding) {
        EXPECT_EQ(write(release[1], &byte, 1), 1);
    }
    child.join();
    for (int fd : {ready[0], release[0], release[1]})
        close(fd);
    ASSERT_TRUE(holding) << "the child did not get its lock";
    EXPECT_TRUE(removed.empty());
    EXPECT_TRUE(kept);
    EXPECT_EQ(testsupport::ExitCode(status), 0);
}

TEST(TemporaryFiles, CreatedFileIsHeldUntilItsDescriptorCloses) {
    testsupport::TempDir dir;
    int fd = -1;
    std::string path;
    ASSERT_EQ(platform::CreateTemporaryFile(dir.Path().string(), 0600, fd, path), 0);
    ASSERT_GE(fd, 0);
    const std::string name = std::filesystem::path(path).filename().string();
    EXPECT_TRUE(IsTemporaryName(name)) << name;
    EXPECT_EQ(std::filesystem::path(path).parent_path(), dir.Path());
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    std::vector<std::string> removed;
    ASSERT_EQ(RemoveLeftoverTemporaryFiles(dir.Path().string(), {name}, removed), 0);
    EXPECT_TRUE(removed.empty()) << "a file being written was removed";
    close(fd);
    ASSERT_EQ(RemoveLeftoverTemporaryFiles(dir.Path().string(), {name}, removed), 0);
    EXPECT_EQ(removed, std::vector<std::string>{name});
    EXPECT_TRUE(Names(dir.Path()).empty());

    EXPECT_EQ(platform::CreateTemporaryFile((dir.Path() / "missing").string(), 0600, fd, path),
              platform::kPathNotFound);
    EXPECT_EQ(fd, -1);
    EXPECT_TRUE(path.empty());
}

TEST(TemporaryFiles, CleanerNeverGoesThroughADirectorySymlink) {
    testsupport::TempDir dir;
    dir.WriteFile("echt/.~tolvan-AAAAAA", "leftover");
    std::filesystem::create_directory_symlink("echt", dir.Path() / "link");
    std::vector<std::string> removed;
    const std::vector<std::string> names = {".~tolvan-AAAAAA"};
    EXPECT_EQ(RemoveLeftoverTemporaryFiles((dir.Path() / "link").string(), names, removed), platform::kLinkInPath);
    EXPECT_EQ(RemoveLeftoverTemporaryFiles(dir.Path().string(), "\\link\\", names, removed), platform::kLinkInPath);
    EXPECT_EQ(RemoveLeftoverTemporaryFiles((dir.Path() / "fehlt").string(), names, removed), platform::kPathNotFound);
    EXPECT_TRUE(removed.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "echt/.~tolvan-AAAAAA"));

    EXPECT_EQ(RemoveLeftoverTemporaryFiles(dir.Path().string(), "\\echt\\", names, removed), 0);
    EXPECT_EQ(removed, names);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "echt/.~tolvan-AAAAAA"));
}

} // namespace

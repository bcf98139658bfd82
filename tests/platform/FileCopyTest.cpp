#include "platform/FileCopy.h"
#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::CopyFileSafely;
using platform::CopyOptions;
using platform::kCopyBlockSize;
using testsupport::RunInChild;

constexpr timespec kAccessTime{1'650'000'000, 111'222'333};
constexpr timespec kWriteTime{1'700'000'000, 123'456'789};

// Bytes that differ from block to block, so a block written twice or skipped shows.
std::string Pattern(std::size_t length, unsigned seed = 1) {
    std::string bytes(length, '\0');
    unsigned state = seed;
    for (auto& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

void SetTimes(const std::filesystem::path& path) {
    const timespec times[2] = {kAccessTime, kWriteTime};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

struct stat Lstat(const std::filesystem::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::vector<std::string> Names(const std::filesystem::path& directory) {
    return testsupport::NamesIn(directory);
}

// Whether the file system of directory shares blocks instead of writing them.
bool SupportsReflink(const std::filesystem::path& directory) {
    std::filesystem::path a = directory / "reflink-probe-a";
    std::filesystem::path b = directory / "reflink-probe-b";
    int from = open(a.c_str(), O_RDWR | O_CREAT, 0600);
    int to = open(b.c_str(), O_RDWR | O_CREAT, 0600);
    bool supported = from >= 0 && to >= 0 && write(from, "x", 1) == 1 && ioctl(to, FICLONE, from) == 0;
    close(from);
    close(to);
    std::filesystem::remove(a);
    std::filesystem::remove(b);
    return supported;
}

// A source and an old target in one directory, for each of the two copy methods.
class CopyMethod : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        m_source = m_dir.WriteFile("Quelle.bin", Pattern(3 * kCopyBlockSize + 17));
        ASSERT_EQ(chmod(m_source.c_str(), 0640), 0);
        SetTimes(m_source);
        m_target = m_dir.WriteFile("Ziel.bin", m_oldTarget);
        ASSERT_EQ(chmod(m_target.c_str(), 0600), 0);
    }

    CopyOptions Options(std::function<bool(std::int64_t)> progress = {}) const {
        return CopyOptions{GetParam(), std::move(progress)};
    }

    void ExpectOldTargetAlone() const {
        EXPECT_TRUE(m_dir.ReadFile("Ziel.bin") == m_oldTarget) << "the old target was replaced";
        EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"Quelle.bin", "Ziel.bin"}));
    }

    testsupport::TempDir m_dir;
    std::filesystem::path m_source;
    std::filesystem::path m_target;
    const std::string m_oldTarget = "old content";
};

// A file of length bytes with data at its start, in its middle and at its end; the rest are holes.
void WriteSparse(const std::filesystem::path& path, off_t length, const std::string& data) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    for (const off_t at : {off_t{0}, length / 2, length - static_cast<off_t>(data.size())})
        ASSERT_EQ(pwrite(fd, data.data(), data.size(), at), static_cast<ssize_t>(data.size()));
    close(fd);
}

TEST_P(CopyMethod, CopiesContentModeAndTimesToTheNanosecond) {
    std::vector<std::int64_t> reports;
    int code = CopyFileSafely(m_source, m_target, Options([&](std::int64_t bytes) {
                                  reports.push_back(bytes);
                                  return true;
                              }));
    ASSERT_EQ(code, 0);
    // Before reading the content: reading may update the access time.
    struct stat target = Lstat(m_target);
    EXPECT_EQ(target.st_mode & 07777, 0640u);
    EXPECT_EQ(target.st_mtim.tv_sec, kWriteTime.tv_sec);
    EXPECT_EQ(target.st_mtim.tv_nsec, kWriteTime.tv_nsec);
    EXPECT_EQ(target.st_atim.tv_sec, kAccessTime.tv_sec);
    EXPECT_EQ(target.st_atim.tv_nsec, kAccessTime.tv_nsec);
    EXPECT_EQ(m_dir.ReadFile("Ziel.bin"), m_dir.ReadFile("Quelle.bin"));
    EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"Quelle.bin", "Ziel.bin"}));

    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), static_cast<std::int64_t>(3 * kCopyBlockSize + 17));
    if (GetParam()) {
        EXPECT_EQ(reports.size(), 4u) << "one report per 131072-byte block";
    }
}

TEST_P(CopyMethod, CopiesAnEmptyFileToANewName) {
    std::filesystem::path empty = m_dir.WriteFile("leer", "");
    SetTimes(empty);
    ASSERT_EQ(CopyFileSafely(empty, m_dir.Path() / "leer-kopie", Options()), 0);
    EXPECT_EQ(m_dir.ReadFile("leer-kopie"), "");
    EXPECT_EQ(Lstat(m_dir.Path() / "leer-kopie").st_mtim.tv_nsec, kWriteTime.tv_nsec);
}

TEST_P(CopyMethod, HolesOfASparseFileStayHoles) {
    // 4 GiB long, with data at the start, in the middle and at the end; the rest are holes.
    constexpr off_t kLength = off_t{4} << 30;
    const std::string data = Pattern(kCopyBlockSize + 5, 7);
    const std::filesystem::path sparse = m_dir.Path() / "Abbild.img";
    ASSERT_NO_FATAL_FAILURE(WriteSparse(sparse, kLength, data));
    if (Lstat(sparse).st_blocks * 512 >= kLength) GTEST_SKIP() << "the file system keeps no holes";
    const std::filesystem::path copy = m_dir.Path() / "Kopie.img";
    ASSERT_EQ(CopyFileSafely(sparse, copy, Options()), 0);
    const struct stat copied = Lstat(copy);
    EXPECT_EQ(copied.st_size, kLength);
    EXPECT_LT(copied.st_blocks * 512, off_t{64} << 20) << "the holes were written out";
    const int fd = open(copy.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::string back(data.size(), '\0');
    for (const off_t at : {off_t{0}, kLength / 2, kLength - static_cast<off_t>(data.size())}) {
        ASSERT_EQ(pread(fd, back.data(), back.size(), at), static_cast<ssize_t>(back.size()));
        EXPECT_EQ(back, data) << "at " << at;
    }
    std::string gap(4096, 'x');
    ASSERT_EQ(pread(fd, gap.data(), gap.size(), kLength / 4), static_cast<ssize_t>(gap.size()));
    EXPECT_EQ(gap, std::string(4096, '\0'));
    close(fd);
}

TEST_P(CopyMethod, CancelInProgressLeavesTheOldTarget) {
    // Large enough for several copy_file_range chunks.
    std::filesystem::path big = m_dir.WriteFile("Quelle.bin", Pattern(10 * 1024 * 1024));
    int calls = 0;
    int code = CopyFileSafely(big, m_target, Options([&](std::int64_t) { return ++calls < 1; }));
    EXPECT_EQ(code, platform::kCancelled);
    EXPECT_EQ(calls, 1);
    ExpectOldTargetAlone();
}

TEST_P(CopyMethod, WriteFailureLeavesTheOldTarget) {
    if (!GetParam() && SupportsReflink(m_dir.Path()))
        GTEST_SKIP() << "the file system shares blocks, so the system copy writes nothing that a size limit stops";
    // A file size limit makes write fail with EFBIG, as a full disk makes it fail with ENOSPC.
    std::optional<int> status = RunInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        return CopyFileSafely(m_source, m_target, Options());
    });
    ASSERT_TRUE(status && WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), platform::kDiskFull);
    ExpectOldTargetAlone();
}

TEST_P(CopyMethod, KilledCopyLeavesTheOldTarget) {
    std::optional<int> status = RunInChild([&] {
        return CopyFileSafely(m_source, m_target, Options([](std::int64_t) {
                                  raise(SIGKILL);
                                  return true;
                              }));
    });
    ASSERT_TRUE(status && WIFSIGNALED(*status));
    EXPECT_EQ(WTERMSIG(*status), SIGKILL);
    ExpectOldTargetAlone();
}

// How a test changes the source while it is copied.
enum class SourceChange {
    Append,          // a few bytes more
    Rewrite,         // bytes overwritten in place, with a new modification time of their own
    RewriteKeepTime, // bytes overwritten in place, the old modification time restored: only the change time moves
};

void ChangeSource(const std::filesystem::path& source, SourceChange change, int serial) {
    const int fd = open(source.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const std::string bytes = "written meanwhile " + std::to_string(serial);
    if (change == SourceChange::Append) {
        ASSERT_GE(lseek(fd, 0, SEEK_END), 0);
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    } else {
        // The change time comes from a coarse clock: a pause makes sure it moves.
        if (change == SourceChange::RewriteKeepTime) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), kCopyBlockSize), static_cast<ssize_t>(bytes.size()));
        // An explicit new time, so the change shows even where the clock's granularity would hide it.
        const timespec newTime{kWriteTime.tv_sec + serial, 0};
        const timespec times[2] = {{0, UTIME_OMIT}, change == SourceChange::Rewrite ? newTime : kWriteTime};
        ASSERT_EQ(futimens(fd, times), 0);
    }
    close(fd);
}

TEST_P(CopyMethod, SourceChangedWhileCopiedIsNotPublished) {
    const struct {
        const char* name;
        SourceChange change;
        bool everyCall; // else only on the first progress call: the second attempt finds the source at rest
        int expected;
    } cases[] = {
        {"appended once", SourceChange::Append, false, 0},
        {"rewritten once", SourceChange::Rewrite, false, 0},
        {"rewritten all the time", SourceChange::Rewrite, true, platform::kSourceChanged},
        {"rewritten all the time, time kept", SourceChange::RewriteKeepTime, true, platform::kSourceChanged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        int calls = 0;
        int changes = 0;
        const int code = CopyFileSafely(m_source, m_target, Options([&](std::int64_t) {
                                            if (c.everyCall || calls++ == 0)
                                                ChangeSource(m_source, c.change, ++changes);
                                            return true;
                                        }));
        EXPECT_EQ(code, c.expected);
        if (c.expected != 0) {
            ExpectOldTargetAlone();
            continue;
        }
        EXPECT_TRUE(m_dir.ReadFile("Ziel.bin") == m_dir.ReadFile("Quelle.bin")) << "not the source as it is now";
        EXPECT_EQ(Lstat(m_target).st_mtim.tv_sec, Lstat(m_source).st_mtim.tv_sec);
        EXPECT_EQ(Lstat(m_target).st_mtim.tv_nsec, Lstat(m_source).st_mtim.tv_nsec);
        EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"Quelle.bin", "Ziel.bin"}));
    }
}

// On vfat, NFS and FUSE (no O_TMPFILE) the copy is written under a temporary name; a child process that sees
// O_TMPFILE refused takes that path.
TEST_P(CopyMethod, KilledCopyWithoutTmpfileLeavesALeftoverTheCleanerRemoves) {
    std::optional<int> status = RunInChild([&] {
        if (!testsupport::RefuseTmpfile()) return testsupport::kCannotFilter;
        return CopyFileSafely(m_source, m_target, Options([](std::int64_t) {
                                  raise(SIGKILL);
                                  return true;
                              }));
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_TRUE(status && WIFSIGNALED(*status));
    std::vector<std::string> names = Names(m_dir.Path());
    ASSERT_EQ(names.size(), 3u) << "no partial copy was left: O_TMPFILE was not refused";
    const std::string leftover = names[0]; // "." sorts first
    EXPECT_TRUE(platform::IsTemporaryName(leftover)) << leftover;
    EXPECT_TRUE(m_dir.ReadFile("Ziel.bin") == m_oldTarget) << "the old target was replaced";

    std::vector<std::string> removed;
    ASSERT_EQ(platform::RemoveLeftoverTemporaryFiles(m_dir.Path().string(), names, removed), 0);
    EXPECT_EQ(removed, std::vector<std::string>{leftover});
    ExpectOldTargetAlone();
}

TEST_P(CopyMethod, CopyUnderWayWithoutTmpfileKeepsItsTemporaryFile) {
    int paused[2];
    int resume[2];
    ASSERT_EQ(pipe(paused), 0);
    ASSERT_EQ(pipe(resume), 0);
    std::optional<int> status;
    std::thread copier([&] {
        status = RunInChild([&] {
            if (!testsupport::RefuseTmpfile()) return testsupport::kCannotFilter;
            bool first = true;
            return CopyFileSafely(m_source, m_target, Options([&](std::int64_t) {
                                      char byte = 1;
                                      if (first && (write(paused[1], &byte, 1) != 1 || read(resume[0], &byte, 1) != 1))
                                          return false;
                                      first = false;
                                      return true;
                                  }));
        });
        close(paused[1]); // a child that never pauses ends the wait below
    });
    char byte = 0;
    const bool copying = read(paused[0], &byte, 1) == 1;
    std::vector<std::string> names = Names(m_dir.Path());
    std::vector<std::string> removed;
    EXPECT_EQ(platform::RemoveLeftoverTemporaryFiles(m_dir.Path().string(), names, removed), 0);
    if (copying) {
        EXPECT_EQ(write(resume[1], &byte, 1), 1);
    }
    copier.join();
    for (int fd : {paused[0], resume[0], resume[1]})
        close(fd);
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_TRUE(copying);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_TRUE(platform::IsTemporaryName(names[0])) << names[0];
    EXPECT_TRUE(removed.empty()) << "the cleaner removed a copy under way";
    EXPECT_EQ(testsupport::ExitCode(status), 0);
    EXPECT_TRUE(m_dir.ReadFile("Ziel.bin") == m_dir.ReadFile("Quelle.bin")) << "the copy is not the source";
    EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"Quelle.bin", "Ziel.bin"}));
}

INSTANTIATE_TEST_SUITE_P(FileCopy, CopyMethod, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "OwnCopy" : "SystemCopy"; });

class FileCopy : public ::testing::Test {
protected:
    testsupport::TempDir m_dir;
};

TEST_F(FileCopy, SymlinkIsRecreatedWithItsTargetAndTimes) {
    m_dir.WriteFile("real.txt", "real content");
    std::filesystem::path link = m_dir.Path() / "link";
    std::filesystem::create_symlink("real.txt", link);
    SetTimes(link);
    std::filesystem::path target = m_dir.WriteFile("target", "an old regular file");

    ASSERT_EQ(CopyFileSafely(link, target, {}), 0);
    ASSERT_TRUE(std::filesystem::is_symlink(target));
    EXPECT_EQ(std::filesystem::read_symlink(target), "real.txt");
    EXPECT_EQ(Lstat(target).st_mtim.tv_nsec, kWriteTime.tv_nsec);
    EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"link", "real.txt", "target"}));

    // A dangling link is copied all the same: its target is never looked at.
    std::filesystem::path dangling = m_dir.Path() / "dangling";
    std::filesystem::create_symlink("nowhere/at/all", dangling);
    ASSERT_EQ(CopyFileSafely(dangling, m_dir.Path() / "dangling-copy", {true, {}}), 0);
    EXPECT_EQ(std::filesystem::read_symlink(m_dir.Path() / "dangling-copy"), "nowhere/at/all");
}

TEST_F(FileCopy, FifoSourceIsRefusedWithoutBlocking) {
    std::filesystem::path fifo = m_dir.Path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::path target = m_dir.Path() / "target";
    for (bool ownCopy : {true, false}) {
        std::optional<int> status = RunInChild(
            [&] {
                return CopyFileSafely(fifo, target, {ownCopy, {}});
            },
            std::chrono::seconds(5));
        ASSERT_TRUE(status) << "the copy blocked on the FIFO";
        ASSERT_TRUE(WIFEXITED(*status));
        EXPECT_EQ(WEXITSTATUS(*status), platform::kFileNotFound);
    }
    EXPECT_FALSE(std::filesystem::exists(target));
}

struct FailureCase {
    const char* name;
    std::function<void(const testsupport::TempDir&)> prepare;
    const char* from;
    const char* to;
    int expected;
};

// Failures that leave everything as it was, whoever runs the test (root included).
TEST_F(FileCopy, FailuresLeaveTheTreeUnchanged) {
    const std::vector<FailureCase> cases = {
        {"vanished source", [](const auto&) {}, "missing", "target", platform::kFileNotFound},
        {"target directory is a file", [](const auto& d) { d.WriteFile("plain", "x"); }, "source", "plain/target",
         platform::kPathNotFound},
        {"target directory missing", [](const auto&) {}, "source", "no/such/target", platform::kPathNotFound},
        {"read-only target", [](const auto& d) { chmod(d.WriteFile("ro", "keep").c_str(), 0444); }, "source", "ro",
         platform::kAccessDenied},
        {"target is a directory", [](const auto& d) { std::filesystem::create_directory(d.Path() / "dir"); }, "source",
         "dir", platform::kAccessDenied},
        {"source is a directory", [](const auto& d) { std::filesystem::create_directory(d.Path() / "dir"); }, "dir",
         "target", platform::kAccessDenied},
    };
    for (const auto& c : cases) {
        for (bool ownCopy : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (ownCopy ? " (own copy)" : " (system copy)"));
            testsupport::TempDir dir;
            dir.WriteFile("source", "new");
            dir.WriteFile("target", "old");
            c.prepare(dir);
            std::vector<std::string> before = Names(dir.Path());
            EXPECT_EQ(CopyFileSafely(dir.Path() / c.from, dir.Path() / c.to, {ownCopy, {}}), c.expected);
            EXPECT_EQ(Names(dir.Path()), before);
            EXPECT_EQ(dir.ReadFile("target"), "old");
        }
    }
}

// Between two file systems copy_file_range answers EXDEV: a sparse file then goes in blocks, holes and all.
TEST_F(FileCopy, SparseFileBetweenFileSystemsIsCopiedInBlocks) {
    constexpr off_t kLength = off_t{64} << 20;
    const std::string data = Pattern(kCopyBlockSize + 5, 4);
    const std::filesystem::path sparse = m_dir.Path() / "Abbild.img";
    ASSERT_NO_FATAL_FAILURE(WriteSparse(sparse, kLength, data));
    if (Lstat(sparse).st_blocks * 512 >= kLength) GTEST_SKIP() << "the file system keeps no holes";
    const std::filesystem::path copy = m_dir.Path() / "Kopie.img";
    const std::optional<int> status = RunInChild([&] {
        if (!testsupport::FilterSystemCall(SYS_ioctl, 1, 0, SECCOMP_RET_ERRNO | EOPNOTSUPP) ||
            !testsupport::FilterSystemCall(SYS_copy_file_range, 0, 0, SECCOMP_RET_ERRNO | EXDEV))
            return testsupport::kCannotFilter;
        return CopyFileSafely(sparse, copy, {});
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_EQ(testsupport::ExitCode(status), 0);
    EXPECT_EQ(Lstat(copy).st_size, kLength);
    EXPECT_LT(Lstat(copy).st_blocks * 512, kLength / 2) << "the holes were written out";
    EXPECT_TRUE(m_dir.ReadFile("Kopie.img") == m_dir.ReadFile("Abbild.img"));
}

// A pair of file systems that refused the reflink and copy_file_range once is not asked again in the same
// session, and every kind of file still arrives whole: after the refusal, asking again would end the process.
TEST_F(FileCopy, FastPathsRefusedOnceAreNotTriedAgainAndCopiesStayWhole) {
    constexpr off_t kSparseLength = off_t{64} << 20;
    const std::string data = Pattern(kCopyBlockSize + 5, 3);
    const std::filesystem::path sparse = m_dir.Path() / "Abbild.img";
    {
        const int fd = open(sparse.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        for (const off_t at : {off_t{0}, kSparseLength - static_cast<off_t>(data.size())})
            ASSERT_EQ(pwrite(fd, data.data(), data.size(), at), static_cast<ssize_t>(data.size()));
        close(fd);
    }
    const std::vector<std::pair<std::string, std::string>> files = {
        {"erste.bin", Pattern(3 * kCopyBlockSize + 17, 1)},
        {"klein.txt", "ein paar Bytes"},
        {"gross.bin", Pattern(5 * 1024 * 1024 + 3, 2)}, // more than one copy_file_range chunk
        {"leer", ""},
    };
    for (const auto& [name, bytes] : files)
        m_dir.WriteFile(name, bytes);
    std::filesystem::create_directory(m_dir.Path() / "Kopien");
    const auto copyOf = [&](const std::string& name) { return m_dir.Path() / "Kopien" / name; };

    const std::optional<int> status = RunInChild([&] {
        using testsupport::FilterSystemCall;
        platform::CopySession session;
        CopyOptions options;
        options.session = &session;
        if (!FilterSystemCall(SYS_ioctl, 1, 0, SECCOMP_RET_ERRNO | EOPNOTSUPP) ||
            !FilterSystemCall(SYS_copy_file_range, 0, 0, SECCOMP_RET_ERRNO | EXDEV))
            return testsupport::kCannotFilter;
        if (CopyFileSafely(m_dir.Path() / files[0].first, copyOf(files[0].first), options) != 0) return 1;
        if (!FilterSystemCall(SYS_ioctl, 1, 0, SECCOMP_RET_KILL_PROCESS) ||
            !FilterSystemCall(SYS_copy_file_range, 0, 0, SECCOMP_RET_KILL_PROCESS))
            return testsupport::kCannotFilter;
        for (std::size_t i = 1; i < files.size(); ++i)
            if (CopyFileSafely(m_dir.Path() / files[i].first, copyOf(files[i].first), options) != 0) return 2;
        return CopyFileSafely(sparse, copyOf("Abbild.img"), options) == 0 ? 0 : 3;
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_TRUE(status && WIFEXITED(*status)) << "a refused fast path was tried again";
    ASSERT_EQ(WEXITSTATUS(*status), 0);
    for (const auto& [name, bytes] : files)
        EXPECT_TRUE(m_dir.ReadFile("Kopien/" + name) == bytes) << name;
    const struct stat copied = Lstat(copyOf("Abbild.img"));
    EXPECT_EQ(copied.st_size, kSparseLength);
    if (Lstat(sparse).st_blocks < copied.st_size / 512) {
        EXPECT_LT(copied.st_blocks * 512, kSparseLength / 2) << "the holes were written out";
    }
    EXPECT_TRUE(m_dir.ReadFile("Kopien/Abbild.img") == m_dir.ReadFile("Abbild.img"));
}

// Where a nameless file cannot be linked by its descriptor (older kernels, no CAP_DAC_READ_SEARCH: ENOENT), it
// gets its name through /proc/self/fd, for a new target as for one it replaces.
TEST_F(FileCopy, NamelessFileRefusedALinkByDescriptorIsNamedThroughProc) {
    m_dir.WriteFile("Quelle.txt", "neu");
    m_dir.WriteFile("Ziel.txt", "alt");
    const std::optional<int> status = RunInChild([&] {
        if (!testsupport::FilterSystemCall(SYS_linkat, 4, AT_EMPTY_PATH, SECCOMP_RET_ERRNO | ENOENT))
            return testsupport::kCannotFilter;
        platform::CopySession session;
        CopyOptions options;
        options.session = &session;
        for (const char* target : {"Ziel.txt", "Neu.txt", "Ziel.txt"})
            if (const int code = CopyFileSafely(m_dir.Path() / "Quelle.txt", m_dir.Path() / target, options); code)
                return code;
        return 0;
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotFilter) GTEST_SKIP() << "no seccomp filter here";
    ASSERT_EQ(testsupport::ExitCode(status), 0);
    EXPECT_EQ(m_dir.ReadFile("Ziel.txt"), "neu");
    EXPECT_EQ(m_dir.ReadFile("Neu.txt"), "neu");
    EXPECT_EQ(Names(m_dir.Path()), (std::vector<std::string>{"Neu.txt", "Quelle.txt", "Ziel.txt"}));
}

// Copies go through the directory as it was checked: a link put in its place afterwards leads them nowhere.
TEST_F(FileCopy, EnteredDirectoryKeepsCopiesAwayFromALinkPutInItsPlace) {
    const std::filesystem::path source = m_dir.WriteFile("Quelle/neu.txt", "neu");
    m_dir.WriteFile("Ziel/alt.txt", "alt");
    m_dir.WriteFile("Opfer/wichtig.txt", "wichtig");
    platform::CopySession session;
    ASSERT_EQ(session.EnterDirectory(m_dir.Path().string(), "\\Ziel\\"), 0);
    std::filesystem::rename(m_dir.Path() / "Ziel", m_dir.Path() / "Ziel-vorher");
    std::filesystem::create_directory_symlink(m_dir.Path() / "Opfer", m_dir.Path() / "Ziel");

    CopyOptions options;
    options.session = &session;
    ASSERT_EQ(CopyFileSafely(source, m_dir.Path() / "Ziel" / "neu.txt", options), 0);
    EXPECT_EQ(Names(m_dir.Path() / "Opfer"), std::vector<std::string>{"wichtig.txt"});
    EXPECT_EQ(m_dir.ReadFile("Ziel-vorher/neu.txt"), "neu");

    // Entered again, the link is found.
    EXPECT_EQ(session.EnterDirectory(m_dir.Path().string(), "\\Ziel\\"), platform::kLinkInPath);
    EXPECT_EQ(session.EnterDirectory(m_dir.Path().string(), "\\Fehlt\\"), platform::kPathNotFound);
}

TEST_F(FileCopy, UnwritableTargetDirectoryIsAccessDenied) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into any directory";
    std::filesystem::path source = m_dir.WriteFile("source", "new");
    std::filesystem::path locked = m_dir.Path() / "locked";
    std::filesystem::create_directory(locked);
    m_dir.WriteFile("locked/target", "old");
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    EXPECT_EQ(CopyFileSafely(source, locked / "target", {}), platform::kAccessDenied);
    EXPECT_EQ(m_dir.ReadFile("locked/target"), "old");
    EXPECT_EQ(Names(locked), (std::vector<std::string>{"target"}));
}

// A copy belongs to whoever runs the program; set-user-ID and set-group-ID would then act for the wrong user.
TEST_F(FileCopy, CopyOwnedBySomeoneElseHasNoSetIdBits) {
    if (geteuid() != 0) GTEST_SKIP() << "giving the source another owner takes root";
    constexpr uid_t kUser = 12345;
    constexpr gid_t kGroup = 23456;
    const struct {
        mode_t source;
        uid_t uid;
        gid_t gid;
        mode_t copy; // as root copies it
    } cases[] = {
        {04755, kUser, kGroup, 0755}, {02755, kUser, kGroup, 0755}, {06750, kUser, kGroup, 0750},
        {04755, 0, kGroup, 0755},     {02711, kUser, 0, 0711},      {01755, kUser, kGroup, 01755},
        {06755, 0, 0, 06755}, // root's own file keeps them, as with cp -p
    };
    for (const auto& c : cases) {
        for (bool ownCopy : {true, false}) {
            SCOPED_TRACE(testing::Message() << std::oct << c.source << std::dec << " of " << c.uid << ":" << c.gid
                                            << (ownCopy ? " (own copy)" : " (system copy)"));
            const std::filesystem::path source = m_dir.WriteFile("programm", "#!/bin/sh\n");
            ASSERT_EQ(chown(source.c_str(), c.uid, c.gid), 0);
            ASSERT_EQ(chmod(source.c_str(), c.source), 0);
            const std::filesystem::path copy = m_dir.Path() / "kopie";
            bool modeComplete = false;
            ASSERT_EQ(CopyFileSafely(source, copy, {ownCopy, {}, nullptr, &modeComplete}), 0);
            EXPECT_EQ(Lstat(copy).st_uid, 0u);
            EXPECT_EQ(Lstat(copy).st_mode & 07777, c.copy);
            // Only a copy with the source's whole mode may skip the transfer of the mode afterwards.
            EXPECT_EQ(modeComplete, c.copy == c.source);
            std::filesystem::remove(copy);
        }
    }

    // The other way round: a user copies root's set-user-ID program.
    ASSERT_EQ(chmod(m_dir.Path().c_str(), 0755), 0);
    const std::filesystem::path source = m_dir.WriteFile("programm", "#!/bin/sh\n");
    ASSERT_EQ(chown(source.c_str(), 0, 0), 0);
    ASSERT_EQ(chmod(source.c_str(), 06755), 0);
    const std::filesystem::path home = m_dir.Path() / "benutzer";
    std::filesystem::create_directory(home);
    ASSERT_EQ(chown(home.c_str(), kUser, kGroup), 0);
    const auto status =
        testsupport::RunAsUser(kUser, kGroup, [&] { return CopyFileSafely(source, home / "kopie", {}); });
    if (testsupport::ExitCode(status) == testsupport::kCannotSwitchUser) GTEST_SKIP() << "cannot switch to user 12345";
    ASSERT_EQ(testsupport::ExitCode(status), 0);
    EXPECT_EQ(Lstat(home / "kopie").st_uid, kUser);
    EXPECT_EQ(Lstat(home / "kopie").st_mode & 07777, 0755u);
}

} // namespace

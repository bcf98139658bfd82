#include "platform/ReadRegularFile.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLimit = 8;

struct Outcome {
    platform::FileBytes file;
    bool blocked = false;
};

// Reads on another thread. A read that still waits after some seconds (a FIFO opened without O_NONBLOCK) is set
// free by a writer that comes and goes, and counts as blocked.
Outcome ReadWithoutWaiting(const std::string& path, std::size_t limit) {
    auto reading = std::async(std::launch::async, [&] { return platform::ReadRegularFile(path, limit); });
    if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return {reading.get(), false};
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
    return {reading.get(), true};
}

void MakeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

TEST(ReadRegularFile, ReadsOnlyRegularFilesUpToTheLimit) {
    testsupport::TempDir dir;
    const fs::path root = dir.Path();
    dir.WriteFile("text", "Inhalt");
    dir.WriteFile("empty", "");
    dir.WriteFile("at-limit", std::string(kLimit, 'a'));
    dir.WriteFile("over-limit", std::string(kLimit + 1, 'a'));
    ASSERT_EQ(::mkfifo((root / "fifo").c_str(), 0600), 0);
    fs::create_directory(root / "folder");
    fs::create_symlink(root / "text", root / "link-to-file");
    fs::create_symlink(root / "folder", root / "link-to-folder");
    fs::create_symlink(root / "missing", root / "dangling");
    MakeSocket(root / "socket");

    const struct {
        const char* name;
        std::string path;
        int error;
        std::string bytes;
    } cases[] = {
        {"regular file", root / "text", 0, "Inhalt"},
        {"empty file", root / "empty", 0, ""},
        {"FIFO", root / "fifo", platform::kNotRegularFile, ""},
        {"directory", root / "folder", platform::kNotRegularFile, ""},
        {"symlink to a file", root / "link-to-file", 0, "Inhalt"},
        {"symlink to a directory", root / "link-to-folder", platform::kNotRegularFile, ""},
        {"socket", root / "socket", platform::kNotRegularFile, ""},
        {"device node", "/dev/null", platform::kNotRegularFile, ""},
        {"missing", root / "missing", platform::kFileNotFound, ""},
        {"dangling symlink", root / "dangling", platform::kFileNotFound, ""},
        {"below a file", root / "text/x", platform::kPathNotFound, ""},
        {"exactly at the limit", root / "at-limit", 0, std::string(kLimit, 'a')},
        {"one byte over the limit", root / "over-limit", platform::kBadFormat, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = ReadWithoutWaiting(c.path, kLimit);
        EXPECT_FALSE(outcome.blocked);
        EXPECT_EQ(outcome.file.error, c.error);
        EXPECT_EQ(static_cast<bool>(outcome.file), c.error == 0);
        EXPECT_EQ(outcome.file.bytes, c.bytes);
    }
}

TEST(ReadRegularFile, GivesTheVersionOfTheFileItRead) {
    testsupport::TempDir dir;
    const std::string path = dir.WriteFile("Tolvan6.ini", "[A]\r\n").string();
    const platform::FileBytes file = platform::ReadRegularFile(path, kLimit);
    ASSERT_TRUE(file);
    const std::optional<platform::FileVersion> version = platform::VersionOf(path);
    ASSERT_TRUE(version);
    EXPECT_EQ(file.version, *version);
    EXPECT_EQ(file.version.size, 5);
}

// /proc files are regular files whose size says 0: they are read to their end, and the limit still holds for
// what turns up beyond the size (as for a file that grows while it is read).
TEST(ReadRegularFile, ReadsPastTheSizeButNeverPastTheLimit) {
    const platform::FileBytes whole = platform::ReadRegularFile("/proc/self/status", 1 << 20);
    ASSERT_TRUE(whole) << whole.error;
    EXPECT_NE(whole.bytes.find("Name:"), std::string::npos);
    ASSERT_GT(whole.bytes.size(), 100u);

    const platform::FileBytes cut = platform::ReadRegularFile("/proc/self/status", 100);
    EXPECT_EQ(cut.error, platform::kBadFormat);
    EXPECT_TRUE(cut.bytes.empty());
}

} // namespace

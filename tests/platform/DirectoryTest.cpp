#include "platform/Directory.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using platform::FileInfo;
using platform::FileKind;

constexpr timespec kFileTime{1'700'000'000, 123'456'789};
constexpr timespec kLinkTime{1'600'000'000, 500};
// kFileTime as 100-ns ticks since 1601: whole ticks only, the last two nanosecond digits drop.
constexpr platform::FileTime kFileTicks = platform::kUnixEpoch + 1'700'000'000LL * 10'000'000 + 1'234'567;
constexpr platform::FileTime kLinkTicks = platform::kUnixEpoch + 1'600'000'000LL * 10'000'000 + 5;

void SetTime(const std::filesystem::path& path, timespec time) {
    const timespec times[2] = {time, time};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

std::map<std::string, FileInfo> ByName(const std::vector<FileInfo>& entries) {
    std::map<std::string, FileInfo> byName;
    for (const auto& e : entries)
        EXPECT_TRUE(byName.emplace(e.name, e).second) << "listed twice: " << e.name;
    return byName;
}

std::vector<std::string> Names(const std::vector<FileInfo>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

// One directory with an entry of every sort the listing has to tell apart.
class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& dir = m_dir.Path();
        SetTime(m_dir.WriteFile("Brief.doc", "hello"), kFileTime);
        m_dir.WriteFile(".hidden", "");
        chmod(m_dir.WriteFile("readonly.txt", "r").c_str(), 0444);
        m_dir.WriteFile("Ärger.txt", "");
        m_dir.WriteFile("new\nline", "");
        m_dir.WriteFile("back\\slash", "");
        m_dir.WriteFile("bad\xff", "");
        std::filesystem::create_directory(dir / "sub");
        std::filesystem::create_symlink("Brief.doc", dir / "file-link");
        SetTime(dir / "file-link", kLinkTime);
        std::filesystem::create_directory_symlink("sub", dir / "dir-link");
        std::filesystem::create_symlink("missing", dir / "dangling");
        ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
        MakeSocket(dir / "socket");
    }

    void TearDown() override {
        if (m_socket >= 0) close(m_socket);
    }

    void MakeSocket(const std::filesystem::path& path) {
        m_socket = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(m_socket, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.string().size(), sizeof(address.sun_path));
        std::copy_n(path.c_str(), path.string().size(), address.sun_path);
        ASSERT_EQ(bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    }

    std::vector<FileInfo> List(std::string_view mask) const {
        std::vector<FileInfo> entries;
        EXPECT_EQ(platform::ListDirectory(m_dir.Path().string(), mask, entries), platform::kSuccess);
        return entries;
    }

    testsupport::TempDir m_dir;
    int m_socket = -1;
};

TEST_F(Listing, ListsFilesDirectoriesAndLinksButNoSpecialFiles) {
    EXPECT_EQ(Names(List("")),
              (std::vector<std::string>{".hidden", "Brief.doc", "back\\slash", "bad\xff", "dangling", "dir-link",
                                        "file-link", "new\nline", "readonly.txt", "sub", "Ärger.txt"}));
}

TEST_F(Listing, EntriesCarryKindSizeTimeAndAttributes) {
    auto entries = ByName(List(""));

    const FileInfo& file = entries.at("Brief.doc");
    EXPECT_EQ(file.kind, FileKind::File);
    EXPECT_EQ(file.size, 5);
    EXPECT_EQ(file.lastWrite, kFileTicks);
    EXPECT_EQ(file.attributes, 0u);
    EXPECT_EQ(file.uid, getuid());
    EXPECT_EQ(file.gid, getgid());
    EXPECT_FALSE(file.unrepresentable);

    EXPECT_EQ(entries.at(".hidden").attributes, platform::kAttributeHidden);
    EXPECT_EQ(entries.at("readonly.txt").attributes, platform::kAttributeReadOnly);
    EXPECT_EQ(entries.at("readonly.txt").mode, 0444u);

    const FileInfo& sub = entries.at("sub");
    EXPECT_EQ(sub.kind, FileKind::Directory);
    EXPECT_EQ(sub.attributes, platform::kAttributeDirectory);
    EXPECT_EQ(sub.size, 0);

    // A file symlink is a file of its own: the link's size (its target's length) and the link's time.
    const FileInfo& fileLink = entries.at("file-link");
    EXPECT_EQ(fileLink.kind, FileKind::FileSymlink);
    EXPECT_EQ(fileLink.size, 9);
    EXPECT_EQ(fileLink.lastWrite, kLinkTicks);
    EXPECT_EQ(fileLink.attributes, 0u);
    EXPECT_TRUE(fileLink.IsSymlink());
    EXPECT_FALSE(fileLink.IsDirectory());

    EXPECT_EQ(entries.at("dangling").kind, FileKind::FileSymlink);

    // A symlink to a directory is a link of its own too, never a directory to descend.
    const FileInfo& dirLink = entries.at("dir-link");
    EXPECT_EQ(dirLink.kind, FileKind::DirectorySymlink);
    EXPECT_FALSE(dirLink.IsDirectory());
    EXPECT_EQ(dirLink.attributes, 0u);
    EXPECT_TRUE(dirLink.IsSymlink());
}

TEST_F(Listing, UnrepresentableNamesAreFlaggedNotDropped) {
    auto entries = ByName(List(""));
    for (const char* name : {"new\nline", "back\\slash", "bad\xff"})
        EXPECT_TRUE(entries.at(name).unrepresentable) << name;
    for (const char* name : {"Ärger.txt", "Brief.doc", "sub"})
        EXPECT_FALSE(entries.at(name).unrepresentable) << name;
}

TEST_F(Listing, SubdirectoryNamesAreOnlyRealDirectories) {
    std::filesystem::create_directory(m_dir.Path() / "zeile\nbruch");
    std::vector<platform::SubdirectoryName> names;
    ASSERT_EQ(platform::ListSubdirectoryNames(m_dir.Path().string(), "\\", names), platform::kSuccess);
    std::map<std::string, bool> found; // name -> unrepresentable
    for (const auto& entry : names)
        found[entry.name] = entry.unrepresentable;
    EXPECT_EQ(found, (std::map<std::string, bool>{{"sub", false}, {"zeile\nbruch", true}}));
    EXPECT_EQ(platform::ListSubdirectoryNames(m_dir.Path().string(), "\\Brief.doc\\", names), platform::kPathNotFound);
    EXPECT_TRUE(names.empty());
}

TEST_F(Listing, FileNamesFromTheSubdirectoryListingDescribeAsTheFullListingDoes) {
    std::vector<platform::SubdirectoryName> subdirectories;
    std::vector<std::string> files;
    ASSERT_EQ(platform::ListSubdirectoryNames(m_dir.Path().string(), "\\", subdirectories, &files), platform::kSuccess);
    std::sort(files.begin(), files.end());
    // Everything the full listing has but directories; a symlink to a directory is one of the files.
    EXPECT_EQ(files, (std::vector<std::string>{".hidden", "Brief.doc", "back\\slash", "bad\xff", "dangling", "dir-link",
                                               "file-link", "new\nline", "readonly.txt", "Ärger.txt"}));
    files.push_back("verschwunden.txt"); // listed, then gone
    std::vector<FileInfo> described;
    ASSERT_EQ(platform::DescribeEntries(m_dir.Path().string(), "\\", files, described), platform::kSuccess);
    auto full = ByName(List(""));
    full.erase("sub");
    const auto byName = ByName(described);
    ASSERT_EQ(byName.size(), full.size());
    for (const auto& [name, info] : full) {
        EXPECT_EQ(byName.at(name).kind, info.kind) << name;
        EXPECT_EQ(byName.at(name).lastWrite, info.lastWrite) << name;
        EXPECT_EQ(byName.at(name).unrepresentable, info.unrepresentable) << name;
    }
}

TEST_F(Listing, MaskFiltersNamesWithTheFileSearchRules) {
    EXPECT_EQ(Names(List("*.DOC")), (std::vector<std::string>{"Brief.doc"}));
    EXPECT_EQ(Names(List("ä*")), (std::vector<std::string>{"Ärger.txt"}));
    EXPECT_EQ(Names(List("*.*")), Names(List("")));
    EXPECT_EQ(Names(List("*.")), (std::vector<std::string>{"back\\slash", "bad\xff", "dangling", "dir-link",
                                                           "file-link", "new\nline", "sub"}));
    EXPECT_EQ(Names(List("*.xyz")), std::vector<std::string>{});
}

TEST(ListingErrors, MissingOrWrongDirectoriesGiveTheirCodes) {
    testsupport::TempDir dir;
    dir.WriteFile("file.txt", "x");
    const struct {
        std::string path;
        int code;
    } cases[] = {
        {dir.Path().string() + "/missing", platform::kPathNotFound},
        {dir.Path().string() + "/missing/deeper", platform::kPathNotFound},
        {dir.Path().string() + "/file.txt", platform::kPathNotFound},
        {dir.Path().string() + "/file.txt/x", platform::kPathNotFound},
        {"", platform::kPathNotFound},
        {dir.Path().string() + "/" + std::string(5000, 'x'), platform::kPathTooLong},
    };
    for (const auto& c : cases) {
        std::vector<FileInfo> entries(1);
        EXPECT_EQ(platform::ListDirectory(c.path, "", entries), c.code) << c.path.substr(0, 80);
        EXPECT_TRUE(entries.empty());
    }
}

// Without read permission (mode 000) nothing can be listed; with read but without search permission
// (mode 0400) the names can be read but not their information. Root passes both, so the expectation
// follows what this process is really allowed to do.
TEST(ListingErrors, UnreadableDirectoriesGiveAccessDenied) {
    testsupport::TempDir dir;
    for (auto [name, mode] : {std::pair{"locked", 0000}, std::pair{"unsearchable", 0400}}) {
        dir.WriteFile(std::string(name) + "/inside.txt", "x");
        std::string path = (dir.Path() / name).string();
        ASSERT_EQ(chmod(path.c_str(), static_cast<mode_t>(mode)), 0);
        bool allowed = access(path.c_str(), R_OK | X_OK) == 0;

        std::vector<FileInfo> entries;
        int code = platform::ListDirectory(path, "", entries);
        if (allowed) {
            EXPECT_EQ(code, platform::kSuccess) << name;
            EXPECT_EQ(Names(entries), std::vector<std::string>{"inside.txt"}) << name;
        } else {
            EXPECT_EQ(code, platform::kAccessDenied) << name;
            EXPECT_TRUE(entries.empty()) << name;
        }
    }
}

TEST_F(Listing, GetFileInfoDescribesThePathItself) {
    const std::string dir = m_dir.Path().string();
    FileInfo info;
    ASSERT_EQ(platform::GetFileInfo(dir + "/Brief.doc", info), platform::kSuccess);
    EXPECT_EQ(info.name, "Brief.doc");
    EXPECT_EQ(info.kind, FileKind::File);
    EXPECT_EQ(info.size, 5);
    EXPECT_EQ(info.lastWrite, kFileTicks);

    ASSERT_EQ(platform::GetFileInfo(dir + "/file-link", info), platform::kSuccess);
    EXPECT_EQ(info.kind, FileKind::FileSymlink);
    EXPECT_EQ(info.lastWrite, kLinkTicks);

    ASSERT_EQ(platform::GetFileInfo(dir + "/dir-link/", info), platform::kSuccess);
    EXPECT_EQ(info.name, "dir-link");
    EXPECT_EQ(info.kind, FileKind::DirectorySymlink);

    ASSERT_EQ(platform::GetFileInfo(dir + "/.hidden", info), platform::kSuccess);
    EXPECT_EQ(info.attributes, platform::kAttributeHidden);

    ASSERT_EQ(platform::GetFileInfo("/", info), platform::kSuccess);
    EXPECT_EQ(info.kind, FileKind::Directory);

    const struct {
        std::string path;
        int code;
    } failures[] = {
        {dir + "/missing", platform::kFileNotFound},     {dir + "/fifo", platform::kFileNotFound},
        {dir + "/socket", platform::kFileNotFound},      {dir + "/missing/x", platform::kFileNotFound},
        {dir + "/Brief.doc/x", platform::kPathNotFound},
    };
    for (const auto& c : failures)
        EXPECT_EQ(platform::GetFileInfo(c.path, info), c.code) << c.path;
}

} // namespace

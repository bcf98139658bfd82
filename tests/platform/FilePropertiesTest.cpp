#include "platform/FileProperties.h"
#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "platform/FileInfo.h"
#include "support/TempDir.h"

#include <acl/libacl.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::AccessListsDiffer;
using platform::SecurityDiffers;
using platform::TransferSecurity;

struct stat Lstat(const std::filesystem::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

mode_t ModeOf(const std::filesystem::path& path) {
    return Lstat(path).st_mode & 07777;
}

// Sets an access list given in its short text form; false with errno set when the file system refuses it.
bool SetAcl(const std::filesystem::path& path, acl_type_t type, const char* text) {
    acl_t acl = acl_from_text(text);
    if (!acl) return false;
    bool set = acl_set_file(path.c_str(), type, acl) == 0;
    int saved = errno;
    acl_free(acl);
    errno = saved;
    return set;
}

std::string AclText(const std::filesystem::path& path, acl_type_t type) {
    acl_t acl = acl_get_file(path.c_str(), type);
    if (!acl) return "<unreadable>";
    char* text = acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS);
    std::string result = text ? text : "<none>";
    acl_free(text);
    acl_free(acl);
    return result;
}

struct AttributeCase {
    mode_t before;
    std::uint32_t attributes;
    mode_t after;
};

TEST(SetAttributes, ReadOnlyIsTheOwnersWriteBit) {
    const AttributeCase cases[] = {
        {0644, platform::kAttributeReadOnly, 0444},
        {0664, platform::kAttributeReadOnly | platform::kAttributeHidden, 0464},
        {0444, 0, 0644},
        {0440, platform::kAttributeSystem | platform::kAttributeArchive, 0640},
        {0644, 0, 0644},
        {04555, platform::kAttributeReadOnly, 04555},
    };
    testsupport::TempDir dir;
    auto file = dir.WriteFile("file", "x");
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.before << " with attributes " << c.attributes);
        ASSERT_EQ(chmod(file.c_str(), c.before), 0);
        EXPECT_EQ(platform::SetAttributes(file, c.attributes), 0);
        EXPECT_EQ(ModeOf(file), c.after);
    }
}

TEST(SetAttributes, LeavesASymlinksTargetAlone) {
    testsupport::TempDir dir;
    auto file = dir.WriteFile("file", "x");
    ASSERT_EQ(chmod(file.c_str(), 0644), 0);
    std::filesystem::create_symlink("file", dir.Path() / "link");
    EXPECT_EQ(platform::SetAttributes(dir.Path() / "link", platform::kAttributeReadOnly), 0);
    EXPECT_EQ(ModeOf(file), 0644u);
    EXPECT_EQ(platform::SetAttributes(dir.Path() / "missing", 0), platform::kFileNotFound);
}

TEST(SetFileTimes, SetsThePathItselfTo100Nanoseconds) {
    testsupport::TempDir dir;
    auto file = dir.WriteFile("file", "x");
    std::filesystem::create_symlink("file", dir.Path() / "link");
    const platform::FileTime write = platform::kUnixEpoch + 1'700'000'000LL * 10'000'000 + 1'234'567;
    const platform::FileTime access = platform::kUnixEpoch + 1'600'000'000LL * 10'000'000 + 7;
    const struct stat fileBefore = Lstat(file);

    ASSERT_EQ(platform::SetFileTimes(dir.Path() / "link", write, access), 0);
    struct stat link = Lstat(dir.Path() / "link");
    EXPECT_EQ(link.st_mtim.tv_sec, 1'700'000'000);
    EXPECT_EQ(link.st_mtim.tv_nsec, 123'456'700);
    EXPECT_EQ(link.st_atim.tv_nsec, 700);
    EXPECT_EQ(Lstat(file).st_mtim.tv_nsec, fileBefore.st_mtim.tv_nsec) << "the link was followed";

    // Without a last-access time the old one stays.
    ASSERT_EQ(platform::SetFileTimes(file, write), 0);
    EXPECT_EQ(Lstat(file).st_mtim.tv_nsec, 123'456'700);
    EXPECT_EQ(Lstat(file).st_atim.tv_nsec, fileBefore.st_atim.tv_nsec);
    EXPECT_EQ(platform::SetFileTimes(dir.Path() / "missing", write), platform::kFileNotFound);
}

TEST(TransferSecurity, ModeBitsAndComparison) {
    testsupport::TempDir dir;
    auto from = dir.WriteFile("from", "a");
    auto to = dir.WriteFile("to", "b");
    ASSERT_EQ(chmod(from.c_str(), 02751), 0);
    ASSERT_EQ(chmod(to.c_str(), 0600), 0);
    EXPECT_TRUE(SecurityDiffers(from, to));

    EXPECT_EQ(TransferSecurity(from, to, false, false), 0);
    EXPECT_EQ(ModeOf(to), 0600u) << "nothing was asked for";
    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(ModeOf(to), 02751u);
    EXPECT_FALSE(SecurityDiffers(from, to));
    EXPECT_TRUE(SecurityDiffers(from, dir.Path() / "missing"));
    EXPECT_EQ(TransferSecurity(dir.Path() / "missing", to, true, false), platform::kFileNotFound);
}

TEST(TransferSecurity, PermissionsNeverFollowASymlink) {
    testsupport::TempDir dir;
    auto from = dir.WriteFile("from", "a");
    auto linked = dir.WriteFile("linked", "b");
    ASSERT_EQ(chmod(from.c_str(), 0700), 0);
    ASSERT_EQ(chmod(linked.c_str(), 0644), 0);
    std::filesystem::create_symlink("linked", dir.Path() / "link");
    EXPECT_EQ(TransferSecurity(from, dir.Path() / "link", true, false), 0);
    EXPECT_EQ(TransferSecurity(dir.Path() / "link", linked, true, false), 0);
    EXPECT_EQ(ModeOf(linked), 0644u);
}

TEST(TransferSecurity, AccessListsRoundTrip) {
    testsupport::TempDir dir;
    auto from = dir.WriteFile("from", "a");
    auto to = dir.WriteFile("to", "b");
    if (!SetAcl(from, ACL_TYPE_ACCESS, "u::rw-,u:12345:r--,g::r--,g:23456:rw-,m::rw-,o::---")) {
        if (errno == ENOTSUP) GTEST_SKIP() << "the temporary directory's file system has no access lists";
        FAIL() << "acl_set_file: " << std::strerror(errno);
    }
    ASSERT_EQ(chmod(to.c_str(), ModeOf(from)), 0);
    EXPECT_TRUE(AccessListsDiffer(from, to));
    EXPECT_TRUE(SecurityDiffers(from, to)) << "same mode, only the access list differs";

    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(AclText(to, ACL_TYPE_ACCESS), AclText(from, ACL_TYPE_ACCESS));
    EXPECT_FALSE(SecurityDiffers(from, to));

    // A plain source takes the extended entries away again.
    auto plain = dir.WriteFile("plain", "c");
    ASSERT_EQ(chmod(plain.c_str(), 0640), 0);
    EXPECT_EQ(TransferSecurity(plain, to, true, false), 0);
    EXPECT_EQ(acl_extended_file(to.c_str()), 0);
    EXPECT_EQ(ModeOf(to), 0640u);
    EXPECT_FALSE(SecurityDiffers(plain, to));
}

TEST(TransferSecurity, DirectoriesTakeTheDefaultAccessList) {
    testsupport::TempDir dir;
    auto from = dir.Path() / "from";
    auto to = dir.Path() / "to";
    std::filesystem::create_directory(from);
    std::filesystem::create_directory(to);
    if (!SetAcl(from, ACL_TYPE_DEFAULT, "u::rwx,u:12345:rwx,g::r-x,m::rwx,o::---")) {
        if (errno == ENOTSUP) GTEST_SKIP() << "the temporary directory's file system has no access lists";
        FAIL() << "acl_set_file: " << std::strerror(errno);
    }
    ASSERT_EQ(chmod(to.c_str(), ModeOf(from)), 0);
    EXPECT_TRUE(SecurityDiffers(from, to));
    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(AclText(to, ACL_TYPE_DEFAULT), AclText(from, ACL_TYPE_DEFAULT));
    EXPECT_FALSE(SecurityDiffers(from, to));

    std::filesystem::create_directory(dir.Path() / "plain");
    EXPECT_EQ(TransferSecurity(dir.Path() / "plain", to, true, false), 0);
    EXPECT_EQ(acl_extended_file(to.c_str()), 0) << "the default list went with the plain source";
}

TEST(TransferSecurity, OwnerAndGroupOfFilesAndSymlinks) {
    testsupport::TempDir dir;
    auto from = dir.WriteFile("from", "a");
    auto to = dir.WriteFile("to", "b");
    if (geteuid() != 0) {
        // Giving a file away takes root: the refusal is the code.
        EXPECT_EQ(TransferSecurity("/", to, false, true), platform::kAccessDenied);
        GTEST_SKIP() << "transferring an owner is only checked as root";
    }
    ASSERT_EQ(lchown(from.c_str(), 12345, 23456), 0);
    ASSERT_EQ(chmod(from.c_str(), 04750), 0);
    EXPECT_TRUE(SecurityDiffers(from, to));
    EXPECT_EQ(TransferSecurity(from, to, true, true), 0);
    EXPECT_EQ(Lstat(to).st_uid, 12345u);
    EXPECT_EQ(Lstat(to).st_gid, 23456u);
    EXPECT_EQ(ModeOf(to), 04750u) << "chown cleared the set-user-ID bit before the mode was set";
    EXPECT_FALSE(SecurityDiffers(from, to));

    // Between symlinks the owner is the link's own; the file behind it keeps its owner.
    auto linked = dir.WriteFile("linked", "c");
    std::filesystem::create_symlink("from", dir.Path() / "link-from");
    std::filesystem::create_symlink("linked", dir.Path() / "link-to");
    ASSERT_EQ(lchown((dir.Path() / "link-from").c_str(), 777, 888), 0);
    EXPECT_EQ(TransferSecurity(dir.Path() / "link-from", dir.Path() / "link-to", true, true), 0);
    EXPECT_EQ(Lstat(dir.Path() / "link-to").st_uid, 777u);
    EXPECT_EQ(Lstat(dir.Path() / "link-to").st_gid, 888u);
    EXPECT_EQ(Lstat(linked).st_uid, 0u);
}

// Set-user-ID and set-group-ID go over only together with the owner and group they act for.
TEST(TransferSecurity, SetIdBitsOnlyWithTheSourcesOwner) {
    if (geteuid() != 0) GTEST_SKIP() << "giving files other owners takes root";
    constexpr uid_t kUser = 12345;
    constexpr gid_t kGroup = 23456;
    testsupport::TempDir dir;
    auto from = dir.WriteFile("from", "a");
    ASSERT_EQ(lchown(from.c_str(), kUser, kGroup), 0);
    ASSERT_EQ(chmod(from.c_str(), 06750), 0);

    // The mode without the owner: the target stays root's and must not run as the user.
    auto to = dir.WriteFile("to", "b");
    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(ModeOf(to), 0750u);
    EXPECT_EQ(Lstat(to).st_uid, 0u);
    EXPECT_EQ(TransferSecurity(from, to, true, true), 0);
    EXPECT_EQ(ModeOf(to), 06750u);

    // A copy holds the bits back while it is root's; giving it the owner alone gives them back.
    auto copy = dir.Path() / "copy";
    ASSERT_EQ(platform::CopyFileSafely(from, copy, {}), 0);
    EXPECT_EQ(ModeOf(copy), 0750u);
    EXPECT_EQ(TransferSecurity(from, copy, false, true), 0);
    EXPECT_EQ(Lstat(copy).st_uid, kUser);
    EXPECT_EQ(ModeOf(copy), 06750u);
    // The owner alone never adds the bits to a file whose permissions are not the source's.
    auto other = dir.WriteFile("other", "c");
    ASSERT_EQ(chmod(other.c_str(), 04700), 0);
    EXPECT_EQ(TransferSecurity(from, other, false, true), 0);
    EXPECT_EQ(ModeOf(other), 0700u);

    // A user cannot give a file to root: the mode goes over without the bits.
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    auto rootProgram = dir.WriteFile("root-program", "d");
    ASSERT_EQ(chmod(rootProgram.c_str(), 04755), 0);
    auto mine = dir.Path() / "mine";
    std::filesystem::create_directory(mine);
    ASSERT_EQ(chown(mine.c_str(), kUser, kGroup), 0);
    const auto status = testsupport::RunAsUser(kUser, kGroup, [&] {
        const auto target = mine / "program";
        close(open(target.c_str(), O_WRONLY | O_CREAT, 0600));
        return TransferSecurity(rootProgram, target, true, true);
    });
    if (testsupport::ExitCode(status) == testsupport::kCannotSwitchUser) GTEST_SKIP() << "cannot switch to user 12345";
    EXPECT_EQ(testsupport::ExitCode(status), platform::kAccessDenied);
    EXPECT_EQ(Lstat(mine / "program").st_uid, kUser);
    EXPECT_EQ(ModeOf(mine / "program"), 0755u);
}

} // namespace

#include "platform/FileProperties.h"
#include "ChildProcess.h"
#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "platform/FileInfo.h"
#include "support/AccessLists.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

#include <acl/libacl.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::PropertyParts;
using platform::TransferProperties;
using platform::TransferSecurity;

constexpr PropertyParts kEverything{.mode = true, .accessList = true, .owner = true};

// PropertiesDiffer over what a listing finds at the two paths.
bool Differ(const std::filesystem::path& from, const std::filesystem::path& to, PropertyParts parts = kEverything) {
    platform::FileInfo source;
    platform::FileInfo target;
    EXPECT_EQ(platform::GetFileInfo(from.string(), source), 0) << from;
    EXPECT_EQ(platform::GetFileInfo(to.string(), target), 0) << to;
    return platform::PropertiesDiffer({from.string(), source}, {to.string(), target}, parts);
}

struct stat Lstat(const std::filesystem::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

mode_t ModeOf(const std::filesystem::path& path) {
    return Lstat(path).st_mode & 07777;
}

using testsupport::AclText;
using testsupport::SetAcl;

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
    EXPECT_TRUE(Differ(from, to));

    EXPECT_EQ(TransferSecurity(from, to, false, false), 0);
    EXPECT_EQ(ModeOf(to), 0600u) << "nothing was asked for";
    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(ModeOf(to), 02751u);
    EXPECT_FALSE(Differ(from, to));
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
    EXPECT_TRUE(Differ(from, to, {.mode = false, .accessList = true, .owner = false}));
    EXPECT_TRUE(Differ(from, to)) << "same mode, only the access list differs";

    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(AclText(to, ACL_TYPE_ACCESS), AclText(from, ACL_TYPE_ACCESS));
    EXPECT_FALSE(Differ(from, to));

    // A plain source takes the extended entries away again.
    auto plain = dir.WriteFile("plain", "c");
    ASSERT_EQ(chmod(plain.c_str(), 0640), 0);
    EXPECT_EQ(TransferSecurity(plain, to, true, false), 0);
    EXPECT_EQ(acl_extended_file(to.c_str()), 0);
    EXPECT_EQ(ModeOf(to), 0640u);
    EXPECT_FALSE(Differ(plain, to));
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
    EXPECT_TRUE(Differ(from, to));
    EXPECT_EQ(TransferSecurity(from, to, true, false), 0);
    EXPECT_EQ(AclText(to, ACL_TYPE_DEFAULT), AclText(from, ACL_TYPE_DEFAULT));
    EXPECT_FALSE(Differ(from, to));

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
    EXPECT_TRUE(Differ(from, to));
    EXPECT_EQ(TransferSecurity(from, to, true, true), 0);
    EXPECT_EQ(Lstat(to).st_uid, 12345u);
    EXPECT_EQ(Lstat(to).st_gid, 23456u);
    EXPECT_EQ(ModeOf(to), 04750u) << "chown cleared the set-user-ID bit before the mode was set";
    EXPECT_FALSE(Differ(from, to));

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

// One case of what a comparison with some parts sees and a transfer with the same parts changes.
struct PartsCase {
    const char* name;
    PropertyParts parts;
    bool needsRoot; // gives a file another owner
    std::function<void(const std::filesystem::path& from, const std::filesystem::path& to)> arrange;
    bool differs;
    std::function<void(const std::filesystem::path& from, const std::filesystem::path& to)> check;
};

// The comparison sees exactly what the transfer with the same parts would change: a part not asked for is
// neither a difference nor touched, an asked one is found and gone after one transfer.
TEST(PropertiesDiffer, SeesWhatTheTransferOfTheSamePartsChanges) {
    constexpr PropertyParts kMode{.mode = true, .accessList = false, .owner = false};
    constexpr PropertyParts kModeAndList{.mode = true, .accessList = true, .owner = false};
    constexpr PropertyParts kModeAndOwner{.mode = true, .accessList = false, .owner = true};
    const char* const kList = "u::rw-,u:12345:r--,g::r--,m::r--,o::---"; // mode 0640
    const auto withList = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
        ASSERT_TRUE(SetAcl(from, ACL_TYPE_ACCESS, kList)) << std::strerror(errno);
        ASSERT_EQ(chmod(to.c_str(), 0640), 0);
    };
    const auto otherOwner = [](const std::filesystem::path& file) { ASSERT_EQ(lchown(file.c_str(), 12345, 23456), 0); };
    const auto noList = [](const std::filesystem::path&, const std::filesystem::path& to) {
        EXPECT_EQ(acl_extended_file(to.c_str()), 0) << "the access list went over unasked";
    };
    const PartsCase cases[] = {
        {"mode", kMode, false, [](auto& from, auto&) { ASSERT_EQ(chmod(from.c_str(), 0640), 0); }, true,
         [](auto&, auto& to) { EXPECT_EQ(ModeOf(to), 0640u); }},
        {"access list not asked for", kMode, false, withList, false, noList},
        {"access list asked for", kModeAndList, false, withList, true,
         [](auto& from, auto& to) { EXPECT_EQ(AclText(to, ACL_TYPE_ACCESS), AclText(from, ACL_TYPE_ACCESS)); }},
        {"mode of a source with an access list not asked for", kMode, false,
         [&](auto& from, auto&) { ASSERT_TRUE(SetAcl(from, ACL_TYPE_ACCESS, kList)) << std::strerror(errno); }, true,
         [&](auto& from, auto& to) {
             EXPECT_EQ(ModeOf(to), 0640u);
             noList(from, to);
         }},
        {"owner not asked for", kMode, true, [&](auto&, auto& to) { otherOwner(to); }, false,
         [](auto&, auto& to) { EXPECT_EQ(Lstat(to).st_uid, 12345u); }},
        {"owner asked for", kModeAndOwner, true, [&](auto&, auto& to) { otherOwner(to); }, true,
         [](auto&, auto& to) { EXPECT_EQ(Lstat(to).st_uid, 0u); }},
        // Set-user-ID goes only with the owner it acts for: without the owner it is no difference.
        {"set-user-ID without the owner", kMode, true,
         [&](auto& from, auto& to) {
             ASSERT_EQ(chmod(from.c_str(), 04755), 0);
             otherOwner(to);
             ASSERT_EQ(chmod(to.c_str(), 0755), 0);
         },
         false, [](auto&, auto& to) { EXPECT_EQ(ModeOf(to), 0755u); }},
        {"set-user-ID with the owner", kModeAndOwner, true,
         [&](auto& from, auto& to) {
             ASSERT_EQ(chmod(from.c_str(), 04755), 0);
             otherOwner(to);
             ASSERT_EQ(chmod(to.c_str(), 0755), 0);
         },
         true, [](auto&, auto& to) { EXPECT_EQ(ModeOf(to), 04755u); }},
    };
    testsupport::TempDir dir;
    {
        auto probe = dir.WriteFile("probe", "p");
        if (!SetAcl(probe, ACL_TYPE_ACCESS, kList) && errno == ENOTSUP)
            GTEST_SKIP() << "the temporary directory's file system has no access lists";
    }
    int skipped = 0;
    for (const PartsCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsRoot && geteuid() != 0) {
            ++skipped;
            continue;
        }
        std::filesystem::remove_all(dir.Path() / "case");
        auto from = dir.WriteFile("case/from", "a");
        auto to = dir.WriteFile("case/to", "b");
        ASSERT_EQ(chmod(from.c_str(), 0600), 0);
        ASSERT_EQ(chmod(to.c_str(), 0600), 0);
        c.arrange(from, to);
        EXPECT_EQ(Differ(from, to, c.parts), c.differs);
        EXPECT_EQ(TransferProperties(from, to, c.parts), 0);
        EXPECT_FALSE(Differ(from, to, c.parts)) << "a second comparison still finds a difference";
        c.check(from, to);
    }
    if (skipped > 0) GTEST_SKIP() << skipped << " cases give a file another owner, which takes root";
}

// NTFS and exFAT through FUSE keep nothing: every file shows the mount's mode and owner whatever is set, so
// nothing is a difference and nothing is transferred, in either direction.
TEST(PropertiesDiffer, NothingOnExfatThroughFuse) {
    testsupport::TempDir dir;
    testsupport::ScratchMount mount(dir.Path(), testsupport::ScratchMount::Format::FuseExfat);
    if (!mount.Mounted()) {
        GTEST_SKIP() << mount.Reason();
    }
    auto local = dir.WriteFile("local", "a");
    ASSERT_EQ(chmod(local.c_str(), 0444), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(lchown(local.c_str(), 12345, 23456), 0);
    }
    const auto remote = mount.Path() / "remote";
    std::ofstream(remote) << "b";
    ASSERT_EQ(ModeOf(remote), 0777u) << "exfat-fuse shows every file with the mount's mode";

    EXPECT_EQ(platform::KeptPropertiesOn(Lstat(remote).st_dev, remote), platform::KeptProperties::Nothing);
    EXPECT_EQ(platform::KeptPropertiesOn(Lstat(local).st_dev, local), platform::KeptProperties::All);
    EXPECT_FALSE(Differ(local, remote));
    EXPECT_FALSE(Differ(remote, local));
    EXPECT_EQ(TransferProperties(local, remote, kEverything), 0);
    EXPECT_EQ(TransferProperties(remote, local, kEverything), 0);
    EXPECT_EQ(ModeOf(local), 0444u) << "the mount's made-up mode went over";
    EXPECT_EQ(platform::SetAttributes(remote, platform::kAttributeReadOnly), 0);
    EXPECT_EQ(platform::SetAttributes(remote, 0), 0);
}

// FAT keeps a read-only bit and nothing else: only that is a difference, and only that goes over, as FAT takes
// it (every write bit or none).
TEST(PropertiesDiffer, OnlyTheReadOnlyBitOnKernelFat) {
    testsupport::TempDir dir;
    testsupport::ScratchMount mount(dir.Path(), testsupport::ScratchMount::Format::KernelVfat);
    if (!mount.Mounted()) {
        GTEST_SKIP() << mount.Reason();
    }
    auto writable = dir.WriteFile("writable", "a");
    auto readOnly = dir.WriteFile("read-only", "b");
    ASSERT_EQ(chmod(writable.c_str(), 0640), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(lchown(writable.c_str(), 12345, 23456), 0);
    }
    const auto fat = mount.Path() / "fat";
    std::ofstream(fat) << "c";
    ASSERT_NE(ModeOf(fat) & S_IWUSR, 0u);

    EXPECT_EQ(platform::KeptPropertiesOn(Lstat(fat).st_dev, fat), platform::KeptProperties::ReadOnlyBit);
    EXPECT_FALSE(Differ(writable, fat)) << "mode and owner differ, the read-only bit does not";
    EXPECT_TRUE(Differ(readOnly, fat));
    EXPECT_EQ(TransferProperties(readOnly, fat, kEverything), 0);
    EXPECT_EQ(ModeOf(fat) & 0222, 0u);
    EXPECT_FALSE(Differ(readOnly, fat));
    EXPECT_EQ(TransferProperties(writable, fat, kEverything), 0) << "no owner goes to FAT, so none fails";
    EXPECT_NE(ModeOf(fat) & S_IWUSR, 0u);

    // From FAT only the read-only bit comes back: the other bits of the target stay.
    ASSERT_EQ(platform::SetAttributes(fat, platform::kAttributeReadOnly), 0);
    EXPECT_EQ(ModeOf(fat) & 0222, 0u);
    EXPECT_EQ(TransferProperties(fat, writable, kEverything), 0);
    EXPECT_EQ(ModeOf(writable), 0440u);
}

} // namespace

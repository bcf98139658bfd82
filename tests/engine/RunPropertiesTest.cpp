// Whole runs that compare file properties: what the comparison finds is what the transfer changes, so one run
// mends every difference the profile's options transfer, and a second run finds nothing, whichever options are
// set and whatever the destination's file system keeps.
#include "ActionFixture.h"

#include "support/AccessLists.h"
#include "support/ScratchMount.h"

#include <acl/libacl.h>
#include <cerrno>
#include <cstring>
#include <functional>
#include <grp.h>
#include <sys/acl.h>
#include <unistd.h>

namespace runtest {
namespace {

// An access list that gives a second user reading; its mode is 0640.
constexpr const char* kAccessList = "u::rw-,u:12345:r--,g::r--,m::r--,o::---";

bool SetAccessList(const fs::path& path) {
    return testsupport::SetAcl(path, ACL_TYPE_ACCESS, kAccessList);
}

std::string AccessListText(const fs::path& path) {
    return testsupport::AclText(path, ACL_TYPE_ACCESS);
}

struct stat Lstat(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st;
}

// An owner and group that the running user can give a file: as root any, otherwise the user with another of the
// user's groups. std::nullopt when there is none.
std::optional<std::pair<uid_t, gid_t>> OtherOwner() {
    if (geteuid() == 0) return std::pair<uid_t, gid_t>{12345, 23456};
    gid_t groups[256];
    const int count = getgroups(256, groups);
    for (int i = 0; i < count; ++i)
        if (groups[i] != getegid()) return std::pair{geteuid(), groups[i]};
    return std::nullopt;
}

class RunPropertiesTest : public ActionFixture {
protected:
    RunPropertiesTest() {
        p.SetTouchMode(eTouchMode::DestOnly);
        p.CompareProperties = true;
    }

    // One run without errors; the number of files whose properties alone it transferred.
    int PropertiesTransferred() {
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(SummaryCount("Fehler"), 0) << testing::PrintToString(LogEvents());
        return SummaryCount("mal Dateieigenschaften vorwärts übertragen");
    }
};

struct OptionCase {
    const char* name;
    bool transferPermissions;
    bool transferOwner;
    bool needsOtherOwner;
    std::function<void(const fs::path& source, const fs::path& dest)> arrange;
    int transferred; // by the first run
    std::function<void(const fs::path& source, const fs::path& dest)> check;
};

TEST_F(RunPropertiesTest, TheOptionsDecideWhatDiffersAndOneRunMendsIt) {
    const auto withList = [](const fs::path& source, const fs::path& dest) {
        ASSERT_TRUE(SetAccessList(source)) << std::strerror(errno);
        ASSERT_EQ(chmod(dest.c_str(), 0640), 0);
    };
    const auto noList = [](const fs::path&, const fs::path& dest) {
        EXPECT_EQ(acl_extended_file(dest.c_str()), 0) << "the access list went over without TransferPermissions";
    };
    const auto other = OtherOwner();
    const auto otherOwner = [&](const fs::path&, const fs::path& dest) {
        ASSERT_EQ(lchown(dest.c_str(), other->first, other->second), 0) << std::strerror(errno);
    };
    const OptionCase cases[] = {
        {"mode", false, false, false, [](auto&, auto&) {}, 1,
         [](auto&, auto& dest) { EXPECT_EQ(Lstat(dest).st_mode & 07777, 0640u); }},
        {"access list without TransferPermissions", false, false, false, withList, 0, noList},
        {"access list with TransferPermissions", true, false, false, withList, 1,
         [](auto& source, auto& dest) { EXPECT_EQ(AccessListText(dest), AccessListText(source)); }},
        {"mode and access list without TransferPermissions", false, false, false,
         [](auto& source, auto&) { ASSERT_TRUE(SetAccessList(source)) << std::strerror(errno); }, 1,
         [&](auto& source, auto& dest) {
             EXPECT_EQ(Lstat(dest).st_mode & 07777, 0640u);
             noList(source, dest);
         }},
        {"owner without TransferOwner", false, false, true,
         [&](auto& source, auto& dest) {
             ASSERT_EQ(chmod(dest.c_str(), 0640), 0);
             otherOwner(source, dest);
         },
         0, [&](auto&, auto& dest) { EXPECT_EQ(Lstat(dest).st_gid, other->second); }},
        {"owner with TransferOwner", false, true, true,
         [&](auto& source, auto& dest) {
             ASSERT_EQ(chmod(dest.c_str(), 0640), 0);
             otherOwner(source, dest);
         },
         1,
         [](auto& source, auto& dest) {
             EXPECT_EQ(Lstat(dest).st_uid, Lstat(source).st_uid);
             EXPECT_EQ(Lstat(dest).st_gid, Lstat(source).st_gid);
         }},
    };
    {
        WriteExact(Source(), "probe", "p", Older(), 0);
        if (!SetAccessList(Source() / "probe") && errno == ENOTSUP)
            GTEST_SKIP() << "the temporary directory's file system has no access lists";
    }
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsOtherOwner && !other) continue; // reported below
        p.TransferPermissions = c.transferPermissions;
        p.TransferOwner = c.transferOwner;
        ClearTrees();
        // Same content and time: only the properties can differ. The source's mode is 0640, the destination's
        // 0600 until the case arranges otherwise.
        WriteExact(Source(), "a.txt", "gleich", Older(), 250, 0640);
        WriteExact(Dest(), "a.txt", "gleich", Older(), 250, 0600);
        c.arrange(Source() / "a.txt", Dest() / "a.txt");

        EXPECT_EQ(PropertiesTransferred(), c.transferred);
        const Plan expected = c.transferred ? Plan{{"Quelle/a.txt", "vorwärts"}} : Plan{};
        EXPECT_EQ(planned, expected);
        c.check(Source() / "a.txt", Dest() / "a.txt");
        EXPECT_EQ(PropertiesTransferred(), 0) << "the second run found a difference again";
        EXPECT_TRUE(planned.empty()) << testing::PrintToString(planned);
    }
    if (!other) GTEST_SKIP() << "the owner cases need root or a second group of the user running the tests";
}

// NTFS and exFAT through FUSE keep no mode, owner or access list: every file shows the mount's 0777. After the
// first backup onto such a disk, a second run has nothing to do, even with every property option set.
TEST_F(RunPropertiesTest, ExfatThroughFuseReportsNoDifferenceItCannotKeep) {
    testsupport::ScratchMount mount(dir.Path(), testsupport::ScratchMount::Format::FuseExfat);
    if (!mount.Mounted()) {
        GTEST_SKIP() << mount.Reason();
    }
    p.DestDrive = mount.Path().string();
    p.TransferPermissions = true;
    p.TransferOwner = true;
    WriteExact(Source(), "a.txt", "a", Older(), 0, 0640);
    WriteExact(Source(), "Skripte/b.sh", "b", Older(), 0, 0755);
    WriteExact(Source(), "c.txt", "c", Older(), 0, 0444);
    if (const auto other = OtherOwner()) {
        ASSERT_EQ(lchown((Source() / "a.txt").c_str(), other->first, other->second), 0);
    }

    EXPECT_EQ(PropertiesTransferred(), 0);
    EXPECT_EQ(SummaryCount("Dateien vorwärts kopiert"), 3);
    EXPECT_EQ(Read(mount.Path() / "Skripte/b.sh"), "b");
    EXPECT_EQ(PropertiesTransferred(), 0) << testing::PrintToString(planned);
    EXPECT_TRUE(planned.empty()) << testing::PrintToString(planned);
}

} // namespace
} // namespace runtest

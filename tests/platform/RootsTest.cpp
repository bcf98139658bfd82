#include "platform/Roots.h"
#include "platform/ErrorCodes.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using platform::cDriveMap;

class Roots : public ::testing::Test {
protected:
    cDriveMap drives;
};

TEST_F(Roots, PosixRootsAreNormalised) {
    const struct {
        const char* root;
        const char* normalised;
    } cases[] = {
        {"/home/anna", "/home/anna"},
        {"/home/anna/", "/home/anna"},
        {"/Home/Anna//", "/Home/Anna"},
        {"//home///anna", "/home/anna"},
        {"/", "/"},
        {"//", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::NormalizeRoot(c.root), c.normalised) << c.root;
        EXPECT_EQ(platform::NativeRoot(c.root, drives), c.normalised) << c.root;
    }
}

TEST_F(Roots, WindowsRootsAreMappedWithoutRegardToCase) {
    ASSERT_TRUE(drives.Set("D:", "/media/usb/"));
    ASSERT_TRUE(drives.Set("\\\\NAS\\BACKUP", "/mnt/nas/backup"));
    ASSERT_TRUE(drives.Set("\\\\Server\\Ärger\\", "/mnt/ärger"));

    EXPECT_EQ(platform::NativeRoot("D:", drives), "/media/usb");
    EXPECT_EQ(platform::NativeRoot("d:", drives), "/media/usb");
    EXPECT_EQ(platform::NativeRoot("d:\\", drives), "/media/usb");
    EXPECT_EQ(platform::NativeRoot("\\\\nas\\Backup", drives), "/mnt/nas/backup");
    EXPECT_EQ(platform::NativeRoot("\\\\NAS\\BACKUP\\", drives), "/mnt/nas/backup");
    EXPECT_EQ(platform::NativeRoot("\\\\SERVER\\ÄRGER", drives), "/mnt/ärger");

    // Not ready: unmapped Windows roots and texts that are no root at all.
    EXPECT_EQ(platform::NativeRoot("E:", drives), std::nullopt);
    EXPECT_EQ(platform::NativeRoot("\\\\NAS\\OTHER", drives), std::nullopt);
    EXPECT_EQ(platform::NativeRoot("", drives), std::nullopt);
    EXPECT_EQ(platform::NativeRoot("home/anna", drives), std::nullopt);

    drives.Clear();
    EXPECT_EQ(platform::NativeRoot("D:", drives), std::nullopt);
}

TEST_F(Roots, DriveMapRefusesWhatCannotBeARoot) {
    EXPECT_FALSE(drives.Set("D:", "media/usb")); // relative: would depend on the working dir
    EXPECT_FALSE(drives.Set("D:", ""));
    EXPECT_FALSE(drives.Set("/home", "/mnt"));
    EXPECT_FALSE(drives.Set("DD:", "/mnt"));
    EXPECT_FALSE(drives.Set("\\\\", "/mnt"));
    EXPECT_EQ(drives.Lookup("D:"), std::nullopt);
}

TEST_F(Roots, InternalAndNativePathsConvertBothWays) {
    const struct {
        const char* root;
        const char* relative;
        const char* native;
    } cases[] = {
        {"/", "\\a\\b.txt", "/a/b.txt"},
        {"/", "\\", "/"},
        {"/", "", "/"},
        {"/home/anna", "\\Briefe\\Brief.doc", "/home/anna/Briefe/Brief.doc"},
        {"/home/anna", "\\Briefe\\", "/home/anna/Briefe/"},
        {"/home/anna/", "\\Briefe\\", "/home/anna/Briefe/"},
        {"/home/anna", "\\", "/home/anna/"},
        {"/home/anna", "Briefe\\x.doc", "/home/anna/Briefe/x.doc"},
        {"/home/anna", "", "/home/anna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::NativePath(c.root, c.relative), c.native) << c.relative;

    const struct {
        const char* root;
        const char* native;
        std::optional<std::string> relative;
    } reverse[] = {
        {"/home/anna", "/home/anna/Briefe/x.doc", "\\Briefe\\x.doc"},
        {"/home/anna/", "/home/anna/Briefe/", "\\Briefe\\"},
        {"/home/anna", "/home/anna", "\\"},
        {"/home/anna", "/home/anna//Briefe//x", "\\Briefe\\x"},
        {"/", "/etc/x", "\\etc\\x"},
        {"/home/anna", "/home/annabel/x", std::nullopt},
        {"/home/anna", "/home", std::nullopt},
        {"/home/anna", "/home/anna/a\\b", std::nullopt},
        {"/", "etc/x", std::nullopt},
    };
    for (const auto& c : reverse)
        EXPECT_EQ(platform::InternalRelative(c.root, c.native), c.relative) << c.native;
}

TEST_F(Roots, RelativePathsWithDotDotLeaveTheRoot) {
    EXPECT_TRUE(platform::StaysBelowRoot("\\"));
    EXPECT_TRUE(platform::StaysBelowRoot("\\Briefe\\Brief.doc"));
    EXPECT_TRUE(platform::StaysBelowRoot("\\a..b\\..c\\.\\"));
    EXPECT_FALSE(platform::StaysBelowRoot("\\..\\etc\\"));
    EXPECT_FALSE(platform::StaysBelowRoot("\\a\\..\\..\\x"));
    EXPECT_FALSE(platform::StaysBelowRoot("..\\x"));
    EXPECT_FALSE(platform::StaysBelowRoot("\\a\\.."));
}

// A tree with two spellings of the same directories:
//   home/anna/backup/, home/annabel/, anna-link → home/anna, file.txt, loop → loop
class RealPaths : public Roots {
protected:
    void SetUp() override {
        Roots::SetUp();
        std::filesystem::create_directories(m_dir.Path() / "home/anna/backup");
        std::filesystem::create_directories(m_dir.Path() / "home/annabel");
        std::filesystem::create_directory_symlink("home/anna", m_dir.Path() / "anna-link");
        std::filesystem::create_symlink("loop", m_dir.Path() / "loop");
        m_dir.WriteFile("file.txt", "x");
        ASSERT_EQ(platform::RealPath(m_dir.Path().string(), m_base), platform::kSuccess);
    }

    std::string Real(const std::string& relative) const {
        std::string real;
        EXPECT_EQ(platform::RealPath(m_dir.Path().string() + "/" + relative, real), platform::kSuccess) << relative;
        return real;
    }

    testsupport::TempDir m_dir;
    std::string m_base; // the temporary directory's own real path
};

TEST_F(RealPaths, SpellingsOfOneDirectoryResolveAlike) {
    const struct {
        const char* written;
        const char* real; // below m_base
    } cases[] = {
        {"home/anna", "/home/anna"},
        {"home/anna/", "/home/anna"},
        {"home//anna///backup/", "/home/anna/backup"},
        {"home/./anna/backup/../backup", "/home/anna/backup"},
        {"anna-link/backup", "/home/anna/backup"},
        {"anna-link/../annabel", "/home/annabel"}, // ".." of a symlink goes to the target's parent
        {"home/anna/not-yet/deeper/", "/home/anna/not-yet/deeper"},
        {"anna-link/not-yet/../new", "/home/anna/new"},
        {"home/anna/backup/../../../home/anna", "/home/anna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Real(c.written), m_base + c.real) << c.written;

    std::string real;
    EXPECT_EQ(platform::RealPath("/", real), platform::kSuccess);
    EXPECT_EQ(real, "/");
    EXPECT_EQ(platform::RealPath("//..//", real), platform::kSuccess);
    EXPECT_EQ(real, "/");
}

TEST_F(RealPaths, FailuresGiveTheirCodes) {
    std::string real = "stale";
    EXPECT_EQ(platform::RealPath("home/anna", real), platform::kInvalidParameter);
    EXPECT_EQ(real, "");
    EXPECT_EQ(platform::RealPath("", real), platform::kInvalidParameter);
    EXPECT_EQ(platform::RealPath(m_base + "/file.txt/x", real), platform::kPathNotFound);
    EXPECT_EQ(platform::RealPath(m_base + "/loop/x", real), platform::kBadPathname);
}

TEST_F(RealPaths, OverlapIsFoundWhateverTheSpelling) {
    const struct {
        const char* a;
        const char* b;
        bool aInsideB;
        bool bInsideA;
    } cases[] = {
        {"home/anna", "home/anna/backup", false, true},  {"home/anna/", "home/anna/backup/", false, true},
        {"anna-link", "home/anna/backup", false, true},  {"anna-link/backup", "home/anna", true, false},
        {"anna-link", "home/anna/", true, true},         {"home/anna/backup/..", "home/anna", true, true},
        {"home/anna", "home/anna/not-yet", false, true}, {"home/anna", "home/annabel", false, false},
        {"home/annabel", "anna-link", false, false},     {"home/anna/backup", "home/annabel", false, false},
    };
    for (const auto& c : cases) {
        std::string a = Real(c.a);
        std::string b = Real(c.b);
        EXPECT_EQ(platform::IsSameOrInside(a, b), c.aInsideB) << c.a << " in " << c.b;
        EXPECT_EQ(platform::IsSameOrInside(b, a), c.bInsideA) << c.b << " in " << c.a;
    }
    EXPECT_TRUE(platform::IsSameOrInside(Real("home/anna"), "/"));
    EXPECT_TRUE(platform::IsSameOrInside("/", "/"));
    EXPECT_FALSE(platform::IsSameOrInside("/", Real("home")));
}

} // namespace

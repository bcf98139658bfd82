#include "platform/Trash.h"
#include "platform/Clock.h"
#include "platform/ErrorCodes.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using platform::MoveToTrash;

// A home trash inside the test's directory, on the same file system as the files trashed, and a set clock.
class Trash : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 13, 30, 5)); // 14:30:05 in Berlin
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    std::string ReadTrash(const std::string& relative) const { return m_dir.ReadFile("data/Trash/" + relative); }
    std::string Canonical(const char* relative) const {
        return std::filesystem::canonical(m_dir.Path()).string() + "/" + relative;
    }

    testsupport::TempDir m_dir;
    testsupport::EnvironmentOverride m_dataHome{"XDG_DATA_HOME", (m_dir.Path() / "data").string()};
};

TEST_F(Trash, MovesTheFileAndRecordsWhereAndWhen) {
    auto file = m_dir.WriteFile("work/Brief 100% ä.doc", "Inhalt");
    ASSERT_EQ(MoveToTrash(file), 0);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(ReadTrash("files/Brief 100% ä.doc"), "Inhalt");
    EXPECT_EQ(ReadTrash("info/Brief 100% ä.doc.trashinfo"),
              "[Trash Info]\nPath=" + Canonical("work/Brief%20100%25%20%C3%A4.doc") +
                  "\nDeletionDate=2026-12-09T14:30:05\n");
    EXPECT_EQ(std::filesystem::status(m_dir.Path() / "data/Trash").permissions(), std::filesystem::perms::owner_all);
}

TEST_F(Trash, TakenNamesGetANumber) {
    auto first = m_dir.WriteFile("a/Brief.doc", "first");
    auto second = m_dir.WriteFile("b/Brief.doc", "second");
    auto hidden = m_dir.WriteFile("a/.profile", "hidden");
    // An entry in files/ without its info file is not ours to replace.
    auto orphan = m_dir.WriteFile("data/Trash/files/.profile", "orphan");
    ASSERT_EQ(MoveToTrash(first), 0);
    ASSERT_EQ(MoveToTrash(second), 0);
    ASSERT_EQ(MoveToTrash(hidden), 0);

    EXPECT_EQ(ReadTrash("files/Brief.doc"), "first");
    EXPECT_EQ(ReadTrash("files/Brief.2.doc"), "second");
    EXPECT_NE(ReadTrash("info/Brief.2.doc.trashinfo").find("Path=" + Canonical("b/Brief.doc") + "\n"),
              std::string::npos);
    EXPECT_EQ(ReadTrash("files/.profile"), "orphan");
    EXPECT_EQ(ReadTrash("files/.profile.2"), "hidden");
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "data/Trash/info/.profile.trashinfo"));
}

TEST_F(Trash, SymlinkIsTrashedItself) {
    auto target = m_dir.WriteFile("target", "stays");
    std::filesystem::create_symlink("target", m_dir.Path() / "link");
    ASSERT_EQ(MoveToTrash((m_dir.Path() / "link").string()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.Path() / "data/Trash/files/link"));
    EXPECT_EQ(m_dir.ReadFile("target"), "stays");
}

TEST_F(Trash, FailuresLeaveTheFileInPlace) {
    EXPECT_EQ(MoveToTrash((m_dir.Path() / "missing").string()), platform::kFileNotFound);

    // A trash that cannot be created: its parent is a regular file (root cannot get past that either).
    auto file = m_dir.WriteFile("work/Brief.doc", "Inhalt");
    m_dir.WriteFile("plain", "");
    testsupport::EnvironmentOverride blocked("XDG_DATA_HOME", (m_dir.Path() / "plain/data").string());
    EXPECT_EQ(MoveToTrash(file), platform::kPathNotFound);
    EXPECT_EQ(m_dir.ReadFile("work/Brief.doc"), "Inhalt");
}

TEST_F(Trash, NoStrayInfoFileWhenTheMoveFails) {
    if (geteuid() == 0) GTEST_SKIP() << "root may move a file out of a directory it cannot write";
    auto file = m_dir.WriteFile("locked/Brief.doc", "Inhalt");
    ASSERT_EQ(chmod((m_dir.Path() / "locked").c_str(), 0555), 0);
    EXPECT_EQ(MoveToTrash(file), platform::kAccessDenied);
    EXPECT_EQ(m_dir.ReadFile("locked/Brief.doc"), "Inhalt");
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path() / "data/Trash/info"));
}

} // namespace

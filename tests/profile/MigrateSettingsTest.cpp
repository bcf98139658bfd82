// First start: the previous version's settings file is taken over only when there is none yet.
#include "profile/MigrateSettings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// The programs live side by side in "programs/"; the new one in "programs/Tolvan6/".
class MigrateSettingsTest : public ::testing::Test {
protected:
    MigrateSettingsTest() { fs::create_directories(m_dir.Path() / "programs/Tolvan6"); }

    // An old settings file, modified the given number of hours ago.
    void OldSettings(std::string_view relative, std::string_view content, int hoursAgo) const {
        fs::path path = m_dir.WriteFile("programs/" + std::string(relative), content);
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
    }

    void Migrate() const { MigrateSettings(SettingsPath(), (m_dir.Path() / "programs/Tolvan6/").string()); }
    std::string SettingsPath() const { return (m_dir.Path() / "config/tolvan/Tolvan6.ini").string(); }
    std::string Settings() const { return m_dir.ReadFile("config/tolvan/Tolvan6.ini"); }

    testsupport::TempDir m_dir;
};

TEST_F(MigrateSettingsTest, CopiesTheNewestOfTheSiblingFolders) {
    OldSettings("Tolvan5/Tolvan50.ini", "[Use]\r\nRuns=1\r\n", 48);
    OldSettings("tolvan-5.1/TOLVAN50.INI", "[Use]\r\nRuns=2\r\n", 2);
    OldSettings("Tolvan5.2/Tolvan50.ini", "[Use]\r\nRuns=3\r\n", 24);
    OldSettings("Backup/Tolvan50.ini", "[Use]\r\nRuns=4\r\n", 1);      // name does not match "Tolv*"
    OldSettings("Tolvan7/sub/Tolvan50.ini", "[Use]\r\nRuns=5\r\n", 1); // not directly inside
    OldSettings("Tolvan50.ini", "[Use]\r\nRuns=6\r\n", 1);             // no folder
    Migrate();
    EXPECT_EQ(Settings(), "[Use]\r\nRuns=2\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(SettingsPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path() / "config/tolvan"), fs::directory_iterator()), 1);
}

TEST_F(MigrateSettingsTest, EqualTimesKeepTheFirstInNameOrder) {
    OldSettings("TolvanB/Tolvan50.ini", "B", 5);
    OldSettings("TolvanA/Tolvan50.ini", "A", 5);
    fs::last_write_time(m_dir.Path() / "programs/TolvanB/Tolvan50.ini",
                        fs::last_write_time(m_dir.Path() / "programs/TolvanA/Tolvan50.ini"));
    Migrate();
    EXPECT_EQ(Settings(), "A");
}

TEST_F(MigrateSettingsTest, ExistingSettingsAreNeverReplaced) {
    OldSettings("Tolvan5/Tolvan50.ini", "old", 1);
    m_dir.WriteFile("config/tolvan/Tolvan6.ini", "current");
    Migrate();
    EXPECT_EQ(Settings(), "current");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path() / "config/tolvan"), fs::directory_iterator()), 1);
}

TEST_F(MigrateSettingsTest, NothingFoundLeavesNoFile) {
    OldSettings("Other/Tolvan50.ini", "x", 1);
    fs::create_directories(m_dir.Path() / "programs/Tolvan5");
    Migrate();
    EXPECT_FALSE(fs::exists(m_dir.Path() / "config"));
    // An executable folder that does not exist is no failure either.
    MigrateSettings(SettingsPath(), (m_dir.Path() / "missing/Tolvan6/").string());
    EXPECT_FALSE(fs::exists(SettingsPath()));
}

} // namespace

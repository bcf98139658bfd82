// A profile made by --new-profile copies the whole tree as a user means it: hidden files, empty directories and
// links included, and a mirror keeps its empty directories without deleting and creating them on every run.
#include "TolvanCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using apptest::Quoted;

class NewProfileCommandTest : public ::testing::Test {
protected:
    NewProfileCommandTest() {
        fs::create_directories(Source() / ".config");
        fs::create_directories(Source() / "leer");
        fs::create_directories(Source() / "Projekte");
        std::ofstream(Source() / ".bashrc") << "alias ll='ls -l'";
        std::ofstream(Source() / ".env") << "GEHEIM=1";
        std::ofstream(Source() / ".config" / "app.conf") << "a=1";
        std::ofstream(Source() / "Projekte" / "plan.txt") << "Plan";
        fs::create_directory_symlink("Projekte", Source() / "aktuell");
        fs::create_directories(Dest());
    }

    fs::path Source() const { return dir.Path() / "Quelle"; }
    fs::path Dest() const { return dir.Path() / "Ziel"; }
    std::string Profile() const { return (dir.Path() / "Spiegel.tvp").string(); }
    std::string Log() const { return dir.ReadFile("data/tolvan/Log.txt"); }

    testsupport::TempDir dir;
};

TEST_F(NewProfileCommandTest, AMirrorCopiesTheWholeTreeAndKeepsItsEmptyDirectories) {
    ASSERT_EQ(apptest::RunTolvan(dir, "--new-profile " + Quoted(Profile()) + " " + Quoted(Source().string()) + " " +
                                          Quoted(Dest().string()) + " --mirror")
                  .exitStatus,
              0);
    const apptest::CommandResult first = apptest::RunTolvan(dir, "--run " + Quoted(Profile()));
    ASSERT_EQ(first.exitStatus, 0) << first.err << Log();
    for (const char* file : {".bashrc", ".env", ".config/app.conf", "Projekte/plan.txt"})
        EXPECT_TRUE(fs::is_regular_file(Dest() / file)) << file;
    EXPECT_TRUE(fs::is_directory(Dest() / "leer"));
    ASSERT_TRUE(fs::is_symlink(Dest() / "aktuell"));
    EXPECT_EQ(fs::read_symlink(Dest() / "aktuell"), "Projekte");

    // The second run has nothing to do: the empty directory stays, it is neither deleted nor created again.
    const apptest::CommandResult second = apptest::RunTolvan(dir, "--run " + Quoted(Profile()));
    ASSERT_EQ(second.exitStatus, 0) << second.err;
    const std::string log = Log();
    const std::string secondRun = log.substr(log.rfind("Profil:"));
    EXPECT_EQ(secondRun.find("Verzeichnis erstellt:"), std::string::npos) << secondRun;
    EXPECT_EQ(secondRun.find("Verzeichnis gelöscht:"), std::string::npos) << secondRun;
    EXPECT_TRUE(fs::is_directory(Dest() / "leer"));

    // What the source no longer has goes, the directory with it.
    fs::remove_all(Source() / "leer");
    fs::remove(Source() / ".env");
    ASSERT_EQ(apptest::RunTolvan(dir, "--run " + Quoted(Profile())).exitStatus, 0);
    EXPECT_FALSE(fs::exists(Dest() / "leer"));
    EXPECT_FALSE(fs::exists(Dest() / ".env"));
    EXPECT_TRUE(fs::exists(Dest() / ".bashrc"));
}

} // namespace

// The headless run commands with a zip archive as the destination: planned, carried out, restored.
#include "TolvanCommand.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using apptest::CommandResult;
using apptest::Quoted;

class ZipRunCommandTest : public ::testing::Test {
protected:
    ZipRunCommandTest() {
        fs::create_directories(Source() / "Briefe");
        fs::create_directories(Dest());
        std::ofstream(Source() / "Briefe" / "Brief an Frau Müller.txt") << "Sehr geehrte Frau Müller";
        std::ofstream(Source() / "Notiz.txt") << "Notiz";
    }

    fs::path Source() const { return dir.Path() / "Quelle"; }
    fs::path Dest() const { return dir.Path() / "Ziel"; }
    fs::path Archive() const { return Dest() / "Sicherung.zip"; }
    std::string Profile() const { return (dir.Path() / "Sicherung.tvp").string(); }

    // A one-way profile into Ziel/Sicherung.zip.
    void NewZipProfile() const {
        const CommandResult made =
            apptest::RunTolvan(dir, "--new-profile " + Quoted(Profile()) + " " + Quoted(Source().string()) + " " +
                                        Quoted(Dest().string()) + " --one-way");
        ASSERT_EQ(made.exitStatus, 0) << made.err;
        cParameters profile;
        ASSERT_EQ(profile.ReadDocument(Profile()), 0);
        profile.DestType = eDestType::Zip;
        profile.DestArchive = "Sicherung.zip";
        ASSERT_EQ(profile.WriteDocument(Profile()), 0);
    }
    CommandResult Command(const char* command) const {
        return apptest::RunTolvan(dir, std::string(command) + " " + Quoted(Profile()));
    }

    testsupport::TempDir dir;
};

TEST_F(ZipRunCommandTest, PlanWritesNoArchiveAndRunWritesOneThatRestores) {
    NewZipProfile();
    const CommandResult plan = Command("--plan");
    EXPECT_EQ(plan.exitStatus, 0) << plan.err;
    EXPECT_NE(plan.out.find("Geplant: 2 vorwärts, 0 überspringen, 0 löschen, 0 rückwärts"), std::string::npos)
        << plan.out;
    EXPECT_TRUE(fs::is_empty(Dest()));

    const CommandResult run = Command("--run");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_TRUE(fs::exists(Archive()));
    const std::string log = dir.ReadFile("data/tolvan/Log.txt");
    EXPECT_NE(log.find("Verwende das Zip-Archiv \"" + Archive().string() + "\"."), std::string::npos) << log;
    EXPECT_EQ(Command("--run").exitStatus, 0);

    // The source is lost; a backward profile brings it back from the archive.
    fs::remove_all(Source());
    fs::create_directories(Source());
    cParameters profile;
    ASSERT_EQ(profile.ReadDocument(Profile()), 0);
    profile.SetTouchMode(eTouchMode::SourceOnly);
    profile.CreateSrcDirs = true;
    ASSERT_EQ(profile.WriteDocument(Profile()), 0);
    const CommandResult restore = Command("--run");
    EXPECT_EQ(restore.exitStatus, 0) << restore.err;
    EXPECT_EQ(dir.ReadFile("Quelle/Briefe/Brief an Frau Müller.txt"), "Sehr geehrte Frau Müller");
    EXPECT_EQ(dir.ReadFile("Quelle/Notiz.txt"), "Notiz");
}

} // namespace

// Zip runs and the common archivers: what a run writes is read by unzip and bsdtar with its times, modes and
// links, and what zip wrote is read, brought up to date and restored by a run.
#include "ZipFixture.h"

#include <cstdlib>

namespace runtest {
namespace {

class RunZipInterchangeTest : public ZipFixture {
protected:
    static bool Have(const std::string& tool) {
        return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
    }
    // Runs a shell command; returns its exit status.
    static int Shell(const std::string& command) { return WEXITSTATUS(std::system(command.c_str())); }
    static std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    void WriteSampleTree(const fs::path& root) const {
        Write(root, "Brief.txt", "Liebe Anna,\nbis bald.\n", Local(2026, 12, 8, 10, 30, 15));
        WriteExact(root, "Projekte/Plan.txt", std::string(3000, 'p'), Local(2026, 12, 7, 9, 5, 1), 0, 0600);
        WriteExact(root, "Projekte/A/Skript.sh", "#!/bin/sh\n", Local(2026, 7, 1, 23, 59, 59), 0, 0755);
        Write(root, "Grüße/Übersicht.txt", "ä", Older());
        fs::create_symlink("../Brief.txt", root / "Projekte/Verweis.txt");
        SetTime(root / "Projekte/Verweis.txt", Older());
    }
};

TEST_F(RunZipInterchangeTest, WhatARunWritesIsReadByUnzipAndBsdtar) {
    if (!Have("unzip") || !Have("bsdtar")) GTEST_SKIP() << "unzip or bsdtar missing (Debian: unzip, libarchive-tools)";
    p.SetTouchMode(eTouchMode::DestOnly);
    WriteSampleTree(Source());
    EXPECT_EQ(Run(), kRunSucceeded);

    EXPECT_EQ(Shell("unzip -tqq " + Quoted(Archive())), 0);
    const fs::path listing = dir.Path() / "liste.txt";
    EXPECT_EQ(Shell("bsdtar -tf " + Quoted(Archive()) + " | sort > " + Quoted(listing)), 0);
    EXPECT_EQ(Read(listing), "Brief.txt\nGrüße/Übersicht.txt\nProjekte/A/Skript.sh\nProjekte/Plan.txt\n"
                             "Projekte/Verweis.txt\n");
    // unzip restores the exact times, the modes and the link from what the run wrote (a link's own time it
    // leaves at its extraction).
    const fs::path out = dir.Path() / "entpackt";
    EXPECT_EQ(Shell("TZ=UTC unzip -qq " + Quoted(Archive()) + " -d " + Quoted(out)), 0);
    Tree unpacked = FilesOnDisk(out);
    Tree expected = FilesOnDisk(Source());
    unpacked["Projekte/Verweis.txt"].Seconds = expected["Projekte/Verweis.txt"].Seconds = 0;
    EXPECT_EQ(unpacked, expected);
    EXPECT_TRUE(fs::is_symlink(out / "Projekte/Verweis.txt"));

    // An encrypted archive is listed by bsdtar all the same.
    fs::remove(Archive());
    p.ZipEncrypt = true;
    p.ZipPassword = "geheim";
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Shell("bsdtar -tf " + Quoted(Archive()) + " | sort > " + Quoted(listing)), 0);
    EXPECT_NE(Read(listing).find("Projekte/Plan.txt\n"), std::string::npos);
}

TEST_F(RunZipInterchangeTest, AnArchiveMadeByZipIsUpdatedAndRestored) {
    if (!Have("zip") || !Have("unzip")) GTEST_SKIP() << "zip or unzip missing (Debian: zip, unzip)";
    const fs::path made = dir.Path() / "gemacht";
    WriteSampleTree(made);
    ASSERT_EQ(Shell("cd " + Quoted(made) + " && zip -r -q -y " + Quoted(Archive()) + " ."), 0);
    WriteSampleTree(Source());

    // zip keeps the exact times: the same tree has nothing to do.
    p.SetTouchMode(eTouchMode::DestOnly);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{UsingArchive(), "Keine Dateien gefunden."}));

    // A change is brought into zip's archive, which unzip still tests and reads. (LastRun lies between the
    // archive's times and the change, so only the source counts as changed since.)
    p.LastRun = platform::JoinFileTime(2026, 12, 8, 12, 0, 0);
    const std::string plan = "neuer Plan" + std::string(3000, 'n');
    Write(Source(), "Projekte/Plan.txt", plan, Local(2026, 12, 9, 11, 0, 0));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(SummaryCount("Datei vorwärts kopiert"), 1);
    EXPECT_EQ(Shell("unzip -tqq " + Quoted(Archive())), 0);
    const fs::path out = dir.Path() / "entpackt";
    EXPECT_EQ(Shell("unzip -qq " + Quoted(Archive()) + " -d " + Quoted(out)), 0);
    EXPECT_EQ(Read(out / "Projekte/Plan.txt"), plan);

    // And it restores the whole tree, the link as a link.
    const Tree source = FilesOnDisk(Source());
    fs::remove_all(Source());
    fs::create_directories(Source());
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.CreateSrcDirs = true;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(FilesOnDisk(Source()), source);
    EXPECT_TRUE(fs::is_symlink(Source() / "Projekte/Verweis.txt"));
}

TEST_F(RunZipInterchangeTest, AnArchiveEncryptedByZipIsRestoredWithItsPassword) {
    if (!Have("zip")) GTEST_SKIP() << "zip missing (Debian: zip)";
    const fs::path made = dir.Path() / "gemacht";
    Write(made, "Konto.txt", "Kontostand 1.000", Older());
    Write(made, "Briefe/Brief.txt", "Liebe Anna", Older());
    ASSERT_EQ(Shell("cd " + Quoted(made) + " && zip -r -q -e -P geheim " + Quoted(Archive()) + " ."), 0);
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.CreateSrcDirs = true;

    p.ZipPassword = "falsch";
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Names(Source()), std::vector<std::string>{"Briefe"}); // nothing unpacked with a wrong password
    EXPECT_EQ(Names(Source() / "Briefe"), std::vector<std::string>{});

    p.ZipPassword = "geheim";
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(FilesOnDisk(Source()), FilesOnDisk(made));
}

} // namespace
} // namespace runtest

// Runs whose destination is an FTP server: uploads, the time-stamp list, deletions, downloads, two-way runs,
// verify, plans and stopped runs.
#include "FtpRunFixture.h"

#include "destinations/Variation.h"
#include "platform/TemporaryFiles.h"
#include "support/EnvironmentOverride.h"

#include <fstream>

namespace runtest {
namespace {

class RunFtpTest : public FtpRunFixture {
protected:
    RunFtpTest() {
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeD1 = eOrphanMode::Forward;
        p.OrphanModeD2 = eOrphanMode::Skip;
    }

    void WriteSourceTree() const {
        Write(Source(), "a.txt", "alpha", kOlder);
        Write(Source(), "Briefe/b.txt", "beta", kOlder);
        Write(Source(), "Briefe/Alt/c.txt", "gamma", kNewer);
    }

    // No temporary file of the program is left anywhere in the test directory.
    void ExpectNoTemporaryFiles() const {
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            EXPECT_FALSE(platform::IsTemporaryName(entry.path().filename().string())) << entry.path();
    }
};

// Active data connections unless the settings file asks for passive ones.
TEST_F(RunFtpTest, TheSettingsFileChoosesPassiveDataConnections) {
    StartServer();
    Write(Source(), "a.txt", "alpha", kOlder);
    const fs::path config = dir.Path() / "config";
    fs::create_directories(config / "tolvan");
    const testsupport::EnvironmentOverride home("XDG_CONFIG_HOME", config.string());
    // PASV and EPSV come without an argument.
    const auto passive = [this] {
        return std::count_if(ui.FtpLines.begin(), ui.FtpLines.end(), [](const auto& line) {
            return line.first && (line.second == "PASV" || line.second == "EPSV");
        });
    };
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_GE(Sent("PORT") + Sent("EPRT"), 1);
    EXPECT_EQ(passive(), 0);

    Write(Source(), "a.txt", "alpha 2", kNewer);
    std::ofstream(config / "tolvan" / "Tolvan6.ini") << "[FTP]\r\nPassive=1\r\n";
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(Sent("PORT") + Sent("EPRT"), 0);
    EXPECT_GE(passive(), 2); // the listing and the upload
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
}

TEST_F(RunFtpTest, FirstUploadCopiesTheTreeAndTheNextRunFindsNothingOnOneConnection) {
    StartServer();
    WriteSourceTree();
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
    EXPECT_EQ(SummaryCount("Dateien vorwärts kopiert"), 3);
    EXPECT_EQ(SummaryCount("Verzeichnisse erstellt"), 2);
    EXPECT_EQ(SummaryCount("Fehler"), 0);
    EXPECT_EQ(LinesWith("Verbinde mit FTP-Server 127.0.0.1.").size(), 1u);
    EXPECT_EQ(LinesWith(ListFileLine("Stempel-Liste geschrieben:", p.ProfileFile + ".ftp")).size(), 1u);
    // The list remembers the source times, exactly, for every file that arrived.
    const std::map<std::string, platform::FileTime> stamps{
        {"\\a.txt", kOlder}, {"\\Briefe\\b.txt", kOlder}, {"\\Briefe\\Alt\\c.txt", kNewer}};
    EXPECT_EQ(Stamps(), stamps);
    // One login for the whole run; the password never shows.
    EXPECT_EQ(Sent("USER"), 1);
    EXPECT_EQ(Sent("STOR"), 3);
    EXPECT_EQ(ui.FtpLogShown, 1);
    for (const auto& [sent, line] : ui.FtpLines)
        EXPECT_EQ(line.find("geheim"), std::string::npos) << line;
    for (const std::string& line : LogLines())
        EXPECT_EQ(line.find("geheim"), std::string::npos) << line;

    // The server lists its own upload times; the list makes the comparison exact.
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_TRUE(planned.empty());
    EXPECT_EQ(Sent("STOR"), 0);
    EXPECT_EQ(Sent("USER"), 1);
    EXPECT_EQ(Sent("LIST"), 3);
    EXPECT_EQ(Sent("TYPE"), 1); // the listings share it
    EXPECT_EQ(SummaryCount("Fehler"), 0);
    EXPECT_EQ(Stamps(), stamps);
}

TEST_F(RunFtpTest, WithoutTheListTheServersTimesSetByMdtmKeepTheNextRunQuiet) {
    StartServer();
    p.FtpUseList = false;
    p.FtpUseMdtm = true;
    WriteSourceTree();
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_FALSE(fs::exists(p.ProfileFile + ".ftp"));
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_TRUE(planned.empty());
    EXPECT_EQ(Sent("STOR"), 0);
}

TEST_F(RunFtpTest, OnlyTheChangedFileIsUploadedAgain) {
    StartServer();
    for (int i = 0; i < 20; ++i)
        Write(Source(), "Daten/f" + std::to_string(i) + ".txt", "inhalt " + std::to_string(i), kOlder);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    Write(Source(), "Daten/f7.txt", "neuer und länger", kNewer);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(planned, ForwardPlan("Quelle/", {"Daten/f7.txt"}));
    EXPECT_EQ(Sent("STOR"), 1);
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
    EXPECT_EQ(Stamps().at("\\Daten\\f7.txt"), kNewer);
    EXPECT_EQ(Stamps().size(), 20u);
}

TEST_F(RunFtpTest, MirrorDeletesOrphansOnTheServerAndForgetsTheirStamps) {
    StartServer();
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.DeleteEmptyDestDirs = true;
    WriteSourceTree();
    Write(Server(), "fremd.txt", "vom Server", kOlder);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_FALSE(fs::exists(Server() / "fremd.txt"));
    EXPECT_EQ(LinesWith("Datei gelöscht:").size(), 1u);

    fs::remove_all(Source() / "Briefe");
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
    EXPECT_EQ(SummaryCount("einzelne Dateien gelöscht"), 2);
    // The emptied directories went too, deepest first; the server's root stays.
    EXPECT_FALSE(fs::exists(Server() / "Briefe"));
    EXPECT_EQ(SummaryCount("leere Verzeichnisse gelöscht"), 2);
    const std::map<std::string, platform::FileTime> stamps{{"\\a.txt", kOlder}};
    EXPECT_EQ(Stamps(), stamps);
}

TEST_F(RunFtpTest, BackwardRunDownloadsWithTheRemoteTimeAndNeverLeavesATemporaryFile) {
    StartServer();
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.OrphanModeS1 = eOrphanMode::Backward;
    p.FtpUseMdtm = true; // the server's seconds, not the listing's minutes
    p.UseUTC = true;
    Write(Server(), "Fotos/urlaub.jpg", std::string(300000, 'u'), Local(2026, 8, 1, 9, 30, 17));
    Write(Server(), "notiz.txt", "neu", kNewer);
    Write(Source(), "notiz.txt", "alt", kOlder);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Source()), ReadTree(Server()));
    EXPECT_EQ(SummaryCount("Dateien rückwärts kopiert"), 2);
    EXPECT_EQ(SummaryCount("Verzeichnis erstellt"), 1);
    EXPECT_EQ(fs::last_write_time(Source() / "Fotos/urlaub.jpg"), fs::last_write_time(Server() / "Fotos/urlaub.jpg"));
    EXPECT_EQ(fs::last_write_time(Source() / "notiz.txt"), fs::last_write_time(Server() / "notiz.txt"));
    EXPECT_EQ(Sent("STOR"), 0);
    ExpectNoTemporaryFiles();
    // Nothing new: the next run downloads nothing.
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(Sent("RETR"), 0);
}

TEST_F(RunFtpTest, TwoWayRunWithSnapshotCopiesNewFilesBothWaysAndDeletesWhatWasDeleted) {
    StartServer();
    p.SetTouchMode(eTouchMode::Both);
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    p.FtpUseMdtm = true;
    Write(Source(), "a.txt", "alpha", kOlder);
    Write(Source(), "Briefe/b.txt", "beta", kOlder);
    Write(Server(), "c.txt", "vom Server", kOlder);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Source()), ReadTree(Server()));
    EXPECT_EQ(ReadTree(Source()).size(), 3u);
    EXPECT_TRUE(fs::exists(p.ProfileFile + ".lst"));

    // Deleted locally, added on the server: the snapshot tells the two apart.
    fs::remove(Source() / "Briefe/b.txt");
    Write(Server(), "d.txt", "auch vom Server", kNewer);
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_FALSE(fs::exists(Server() / "Briefe/b.txt"));
    EXPECT_EQ(ReadTree(Source()), ReadTree(Server()));
    EXPECT_EQ(SummaryCount("einzelne Datei gelöscht"), 1);
    EXPECT_EQ(SummaryCount("Datei rückwärts kopiert"), 1);
    EXPECT_FALSE(Stamps().contains("\\Briefe\\b.txt"));

    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_TRUE(planned.empty());
}

TEST_F(RunFtpTest, VerifyDownloadsEachUploadAndComparesIt) {
    StartServer();
    p.Verify = true;
    WriteSourceTree();
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(SummaryCount("Dateipaare erfolgreich verglichen"), 3);
    EXPECT_EQ(Sent("RETR"), 3);
    const std::vector<std::string> compared = LinesWith("Datei verglichen:");
    ASSERT_EQ(compared.size(), 3u);
    EXPECT_EQ(LinesWith("               mit:                   " + Shown("/Briefe/Alt/c.txt")).size(), 1u);
    ExpectNoTemporaryFiles();
}

TEST_F(RunFtpTest, APlanChangesNothingOnTheServer) {
    StartServer();
    WriteSourceTree();
    Write(Server(), "fremd.txt", "bleibt", kOlder);
    p.OrphanModeD2 = eOrphanMode::Delete;
    control.Reset();
    std::size_t candidates = 0;
    const cRunOutcome outcome =
        ExecuteRun(p, control, kSingleProfile, 0,
                   {.PlanOnly = true,
                    .OnPlan = [&](const cParameters&, const cRunState& s) { candidates = s.Candidates.size(); },
                    .OnLogText = {}});
    EXPECT_EQ(outcome.Result, kRunSucceeded);
    EXPECT_EQ(candidates, 4u);
    EXPECT_EQ(Sent("STOR"), 0);
    EXPECT_EQ(Sent("DELE"), 0);
    EXPECT_EQ(Sent("MKD"), 0);
    const std::map<std::string, std::string> onServer{{"fremd.txt", "bleibt"}};
    EXPECT_EQ(ReadTree(Server()), onServer);
    EXPECT_FALSE(fs::exists(p.ProfileFile + ".ftp"));
}

TEST_F(RunFtpTest, AStoppedRunKeepsTheStampsOfTheFilesThatArrivedAndNoPartialFile) {
    StartServer();
    Write(Source(), "1.bin", std::string(2000000, '1'), kOlder);
    Write(Source(), "2.bin", std::string(2000000, '2'), kOlder);
    // Stopped in the middle of the second upload, whichever file goes first.
    std::string first;
    ui.OnProgress = [&](std::int64_t bytes, const std::string& file) {
        if (first.empty()) first = file;
        if (file != first && bytes > 100000) control.AbortRequested = true;
    };
    EXPECT_EQ(RunOnce(), kRunStopped);
    const std::string arrived = fs::path(first).filename().string();
    const std::map<std::string, platform::FileTime> stamps{{"\\" + arrived, kOlder}};
    EXPECT_EQ(Stamps(), stamps);
    // The interrupted upload was deleted from the server.
    const std::map<std::string, std::string> onServer{{arrived, std::string(2000000, arrived[0])}};
    EXPECT_EQ(ReadTree(Server()), onServer);
    EXPECT_EQ(SummaryCount("Fehler"), 0);

    ui.OnProgress = {};
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(Sent("STOR"), 1);
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
}

// The three generations rotate on the server: each run works in "Enkel", which holds the oldest generation,
// and the list's times move with their directories, so the fourth run uploads only what changed since the first.
TEST_F(RunFtpTest, ThreeGenerationsRotateOnTheServerAndTheirStampsMoveAlong) {
    StartServer();
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.Variation = kVariationGenerations;
    p.DestDirectory = "\\Sicherung\\";
    Write(Source(), "bleibt.txt", "immer gleich", kOlder);
    for (int run = 1; run <= 4; ++run) {
        SCOPED_TRACE(run);
        Write(Source(), "a.txt", "Stand " + std::to_string(run), Local(2026, 11, 20 + run));
        ASSERT_EQ(RunOnce(), kRunSucceeded);
        EXPECT_EQ(p.ResolvedDestDirectory, "\\Sicherung\\Enkel\\");
    }
    // The fourth run found the first run's tree in "Enkel": only the changed file went up.
    EXPECT_EQ(Sent("STOR"), 1);
    const std::map<std::string, std::string> onServer{
        {"Sicherung/Enkel/a.txt", "Stand 4"}, {"Sicherung/Enkel/bleibt.txt", "immer gleich"},
        {"Sicherung/Sohn/a.txt", "Stand 3"},  {"Sicherung/Sohn/bleibt.txt", "immer gleich"},
        {"Sicherung/Vater/a.txt", "Stand 2"}, {"Sicherung/Vater/bleibt.txt", "immer gleich"},
    };
    EXPECT_EQ(ReadTree(Server()), onServer);
    EXPECT_EQ(Stamps().at("\\Sicherung\\Enkel\\a.txt"), Local(2026, 11, 24));
    EXPECT_EQ(Stamps().at("\\Sicherung\\Vater\\a.txt"), Local(2026, 11, 22));
    EXPECT_EQ(Stamps().size(), 6u);
}

} // namespace
} // namespace runtest

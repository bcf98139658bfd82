// Runs whose FTP server fails them: refused connections, wrong passwords, a full disk, a server that dies or
// stalls in the middle of an upload, and a listing whose names would lead out of the source root.
#include "FtpRunFixture.h"

#include "platform/TemporaryFiles.h"

#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace runtest {
namespace {

class RunFtpFaultsTest : public FtpRunFixture {
protected:
    RunFtpFaultsTest() {
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeD1 = eOrphanMode::Forward;
        p.OrphanModeD2 = eOrphanMode::Skip;
        Write(Source(), "a.txt", "alpha", kOlder);
    }

    // A port on 127.0.0.1 where nobody listens.
    static std::uint16_t ClosedPort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        (void)::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        (void)::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        return ntohs(address.sin_port);
    }
};

// A login that fails stops the run before the scan with the reason in the log and in the message; the list
// file is left as it was.
TEST_F(RunFtpFaultsTest, LoginFailuresStopTheRunWithTheReason) {
    struct Case {
        const char* Name;
        bool Refused;
        const char* Password;
        std::string Reason;
    };
    const Case cases[] = {
        {"refused", true, "geheim", "Keine Verbindung zum Server möglich"},
        {"wrong password", false, "falsch", "530 Authentication failed."},
    };
    StartServer();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Refused) p.FtpPort = ClosedPort();
        p.FtpPassword = c.Password;
        ui.Answers[30112] = eAnswer::Ok;
        EXPECT_EQ(RunOnce(), kRunFailed);
        EXPECT_EQ(LinesWith("Fehler: Login fehlgeschlagen: " + c.Reason).size(), 1u);
        EXPECT_EQ(Messages(), std::vector<int>{30112});
        EXPECT_TRUE(ReadTree(Server()).empty());
        EXPECT_FALSE(fs::exists(p.ProfileFile + ".ftp"));
        EXPECT_TRUE(LinesWith(c.Password).empty() || std::string(c.Password) == "geheim");
        p.FtpPort = server->Port();
    }
}

// A server that repeats the password in its refusal: neither the log nor the communication window shows it.
TEST_F(RunFtpFaultsTest, APasswordThatTheServerRepeatsIsMasked) {
    server = std::make_unique<testsupport::FtpTestServer>(std::vector<std::string>{"scripted", "echo-password"});
    ASSERT_NE(server->Port(), 0);
    p.FtpPort = server->Port();
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_EQ(LinesWith("Fehler: Login fehlgeschlagen: 530 Das Passwort **** ist falsch.").size(), 1u);
    for (const std::string& line : LogLines())
        EXPECT_EQ(line.find("geheim"), std::string::npos) << line;
    ASSERT_FALSE(ui.FtpLines.empty());
    for (const auto& [sent, line] : ui.FtpLines)
        EXPECT_EQ(line.find("geheim"), std::string::npos) << line;
}

TEST_F(RunFtpFaultsTest, AMissingPasswordIsAskedForAndNotStored) {
    StartServer();
    p.FtpPassword.clear();
    p.Warning3Message = false;
    EXPECT_EQ(RunOnce(), kRunStopped);
    EXPECT_EQ(LinesWith("Benutzername und Kennwort benötigt für den FTP-Server.").size(), 1u);
    EXPECT_EQ(Sent("USER"), 0);
}

// The server's disk fills after the first upload.
TEST_F(RunFtpFaultsTest, AFullDiskOnTheServerFailsThatFileWithTheServersReplyAndTheRunGoesOn) {
    StartServer({"disk-full"});
    Write(Source(), "b.txt", "passt nicht", kOlder);
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_EQ(LinesWith("  ! 552 Kein Platz mehr auf dem Server.").size(), 1u);
    EXPECT_EQ(SummaryCount("Datei vorwärts kopiert"), 1);
    EXPECT_EQ(SummaryCount("Fehler"), 1);
    // The file that arrived, and its stamp; nothing of the other.
    const std::map<std::string, std::string> tree = ReadTree(Server());
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree, (std::map<std::string, std::string>{*ReadTree(Source()).find(tree.begin()->first)}));
    const std::map<std::string, platform::FileTime> stamps{{"\\" + tree.begin()->first, kOlder}};
    EXPECT_EQ(Stamps(), stamps);
}

// The server dies after part of the new version arrived: the old version keeps its name, what arrived lies
// under a temporary name that nobody could delete, and the list does not claim the new version; the next run
// (the server back) removes the leftover and uploads the file again.
TEST_F(RunFtpFaultsTest, AServerKilledDuringAnUploadLeavesTheOldFileAndNoStampAndTheNextRunRepairsIt) {
    fs::remove(Source() / "a.txt");
    Write(Source(), "gross.bin", std::string(3000000, 'g'), kNewer);
    Write(Server(), "gross.bin", "alte Fassung", kOlder);
    StartServer({"die-in-stor"});
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_EQ(LinesWith("FEHLER beim Kopieren").size(), 1u);
    EXPECT_TRUE(Stamps().empty());
    const std::map<std::string, std::string> tree = ReadTree(Server());
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree.at("gross.bin"), "alte Fassung");
    EXPECT_TRUE(platform::IsTemporaryName(tree.rbegin()->first) || platform::IsTemporaryName(tree.begin()->first));

    StartServer();
    EXPECT_EQ(RunOnce(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Server()), ReadTree(Source()));
    EXPECT_TRUE(Stamps().contains("\\gross.bin"));
}

TEST_F(RunFtpFaultsTest, AStalledServerEndsTheTransferAfterTheTimeOut) {
    Write(Source(), "gross.bin", std::string(100000, 'g'), kOlder);
    StartServer({"stall-stor"});
    p.FtpTimeOut = 1;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_FALSE(LinesWith("Der Server antwortet nicht (Zeitüberschreitung)").empty());
    EXPECT_FALSE(Stamps().contains("\\gross.bin"));
}

// A directory the server lists but will not open is no empty directory: with a snapshot its files would look
// deleted there and be deleted here. Its pair is left alone and the failure counted.
TEST_F(RunFtpFaultsTest, ADirectoryThatCannotBeListedIsNotTakenForEmpty) {
    p.SetTouchMode(eTouchMode::Both);
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    Write(Source(), "gesperrt/wichtig.txt", "bleibt", kOlder);
    StartServer();
    ASSERT_EQ(RunOnce(), kRunSucceeded);
    ASSERT_TRUE(fs::exists(Server() / "gesperrt/wichtig.txt"));

    StartServer({"cwd-refused"});
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_TRUE(fs::exists(Source() / "gesperrt/wichtig.txt"));
    EXPECT_EQ(LinesWith("FEHLER beim Durchsuchen: " + Shown("/gesperrt/")).size(), 1u);
    EXPECT_EQ(SummaryCount("einzelne Dateien gelöscht"), 0);
    EXPECT_EQ(Sent("DELE"), 0);
}

// Names from a listing that would lead out of the directory ("..", "/", "\", control characters) are refused and
// reported; a backward run writes nothing outside the source root, and nothing with such a name.
TEST_F(RunFtpFaultsTest, AHostileListingNeverLeadsABackwardRunOutOfTheSourceRoot) {
    fs::remove(Source() / "a.txt");
    server = std::make_unique<testsupport::FtpTestServer>(std::vector<std::string>{"scripted", "hostile"});
    ASSERT_NE(server->Port(), 0);
    p.FtpPort = server->Port();
    p.FtpTimeOut = 1; // the scripted server never finishes a download
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.OrphanModeS1 = eOrphanMode::Backward;
    p.FtpUseList = false;
    EXPECT_EQ(RunOnce(), kRunFailed);
    EXPECT_EQ(LinesWith("FEHLER beim Durchsuchen").size(), 3u);
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name, "passwd");
        EXPECT_EQ(name.find('\a'), std::string::npos);
        EXPECT_EQ(name.find('\\'), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(Source() / "gut.txt")); // its download never completed
    EXPECT_FALSE(fs::exists(Source() / "../../etc/passwd"));
}

} // namespace
} // namespace runtest

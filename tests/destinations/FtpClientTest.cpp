// The FTP client against real servers: pyftpdlib for the ordinary protocol, a hand-written server for odd and
// hostile answers.
#include "FtpTestServer.h"
#include "support/TempDir.h"

#include "destinations/FtpClient.h"
#include "platform/ErrorCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace {

using testsupport::FtpTestServer;
using Seconds = std::chrono::duration<double>;

// Every line of the dialogue, sent ("> ") and received ("< "), as the communications window gets them.
struct Dialogue {
    std::vector<std::string> Lines;
    std::int64_t LastProgress = 0;
    int Starts = 0;
    int Ends = 0;
    void Attach(TmsFTPClient& client) {
        client.Events.OnLineSent = [this](const std::string& l) { Lines.push_back("> " + l); };
        client.Events.OnLineReceived = [this](const std::string& l) { Lines.push_back("< " + l); };
        client.Events.OnDataTransferStart = [this] { ++Starts; };
        client.Events.OnDataTransferProgress = [this](std::int64_t n) { LastProgress = n; };
        client.Events.OnDataTransferTerminate = [this] { ++Ends; };
    }
    bool Has(std::string_view prefix) const {
        return std::any_of(Lines.begin(), Lines.end(), [&](const std::string& l) { return l.starts_with(prefix); });
    }
    std::size_t IndexOf(std::string_view prefix) const {
        for (std::size_t i = 0; i < Lines.size(); ++i)
            if (Lines[i].starts_with(prefix)) return i;
        return Lines.size();
    }
    bool Mentions(std::string_view text) const {
        return std::any_of(Lines.begin(), Lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    }
};

TmsFTPClient ClientFor(std::uint16_t port, int timeOut = 5) {
    TmsFTPClient client;
    client.Host = "127.0.0.1";
    client.Port = port;
    client.UserName = "anna";
    client.Password = "geheim";
    client.TimeOut = timeOut;
    return client;
}

std::string BinaryContent() {
    std::string bytes;
    for (int round = 0; round < 800; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.push_back(static_cast<char>((b * 7 + round) & 0xff));
    bytes += "\r\n\n\r\x1a"; // what a text-mode transfer would change
    return bytes;
}

FtpDataSource SourceOf(const std::string& bytes) {
    auto offset = std::make_shared<std::size_t>(0);
    return [&bytes, offset](std::span<char> buffer, std::size_t& got) {
        got = std::min(buffer.size(), bytes.size() - *offset);
        std::memcpy(buffer.data(), bytes.data() + *offset, got);
        *offset += got;
        return 0;
    };
}

// A port on which nothing listens.
std::uint16_t ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

TEST(FtpClient, LoginOutcomes) {
    testsupport::TempDir home;
    FtpTestServer real({"real", home.Path().string()});
    FtpTestServer silent({"scripted", "silent"});
    FtpTestServer echo({"scripted", "echo-password"});
    ASSERT_NE(real.Port(), 0) << "pyftpdlib did not start";
    ASSERT_NE(silent.Port(), 0) << "the scripted server did not start";
    ASSERT_NE(echo.Port(), 0) << "the scripted server did not start";
    struct Case {
        const char* what;
        std::uint16_t port;
        const char* password;
        int expected;
        const char* replyStart;
    };
    const Case cases[] = {
        {"good", real.Port(), "geheim", 0, "230"},
        {"wrong password", real.Port(), "falsch", platform::kFtpCommandFailed, "530"},
        {"refused", ClosedPort(), "geheim", platform::kSocketConnectFailed, ""},
        {"server never answers", silent.Port(), "geheim", platform::kSocketTimeOut, ""},
        {"server repeats the password", echo.Port(), "s3cr3t", platform::kFtpCommandFailed,
         "530 Das Passwort **** ist falsch."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TmsFTPClient client = ClientFor(c.port, 1);
        client.Password = c.password;
        Dialogue dialogue;
        dialogue.Attach(client);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(client.Login(), c.expected);
        EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start).count(), 3.0);
        EXPECT_TRUE(client.ReplyText().starts_with(c.replyStart)) << client.ReplyText();
        EXPECT_FALSE(dialogue.Mentions(c.password));
        EXPECT_FALSE(client.ReplyText().find(c.password) != std::string::npos);
        if (c.expected == 0 || c.expected == platform::kFtpCommandFailed) {
            EXPECT_TRUE(dialogue.Has("> PASS ****"));
        }
    }
}

TEST(FtpClient, MultiLineGreetingIsReadWholeAndPassFollowsUser230) {
    FtpTestServer server({"scripted", "multiline-greeting"});
    ASSERT_NE(server.Port(), 0);
    TmsFTPClient client = ClientFor(server.Port());
    Dialogue dialogue;
    dialogue.Attach(client);
    ASSERT_EQ(client.Login(), 0) << client.ReplyText();
    EXPECT_LT(dialogue.IndexOf("< 220 bereit"), dialogue.IndexOf("> USER anna"));
    EXPECT_LT(dialogue.IndexOf("< 230 angemeldet"), dialogue.IndexOf("> PASS ****"));
    EXPECT_EQ(client.ReplyText(), "230 willkommen");
}

// The whole life of a file and a directory, with the server opening the data connections and with the client
// opening them, over IPv4 and IPv6 (where the client always opens them, with EPSV).
TEST(FtpClient, FilesAndDirectoriesInEachMode) {
    struct Mode {
        const char* what;
        bool passive;
        bool ipv6;
    };
    for (const Mode mode : {Mode{"active", false, false}, Mode{"passive", true, false}, Mode{"IPv6", false, true}}) {
        SCOPED_TRACE(mode.what);
        testsupport::TempDir home;
        FtpTestServer server(mode.ipv6 ? std::vector<std::string>{"real", home.Path().string(), "ipv6"}
                                       : std::vector<std::string>{"real", home.Path().string()});
        ASSERT_NE(server.Port(), 0) << "pyftpdlib did not start";
        TmsFTPClient client = ClientFor(server.Port());
        if (mode.ipv6) client.Host = "::1";
        client.PassiveMode = mode.passive;
        const bool passive = mode.passive || mode.ipv6;
        Dialogue dialogue;
        dialogue.Attach(client);
        ASSERT_EQ(client.Login(), 0) << client.ReplyText();

        const std::string bytes = BinaryContent();
        ASSERT_EQ(client.MakeDirectory("Ordner"), 0) << client.ReplyText();
        ASSERT_EQ(client.ChangeDirectory("Ordner"), 0);
        std::string cwd;
        ASSERT_EQ(client.PrintWorkingDirectory(cwd), 0);
        EXPECT_EQ(cwd, "/Ordner");
        ASSERT_EQ(client.StoreFile(SourceOf(bytes), "Bericht ä.bin"), 0) << client.ReplyText();
        EXPECT_EQ(dialogue.LastProgress, static_cast<std::int64_t>(bytes.size()));
        EXPECT_EQ(home.ReadFile("Ordner/Bericht ä.bin"), bytes);

        ASSERT_EQ(client.ListDirectory(), 0) << client.ReplyText();
        ASSERT_EQ(client.DirList().size(), 1u);
        EXPECT_EQ(client.DirList()[0].Kind, kFtpFile);
        EXPECT_EQ(client.DirList()[0].Name, "Bericht ä.bin");
        EXPECT_EQ(client.DirList()[0].Size, static_cast<std::int64_t>(bytes.size()));

        std::string back;
        ASSERT_EQ(client.RetrieveFile("Bericht ä.bin",
                                      [&back](std::string_view b) {
                                          back.append(b);
                                          return 0;
                                      }),
                  0);
        EXPECT_EQ(back, bytes);
        EXPECT_EQ(dialogue.Starts, 3);
        EXPECT_EQ(dialogue.Ends, 3);
        EXPECT_EQ(client.UsingPassive(), passive);
        EXPECT_EQ(dialogue.Has("> EPSV"), mode.ipv6);
        EXPECT_EQ(dialogue.Has("> PORT"), !passive);

        // pyftpdlib reads "MDTM stamp path" as a file name and refuses it: the client falls back to MFMT once
        // and then keeps to it.
        ASSERT_EQ(client.SetModificationTime("Bericht ä.bin", "20241231235958"), 0) << client.ReplyText();
        const std::size_t mdtmSets =
            std::count(dialogue.Lines.begin(), dialogue.Lines.end(), "> MDTM 20241231235958 Bericht ä.bin");
        ASSERT_EQ(client.SetModificationTime("Bericht ä.bin", "20230102030405"), 0) << client.ReplyText();
        EXPECT_EQ(mdtmSets, 1u);
        EXPECT_FALSE(dialogue.Has("> MDTM 20230102030405"));
        EXPECT_TRUE(dialogue.Has("> MFMT 20230102030405 Bericht ä.bin"));
        std::string stamp;
        ASSERT_EQ(client.ReadModificationTime("Bericht ä.bin", stamp), 0) << client.ReplyText();
        EXPECT_EQ(stamp, "20230102030405");

        EXPECT_EQ(client.RetrieveFile("fehlt.bin", [](std::string_view) { return 0; }), platform::kFtpCommandFailed);
        EXPECT_TRUE(client.ReplyText().starts_with("550")) << client.ReplyText();
        EXPECT_EQ(client.DeleteRemoteFile("Bericht ä.bin"), 0);
        EXPECT_EQ(client.ChangeDirectory("/"), 0);
        EXPECT_EQ(client.RemoveDirectory("Ordner"), 0);
        EXPECT_TRUE(testsupport::NamesIn(home.Path()).empty());
        EXPECT_EQ(client.Quit(), 0);
        EXPECT_FALSE(client.Connected());
    }
}

TEST(FtpClient, RefusedPortFallsBackToPassive) {
    testsupport::TempDir home;
    home.WriteFile("a.txt", "abc");
    FtpTestServer server({"real", home.Path().string(), "port-refused"});
    ASSERT_NE(server.Port(), 0) << "pyftpdlib did not start";
    TmsFTPClient client = ClientFor(server.Port());
    Dialogue dialogue;
    dialogue.Attach(client);
    ASSERT_EQ(client.Login(), 0);
    ASSERT_EQ(client.ListDirectory(), 0) << client.ReplyText();
    ASSERT_EQ(client.DirList().size(), 1u);
    EXPECT_EQ(client.DirList()[0].Name, "a.txt");
    EXPECT_TRUE(client.UsingPassive());
    EXPECT_LT(dialogue.IndexOf("< 502"), dialogue.IndexOf("> PASV"));
    EXPECT_EQ(dialogue.Starts, 1);
    EXPECT_EQ(dialogue.Ends, 1);
}

TEST(FtpClient, HostileRepliesEndInErrorsWithoutWaiting) {
    struct Case {
        const char* scenario;
        int expected;
    };
    const Case cases[] = {
        {"endless-reply", platform::kFtpBadReply},
        {"overlong-line", platform::kFtpBadReply},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        FtpTestServer server({"scripted", c.scenario});
        ASSERT_NE(server.Port(), 0);
        TmsFTPClient client = ClientFor(server.Port(), 30);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(client.Login(), c.expected);
        EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start).count(), 3.0);
        EXPECT_FALSE(client.Connected());
    }
}

TEST(FtpClient, ListingWithNamesThatLeadElsewhere) {
    FtpTestServer server({"scripted", "plain"});
    ASSERT_NE(server.Port(), 0);
    TmsFTPClient client = ClientFor(server.Port());
    client.PassiveMode = true;
    ASSERT_EQ(client.Login(), 0);
    EXPECT_EQ(client.ListDirectory(), platform::kFtpUnsafeName);
    // The good name stays usable; the others are not names any more; ".." is left out.
    ASSERT_EQ(client.DirList().size(), 4u);
    EXPECT_EQ(client.DirList()[0].Name, "gut.txt");
    EXPECT_EQ(client.DirList()[0].Kind, kFtpFile);
    for (std::size_t i = 1; i < client.DirList().size(); ++i)
        EXPECT_EQ(client.DirList()[i].Kind, kFtpUnparsed);
    // The connection stays usable.
    EXPECT_EQ(client.Quit(), 0);
}

TEST(FtpClient, StalledTransferEndsByStopFlagOrTimeOut) {
    FtpTestServer server({"scripted", "plain"});
    ASSERT_NE(server.Port(), 0);
    for (const bool byFlag : {true, false}) {
        SCOPED_TRACE(byFlag ? "stop flag" : "time-out");
        std::atomic<bool> abort{false};
        TmsFTPClient client = ClientFor(server.Port(), byFlag ? 30 : 1);
        client.PassiveMode = true;
        client.Stop.Abort = &abort;
        Dialogue dialogue;
        dialogue.Attach(client);
        ASSERT_EQ(client.Login(), 0);
        std::string received;
        std::thread stopper([&] {
            if (!byFlag) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            abort = true;
        });
        const auto start = std::chrono::steady_clock::now();
        const int rc = client.RetrieveFile("gross.bin", [&](std::string_view b) {
            received.append(b);
            return 0;
        });
        const double took = Seconds(std::chrono::steady_clock::now() - start).count();
        stopper.join();
        EXPECT_EQ(rc, byFlag ? platform::kCancelled : platform::kSocketTimeOut);
        EXPECT_LT(took, 3.0);
        EXPECT_EQ(received, "0123456789");
        EXPECT_EQ(dialogue.Ends, 1);
        EXPECT_TRUE(dialogue.Has("> ABOR"));
        // Both replies to the abort are taken: the next command reads its own reply.
        abort = false;
        std::string path;
        EXPECT_EQ(client.PrintWorkingDirectory(path), 0);
        EXPECT_EQ(path, "/a \"b\" c");
    }
}

TEST(FtpClient, WorkingDirectoryEndsAtItsClosingQuote) {
    FtpTestServer server({"scripted", "plain"});
    ASSERT_NE(server.Port(), 0);
    TmsFTPClient client = ClientFor(server.Port());
    ASSERT_EQ(client.Login(), 0);
    std::string path;
    ASSERT_EQ(client.PrintWorkingDirectory(path), 0);
    EXPECT_EQ(path, "/a \"b\" c");
}

TEST(FtpClient, LineEndInsideANameIsNeverSent) {
    FtpTestServer server({"scripted", "plain"});
    ASSERT_NE(server.Port(), 0);
    TmsFTPClient client = ClientFor(server.Port());
    ASSERT_EQ(client.Login(), 0);
    Dialogue dialogue;
    dialogue.Attach(client);
    EXPECT_EQ(client.DeleteRemoteFile("a\r\nRMD /"), platform::kInvalidName);
    EXPECT_TRUE(dialogue.Lines.empty());
    EXPECT_EQ(client.Quit(), 0);
}

} // namespace

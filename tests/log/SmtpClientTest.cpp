// Mailing the log: the message text (headers, inline or attached log, dot-stuffing, long lines) and the SMTP
// dialogue against a real server (aiosmtpd on 127.0.0.1).
#include "log/SmtpClient.h"

#include "log/MailLogFile.h"
#include "platform/ErrorCodes.h"
#include "profile/IniFile.h"
#include "support/ScriptServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

cLogParameters MailLog() {
    cLogParameters log;
    log.SenderName = "Anna Müller";
    log.SenderAddress = "anna@example.org";
    log.Recipient1Name = "Dr. Otto";
    log.Recipient1Address = "otto@example.org";
    log.SubjectPrefix = "Sicherung: ";
    log.ActualFileName = "/home/anna/.local/share/tolvan/Log.txt";
    return log;
}

TEST(SmtpClientTest, InlineMailTextWithDotStuffing) {
    cLogParameters log = MailLog();
    log.Recipient2Name = "Eva";
    log.Recipient2Address = "eva@example.org";
    EXPECT_EQ(MailText(log, "Zeile 1\r\n.\r\n..\r\nEnde\r\n", "xx"),
              "From:     Anna Müller <anna@example.org>\r\n"
              "To:       \"Dr. Otto\" <otto@example.org>,\r\n"
              "          Eva <eva@example.org>\r\n"
              "Subject: Sicherung: Log.txt\r\n"
              "Mime-Version: 1.0\r\n"
              "Content-Type: text/plain; charset=\"us-ascii\"\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "Zeile 1\r\n..\r\n..\r\nEnde\r\n");
    const cMailEnvelope envelope = MailEnvelope(log);
    EXPECT_EQ(envelope.Sender, "anna@example.org");
    EXPECT_EQ(envelope.Recipients, (std::vector<std::string>{"otto@example.org", "eva@example.org"}));
}

TEST(SmtpClientTest, AttachmentAndLongLines) {
    cLogParameters log = MailLog();
    log.AsAttachment = true;
    const std::string longLine(300, 'x');
    const std::string text = MailText(log, "kurz\r\n" + longLine + "=\r\n", "GRENZE");
    EXPECT_NE(text.find("Content-Type: multipart/mixed; boundary=\"GRENZE\"\r\n\r\n--GRENZE\r\n"), std::string::npos);
    EXPECT_NE(text.find("7bit\r\n\r\nsiehe Anhang\r\n--GRENZE\r\n"), std::string::npos);
    EXPECT_NE(text.find("Content-Disposition: attachment; filename=\"Log.txt\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("Content-Transfer-Encoding: quoted-printable\r\n"), std::string::npos);
    EXPECT_NE(text.find("=3D\r\n--GRENZE--\r\n"), std::string::npos) << "'=' escaped at the end of the line";
    for (std::size_t start = 0, end = 0; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 998u) << "no line beyond what SMTP carries";
}

TEST(SmtpClientTest, ServerWithPort) {
    const struct {
        const char* server;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"mail.example.org", true, "mail.example.org", 25},
        {"mail.example.org:587", true, "mail.example.org", 587},
        {"[::1]:2525", true, "::1", 2525},
        {"::1", true, "::1", 25},
        {"mail:0", false, "", 0},
        {"mail:70000", false, "", 0},
        {"mail:abc", false, "", 0},
        {"", false, "", 0},
    };
    for (const auto& c : cases) {
        std::string host;
        int port = 0;
        EXPECT_EQ(SplitServer(c.server, host, port), c.ok) << c.server;
        if (!c.ok) continue;
        EXPECT_EQ(host, c.host);
        EXPECT_EQ(port, c.port);
    }
}

class SmtpServerTest : public ::testing::Test {
protected:
    // What the server received as its first mail, "" when none came.
    std::string Received() const { return m_dir.ReadFile("mail1.txt"); }
    std::string Server(std::uint16_t port) const { return "127.0.0.1:" + std::to_string(port); }
    std::string Out() const { return m_dir.Path().string(); }
    static platform::WaitLimits Limits() { return {5, {}}; }

    testsupport::TempDir m_dir;
};

// The message arrives exactly as MailText made it (apart from the dot-stuffing the server undoes), from the
// sender to recipient 1 only, after a HELO with this machine's name.
TEST_F(SmtpServerTest, TheMailArrivesExactly) {
    testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {Out()});
    ASSERT_NE(server.Port(), 0) << "the test mail server (python3-aiosmtpd) did not start";
    const cLogParameters log = MailLog();
    const std::string text = MailText(log, "Zeile\r\n.\r\nEnde\r\n", "B");
    const cSmtpResult result = SendMail(Server(server.Port()), MailEnvelope(log), text, Limits());
    ASSERT_EQ(result.Code, 0) << result.Reply;
    const std::string received = Received();
    EXPECT_EQ(received.substr(0, received.find("\n\n")),
              "FROM anna@example.org\nTO otto@example.org\nHELO " + platform::Socket::LocalHostName());
    // The empty line before the closing "." belongs to what the server keeps.
    std::string expected = text + "\r\n";
    expected.replace(expected.find("\r\n..\r\n"), 6, "\r\n.\r\n");
    EXPECT_EQ(received.substr(received.find("\n\n") + 2), expected);
}

// A server that refuses the named HELO gets a bare one; a refused recipient ends the mail with that reply, and
// nothing is delivered.
TEST_F(SmtpServerTest, RefusedHeloAndRecipient) {
    {
        testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {Out(), "--refuse-helo"});
        ASSERT_NE(server.Port(), 0);
        const cLogParameters log = MailLog();
        const cSmtpResult result =
            SendMail(Server(server.Port()), MailEnvelope(log), MailText(log, "x\r\n", "B"), Limits());
        ASSERT_EQ(result.Code, 0) << result.Reply;
        EXPECT_NE(Received().find("HELO " + platform::Socket::LocalHostName() + ",-\n"), std::string::npos);
    }
    {
        testsupport::TempDir out;
        testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {out.Path().string(), "--refuse", "eva@example.org"});
        ASSERT_NE(server.Port(), 0);
        cLogParameters log = MailLog();
        log.Recipient2Address = "eva@example.org";
        const cSmtpResult result =
            SendMail(Server(server.Port()), MailEnvelope(log), MailText(log, "x\r\n", "B"), Limits());
        EXPECT_EQ(result.Code, platform::kFtpCommandFailed);
        EXPECT_EQ(result.Reply, "550 Empfaenger unbekannt");
        EXPECT_EQ(out.ReadFile("mail1.txt"), "");
    }
}

TEST_F(SmtpServerTest, NoServerThere) {
    const cLogParameters log = MailLog();
    // A port nobody listens on: the connection is refused at once.
    const cSmtpResult result = SendMail("127.0.0.1:1", MailEnvelope(log), MailText(log, "x\r\n", "B"), Limits());
    EXPECT_EQ(result.Code, platform::kSocketConnectFailed);
}

// With a login the mail goes out only over an encrypted connection: STARTTLS with a certificate the system
// trusts (here the test server's own, named by SSL_CERT_FILE), then AUTH PLAIN, or AUTH LOGIN where only that is
// offered. A wrong password, an untrusted certificate and a server without STARTTLS each end the mail, and
// the password never travels in the clear.
TEST_F(SmtpServerTest, LoginOverAnEncryptedConnection) {
    struct cCase {
        const char* What;
        std::vector<std::string> Options;
        bool TrustServer;
        std::string Password;
        int Code;
        std::string Auth; // what the server saw of the login
    };
    const std::vector<cCase> cases = {
        {"plain", {}, true, "geheim", 0, "PLAIN anna ok\n"},
        {"login only", {"--only-login"}, true, "geheim", 0, "LOGIN anna ok\n"},
        {"wrong password", {}, true, "falsch", platform::kFtpCommandFailed, "PLAIN anna refused\n"},
        {"untrusted certificate", {}, false, "geheim", platform::kTlsFailed, ""},
    };
    for (const cCase& c : cases) {
        SCOPED_TRACE(c.What);
        testsupport::TempDir out;
        std::vector<std::string> arguments = {out.Path().string(), "--tls", out.Path().string(), "--login",
                                              "anna:geheim"};
        arguments.insert(arguments.end(), c.Options.begin(), c.Options.end());
        testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, arguments);
        ASSERT_NE(server.Port(), 0);
        const std::string trusted = c.TrustServer ? (out.Path() / "cert.pem").string() : "/nonexistent.pem";
        ::setenv("SSL_CERT_FILE", trusted.c_str(), 1);
        ::setenv("SSL_CERT_DIR", "/nonexistent", 1);
        const cLogParameters log = MailLog();
        const cSmtpResult result = SendMail(Server(server.Port()), MailEnvelope(log), MailText(log, "x\r\n", "B"),
                                            Limits(), {"anna", c.Password});
        ::unsetenv("SSL_CERT_FILE");
        ::unsetenv("SSL_CERT_DIR");
        EXPECT_EQ(result.Code, c.Code) << result.Reply;
        EXPECT_EQ(out.ReadFile("auth.txt"), c.Auth);
        EXPECT_EQ(out.ReadFile("mail1.txt").empty(), c.Code != 0);
        if (c.Code == platform::kFtpCommandFailed) {
            EXPECT_EQ(result.Reply.substr(0, 3), "535");
        }
        if (c.Code == platform::kTlsFailed) {
            EXPECT_NE(result.Reply.find("self-signed"), std::string::npos) << result.Reply;
        }
    }
}

TEST_F(SmtpServerTest, NoPasswordWithoutEncryption) {
    testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {Out()});
    ASSERT_NE(server.Port(), 0);
    const cLogParameters log = MailLog();
    const cSmtpResult result = SendMail(Server(server.Port()), MailEnvelope(log), MailText(log, "x\r\n", "B"),
                                        Limits(), {"anna", "geheim"});
    EXPECT_EQ(result.Code, platform::kTlsNotOffered);
    EXPECT_EQ(Received(), "");
}

TEST(SmtpLogin, ReadFromTheSettingsFileByServer) {
    testsupport::TempDir dir;
    dir.WriteFile("Tolvan6.ini", "[SMTP mail.example.org:587]\r\nUser=anna@example.org\r\nPassword=ge heim=\r\n");
    const cIniFile settings((dir.Path() / "Tolvan6.ini").string());
    const cSmtpLogin login = SmtpLoginFor(settings, "mail.example.org:587");
    EXPECT_EQ(login.User, "anna@example.org");
    EXPECT_EQ(login.Password, "ge heim=");
    EXPECT_EQ(SmtpLoginFor(settings, "mail.example.org").User, "") << "another port is another server";
}

} // namespace

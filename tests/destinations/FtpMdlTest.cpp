// The FTP destination's adapter against a real server: remote paths, directory creation and its silent
// "already there" replies, uploads that keep the time-stamp list in step, and deletions.
#include "FtpTestServer.h"

#include "destinations/FtpMdl.h"
#include "platform/ErrorCodes.h"
#include "platform/FileTime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

TEST(FtpMdlTest, RemotePaths) {
    const struct {
        const char* Directory;
        const char* Name;
        const char* Path;
    } cases[] = {
        {"\\", "", "/"},
        {"\\", "a.txt", "/a.txt"},
        {"\\Sicherung\\Enkel\\Briefe\\", "Brief.txt", "/Sicherung/Enkel/Briefe/Brief.txt"},
        {"\\a\\b\\", "", "/a/b/"},
        {"a\\b", "c", "/a/b/c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFtpMdl::RemotePath(c.Directory, c.Name), c.Path) << c.Directory << c.Name;
}

class FtpMdlServerTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"real", dir.Path().string()});
        server = std::make_unique<testsupport::FtpTestServer>(std::move(options));
        ASSERT_NE(server->Port(), 0) << "the FTP test server did not start";
        model.msFTPClient.Host = "127.0.0.1";
        model.msFTPClient.Port = server->Port();
        model.msFTPClient.UserName = "anna";
        model.msFTPClient.Password = "geheim";
        model.msFTPClient.TimeOut = 10;
        ASSERT_EQ(model.Login(), 0);
    }
    // An upload of text whose source time is stamp.
    int Upload(const std::string& directory, const std::string& name, const std::string& text,
               platform::FileTime stamp) {
        bool sent = false;
        return model.Upload(
            [&](std::span<char> buffer, std::size_t& got) {
                got = sent ? 0 : text.copy(buffer.data(), buffer.size());
                sent = true;
                return 0;
            },
            directory, name, stamp);
    }

    testsupport::TempDir dir;
    std::unique_ptr<testsupport::FtpTestServer> server;
    TFtpMdl model;
    std::vector<std::pair<std::string, int>> reported;
    std::function<void(const std::string&, int)> report = [this](const std::string& level, int code) {
        reported.emplace_back(level, code);
    };
};

// Every level is asked for from the top; one that is there already is no event, one the server refuses is.
TEST_F(FtpMdlServerTest, DirectoryCreationReportsNewLevelsAndRefusalsOnly) {
    Start({"mkd-refused"});
    fs::create_directories(dir.Path() / "a");
    EXPECT_EQ(model.CreateRemoteDirectory("\\a\\b\\c\\", report), 0);
    EXPECT_EQ(reported, (std::vector<std::pair<std::string, int>>{{"\\a\\b\\", 0}, {"\\a\\b\\c\\", 0}}));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "a/b/c"));

    reported.clear();
    EXPECT_EQ(model.CreateRemoteDirectory("\\a\\verboten\\", report), 1);
    EXPECT_EQ(reported, (std::vector<std::pair<std::string, int>>{{"\\a\\verboten\\", platform::kFtpCommandFailed}}));
    EXPECT_EQ(model.LastErrorMessage, "550 Keine Berechtigung.");
}

TEST_F(FtpMdlServerTest, TheListFollowsUploadsAndDeletions) {
    Start();
    model.Options.UseList = true;
    const platform::FileTime first = platform::JoinFileTime(2026, 11, 20, 12, 0, 0);
    const platform::FileTime second = platform::JoinFileTime(2026, 11, 25, 12, 0, 0);
    ASSERT_EQ(Upload("\\", "a.txt", "eins", first), 0);
    ASSERT_EQ(Upload("\\", "b.txt", "bee", first), 0);
    // The same file twice: one entry, the newer time, and the new content under the name.
    ASSERT_EQ(Upload("\\", "a.txt", "zwei", second), 0);
    ASSERT_EQ(model.StampList.Size(), 2u);
    EXPECT_EQ(model.StampList.Find("\\", "a.txt")->Stamp, second);
    std::ifstream in(dir.Path() / "a.txt");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "zwei");

    ASSERT_EQ(model.Delete("\\", "a.txt"), 0);
    EXPECT_EQ(model.StampList.Find("\\", "a.txt"), nullptr);
    EXPECT_FALSE(fs::exists(dir.Path() / "a.txt"));
    // A file the server does not have: the server's reply, and the list keeps what it had.
    EXPECT_EQ(model.Delete("\\", "fehlt.txt"), platform::kFtpCommandFailed);
    EXPECT_FALSE(model.LastErrorMessage.empty());
    EXPECT_NE(model.StampList.Find("\\", "b.txt"), nullptr);
    // Only the two files: no temporary name is left on the server.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
}

} // namespace

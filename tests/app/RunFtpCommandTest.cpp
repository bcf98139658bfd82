// `tolvan --plan` and `tolvan --run` of a profile whose destination is an FTP server (pyftpdlib on 127.0.0.1,
// started by the test): the plan leaves the server alone, the run uploads, the next run finds nothing to do.
#include "TolvanCommand.h"
#include "destinations/FtpTestServer.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using apptest::Quoted;

std::map<std::string, std::string> Files(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().lexically_relative(root).string()] =
            std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    return files;
}

TEST(RunFtpCommandTest, PlanLeavesTheServerAloneRunUploadsAndTheNextRunHasNothingToDo) {
    testsupport::TempDir dir;
    const fs::path source = dir.Path() / "Quelle";
    const fs::path server = dir.Path() / "Server";
    const std::string profile = (dir.Path() / "Sicherung.tvp").string();
    fs::create_directories(source / "Briefe");
    fs::create_directories(server);
    std::ofstream(source / "Briefe" / "Brief an Frau Müller.txt") << "Sehr geehrte Frau Müller";
    std::ofstream(source / "Notiz.txt") << "Notiz";
    testsupport::FtpTestServer ftp({"real", server.string()});
    ASSERT_NE(ftp.Port(), 0) << "the FTP test server did not start";

    ASSERT_EQ(apptest::RunTolvan(dir, "--new-profile " + Quoted(profile) + " " + Quoted(source.string()) + " " +
                                          Quoted(dir.Path().string()) + " --one-way")
                  .exitStatus,
              0);
    cParameters params;
    ASSERT_EQ(params.ReadDocument(profile), 0);
    params.DestType = eDestType::Ftp;
    params.DestServer = "127.0.0.1";
    params.FtpPort = ftp.Port();
    params.FtpTimeOut = 10;
    params.FtpUserName = "anna";
    params.FtpPassword = "geheim";
    params.FtpUseList = true;
    params.DestDirectory = "\\Sicherung\\";
    ASSERT_EQ(params.WriteDocument(profile), 0);

    EXPECT_EQ(apptest::RunTolvan(dir, "--plan " + Quoted(profile)).exitStatus, 0);
    EXPECT_TRUE(Files(server).empty());
    EXPECT_FALSE(fs::exists(profile + ".ftp"));

    const apptest::CommandResult run = apptest::RunTolvan(dir, "--run " + Quoted(profile));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(Files(server / "Sicherung"), Files(source));
    EXPECT_TRUE(fs::exists(profile + ".ftp"));
    EXPECT_EQ(run.err.find("geheim"), std::string::npos);

    EXPECT_EQ(apptest::RunTolvan(dir, "--run " + Quoted(profile)).exitStatus, 0);
    const std::string log = platform::DecodeFileText(dir.ReadFile("data/tolvan/Log.txt"));
    EXPECT_NE(log.find("Keine Dateien gefunden."), std::string::npos);
    EXPECT_EQ(log.find("geheim"), std::string::npos);
}

} // namespace

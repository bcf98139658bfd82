// Whole runs whose destination is a real FTP server (pyftpdlib on 127.0.0.1, started by the test) that serves
// the directory "Server" of the test directory.
#pragma once

#include "RunFixture.h"
#include "destinations/FtpStampList.h"
#include "destinations/FtpTestServer.h"

#include <algorithm>
#include <memory>

namespace runtest {

class FtpRunFixture : public RunFixture {
protected:
    FtpRunFixture() {
        fs::create_directories(Server());
        ui.AfterPreview = {}; // the plan's cross-check knows only directory destinations
        p.DestType = eDestType::Ftp;
        p.DestServer = "127.0.0.1";
        p.FtpUserName = "anna";
        p.FtpPassword = "geheim";
        p.FtpTimeOut = 10;
        p.FtpUseList = true;
        p.FtpLogComm = true;
        p.CreateDestDirs = true;
        p.CreateSrcDirs = true;
    }

    fs::path Server() const { return dir.Path() / "Server"; }

    // Starts the server with the options of ftp_test_server.py; the test fails when it does not come up.
    void StartServer(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"real", Server().string()});
        server = std::make_unique<testsupport::FtpTestServer>(std::move(options));
        ASSERT_NE(server->Port(), 0) << "the FTP test server did not start";
        p.FtpPort = server->Port();
    }

    // Every regular file below root: relative path -> content.
    static std::map<std::string, std::string> ReadTree(const fs::path& root) {
        std::map<std::string, std::string> tree;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            tree[entry.path().lexically_relative(root).string()] =
                std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
        return tree;
    }

    // The time-stamp list beside the profile: "\dir\name" -> stamp.
    std::map<std::string, platform::FileTime> Stamps() const {
        cFtpStampList list;
        std::map<std::string, platform::FileTime> stamps;
        if (list.Read(FtpStampFileName(p.ProfileFile)) != 0) return stamps;
        for (const cFtpStamp& entry : list.Entries())
            stamps[entry.Directory + entry.BaseName + entry.Extension] = entry.Stamp;
        return stamps;
    }

    // The lines of the log that hold text.
    std::vector<std::string> LinesWith(const std::string& text) const {
        std::vector<std::string> found;
        for (const std::string& line : LogLines())
            if (line.find(text) != std::string::npos) found.push_back(line);
        return found;
    }

    // The commands sent to the server in the last run whose verb is verb ("STOR", "USER" ...).
    int Sent(const std::string& verb) const {
        return static_cast<int>(std::count_if(ui.FtpLines.begin(), ui.FtpLines.end(), [&verb](const auto& line) {
            return line.first && (line.second == verb || line.second.starts_with(verb + " "));
        }));
    }

    std::uint8_t RunOnce() {
        ui.FtpLines.clear();
        return Run();
    }

    std::string Shown(const std::string& path) const { return "ftp://127.0.0.1:" + std::to_string(p.FtpPort) + path; }

    std::unique_ptr<testsupport::FtpTestServer> server;
};

} // namespace runtest

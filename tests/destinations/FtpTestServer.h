// Starts tests/support/ftp_test_server.py (pyftpdlib, or a hand-made server for odd replies) for a test.
#pragma once

#include "support/ScriptServer.h"

namespace testsupport {

class FtpTestServer : public ScriptServer {
public:
    explicit FtpTestServer(std::vector<std::string> args) : ScriptServer(TOLVAN_FTP_TEST_SERVER, std::move(args)) {}
};

} // namespace testsupport

// Starts a test server script of tests/support with Debian's /usr/bin/python3 and stops it when the object goes.
// The script prints "PORT <n>" once it listens. Port() is 0 when the server did not come up; the test then
// fails on it.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

class ScriptServer {
public:
    ScriptServer(const char* script, std::vector<std::string> args) {
        args.insert(args.begin(), {"/usr/bin/python3", script});
        int out[2];
        if (::pipe(out) != 0) return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_port = ReadPort(out[0]);
        ::close(out[0]);
    }
    ~ScriptServer() {
        if (m_pid <= 0) return;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    std::uint16_t Port() const { return m_port; }

private:
    // Reads "PORT <n>\n", waiting at most ten seconds.
    static std::uint16_t ReadPort(int fd) {
        std::string text;
        while (text.find('\n') == std::string::npos) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0) return 0;
            char c[64];
            const ssize_t n = ::read(fd, c, sizeof c);
            if (n <= 0) return 0;
            text.append(c, static_cast<std::size_t>(n));
        }
        if (!text.starts_with("PORT ")) return 0;
        return static_cast<std::uint16_t>(std::stoi(text.substr(5)));
    }

    pid_t m_pid = -1;
    std::uint16_t m_port = 0;
};

} // namespace testsupport

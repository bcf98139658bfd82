#include "platform/Process.h"

#include "platform/Environment.h"
#include "platform/WriteSignals.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

std::optional<std::string> FindProgram(std::string_view name) {
    const std::string pathVariable = GetEnvironment("PATH").value_or("");
    std::string_view path = pathVariable;
    while (!path.empty()) {
        const std::size_t colon = path.find(':');
        const std::string_view dir = path.substr(0, colon);
        path = colon == std::string_view::npos ? std::string_view{} : path.substr(colon + 1);
        if (dir.empty() || dir.front() != '/') continue;
        const std::string candidate = std::string(dir) + '/' + std::string(name);
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

// Without waiting a double fork: the intermediate child starts the program and ends at once, so the wait here
// is short and the program, orphaned, is reaped by init; no SIGCHLD handler and no bookkeeping is needed.
// Only async-signal-safe calls happen between fork and exec, as the program may have other threads.
void StartProgram(const std::vector<std::string>& argv, bool wait, bool silent) {
    if (argv.empty()) return;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return;
    if (child == 0) {
        if (!wait) {
            const pid_t program = ::fork();
            if (program != 0) ::_exit(program < 0 ? 1 : 0);
        }
        const int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            if (silent) {
                ::dup2(devNull, STDOUT_FILENO);
                ::dup2(devNull, STDERR_FILENO);
            }
            if (devNull > STDERR_FILENO) ::close(devNull);
        }
        RestoreWriteSignals();
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void StartCommand(const std::string& commandLine) {
    StartProgram({"/bin/sh", "-c", commandLine}, false, false);
}

std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace platform

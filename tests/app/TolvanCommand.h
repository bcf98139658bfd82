// Runs the tolvan program as a user would, with its own home, settings and data folders below a test
// directory, so the user's settings file is neither read nor created.
#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace apptest {

struct CommandResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// arguments are passed to the shell as they are: quote paths with '...'. shellSetup runs in the same shell
// before the program (a limit such as "ulimit -f 512 && ").
inline CommandResult RunTolvan(const testsupport::TempDir& dir, const std::string& arguments,
                               const std::string& shellSetup = "") {
    const std::string d = dir.Path().string();
    const std::string command = shellSetup + "env HOME='" + d + "/home' XDG_CONFIG_HOME='" + d +
                                "/config' XDG_DATA_HOME='" + d + "/data' '" TOLVAN_EXECUTABLE "' " + arguments + " >'" +
                                d + "/out' 2>'" + d + "/err'";
    CommandResult result;
    const int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    result.out = dir.ReadFile("out");
    result.err = dir.ReadFile("err");
    return result;
}

inline std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

} // namespace apptest

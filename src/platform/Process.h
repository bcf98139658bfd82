// Starting other programs: sound players, and the commands a profile runs before and after a run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Runs the program argv[0] (a full path) with its arguments, stdin on /dev/null; with silent also stdout and
// stderr. wait: returns when the program has ended; otherwise at once, and the program runs on its own (it is
// never left as a zombie). Failures to start are not reported.
void StartProgram(const std::vector<std::string>& argv, bool wait, bool silent);

// The full path of a program found in an absolute directory of PATH; std::nullopt when there is none. Empty
// and relative PATH elements are skipped, so a program is never taken from the working directory.
std::optional<std::string> FindProgram(std::string_view name);

// text as one word of a /bin/sh command line: in single quotes, a quote inside written as '\''.
std::string ShellQuoted(std::string_view text);

// Starts a command line through /bin/sh -c without waiting for it; its output goes where the program's goes.
void StartCommand(const std::string& commandLine);

} // namespace platform

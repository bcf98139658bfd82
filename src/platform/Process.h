// Starting other programs: sound players, and the commands a profile runs before and after a run.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Runs the program argv[0] (a full path) with its arguments, stdin on /dev/null; with silent also stdout and
// stderr. wait: returns when the program has ended; otherwise at once, and the program runs on its own (it is
// never left as a zombie). Failures to start are not reported.
void StartProgram(const std::vector<std::string>& argv, bool wait, bool silent);

// Starts a command line through /bin/sh -c without waiting for it; its output goes where the program's goes.
void StartCommand(const std::string& commandLine);

} // namespace platform

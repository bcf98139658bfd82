// Ctrl+C for headless runs: the first one asks the run to stop, the second one ends the process.
#pragma once

#include <atomic>

namespace platform {

// Installs the SIGINT handler. The first SIGINT sets the stop flag and puts back the default action, so a
// second Ctrl+C ends a process that no longer tests the flag. Calling it again re-arms the handler.
void InstallStopSignal();

// Set by the handler; the run's loops test it between blocks and files.
bool StopRequested();
// Clears the flag, for a new run.
void ClearStopRequest();

} // namespace platform

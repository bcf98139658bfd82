// Ctrl+C for headless runs: the first one sets the run's stop flag, the second one ends the process.
#pragma once

#include <atomic>

namespace platform {

// Installs the SIGINT handler for flag, which must live until RemoveStopSignal. The first SIGINT sets the flag
// and puts back the default action, so a second Ctrl+C ends a process that no longer tests the flag. Calling
// it again re-arms the handler, for the same or another flag.
void InstallStopSignal(std::atomic<bool>& flag);
// Puts back the default action and forgets the flag.
void RemoveStopSignal();
// Whether a SIGINT arrived since the handler was last installed.
bool StopSignalArrived();

} // namespace platform

// The end of the user's session: asking systemd-logind to power off, restart or log off after a run, and
// noticing that the system (or Ctrl+C in a terminal) asks the windowed program to end.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// The action after a run (AutoShutdown): 0 nothing, 1 shut down, 2 log off, 3 shut down and power off,
// 4 shut down and restart.
enum eSessionEndAction : int {
    kSessionEndNone = 0,
    kSessionEndShutdown = 1,
    kSessionEndLogoff = 2,
    kSessionEndPowerOff = 3,
    kSessionEndRestart = 4,
};

// The command of an action, program name first: 1 and 3 "systemctl poweroff" (a shut-down machine is switched
// off), 4 "systemctl reboot", 2 "loginctl terminate-session" with $XDG_SESSION_ID, or "auto" (the caller's
// graphical session) when that is not set. Empty for 0 and for every other value.
std::vector<std::string> SessionEndCommand(int action);

// Starts the command of action without waiting for it. A command that is missing or refused (no privilege,
// no logind) is ignored.
void RequestSessionEnd(int action);

// What runs a session-end command (program name first, looked up on PATH). Tests put in a function that
// records the command, so that they never end the session; an empty function puts the real runner back.
using SessionEndRunner = std::function<void(const std::vector<std::string>& command)>;
void SetSessionEndRunner(SessionEndRunner runner);

// SIGTERM and SIGINT become a request to end: the first one is only noted (TakeEndRequest), so the program
// can finish what it writes; it also puts back the default actions, so a second signal ends the process at
// once. Calling it again re-arms both.
void InstallEndRequestSignals();
// Puts back the default actions and forgets a request not taken yet.
void RemoveEndRequestSignals();
// True once for each request that arrived since the last call.
bool TakeEndRequest();

} // namespace platform

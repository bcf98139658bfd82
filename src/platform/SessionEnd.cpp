// Session end through systemd-logind, and SIGTERM / SIGINT noted as a request to end.
#include "platform/SessionEnd.h"

#include "platform/Environment.h"
#include "platform/Process.h"

#include <atomic>
#include <csignal>
#include <mutex>
#include <optional>

namespace platform {

namespace {

std::mutex runnerMutex;
SessionEndRunner testRunner;

void RunCommand(const std::vector<std::string>& command) {
    const std::optional<std::string> program = FindProgram(command.front());
    if (!program) return;
    std::vector<std::string> argv = command;
    argv.front() = *program;
    StartProgram(argv, false, true);
}

std::atomic<bool> endRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

void SetAction(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

// Only async-signal-safe calls: the flag and sigaction.
extern "C" void OnEndSignal(int) {
    endRequested.store(true);
    SetAction(SIGTERM, SIG_DFL);
    SetAction(SIGINT, SIG_DFL);
}

} // namespace

std::vector<std::string> SessionEndCommand(int action) {
    switch (action) {
    case kSessionEndShutdown:
    case kSessionEndPowerOff:
        return {"systemctl", "poweroff"};
    case kSessionEndRestart:
        return {"systemctl", "reboot"};
    case kSessionEndLogoff: {
        const std::optional<std::string> session = GetEnvironment("XDG_SESSION_ID");
        return {"loginctl", "terminate-session", session && !session->empty() ? *session : "auto"};
    }
    default:
        return {};
    }
}

void RequestSessionEnd(int action) {
    const std::vector<std::string> command = SessionEndCommand(action);
    if (command.empty()) return;
    SessionEndRunner runner;
    {
        std::lock_guard lock(runnerMutex);
        runner = testRunner;
    }
    if (runner)
        runner(command);
    else
        RunCommand(command);
}

void SetSessionEndRunner(SessionEndRunner runner) {
    std::lock_guard lock(runnerMutex);
    testRunner = std::move(runner);
}

void InstallEndRequestSignals() {
    SetAction(SIGTERM, OnEndSignal);
    SetAction(SIGINT, OnEndSignal);
}

void RemoveEndRequestSignals() {
    SetAction(SIGTERM, SIG_DFL);
    SetAction(SIGINT, SIG_DFL);
    endRequested.store(false);
}

bool TakeEndRequest() {
    return endRequested.exchange(false);
}

} // namespace platform

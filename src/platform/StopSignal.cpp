// The SIGINT handler that turns Ctrl+C into a stop request.
#include "platform/StopSignal.h"

#include <csignal>

namespace platform {
namespace {

std::atomic<std::atomic<bool>*> g_stopFlag{nullptr};
std::atomic<bool> g_arrived{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is written from a signal handler");
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free, "the handler reads the flag's address");

extern "C" void OnInterrupt(int) {
    g_arrived.store(true);
    if (std::atomic<bool>* flag = g_stopFlag.load()) flag->store(true);
}

} // namespace

void InstallStopSignal(std::atomic<bool>& flag) {
    g_stopFlag.store(&flag);
    g_arrived.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND restores the default action before the handler runs: the next Ctrl+C ends the process.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

void RemoveStopSignal() {
    std::signal(SIGINT, SIG_DFL);
    g_stopFlag.store(nullptr);
}

bool StopSignalArrived() {
    return g_arrived.load();
}

} // namespace platform

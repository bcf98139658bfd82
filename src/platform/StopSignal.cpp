// The SIGINT handler that turns Ctrl+C into a stop request.
#include "platform/StopSignal.h"

#include <csignal>

namespace platform {
namespace {

std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is written from a signal handler");

extern "C" void OnInterrupt(int) {
    stopRequested.store(true);
}

} // namespace

void InstallStopSignal() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND restores the default action before the handler runs: the next Ctrl+C ends the process.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool StopRequested() {
    return stopRequested.load();
}

void ClearStopRequest() {
    stopRequested.store(false);
}

} // namespace platform

#include "engine/RunState.h"

#include "platform/StopSignal.h"

namespace {

cRunState* g_activeRun = nullptr;

} // namespace

bool cRunState::Stopping() {
    if (platform::StopRequested()) AbortRequested = true;
    return AbortRequested;
}

std::uint8_t cRunState::Result() const {
    if (Counters.ErrorCount > 0) return kRunFailed;
    return AbortRequested ? kRunStopped : kRunSucceeded;
}

void RequestAbort() {
    if (g_activeRun) g_activeRun->AbortRequested = true;
}

void RequestInterrupt() {
    if (g_activeRun) g_activeRun->InterruptRequested = true;
}

void SetActiveRun(cRunState* run) {
    g_activeRun = run;
}

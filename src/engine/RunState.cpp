#include "engine/RunState.h"

std::uint8_t cRunState::Result() const {
    if (Counters.ErrorCount > 0) return kRunFailed;
    return AbortRequested ? kRunStopped : kRunSucceeded;
}

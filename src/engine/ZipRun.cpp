// A run whose destination is a zip archive.
#include "engine/DestinationRun.h"

#include "engine/RunContext.h"

std::unique_ptr<cDestinationRun> StartZipRun(cRun& run) {
    run.Event(kLogDestinationUnsupported);
    ++run.State.Counters.ErrorCount;
    run.State.AbortRequested = true;
    return nullptr;
}

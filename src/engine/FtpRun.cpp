// A run whose destination is a directory tree on an FTP server.
#include "engine/DestinationRun.h"

#include "engine/RunContext.h"

std::unique_ptr<cDestinationRun> StartFtpRun(cRun& run) {
    run.Event(kLogDestinationUnsupported);
    ++run.State.Counters.ErrorCount;
    run.State.AbortRequested = true;
    return nullptr;
}

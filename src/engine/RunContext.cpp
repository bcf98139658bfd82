#include "engine/RunContext.h"

#include "messages/UserInterface.h"
#include "profile/Parameters.h"

void cRun::Event(int event, const cLogEventData& data) {
    WriteLogEvent(Log, Params, event, data);
}

eAnswer cRun::Ask(int code, const cMessageArgs& args) {
    Ui.SetProgressPaused(true);
    const eAnswer answer = UserMessage(Ui, Params.Warnings(), code, args);
    Ui.SetProgressPaused(false);
    return answer;
}

void cRun::FailCheck(int event, const cLogEventData& data, const cMessageArgs& args) {
    Event(event, data);
    Ask(event, args);
    ++State.Counters.ErrorCount;
    State.AbortRequested = true;
}

bool cRun::Stopping() {
    FlushLogIfDue(Log);
    Ui.Yield();
    return State.AbortRequested;
}

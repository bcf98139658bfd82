#include "engine/RunContext.h"

#include "shell/UserInterface.h"

void cRun::Event(int event, const cLogEventData& data) {
    WriteLogEvent(Log, Params, event, data);
}

int cRun::Ask(int code, const cMessageArgs& args) {
    UserInterface().SetProgressPaused(true);
    const int answer = UserMessage(Params, code, args);
    UserInterface().SetProgressPaused(false);
    return answer;
}

void cRun::FailCheck(int event, const cLogEventData& data, const cMessageArgs& args) {
    Event(event, data);
    Ask(event, args);
    ++State.Counters.ErrorCount;
    State.AbortRequested = true;
}

bool cRun::Stopping() {
    UserInterface().ProcessEvents();
    return State.Stopping();
}

// What the steps of one run share: the run's copy of the profile, its state, its log and the user interface,
// and the helpers every step uses to log, ask and fail.
#pragma once

#include "engine/RunState.h"
#include "log/Log.h"
#include "messages/UserMessage.h"

class cParameters;
class cUserInterface;

struct cRun {
    cParameters& Params;
    cRunState& State;
    cLog& Log;
    cUserInterface& Ui;
    bool PlanOnly = false; // nothing may be changed on disk: no rename, no directory, no log or snapshot file

    // Writes one log event.
    void Event(int event, const cLogEventData& data = {});
    // Asks message code (the copy progress's clock stands still meanwhile) and returns the answer.
    eAnswer Ask(int code, const cMessageArgs& args = {});
    // A failed check: its log event and message, one error, and the run stops.
    void FailCheck(int event, const cLogEventData& data = {}, const cMessageArgs& args = {});
    // A yield point (the log's held lines are written when due), then whether the run is to stop.
    bool Stopping();
};

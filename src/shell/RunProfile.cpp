#include "shell/RunProfile.h"

#include "engine/RunDriver.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

#include <chrono>
#include <thread>

namespace {

// A command entry (its variables expanded) is started and not waited for; an entry without text is a delay
// of Tag seconds.
void RunCommands(cRunControl& control, const cTextList& commands, double dateOffset) {
    for (std::size_t i = 0; i < commands.Size(); ++i) {
        if (commands.Text(i).empty())
            WaitSeconds(control, commands.Tag(i));
        else
            platform::StartCommand(ExpandVariables(commands.Text(i), dateOffset));
        control.Ui.Yield();
    }
}

} // namespace

void WaitSeconds(cRunControl& control, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end && !control.AbortRequested) {
        control.Ui.Yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void TakeRunResults(cParameters& document, const cParameters& ran) {
    document.DateOffset = ran.DateOffset;
    document.ResolvedDestDirectory = ran.ResolvedDestDirectory;
    document.ResolvedArchiveName = ran.ResolvedArchiveName;
    document.Log.ActualFileName = ran.Log.ActualFileName;
    document.Log.IsOpen = ran.Log.IsOpen;
    document.LastRun = ran.LastRun;
    document.RunCount = ran.RunCount;
}

std::uint8_t RunProfile(cParameters& params, cRunControl& control, std::uint8_t condition, std::uint8_t reason) {
    const platform::FileTime started = platform::NowLocal();
    if (params.Event1Message) control.Ui.ShowRunEvent(eRunEvent::Started, params.Event1Centered, params.Event1File2);
    PlaySignal(control.Ui, params.Event1Sound, params.Event1Beep, params.Event1File1, params.SyncSounds);
    RunCommands(control, params.BeforeCommands, params.DateOffset);
    const cRunOutcome outcome = ExecuteRun(params, control, condition, reason);
    ApplyRunOutcome(params, outcome);
    const std::uint8_t result = outcome.Result;
    if (result == kRunSucceeded) {
        params.LastRun = started;
        params.WriteLastRun(params.ProfileFile);
        ++params.RunCount;
        params.WriteRunCount();
    }
    RunCommands(control, params.AfterCommands, params.DateOffset);
    if (params.Event2Message) control.Ui.ShowRunEvent(eRunEvent::Finished, params.Event2Centered, params.Event2File2);
    PlaySignal(control.Ui, params.Event2Sound, params.Event2Beep, params.Event2File1, params.SyncSounds);
    return result;
}

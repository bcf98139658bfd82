#include "shell/RunProfile.h"

#include "engine/RunDriver.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/StopSignal.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "shell/UserInterface.h"
#include "shell/messages/PlaySignal.h"

#include <chrono>
#include <thread>

namespace {

// A command entry (its variables expanded) is started and not waited for; an entry without text is a delay
// of Tag seconds.
void RunCommands(const cTextList& commands, double dateOffset) {
    for (std::size_t i = 0; i < commands.Size(); ++i) {
        if (commands.Text(i).empty())
            WaitSeconds(commands.Tag(i));
        else
            platform::StartCommand(ExpandVariables(commands.Text(i), dateOffset));
        UserInterface().ProcessEvents();
    }
}

} // namespace

void WaitSeconds(int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end && !platform::StopRequested()) {
        UserInterface().ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::uint8_t RunProfile(cParameters& params, std::uint8_t condition, std::uint8_t reason) {
    const platform::FileTime started = platform::NowLocal();
    PlaySignal(params.Event1Sound, params.Event1Beep, params.Event1File1, params.SyncSounds);
    RunCommands(params.BeforeCommands, params.DateOffset);
    const std::uint8_t result = ExecuteRun(params, condition, reason);
    if (result == kRunSucceeded) {
        params.LastRun = started;
        params.WriteLastRun(params.ProfileFile);
        ++params.RunCount;
        params.WriteRunCount();
    }
    RunCommands(params.AfterCommands, params.DateOffset);
    PlaySignal(params.Event2Sound, params.Event2Beep, params.Event2File1, params.SyncSounds);
    return result;
}

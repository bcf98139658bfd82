#include "app/PlanCommand.h"

#include "app/CommandDocument.h"
#include "engine/PlanText.h"
#include "engine/RunDriver.h"
#include "platform/StopSignal.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/HeadlessInterface.h"

#include <cstdio>
#include <memory>
#include <string>

int PlanCommand(const char* fileName) {
    std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    cParameters params(settings.get());
    params.Drives = ReadDrives(*settings);
    cHeadlessInterface ui;
    if (!ReadProfileForCommand(ui, params, fileName)) return 2;
    cRunControl control(ui);
    platform::InstallStopSignal(control.AbortRequested);
    bool planned = false;
    cRunOptions options;
    options.PlanOnly = true;
    options.OnPlan = [&planned](const cParameters& p, const cRunState& run) {
        const std::string text = PlanText(p, run);
        std::fwrite(text.data(), 1, text.size(), stdout);
        planned = true;
    };
    options.OnLogText = [](const std::string& text) { std::fwrite(text.data(), 1, text.size(), stderr); };
    const int result = ExecuteRun(params, control, kSingleProfile, 0, options).Result;
    platform::RemoveStopSignal();
    if (std::fflush(stdout) != 0) return 2;
    return planned ? 0 : result;
}

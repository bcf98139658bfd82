#include "app/PlanCommand.h"

#include "app/CommandDocument.h"
#include "engine/PlanText.h"
#include "engine/RunDriver.h"
#include "platform/StopSignal.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"

#include <cstdio>
#include <memory>
#include <string>

int PlanCommand(const char* fileName) {
    std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    cParameters params(settings.get());
    if (!ReadProfileForCommand(params, fileName)) return 2;
    platform::InstallStopSignal();
    bool planned = false;
    cRunOptions options;
    options.PlanOnly = true;
    options.OnPlan = [&planned](const cParameters& p, const cRunState& run) {
        const std::string text = PlanText(p, run);
        std::fwrite(text.data(), 1, text.size(), stdout);
        planned = true;
    };
    options.OnLogText = [](const std::string& text) { std::fwrite(text.data(), 1, text.size(), stderr); };
    const int result = ExecuteRun(params, kSingleProfile, 0, options);
    if (std::fflush(stdout) != 0) return 2;
    return planned ? 0 : result;
}

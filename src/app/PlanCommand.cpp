#include "app/PlanCommand.h"

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
    // A failed read has shown its error box, which the headless interface prints to stderr.
    if (!params.ReadDocument(fileName)) return 2;
    if (params.DocumentKind != kProfileDocument) {
        std::fprintf(stderr, "%s ist keine Profildatei.\n", fileName);
        return 2;
    }
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

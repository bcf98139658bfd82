#include "app/RunCommand.h"

#include "app/CommandDocument.h"
#include "engine/RunControl.h"
#include "engine/RunDriver.h"
#include "log/MailLogFile.h"
#include "messages/ErrorText.h"
#include "platform/ProgramFolders.h"
#include "platform/StopSignal.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/HeadlessInterface.h"
#include "shell/RunProfile.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kMailTimeOutSeconds = 30;

// A run without windows mails its log as the log settings ask for its result; it never opens a viewer.
void MailLogAfterRun(const cLogParameters& log, int result) {
    if (!(result == kRunFailed ? log.MailOnError : log.MailOnSuccess)) return;
    const cSmtpResult mailed = MailLogFile(log, kMailTimeOutSeconds);
    if (mailed.Code == 0)
        std::fprintf(stderr, "Protokoll verschickt an %s\n", log.Recipient1Address.c_str());
    else
        std::fprintf(stderr, "Fehler beim Verschicken des Protokolls an %s: %s\n", log.Recipient1Address.c_str(),
                     ErrorText(mailed.Code, mailed.Reply).c_str());
}

} // namespace

int RunCommand(const char* fileName) {
    std::unique_ptr<cIniFile> settings = OpenSettingsFile();
    cParameters params(settings.get());
    params.Drives = ReadDrives(*settings);
    cHeadlessInterface ui;
    if (!ReadProfileForCommand(ui, params, fileName)) return 2;
    params.ReadRunCount();
    // The default log lives in the program's data folder, which the first run creates; a folder that cannot be
    // created shows as a log that cannot be opened.
    (void)platform::CreatePrivateFolder(platform::DataFolder());
    cRunControl control(ui);
    platform::InstallStopSignal(control.AbortRequested);
    const int result = RunProfile(params, control, kSingleProfile, 0);
    platform::RemoveStopSignal();
    if (params.Log.Active && params.Log.IsOpen)
        std::fprintf(stderr, "Protokoll: %s\n", params.Log.ActualFileName.c_str());
    MailLogAfterRun(params.Log, result);
    return result;
}

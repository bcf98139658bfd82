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
#include "shell/BatchRun.h"
#include "shell/HeadlessInterface.h"
#include "shell/RunProfile.h"
#ifdef TOLVAN_GUI
#include "ui/PrintLog.h"
#endif

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

// A run without windows prints its log as the log settings ask for its result, on the named or the default
// printer; what happened is said on stderr.
void PrintLogAfterRun(const cLogParameters& log, int result) {
    if (!(result == kRunFailed ? log.PrintOnError : log.PrintOnSuccess)) return;
#ifdef TOLVAN_GUI
    std::string printer;
    const int code = ui::PrintLogWithoutWindows(log, printer);
    if (code == 0)
        std::fprintf(stderr, "Protokoll gedruckt auf %s\n", printer.c_str());
    else if (printer.empty())
        std::fprintf(stderr, "Protokoll nicht gedruckt: Kein Drucker installiert.\n");
    else
        std::fprintf(stderr, "Fehler beim Drucken des Protokolls auf %s: %s\n", printer.c_str(), ErrorText(code).c_str());
#else
    std::fprintf(stderr, "Protokoll nicht gedruckt: dieses Programm ist ohne Druckunterstützung gebaut.\n");
#endif
}

// The profile in params, run as the launcher runs it; where the log went is said on stderr.
cBatchRunEnd RunOneProfile(cParameters& params, cRunControl& control, std::uint8_t condition) {
    params.ReadRunCount();
    control.Reset();
    // A Ctrl+C between two profiles of a batch stops the next one at once.
    if (platform::StopSignalArrived()) control.AbortRequested = true;
    const std::uint8_t result = RunProfile(params, control, condition, 0);
    if (params.Log.Active && params.Log.IsOpen)
        std::fprintf(stderr, "Protokoll: %s\n", params.Log.ActualFileName.c_str());
    MailLogAfterRun(params.Log, result);
    PrintLogAfterRun(params.Log, result);
    return {result, control.AbortRequested.load()};
}

} // namespace

int RunCommand(const char* fileName) {
    std::unique_ptr<cIniFile> settings = OpenSettingsFile();
    cParameters params(settings.get());
    params.Drives = ReadDrives(*settings);
    cHeadlessInterface ui;
    if (!ReadDocumentForRun(ui, params, fileName)) return 2;
    if (params.DocumentKind == kBatchDocument && params.Batch.EntryCount() == 0) {
        std::fprintf(stderr, "Die Batch-Datei %s enthält keine Profile.\n", fileName);
        return 2;
    }
    // The default log lives in the program's data folder, which the first run creates; a folder that cannot be
    // created shows as a log that cannot be opened.
    (void)platform::CreatePrivateFolder(platform::DataFolder());
    cRunControl control(ui);
    platform::InstallStopSignal(control.AbortRequested);
    std::uint8_t result = kRunSucceeded;
    if (params.DocumentKind == kProfileDocument) {
        result = RunOneProfile(params, control, kSingleProfile).Result;
    } else {
        // Ctrl+C ends the whole batch: whoever pressed it at the terminal wants the program to stop.
        const cBatchSteps steps{
            .Ui = ui,
            .RunProfile = [&](std::uint8_t condition) { return RunOneProfile(params, control, condition); },
            .EndRequested = [] { return platform::StopSignalArrived(); },
        };
        result = RunBatch(params, steps);
    }
    platform::RemoveStopSignal();
    return result;
}

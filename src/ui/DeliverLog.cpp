#include "ui/DeliverLog.h"

#include "engine/RunState.h"
#include "messages/ErrorText.h"
#include "messages/UserMessage.h"
#include "platform/ErrorCodes.h"
#include "platform/Process.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "ui/LogViewer.h"
#include "ui/MailLog.h"
#include "ui/MessageDialog.h"
#include "ui/PrintLog.h"

#include <QString>

#include <optional>

namespace ui {

namespace {

constexpr int kViewerHelpContext = 30127;
constexpr std::string_view kDesktopOpener = "xdg-open";

// The viewer's name in the message that it cannot be started.
QString ViewerName(eLogViewer kind) {
    switch (kind) {
    case eLogViewer::Notepad:
        return QStringLiteral("Notizblock");
    case eLogViewer::QuickView:
        return QStringLiteral("Schnellansicht");
    case eLogViewer::WordPad:
        return QStringLiteral("WordPad");
    default:
        return QStringLiteral("Betrachter");
    }
}

std::string ViewerProgram(const cLogParameters& log, double dateOffset) {
    switch (log.ViewerKind) {
    case eLogViewer::BuiltIn:
        return {};
    case eLogViewer::Notepad:
    case eLogViewer::QuickView:
    case eLogViewer::WordPad:
        return std::string(kDesktopOpener);
    case eLogViewer::Program:
        return ExpandVariables(log.ViewerPath, dateOffset);
    }
    return {};
}

// A program given without a folder must be found on PATH; a path is left to the shell.
bool ProgramFound(const std::string& program) {
    return program.find('/') != std::string::npos || platform::FindProgram(program).has_value();
}

void ShowViewerError(QWidget* parent, const QString& text) {
    ShowMessageDialog(parent, QStringLiteral("Tolvan 6"), kViewerHelpContext, eMessageKind::Error,
                      eMessageButtons::OkHelp, text);
}

} // namespace

std::string ViewerCommandLine(const cLogParameters& log, double dateOffset) {
    const std::string program = ViewerProgram(log, dateOffset);
    if (program.empty()) return {};
    return platform::ShellQuoted(program) + " " + platform::ShellQuoted(log.ActualFileName) + " " +
           ExpandVariables(log.ViewerSwitches, dateOffset);
}

void ShowLog(QWidget* parent, cParameters& params) {
    cLogParameters& log = params.Log;
    log.ResolveLogFile(params.DateOffset);
    if (log.ViewerKind == eLogViewer::BuiltIn) {
        ShowLogFile(parent, params, log.ActualFileName);
        return;
    }
    const std::string commandLine = ViewerCommandLine(log, params.DateOffset);
    if (commandLine.empty()) {
        ShowViewerError(parent, QStringLiteral("Kein Betrachter angegeben."));
        return;
    }
    if (!ProgramFound(ViewerProgram(log, params.DateOffset))) {
        const std::string text = FillPlaceholders(
            "Konnte %s\r\r%s\r\rnicht ausführen:\r\r%s",
            {ViewerName(log.ViewerKind).toStdString(), commandLine, ErrorText(platform::kFileNotFound)});
        ShowViewerError(parent, QString::fromStdString(DisplayText(text)));
        return;
    }
    platform::StartCommand(commandLine);
}

void DeliverLog(QWidget* parent, cParameters& params, std::uint8_t result, bool mute) {
    const cLogParameters& log = params.Log;
    const bool failed = result == kRunFailed;
    if (failed ? log.ViewOnError : log.ViewOnSuccess) ShowLog(parent, params);
    if (failed ? log.MailOnError : log.MailOnSuccess) (void)MailLog(parent, params, mute);
    if (failed ? log.PrintOnError : log.PrintOnSuccess) (void)PrintLog(parent, params, mute);
}

} // namespace ui

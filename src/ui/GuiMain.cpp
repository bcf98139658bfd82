#include "ui/GuiMain.h"

#include "platform/DesktopEntry.h"
#include "platform/ProgramFolders.h"
#include "platform/SessionEnd.h"
#include "profile/DocumentTypes.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "profile/SettingsGroups.h"
#include "ui/MainWnd.h"
#include "ui/QtTranslations.h"
#include "ui/SplashWnd.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

#include <memory>
#include <optional>

namespace ui {

namespace {

constexpr int kSplashMilliseconds = 2000;
// How often the message loop looks whether SIGTERM or SIGINT asked the program to end.
constexpr int kEndRequestPollMilliseconds = 200;

// The main window as the program runs it: closing it ends the message loop.
class cProgramWindow final : public TMainWnd {
public:
    using TMainWnd::TMainWnd;

protected:
    void closeEvent(QCloseEvent* event) override {
        TMainWnd::closeEvent(event);
        if (event->isAccepted()) QCoreApplication::exit(0);
    }
};

// Profiles and batch files open with this program from the desktop; rewritten at every start, so that a
// moved program stays registered. Failures are of no concern to the user.
void RegisterFileTypes() {
    // The package registers them for all users; an entry of the user's own would hide that one.
    if (platform::InstalledForAllUsers()) return;
    (void)platform::InstallFileTypes(QCoreApplication::applicationFilePath().toStdString(), DocumentTypes());
}

// The primary screen centres the default places of some windows.
void TakeScreenSize(cParameters& params) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        params.ScreenWidth = screen->geometry().width();
        params.ScreenHeight = screen->geometry().height();
    }
}

void ReadWindowPlaces(cParameters& params) {
    for (int i = 0; i < static_cast<int>(kWindowPosCount); ++i)
        params.ReadSettings(kFirstWindowPosGroup + i);
    params.ReadSettings(kLastUsedServersGroup);
}

void WriteWindowPlaces(cParameters& params) {
    for (int i = 0; i < static_cast<int>(kWindowPosCount); ++i)
        params.WriteSettings(kFirstWindowPosGroup + i);
    params.WriteSettings(kLastUsedServersGroup);
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

} // namespace

cCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    cCommandLine commandLine;
    if (!arguments.empty()) commandLine.Document = arguments[0];
    commandLine.MuteMode = arguments.size() >= 2 && LowerAscii(arguments[1]) == "/mute";
    return commandLine;
}

int RunProgram(const cCommandLine& commandLine, cIniFile& settings) {
    const bool mute = commandLine.MuteMode;
    // The loop ends when the main window closes, not when the last visible window does: in mute mode, or
    // in the tray, a closed message box is often the last visible window.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::InstallEndRequestSignals();

    cParameters params(&settings);
    params.Drives = ReadDrives(settings);
    params.ResetBatch();
    params.ResetProfile();
    params.AddDefaultMask();
    params.ReadRunCount();
    params.ReadSettings(kProgramOptionsGroup);
    if (!mute && params.Programm.Splash) {
        ShowSplash(kSplashMilliseconds);
        QCoreApplication::processEvents();
    }
    params.ReadSettings(kOldFilesGroup);
    params.ReadSettings(kTopTwelveGroup);

    std::optional<cProgramWindow> window;
    window.emplace(params, mute);
    window->SetStartArgument(commandLine.Document);
    RegisterFileTypes();
    QCoreApplication::processEvents();
    // In mute mode the window is never shown, so the start document is opened here; otherwise when the
    // window is shown for the first time.
    if (mute) window->OpenStartFile();

    TakeScreenSize(params);
    ReadWindowPlaces(params);
    cWindowPos& mainPlace = params.WindowPositions[static_cast<std::size_t>(eWindowPlace::MainWindow)];
    if (!mute) {
        RestorePlacement(*window, mainPlace, false);
        window->show();
        QTimer::singleShot(0, &*window, [&window] { window->OpenStartFile(); });
    }

    // A request that came before the loop runs is taken at the first look.
    QTimer endRequests;
    QObject::connect(&endRequests, &QTimer::timeout, [&window] {
        if (platform::TakeEndRequest()) window->EndRequested();
    });
    endRequests.start(kEndRequestPollMilliseconds);
    const int status = QApplication::exec();
    endRequests.stop();

    if (!mute) {
        const cWindowPos now = PlacementOf(*window);
        mainPlace.Left = now.Left;
        mainPlace.Top = now.Top;
    }
    window->ReleaseRunEventWindows();
    WriteWindowPlaces(params);
    window.reset();
    QCoreApplication::processEvents();
    params.WriteSettings(kOldFilesGroup);
    params.WriteSettings(kTopTwelveGroup);
    params.WriteLastFile();
    params.WriteRunCount();
    platform::RemoveEndRequestSignals();
    return status;
}

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan 6"));
    LoadQtTranslations(app);
    // Qt has taken its own options out of argv.
    const cCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    std::unique_ptr<cIniFile> settings = OpenSettingsFile();
    return RunProgram(commandLine, *settings);
}

} // namespace ui

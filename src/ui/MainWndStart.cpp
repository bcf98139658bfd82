// The start document: opened once per process, from the command line or as the last file, and its automatic
// run after opening (the delay timer).
#include "ui/MainWnd.h"

#include "engine/RunControl.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "shell/DocumentBoxes.h"
#include "ui/RunSession.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <filesystem>
#include <system_error>

namespace ui {

namespace {

constexpr int kDelayMilliseconds = 500;

// A document named relative to the working directory is remembered with its full path, so that reopening it
// later does not depend on where the program was started.
std::string FullPath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

void TMainWnd::OpenStartFile() {
    if (m_startFileOpened) return;
    m_startFileOpened = true;

    std::string startPath;
    if (m_startArgument)
        startPath = FullPath(ExpandVariables(*m_startArgument));
    else if (m_params.Programm.Reopen)
        startPath = m_params.Programm.LastFile;
    if (startPath.empty()) return;

    bool opened = false;
    {
        cRunSession messages(this, m_params);
        opened = ReadDocumentShowingError(messages.Ui, m_params, startPath) == 0;
    }
    UpdateCaption();
    UpdateMenus();
    UpdateSaveState();
    ArmAutomatics();
    if (!opened) return;

    // Mute mode keeps the program in the tray; the document itself is not changed by that.
    if (m_muteMode) {
        if (m_params.DocumentKind == kProfileDocument) m_params.TrayIcon = true;
        if (m_params.DocumentKind == kBatchDocument) m_params.Batch.TrayIcon = true;
    }
    bool runAfterOpening = false;
    bool toTray = false;
    if (m_params.DocumentKind == kProfileDocument) {
        runAfterOpening = m_params.AutoOpen;
        toTray = m_params.TrayIcon;
    } else if (m_params.DocumentKind == kBatchDocument) {
        runAfterOpening = m_params.Batch.AutoOpen;
        toTray = m_params.Batch.TrayIcon;
    }
    // The window's minimise handling puts it into the tray.
    if (toTray) QTimer::singleShot(0, this, [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    if (runAfterOpening && !(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier)) {
        if (!m_delayTmr) {
            m_delayTmr = new QTimer(this);
            m_delayTmr->setObjectName(QStringLiteral("DelayTmr"));
            m_delayTmr->setInterval(kDelayMilliseconds);
            connect(m_delayTmr, &QTimer::timeout, this, &TMainWnd::DelayTmrTimer);
        }
        m_delayTmr->start();
    }
}

void TMainWnd::DelayTmrTimer() {
    // A dialog or a run delays the run after opening; the timer keeps ticking until it can start.
    if (DialogDepth != 0 || RunActive) return;
    m_delayTmr->stop();
    LaunchRun(1);
}

void TMainWnd::EndRequested() {
    if (RunActive) {
        m_endAfterRun = true;
        if (m_activeRun) m_activeRun->AbortRequested = true;
        return;
    }
    QCoreApplication::exit(0);
}

} // namespace ui

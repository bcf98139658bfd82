// Starting runs from the main window: the run executes on a worker thread, the window waits in its own event
// loop so that it stays alive and the run's windows can ask their questions. Around the run: the guards, the
// disabled window, the log delivery and what the document asks for after the run (session end, exit).
#include "ui/MainWnd.h"

#include "engine/RunControl.h"
#include "engine/RunDriver.h"
#include "messages/UserMessage.h"
#include "platform/SessionEnd.h"
#include "profile/Parameters.h"
#include "shell/RunProfile.h"
#include "ui/DeliverLog.h"
#include "ui/GuiThread.h"
#include "ui/RunEventWindow.h"
#include "ui/RunSession.h"
#include "ui/WindowBoxes.h"

#include <QCoreApplication>
#include <QTimer>

namespace ui {

namespace {

constexpr int kEmptyBatchMessage = 30115;

void ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

} // namespace

void TMainWnd::LaunchRun(std::uint8_t reason) {
    if (DialogDepth != 0) return;
    // The window stays alive during a run, so a second start must not reach the same document.
    if (RunActive) return;
    if (m_params.DocumentKind == kBatchDocument && m_params.Batch.ProfileNames.Size() == 0) {
        ShowEmptyBatchMessage();
        return;
    }
    PauseWatchesForRun();

    int sessionEndAction = platform::kSessionEndNone;
    bool exitAfterRun = false;
    RunActive = true;
    if (m_muteMode) SetRunIcon(true);
    NotifyTray(1);
    setEnabled(false);
    SetTrayMenuEnabled(false);
    ProcessPendingEvents();

    // The options are taken before the run: what they were when it started counts.
    if (m_params.DocumentKind == kProfileDocument) {
        sessionEndAction = m_params.AutoShutdown;
        exitAfterRun = m_params.AutoExit;
        (void)RunProfile(kSingleProfile, reason);
        ProcessPendingEvents();
    } else if (m_params.DocumentKind == kBatchDocument) {
        sessionEndAction = m_params.Batch.AutoShutdown;
        exitAfterRun = m_params.Batch.AutoExit;
        (void)RunBatch(reason);
    }

    setEnabled(true);
    SetTrayMenuEnabled(true);
    ProcessPendingEvents();
    if (isVisible()) activateWindow();
    // The session end is asked for before the exit; both may follow one run.
    platform::RequestSessionEnd(sessionEndAction);
    if (exitAfterRun || m_endAfterRun) QCoreApplication::exit(0);
    RunActive = false;
    if (m_muteMode) SetRunIcon(false);
    NotifyTray(1);
}

cBatchRunEnd TMainWnd::RunProfile(std::uint8_t condition, std::uint8_t reason) {
    ReleaseRunEventWindows();
    if (!m_runEventWindows) m_runEventWindows = std::make_shared<cRunEventWindows>(m_params);

    cRunSession session(this, m_params);
    session.Windows.OnRunEvent = [events = m_runEventWindows](eRunEvent event, bool centered,
                                                              const std::string& messageFile) {
        events->Show(event, centered, messageFile);
    };
    // A run that starts after the program was asked to end stops at once.
    session.Control.AbortRequested = m_endAfterRun;
    cParameters ran = m_params;
    std::uint8_t result = 0;
    m_activeRun = &session.Control;
    // The loop ends when the windows have seen every notification of the run.
    RunBeside([&] { result = ::RunProfile(ran, session.Control, condition, reason); });
    m_activeRun = nullptr;
    TakeRunResults(m_params, ran);
    DeliverLog(this, m_params, result, m_muteMode);
    return {result, session.Control.AbortRequested.load()};
}

void TMainWnd::ReleaseRunEventWindows() {
    if (!m_runEventWindows) return;
    m_runEventWindows->ReleaseAll();
    ProcessPendingEvents();
}

void TMainWnd::ShowEmptyBatchMessage() {
    cWindowBoxes boxes(this);
    (void)UserMessage(boxes, m_params.Warnings(), kEmptyBatchMessage);
}

void TMainWnd::PauseWatchesForRun() {
    // The application watch fires once per arming; the wait for the roots ends with any run, and the profile's
    // "again" makes the watch wait for one of them to go.
    m_appWatch.Arm(false);
    const bool profile = m_params.DocumentKind == kProfileDocument;
    m_senseWatch.RunStarted(profile && m_params.AutoSense1 && m_params.AutoSense2);
    SyncTriggerTimers();
}

std::uint8_t TMainWnd::RunBatch(std::uint8_t reason) {
    cWindowBoxes boxes(this);
    const cBatchSteps steps{
        .Ui = boxes,
        .RunProfile = [this, reason](std::uint8_t condition) { return RunProfile(condition, reason); },
        .EndRequested = [this] { return m_endAfterRun; },
    };
    const std::uint8_t result = ::RunBatch(m_params, steps);
    UpdateSaveState();
    return result;
}

} // namespace ui

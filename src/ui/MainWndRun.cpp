// Starting runs from the main window: the run executes on a worker thread, the window waits in its own event
// loop so that it stays alive and the run's windows can ask their questions.
#include "ui/MainWnd.h"

#include "engine/RunControl.h"
#include "engine/RunDriver.h"
#include "profile/Parameters.h"
#include "shell/RunProfile.h"
#include "ui/GuiThread.h"
#include "ui/QtUserInterface.h"
#include "ui/RunWindows.h"

#include <QEventLoop>

#include <thread>

namespace ui {

namespace {

// What one run on the worker needs: its windows, the interface that reaches them, its stop flags.
struct cRunSession {
    cRunSession(QWidget* parent, cParameters& document) : Windows(parent, document, Control) {}
    cRunWindows Windows;
    cQtUserInterface Ui{Windows};
    cRunControl Control{Ui};
};

} // namespace

void TMainWnd::LaunchRun(std::uint8_t reason) {
    if (DialogDepth != 0 || RunActive) return;
    if (m_params.DocumentKind != kProfileDocument) return;
    RunActive = true;
    setEnabled(false);
    (void)RunProfile(kSingleProfile, reason);
    setEnabled(true);
    RunActive = false;
}

std::uint8_t TMainWnd::RunProfile(std::uint8_t condition, std::uint8_t reason) {
    cRunSession session(this, m_params);
    cParameters ran = m_params;
    std::uint8_t result = 0;
    QEventLoop loop;
    std::thread worker([&] {
        result = ::RunProfile(ran, session.Control, condition, reason);
        // Posted after every notification of the run, so the loop ends when the windows have seen them all.
        PostToGuiThread([&loop] { loop.quit(); });
    });
    loop.exec();
    worker.join();
    TakeRunResults(m_params, ran);
    return result;
}

} // namespace ui

// The main window's polling triggers: the application watch, the source/destination watch and the hook into
// the end of the desktop session. The rules are the state machines of shell/Triggers.h; this file ticks them.
#include "ui/MainWnd.h"

#include "platform/ProcessList.h"
#include "platform/RootProbe.h"
#include "platform/Roots.h"
#include "platform/SessionEnd.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "ui/ShutdownInhibitor.h"
#include "ui/WindowTitles.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QSessionManager>
#include <QThread>
#include <QTimer>

namespace ui {

namespace {

constexpr int kAppInterval = 5000;
constexpr int kSenseInterval = 10000;
constexpr int kHookInterval = 1000;
// A root that does not answer within this is unreachable for this tick (a dead network mount).
constexpr std::chrono::milliseconds kRootTimeout{2000};

// What the application watch looks through: the window titles and every process's name and command line.
std::vector<std::string> RunningNames() {
    std::vector<std::string> names = TopLevelWindowTitles(false);
    for (platform::RunningProcess& process : platform::RunningProcesses()) {
        names.push_back(std::move(process.Name));
        if (!process.CommandLine.empty()) names.push_back(std::move(process.CommandLine));
    }
    return names;
}

bool Reachable(const std::string& drive, const platform::cDriveMap& drives) {
    const std::optional<std::string> root = platform::NativeRoot(drive, drives);
    return root && platform::RootReachable(*root, kRootTimeout);
}

} // namespace

void TMainWnd::BuildTriggerTimers() {
    const auto make = [this](const char* name, int interval, void (TMainWnd::*handler)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, handler);
    };
    make("App1Tmr", kAppInterval, &TMainWnd::AppTmrTimer);
    make("App2Tmr", kAppInterval, &TMainWnd::AppTmrTimer);
    make("Sense1Tmr", kSenseInterval, &TMainWnd::SenseTmrTimer);
    make("Sense2Tmr", kSenseInterval, &TMainWnd::SenseTmrTimer);
    make("HookTmr", kHookInterval, &TMainWnd::HookTmrTimer);
    make("SchedulerTmr", 0, &TMainWnd::SchedulerTmrTimer);
    auto* scheduler = findChild<QTimer*>(QStringLiteral("SchedulerTmr"));
    scheduler->setSingleShot(true);
    // A coarse timer may come seconds late; the tick is meant for the first second of its minute.
    scheduler->setTimerType(Qt::PreciseTimer);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TMainWnd::SessionEnding);
    UseShutdownBus(QDBusConnection::systemBus());
}

void TMainWnd::UseShutdownBus(const QDBusConnection& bus) {
    delete m_inhibitor;
    m_inhibitor = new cShutdownInhibitor(bus, this);
    connect(m_inhibitor, &cShutdownInhibitor::ShutdownComing, this, &TMainWnd::ShutdownComing);
}

void TMainWnd::ArmTriggers() {
    // Only a profile watches an application or its roots.
    const bool profile = m_params.DocumentKind == kProfileDocument;
    m_appWatch.Arm(profile && m_params.AutoApp);
    m_senseWatch.Arm(profile && m_params.AutoSense1);
    if (auto* hook = findChild<QTimer*>(QStringLiteral("HookTmr"))) hook->stop();
    if (m_inhibitor) m_inhibitor->SetWanted(HookOption() && m_hook.Armed());
    SyncTriggerTimers();
    SyncSchedulerTimer();
}

void TMainWnd::SyncTriggerTimers() {
    const auto set = [this](const char* name, bool on) {
        auto* timer = findChild<QTimer*>(QString::fromLatin1(name));
        if (!timer || timer->isActive() == on) return;
        if (on)
            timer->start();
        else
            timer->stop();
    };
    set("App1Tmr", m_appWatch.Stage() == cAppWatch::eStage::WaitingForApp);
    set("App2Tmr", m_appWatch.Stage() == cAppWatch::eStage::WaitingForEnd);
    set("Sense1Tmr", m_senseWatch.Stage() == cSenseWatch::eStage::WaitingForBoth);
    set("Sense2Tmr", m_senseWatch.Stage() == cSenseWatch::eStage::WaitingForGone);
}

void TMainWnd::AppTmrTimer() {
    // A dialog or a run delays the trigger; the timer keeps ticking.
    if (DialogDepth != 0 || RunActive) return;
    const std::string appName = ExpandVariables(m_params.AppName, m_params.DateOffset);
    const bool fire = m_appWatch.Tick(NameRunning(appName, RunningNames()));
    SyncTriggerTimers();
    if (fire) LaunchRun(2);
}

void TMainWnd::SenseTmrTimer() {
    if (DialogDepth != 0 || RunActive) return;
    const bool both =
        Reachable(m_params.SourceDrive, m_params.Drives) && Reachable(m_params.DestDrive, m_params.Drives);
    const bool fire = m_senseWatch.Tick(both);
    SyncTriggerTimers();
    if (fire) LaunchRun(3);
}

void TMainWnd::SessionEnding(QSessionManager& manager) {
    // The desktop's session manager ends the user's session: a log-off.
    if (RefuseSessionEnd(true)) manager.cancel();
}

bool TMainWnd::RefuseSessionEnd(bool logOff) {
    // As closing the window: not while a dialog is open or a run works.
    if (DialogDepth != 0 || RunActive) return true;
    if (!m_hook.Query(HookOption(), logOff)) return false;
    if (auto* timer = findChild<QTimer*>(QStringLiteral("HookTmr"))) timer->start();
    return true;
}

bool TMainWnd::HookOption() const {
    if (m_params.DocumentKind == kProfileDocument) return m_params.AutoHook;
    if (m_params.DocumentKind == kBatchDocument) return m_params.Batch.AutoHook;
    return false;
}

void TMainWnd::ShutdownComing() {
    // logind waits only a moment, so the run cannot wait for a dialog; a run in progress simply goes on.
    if (DialogDepth == 0 && !RunActive && m_hook.Query(HookOption(), false)) LaunchRun(4);
    m_inhibitor->Release();
}

void TMainWnd::HookTmrTimer() {
    if (DialogDepth != 0 || RunActive) return;
    if (auto* timer = findChild<QTimer*>(QStringLiteral("HookTmr"))) timer->stop();
    LaunchRun(4);
    // A moment for the windows of the run to close before the session goes.
    QCoreApplication::processEvents();
    QThread::msleep(1000);
    QCoreApplication::processEvents();
    platform::RequestSessionEnd(m_hook.LogOffRequested() ? platform::kSessionEndLogoff : platform::kSessionEndShutdown);
}

} // namespace ui

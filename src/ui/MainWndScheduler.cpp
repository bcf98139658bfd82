// The main window's scheduler: a timer that wakes a second into every minute and asks the schedule ticker
// whether the current document is due.
#include "ui/MainWnd.h"

#include "platform/Clock.h"
#include "profile/Parameters.h"
#include "shell/ScheduleMisses.h"

#include <QTimer>

namespace ui {

namespace {

constexpr std::int64_t kMillisecondsPerMinute = 60'000;
// The tick comes this long after the minute begins, so a timer that fires a little early still sees its minute.
constexpr std::int64_t kTickDelayMilliseconds = 1'000;

const std::vector<ScheduleEntry>* CurrentSchedule(const cParameters& params) {
    if (params.DocumentKind == kProfileDocument) return &params.Schedule;
    if (params.DocumentKind == kBatchDocument) return &params.Batch.Schedule;
    return nullptr;
}

int MillisecondsToNextTick() {
    const std::int64_t intoMinute = platform::NowLocal() / 10'000 % kMillisecondsPerMinute;
    return static_cast<int>(kMillisecondsPerMinute - intoMinute + kTickDelayMilliseconds);
}

} // namespace

void TMainWnd::SyncSchedulerTimer() {
    auto* timer = findChild<QTimer*>(QStringLiteral("SchedulerTmr"));
    if (!timer) return;
    const std::vector<ScheduleEntry>* schedule = CurrentSchedule(m_params);
    if (!schedule || !HasActiveEntry(*schedule)) {
        timer->stop();
        return;
    }
    // A timer that starts anew looks at its own minute first; a running one keeps what it has looked at.
    if (!timer->isActive()) m_scheduleTicker.Reset();
    timer->start(MillisecondsToNextTick());
}

void TMainWnd::SchedulerTmrTimer() {
    const std::vector<ScheduleEntry>* schedule = CurrentSchedule(m_params);
    if (!schedule) return;
    const cScheduleTick tick = m_scheduleTicker.Tick(*schedule, platform::NowLocal(), DialogDepth != 0 || RunActive);
    if (auto* timer = findChild<QTimer*>(QStringLiteral("SchedulerTmr"))) timer->start(MillisecondsToNextTick());
    m_scheduleMisses.insert(m_scheduleMisses.end(), tick.Missed.begin(), tick.Missed.end());
    // Not into the log of a run that is writing it; after the run.
    if (!RunActive && !m_scheduleMisses.empty()) {
        ReportScheduleMisses(m_params, m_scheduleMisses);
        m_scheduleMisses.clear();
    }
    if (tick.Run) LaunchRun(5);
}

} // namespace ui

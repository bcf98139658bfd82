// The scheduler in the running program: with a set clock the document runs at its minute, once, and a minute
// lost to an open dialog or a late tick is written to the profile's log.
#include "StartFixtures.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "ui/MainWnd.h"

#include <QTest>
#include <QTimer>

namespace {

constexpr ScheduleEntry kWeekdays0730 = 0x7C00'01C2u; // Monday to Friday, 07:30

// Wednesday, 9 December 2026, local time.
void SetClock(int hour, int minute, int second) {
    platform::SetClock(platform::LocalToUtc(platform::JoinFileTime(2026, 12, 9, hour, minute, second)));
}

bool TimerActive(const ui::TMainWnd& window) {
    const auto* timer = window.findChild<QTimer*>(QStringLiteral("SchedulerTmr"));
    return timer && timer->isActive();
}

} // namespace

class ScheduledRunTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::SetClock(std::nullopt); }

    void OnlyAnActiveEntryStartsTheTimer() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.Schedule = {kWeekdays0730 | kScheduleInactive};
        ui::TMainWnd window(params, false);
        window.ArmAutomatics();
        QVERIFY(!TimerActive(window));
        params.Schedule.push_back(kWeekdays0730);
        window.ArmAutomatics();
        QVERIFY(TimerActive(window));
        const auto* timer = window.findChild<QTimer*>(QStringLiteral("SchedulerTmr"));
        SetClock(7, 29, 30);
        window.ArmAutomatics();
        // The tick comes a second into the next minute.
        QVERIFY2(timer->remainingTime() > 30'000 && timer->remainingTime() <= 31'000,
                 qPrintable(QString::number(timer->remainingTime())));
    }

    void TheDocumentRunsAtItsMinuteOnce() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.Schedule = {kWeekdays0730, kWeekdays0730};
        ui::TMainWnd window(params, false);
        window.show();
        SetClock(7, 29, 1);
        window.ArmAutomatics();
        window.SchedulerTmrTimer();
        QCOMPARE(params.RunCount, 0);

        SetClock(7, 30, 1);
        window.SchedulerTmrTimer();
        QCOMPARE(params.RunCount, 1);
        QCOMPARE(dir.ReadFile("Ziel/a.txt"), std::string("alpha"));
        QVERIFY(TimerActive(window));

        // A second tick in the same minute, and a clock set back over it, run nothing more.
        SetClock(7, 30, 50);
        window.SchedulerTmrTimer();
        SetClock(7, 25, 0);
        window.SchedulerTmrTimer();
        SetClock(7, 30, 1);
        window.SchedulerTmrTimer();
        QCOMPARE(params.RunCount, 1);
    }

    void LostMinutesAreLogged() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.Schedule = {kWeekdays0730, kWeekdays0730 + 5};
        ui::TMainWnd window(params, false);
        SetClock(7, 29, 1);
        window.ArmAutomatics();
        window.SchedulerTmrTimer();

        SetClock(7, 30, 1);
        window.DialogDepth = 1;
        window.SchedulerTmrTimer();
        window.DialogDepth = 0;
        // The computer slept over 07:35.
        SetClock(7, 40, 1);
        window.SchedulerTmrTimer();
        QCOMPARE(params.RunCount, 0);
        const std::string log = dir.ReadFile("Log.txt");
        QVERIFY2(log.find("Zeitplaner: Lauf von Mi 09.12.2026 07:30 ausgelassen (ein Dialog oder ein Lauf war "
                          "offen)\r\nZeitplaner: Lauf von Mi 09.12.2026 07:35 ausgelassen (das Programm lief nicht "
                          "weiter oder der Rechner ruhte)\r\n") != std::string::npos,
                 log.c_str());
    }
};

QTEST_MAIN(ScheduledRunTest)
#include "ScheduledRunTest.moc"

// The scheduler's minute check. The main window ticks it about once a minute with the local time; it says
// whether the current document is due and which scheduled minutes pass without a run, so that none is lost
// silently. A minute is looked at once: a second tick in the same minute, or a clock set back, never starts
// an entry twice.
#pragma once

#include "platform/FileTime.h"
#include "profile/ScheduleEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Whether an active entry of schedule falls on the weekday and the minute of the local time.
bool ScheduleDue(const std::vector<ScheduleEntry>& schedule, platform::FileTime local);

// A scheduled minute that passed without its run: a dialog or a run was open then (Busy), or no tick came in
// it because the program was held up or the computer slept (NoTick).
struct cScheduleMiss {
    enum class eWhy { Busy, NoTick };
    platform::FileTime Minute; // local time, the start of the minute
    eWhy Why;
};

struct cScheduleTick {
    bool Run = false;
    std::vector<cScheduleMiss> Missed; // oldest first
};

class cScheduleTicker {
public:
    // After this long without a tick only the last week is looked through for missed minutes: every minute of
    // the week once.
    static constexpr std::int64_t kMissedWindowMinutes = 7 * 1440;
    // A clock set back by more than this was wrong before; the minutes from there on count as new.
    static constexpr std::int64_t kSetBackLimitMinutes = 1440;

    // The next tick looks at its own minute only (a new document or schedule).
    void Reset() { m_lastMinute.reset(); }
    // One tick at local time; busy when a dialog or a run is open, which loses a due minute. There is no
    // catching up: a due minute in which no tick fell is reported, not run.
    cScheduleTick Tick(const std::vector<ScheduleEntry>& schedule, platform::FileTime local, bool busy);

private:
    std::optional<std::int64_t> m_lastMinute; // the latest minute looked at, in minutes of local time
};

// The line that reports a missed minute, e.g. "Zeitplaner: Lauf von Mi 09.12.2026 07:30 ausgelassen (ein Dialog
// oder ein Lauf war offen)".
std::string ScheduleMissLine(const cScheduleMiss& miss);

#include "profile/ScheduleEdit.h"

#include <algorithm>

std::vector<ScheduleEntry> FillSchedule(int from, int to, int step, ScheduleEntry weekdays) {
    std::vector<ScheduleEntry> filled;
    if (step < 1) return filled;
    for (int minutes = from; minutes <= to; minutes += step)
        filled.push_back(MakeScheduleEntry(true, weekdays, minutes));
    return filled;
}

int DialMinutes(double degrees, bool afternoonDial) {
    const int minutes = std::clamp(static_cast<int>(degrees * 2), 0, 719);
    return afternoonDial ? minutes + 720 : minutes;
}

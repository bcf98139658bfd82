// What the starter of a run owns and hands in: the user interface the run talks through, and the stop flags
// that its windows (or Ctrl+C) set from another thread while the run executes on its own.
#pragma once

#include <atomic>

class cUserInterface;

struct cRunControl {
    explicit cRunControl(cUserInterface& ui) : Ui(ui) {}
    cRunControl(const cRunControl&) = delete;
    cRunControl& operator=(const cRunControl&) = delete;

    cUserInterface& Ui;
    // The run stops at its next check ("Abbruch", result 1 unless there were errors).
    std::atomic<bool> AbortRequested{false};
    // The copy in progress is interrupted and the interruption dialog asks what to do; the run clears it.
    std::atomic<bool> InterruptRequested{false};

    // Both flags down, for the next run.
    void Reset() {
        AbortRequested = false;
        InterruptRequested = false;
    }
};

// One run of the current profile with what the profile asks for around it: signals, before- and
// after-commands, and the bookkeeping of a successful run.
#pragma once

#include <cstdint>

class cParameters;
struct cRunControl;

// Plays the run-started signal, runs the before-commands, carries out the run (ExecuteRun), records a
// successful run (LastRun, the time the run started, and RunCount, both written to the settings file), runs
// the after-commands and plays the run-finished signal. The after-commands and the finished signal come also
// after a stopped or failed run. What the run changed goes back into params (ApplyRunOutcome). Returns the
// run's result (0, 1, 2).
[[nodiscard]] std::uint8_t RunProfile(cParameters& params, cRunControl& control, std::uint8_t condition,
                                      std::uint8_t reason);

// Takes into document what a RunProfile on its copy ran changed: the run's outcome (ApplyRunOutcome), LastRun and
// RunCount. A run on a worker thread works on a copy; the GUI thread calls this when the run has ended.
void TakeRunResults(cParameters& document, const cParameters& ran);

// Waits until seconds of wall-clock time have passed or the run is asked to stop.
void WaitSeconds(cRunControl& control, int seconds);

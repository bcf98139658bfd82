// `tolvan --plan FILE`: runs a profile up to its preview and prints the planned actions instead.
#pragma once

// Reads the profile, runs it without carrying anything out and prints the plan to stdout and the text the log
// would receive to stderr. Nothing is written: no log, snapshot, settings or destination change. Returns 0
// when a plan was made, else the run's result (1 stopped, 2 errors); 2 when the file is no readable profile.
[[nodiscard]] int PlanCommand(const char* fileName);

// `tolvan --run FILE`: runs a profile without windows.
#pragma once

// Reads the profile (with the program's settings file) and runs it as the launcher does, answering every
// question with its preset and showing progress on stderr; Ctrl+C stops the run. Prints where the log went.
// Returns the run's result (0 success, 1 stopped, 2 errors); 2 when the file is no readable profile.
[[nodiscard]] int RunCommand(const char* fileName);

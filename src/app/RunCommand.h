// `tolvan --run FILE`: runs a profile or a batch file without windows.
#pragma once

// Reads the profile (with the program's settings file) and runs it as the launcher does, answering every
// question with its preset and showing progress on stderr; Ctrl+C stops the run. Prints where the log went.
// A batch file runs its profiles one after the other; Ctrl+C ends the whole batch. Returns the run's result (0
// success, 1 stopped, 2 errors), for a batch its worst; 2 when the file cannot be read or is an empty batch.
[[nodiscard]] int RunCommand(const char* fileName);

// Whether the program writes to a terminal, which decides between a live progress line and plain lines.
#pragma once

namespace platform {

// True when standard error is a terminal (not a file, a pipe or closed).
bool IsStderrTerminal();

} // namespace platform

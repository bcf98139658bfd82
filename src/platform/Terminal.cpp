#include "platform/Terminal.h"

#include <unistd.h>

namespace platform {

bool IsStderrTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

} // namespace platform

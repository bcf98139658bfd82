// The signals that would end the process on a failing write instead of letting the call report it.
#pragma once

namespace platform {

// Ignores SIGXFSZ (a write beyond the file-size limit) and SIGPIPE (a pipe without a reader), so write, copy
// and fallocate return EFBIG or EPIPE and the run goes on with an error for that file, a log and a result.
void IgnoreWriteSignals();
// Puts back the default actions, for a started program between fork and exec (an ignored signal stays ignored
// across exec, and a shell pipeline such as "yes | head" expects SIGPIPE). Async-signal-safe.
void RestoreWriteSignals();

} // namespace platform

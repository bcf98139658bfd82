// Writes a whole file so that a failure or a crash leaves either the old file or the new one.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Writes the bytes to a temporary file beside `path` (a name IsTemporaryName knows, created as
// CreateTemporaryFile creates it), flushes it to disk and renames it over `path`. The new file gets `mode`.
// Returns 0 or the program's error code; on failure no temporary file remains, after a crash at most one that
// RemoveLeftoverTemporaryFiles removes.
int WriteFileAtomically(const std::string& path, std::string_view bytes, mode_t mode);

} // namespace platform

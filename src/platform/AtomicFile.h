// Writes a whole file so that a failure or a crash leaves either the old file or the new one.
#pragma once

#include "platform/FileMode.h"

#include <string>
#include <string_view>

namespace platform {

// Writes the bytes to a temporary file beside `path` (a name IsTemporaryName knows, created as
// CreateTemporaryFile creates it), flushes it to disk and renames it over `path`. The new file gets `mode`.
// Returns 0 or the program's error code; on failure no temporary file remains, after a crash at most one that
// RemoveLeftoverTemporaryFiles removes.
[[nodiscard]] int WriteFileAtomically(const std::string& path, std::string_view bytes, FileMode mode);

// The same for a file that must not exist yet: the new file takes the name only while nothing is there, also
// nothing that appeared while it was written (a file system without a rename that refuses to replace gets a
// hard link, which refuses as well). Returns 0; 183 when something exists at `path`, which stays as it is;
// other codes as WriteFileAtomically.
[[nodiscard]] int CreateFileAtomically(const std::string& path, std::string_view bytes, FileMode mode);

// The file that a whole-file write through `path` must replace so that a symlink at `path` stays a symlink: the
// link's resolved target; `path` itself when it is no symlink or its target cannot be resolved.
std::string WriteTargetOf(const std::string& path);

} // namespace platform

// Renaming that never replaces: the building block for rotating directories.
#pragma once

#include <string>

namespace platform {

// Renames a file or directory within one file system, failing instead of replacing an existing target.
// Returns 0; 2 when the source does not exist; 183 when the target exists; other codes from ErrorFromErrno.
// Uses renameat2 with RENAME_NOREPLACE; on a file system without it, checks the target first and renames.
[[nodiscard]] int RenameNoReplace(const std::string& nativeFrom, const std::string& nativeTo);

} // namespace platform

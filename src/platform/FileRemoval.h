// Removing one file (or symlink) for good, without the trash.
#pragma once

#include <string>

namespace platform {

// Removes the file or symlink itself (a symlink's target is never touched). Returns 0; 2 when it does not
// exist; 3 when a directory on the way does not; 5 when access is denied or it is a directory; other codes
// from ErrorFromErrno.
[[nodiscard]] int RemoveFile(const std::string& nativePath);

} // namespace platform

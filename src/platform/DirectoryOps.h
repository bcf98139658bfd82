// Creating and removing single directory levels.
#pragma once

#include <string>

namespace platform {

// Creates one directory level (mode 0777 less the umask). Returns 0; 183 when something of that name exists
// already; 3 when the parent does not exist or is no directory; other codes from ErrorFromErrno.
[[nodiscard]] int CreateDirectoryLevel(const std::string& nativePath);

// Removes a directory only when it is empty. Returns 0; 145 when it holds anything; 2 when it does not exist;
// 3 when it is no directory (a symlink to one included); other codes from ErrorFromErrno.
[[nodiscard]] int RemoveEmptyDirectory(const std::string& nativePath);

} // namespace platform

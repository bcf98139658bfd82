// Creating and removing single directory levels.
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace platform {

// Creates one directory level. With sourceMode (the mode of the directory it mirrors) it grants group and
// others no more than that directory does, and keeps its sticky bit; the owner, who runs the program and fills
// the directory, always has full access. Without it the mode is 0777. The umask only takes away from either.
// Returns 0; 183 when something of that name exists already; 3 when the parent does not exist or is no
// directory; other codes from ErrorFromErrno.
[[nodiscard]] int CreateDirectoryLevel(const std::string& nativePath, std::optional<mode_t> sourceMode = std::nullopt);

// Removes a directory only when it is empty. Returns 0; 145 when it holds anything; 2 when it does not exist;
// 3 when it is no directory (a symlink to one included); other codes from ErrorFromErrno.
[[nodiscard]] int RemoveEmptyDirectory(const std::string& nativePath);

} // namespace platform

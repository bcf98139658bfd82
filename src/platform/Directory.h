// Listing a native directory in one call, with the entries' file information.
#pragma once

#include "platform/FileInfo.h"

#include <string_view>
#include <vector>

namespace platform {

// Replaces entries with the entries of a native directory whose names match mask (a file mask as in
// cWildcard; an empty mask lists all), in the order the file system returns them. "." and ".." are never
// listed, nor FIFOs, sockets and device nodes; hidden entries are. Names that cannot be represented are
// listed with unrepresentable set, never dropped. An entry that vanishes while the directory is read is left
// out without error.
// Returns 0; 3 when the directory does not exist or is no directory; 5 when it cannot be read or an entry's
// information cannot be read; 206 for a path too long; other failures map through ErrorFromErrno. On an
// error entries is empty.
[[nodiscard]] int ListDirectory(std::string_view nativeDirectory, std::string_view mask,
                                std::vector<FileInfo>& entries);

} // namespace platform

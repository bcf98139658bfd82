// Reading one of the program's own text files (profiles, batch files, settings, snapshots, time-stamp lists)
// whole, as hostile input: only from a regular file, never more than a limit, never waiting on a pipe.
#pragma once

#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"

#include <cstddef>
#include <string>

namespace platform {

// The largest own text file the program reads. A snapshot grows with the trees (about 30 bytes a file), so this
// lies far above any profile or settings file; a larger file is refused unread.
inline constexpr std::size_t kMaxOwnTextFileBytes = std::size_t{2} << 30;

// The bytes of a file, or the code of why there are none.
struct FileBytes {
    int error = kSuccess; // when not 0, bytes is empty
    std::string bytes;
    FileVersion version; // of the file the bytes were read from
    explicit operator bool() const { return error == kSuccess; }
};

// Reads the regular file at nativePath (symlinks followed) to its end. A directory, FIFO, socket or device node
// gives kNotRegularFile and is neither read nor waited for; a file of more than limit bytes (also one that grows
// beyond it while it is read) gives kBadFormat, read no further than the limit. Otherwise the code of the failed
// look-up, open or read: 2 when nothing is there, 3 when a component on the way is no directory, 5 when access
// is denied, other codes from ErrorFromErrno.
[[nodiscard]] FileBytes ReadRegularFile(const std::string& nativePath, std::size_t limit);

} // namespace platform

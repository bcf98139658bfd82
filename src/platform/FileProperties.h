// File properties beyond the content: the attribute word, file times, mode bits, access lists and owner.
#pragma once

#include "platform/FileTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Applies the attribute word to a path: read-only (1) clears the owner's write bit, its absence sets it; the
// other bits have no Linux counterpart (hidden is part of the name) and are ignored. A symlink is left as it
// is (it has no mode of its own). Returns 0, or the code of lstat or chmod (2, 5 ...).
[[nodiscard]] int SetAttributes(const std::string& nativePath, std::uint32_t attributes);

// Sets the last-write time, and the last-access time when given, of the path itself (a symlink is not
// followed). Returns 0 or the system's code.
[[nodiscard]] int SetFileTimes(const std::string& nativePath, FileTime lastWrite,
                               std::optional<FileTime> lastAccess = std::nullopt);

// Gives `to` the security of `from`: with `owner` its owner and group (lchown), then with `permissions` its mode
// bits and POSIX access list (and the default access list between directories). The set-user-ID and
// set-group-ID bits go over only when `to` has the source's owner and group afterwards (owner not asked for,
// or not permitted, leaves them off). With `owner` alone the mode stays, but a file with the source's
// permission bits (a copy, see CopyFileSafely) gets the source's set-user-ID and set-group-ID bits once its
// owner is the source's. Between symlinks, or when either side is a symlink, only the owner is transferred.
// Every requested part is tried; returns 0 or the code of the first part that failed (5 when changing the
// owner is not permitted, 50 when `to` cannot hold the source's access list).
[[nodiscard]] int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner);

// True when mode, owner, group or access list of the two paths differ, or when either cannot be examined.
// Access lists are read only when one of the two has an extended one, so the common case costs two lstat.
bool SecurityDiffers(const std::string& a, const std::string& b);

// The access-list part of SecurityDiffers alone, for a caller that compared mode, owner and group from its
// listings already.
bool AccessListsDiffer(const std::string& a, const std::string& b);

} // namespace platform

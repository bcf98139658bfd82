// File properties beyond the content: the attribute word, file times, mode bits, access lists and owner.
#pragma once

#include "platform/FileInfo.h"
#include "platform/FileSystemKind.h"
#include "platform/FileTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Applies the attribute word to a path: read-only (1) clears the owner's write bit, its absence sets it (on FAT
// every write bit, which it keeps all or none; through FUSE on NTFS or exFAT nothing); the other bits have no
// Linux counterpart (hidden is part of the name) and are ignored. A symlink is left as it is (it has no mode of
// its own). Returns 0, or the code of lstat or chmod (2, 5 ...).
[[nodiscard]] int SetAttributes(const std::string& nativePath, std::uint32_t attributes);

// Sets the last-write time, and the last-access time when given, of the path itself (a symlink is not
// followed). Returns 0 or the system's code.
[[nodiscard]] int SetFileTimes(const std::string& nativePath, FileTime lastWrite,
                               std::optional<FileTime> lastAccess = std::nullopt);

// The parts of a file's properties that a transfer carries over and a comparison looks at. The mode is the
// Linux form of the attribute word and goes with every transfer of properties; the profile's options add the
// access list (TransferPermissions) and the owner (TransferOwner).
struct PropertyParts {
    bool mode = true;        // permission bits with set-user-ID, set-group-ID and sticky
    bool accessList = false; // the POSIX access list, and the default list between directories (brings the mode)
    bool owner = false;      // owner and group
};

// Gives `to` the asked parts of the properties of `from`: the owner and group first (lchown), then the access
// list and the mode bits. The set-user-ID and set-group-ID bits go over only when `to` has the source's owner and
// group afterwards (owner not asked for, or not permitted, leaves them off). Without the mode, a file with the
// source's permission bits (a copy, see CopyFileSafely) gets the source's set-user-ID and set-group-ID bits once
// the owner asked for is the source's. Between symlinks, or when either side is a symlink, only the owner is
// transferred. Only what both file systems keep goes over (KeptPropertiesOn): between FAT and anything, the
// read-only bit of the mode alone; to or from NTFS or exFAT through FUSE, nothing.
// Every asked part is tried; returns 0 or the code of the first part that failed (5 when changing the owner is
// not permitted, 50 when `to` cannot hold the source's access list).
[[nodiscard]] int TransferProperties(const std::string& from, const std::string& to, PropertyParts parts);

// TransferProperties with the mode and the access list when `permissions` is set, the owner when `owner` is.
[[nodiscard]] int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner);

// One side of a comparison of properties: the native path and what a listing found there.
struct PropertiesSide {
    const std::string& path;
    const FileInfo& info;
};

// What the two sides' file systems both keep (KeptPropertiesOn of each, the lesser).
KeptProperties KeptBetween(const PropertiesSide& a, const PropertiesSide& b);

// True when TransferProperties(from, to, parts) would change `to`: the owner or group differ, the mode differs
// from the source's (without set-user-ID and set-group-ID while the owners differ), the access lists differ, each
// only when asked for and as far as both file systems keep it. Mode, owner and group come from the listings; the
// access lists are read only when asked for, and then only when one of the two has an extended one (two extended
// lists of which one cannot be read differ).
bool PropertiesDiffer(const PropertiesSide& from, const PropertiesSide& to, PropertyParts parts);

} // namespace platform

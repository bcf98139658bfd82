// Listing a native directory in one call, with the entries' file information.
#pragma once

#include "platform/FileInfo.h"

#include <cstdint>
#include <string>
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

// The same for the internal relative directory below a native root, reached without following a symlink at
// any level below the root (see OpenDirectoryBelow): a listing never leaves the tree through a planted link.
// Returns as ListDirectory, and kLinkInPath when a level is a symlink.
// When specialNames is given, it receives the names of the FIFOs, sockets and device nodes left out.
[[nodiscard]] int ListDirectory(std::string_view nativeRoot, std::string_view relative, std::string_view mask,
                                std::vector<FileInfo>& entries, std::vector<std::string>* specialNames = nullptr);

// A subdirectory found by ListSubdirectoryNames.
struct SubdirectoryName {
    std::string name;
    bool unrepresentable = false; // see IsRepresentableName
    std::uint64_t inode = 0;      // as the listing gives it; with the directory's device, its identity
};

// Replaces names with the real subdirectories of the internal relative directory below a native root (reached
// as ListDirectory below a root does), in listing order, and, when otherNames is given, fills it with the names
// of the other entries ListDirectory would list: files and symlinks, those to directories included, which are
// carried as links of their own and never descended (FIFOs, sockets and devices are left out as always).
// Cheaper than ListDirectory: the entry type of the listing decides; only an entry of unknown type is looked up.
// Returns as ListDirectory below a root.
// When specialNames is given, it receives the names of the FIFOs, sockets and device nodes.
[[nodiscard]] int ListSubdirectoryNames(std::string_view nativeRoot, std::string_view relative,
                                        std::vector<SubdirectoryName>& names,
                                        std::vector<std::string>* otherNames = nullptr,
                                        std::vector<std::string>* specialNames = nullptr);

// Replaces entries with the information on the given names in the internal relative directory below a native
// root, as ListDirectory gives it for a listing that found exactly these names: a name that has vanished or
// turned out a special file is left out. Returns as ListDirectory below a root.
[[nodiscard]] int DescribeEntries(std::string_view nativeRoot, std::string_view relative,
                                  const std::vector<std::string>& names, std::vector<FileInfo>& entries);

} // namespace platform

// Removing a directory with everything in it, never through a symbolic link.
#pragma once

#include <string>

namespace platform {

// Removes the directory nativePath and everything below it, deepest first. Nothing is followed: a symlink
// inside is removed as a link and its target stays untouched, and when nativePath itself is a symlink nothing
// is removed. Goes on past an entry it cannot remove and returns the first failure. Returns 0; 2 when
// nativePath does not exist; 3 when it is no directory; kLinkInPath when it is a symlink; 206 for a tree
// deeper than 256 levels (removed as far as the limit allows); other codes from ErrorFromErrno.
[[nodiscard]] int RemoveDirectoryTree(const std::string& nativePath);

} // namespace platform

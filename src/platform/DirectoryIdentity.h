// Whether two directories are one, or one lies in the other, decided by the device and inode of the
// directories and their ancestors: a bind mount or a second mount of the same file system is recognised as
// well as a symlink or another spelling.
#pragma once

#include <string_view>

namespace platform {

// True when inner is outer itself or lies below it. Both are absolute real paths (RealPath); a part of inner
// that does not exist yet lies where its nearest existing directory lies. Falls back to comparing the texts.
bool LiesInside(std::string_view inner, std::string_view outer);

// True when both real paths are one directory.
bool SameDirectory(std::string_view a, std::string_view b);

} // namespace platform

// Reaching directories below a root without ever passing through a symbolic link. The root is taken as the
// user gave it (it may itself be a link); every level below it must be a real directory, so a link planted in
// a tree can neither lead a listing, a copy nor a deletion out of that tree.
#pragma once

#include <string_view>

namespace platform {

// Opens the internal relative directory ("\", "\Briefe\2026\") below the native root, read-only, without
// following a symlink at any level below the root. Returns 0 and sets fd (the caller closes it);
// kPathNotFound when a level does not exist or is no directory; kLinkInPath when a level is a symlink;
// kPathLeavesRoot for a ".." level; other failures (5 for a level that cannot be searched) through
// ErrorFromErrno. fd is -1 on failure.
[[nodiscard]] int OpenDirectoryBelow(std::string_view nativeRoot, std::string_view relative, int& fd);

// The same check without keeping the directory open: 0 when relative is a real directory below the root and
// no level on the way is a link.
[[nodiscard]] int CheckDirectoryBelow(std::string_view nativeRoot, std::string_view relative);

// While one exists on a thread, the roots opened there stay open and are reused: a scan opens thousands of
// directories below the same two roots. A run holds one from its start to its end, so a root that is unmounted
// meanwhile is still the directory the run began with, never the empty mount point left behind.
class cRootHandleScope {
public:
    cRootHandleScope();
    ~cRootHandleScope();
    cRootHandleScope(const cRootHandleScope&) = delete;
    cRootHandleScope& operator=(const cRootHandleScope&) = delete;
};

} // namespace platform

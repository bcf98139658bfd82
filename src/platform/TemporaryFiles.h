// The program's temporary files: one name pattern for all of them, a lock held while one is written, and the
// removal of leftovers that a killed run left behind.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace platform {

// Every temporary name is this prefix followed by kTemporaryRandomLength letters or digits (A-Z, a-z, 0-9):
// hidden, short enough beside a name of any length, and unlikely to be a user's name.
inline constexpr std::string_view kTemporaryPrefix = ".~tolvan-";
inline constexpr std::size_t kTemporaryRandomLength = 6;

// True exactly for the names the program gives its temporary files (see kTemporaryPrefix). Such a name is
// never a user's file: a run neither lists it nor copies or deletes it as one.
[[nodiscard]] bool IsTemporaryName(std::string_view name);

// A new temporary name (a name, not a path), random for each call and each thread.
[[nodiscard]] std::string MakeTemporaryName();

// Creates a new empty file with a temporary name in nativeDirectory (never through a symlink of that name),
// open for writing, close-on-exec, with `mode` (less the umask), and takes the writer's lock on it (see
// LockTemporaryFile). Keep the descriptor open until the file is renamed or removed: closing it releases the
// lock. Returns 0 and sets fd and path; 3 when the directory does not exist or is no directory; 183 when 100
// fresh names were all taken; other codes from ErrorFromErrno. fd is -1 and path empty on failure.
[[nodiscard]] int CreateTemporaryFile(const std::string& nativeDirectory, mode_t mode, int& fd, std::string& path);

// The same in the open directory dirFd; name is the new file's name in that directory.
[[nodiscard]] int CreateTemporaryFileAt(int dirFd, mode_t mode, int& fd, std::string& name);

// Takes the writer's lock (an exclusive flock) on an open temporary file, so RemoveLeftoverTemporaryFiles leaves
// it alone while it is written. A file that is nameless (O_TMPFILE) needs it only before it gets a name. Returns
// 0, also on a file system without locks (nothing can remove the file there either); kSharingViolation when
// another descriptor holds a lock on the file.
[[nodiscard]] int LockTemporaryFile(int fd);

// Removes the leftovers among names (the entries of nativeDirectory, as a listing found them): regular files
// with a temporary name that no writer holds locked. A file that another run writes right now, a symlink or
// anything else of that name, and a file that cannot be locked or removed stay where they are. Appends the
// names removed to removed. Returns 0, or the code of opening the directory (3 when it does not exist,
// kLinkInPath when it is a symlink).
[[nodiscard]] int RemoveLeftoverTemporaryFiles(const std::string& nativeDirectory,
                                               const std::vector<std::string>& names,
                                               std::vector<std::string>& removed);

// The same for the internal relative directory below a native root, reached without a symlink at any level
// below the root (as OpenDirectoryBelow reaches it). Returns 0 or the code of OpenDirectoryBelow.
[[nodiscard]] int RemoveLeftoverTemporaryFiles(std::string_view nativeRoot, std::string_view relative,
                                               const std::vector<std::string>& names,
                                               std::vector<std::string>& removed);

} // namespace platform

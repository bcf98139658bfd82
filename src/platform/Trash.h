// Moving files into the user's trash (the freedesktop.org trash that desktop file managers show).
#pragma once

#include "platform/FileInfo.h"

#include <string>
#include <vector>

namespace platform {

// Moves a file (or symlink, or directory) into the trash of its file system: the home trash
// ($XDG_DATA_HOME/Trash) for a file on the home trash's device, otherwise $topdir/.Trash/$uid (when the
// administrator provided a sticky .Trash) or $topdir/.Trash-$uid of the file's mount. The trash entry
// records the original path and the local deletion time (the program clock); a name taken in the trash gets
// a number ("Brief.2.doc").
// Returns 0; 2 when the path does not exist; otherwise the code of the step that failed (5 when no trash can
// be created, other codes from ErrorFromErrno). On every failure the file is left where it was and no trash
// entry is left behind.
[[nodiscard]] int MoveToTrash(const std::string& nativePath);

// The trash directories MoveToTrash fills for files below the given native directories and that exist now:
// the home trash and the top-directory trashes of their mounts. A tree that holds one must not scan it, or
// what a run deleted would come back with the next run.
std::vector<FileIdentity> TrashDirectoriesFor(const std::vector<std::string>& nativeDirectories);

} // namespace platform

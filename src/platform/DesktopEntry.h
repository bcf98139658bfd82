// The desktop's side of the program: file types for profiles and batch files, and shortcuts that start the
// program with a document (freedesktop .desktop files and a shared-mime-info package).
#pragma once

#include <string>

namespace platform {

// Writes a shortcut: a .desktop file at linkPath (a native path ending in ".desktop") that starts target in
// workingDirectory with arguments (already quoted as the command line needs), titled description (or the
// file name when empty). Returns 0 or the error code; an existing file is replaced whole.
[[nodiscard]] int CreateShortcut(const std::string& target, const std::string& workingDirectory,
                                 const std::string& arguments, const std::string& description,
                                 const std::string& linkPath);

} // namespace platform

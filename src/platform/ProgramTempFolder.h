// The folder "Tolvan Temp" in the system's temporary directory, where copies are put for comparing and viewing.
#pragma once

#include <string>

namespace platform {

// The system's temporary directory without a trailing "/": $TMPDIR when it holds an absolute path, else /tmp.
std::string SystemTempFolder();

// SystemTempFolder() + "/Tolvan Temp".
std::string ProgramTempFolder();

// ProgramTempFolder(), created (mode 0700) when it is missing, and only when it is the user's own: a real
// directory (no link), owned by the user, writable by nobody else. Other users can create names in the system's
// temporary directory, and a folder or link planted there must never receive the program's copies (a copy is
// renamed over a file of its name). Returns 0 with folder set, or kAccessDenied (folder empty).
[[nodiscard]] int OwnProgramTempFolder(std::string& folder);

} // namespace platform

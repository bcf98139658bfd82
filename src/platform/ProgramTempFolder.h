// The folder "Tolvan Temp" in the system's temporary directory, where copies are put for comparing and viewing.
#pragma once

#include <string>

namespace platform {

// The system's temporary directory without a trailing "/": $TMPDIR when it holds an absolute path, else /tmp.
std::string SystemTempFolder();

// SystemTempFolder() + "/Tolvan Temp".
std::string ProgramTempFolder();

} // namespace platform

// Ejecting the disk of a backup destination at the end of a run.
#pragma once

#include <string>

namespace platform {

// Unmounts and powers off the block device that holds the native path, with udisksctl when it is on PATH,
// else with eject; waits for them. Does nothing for a path on no block device, on the root file system, or
// without either program. Failures are not reported: the disk then simply stays.
void EjectDisk(const std::string& nativePath);

} // namespace platform

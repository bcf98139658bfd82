// Free space and readiness of a root.
#pragma once

#include "platform/Roots.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The bytes available to the program on the file system of a root (a profile's drive, mapped through the
// "Drives" section when it is a Windows root): -2 when the root is not ready (unmapped, missing or no
// directory), -1 when it is ready but its free space cannot be read. code receives the system code of a root
// that is not ready, else 0.
std::int64_t MeasureFreeSpace(std::string_view root, const cDriveMap& drives, int& code);

// True when two existing native paths lie on one file system, so that their free space is one and the same.
bool OnSameFileSystem(const std::string& a, const std::string& b);

} // namespace platform

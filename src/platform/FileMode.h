// The permission bits (07777) a file or directory is created or left with, as the platform functions take them.
#pragma once

#include <sys/types.h>

namespace platform {

using FileMode = mode_t;

} // namespace platform

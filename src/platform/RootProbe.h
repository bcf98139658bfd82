// Whether a root directory can be reached now, without hanging on a dead network mount: the look-up runs on a
// thread of its own and is given up after a time-out.
#pragma once

#include <chrono>
#include <string>

namespace platform {

// True when nativePath is a directory that answered within timeout. A look-up that is still hanging from an
// earlier call for the same path is not started again: the path counts as unreachable until it returns.
bool RootReachable(const std::string& nativePath, std::chrono::milliseconds timeout);

} // namespace platform

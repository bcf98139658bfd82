// Byte-by-byte comparison of two files, the check behind verifying copies.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Compares two files in blocks of kCopyBlockSize (FileCopy.h). keepGoing (may be empty) is asked after every
// block; false stops the comparison. Two symlinks are equal when their targets are; a symlink and a file are
// not. Returns 0 when equal; 2000 when a block of one file is shorter than the other's (also when exactly one
// file has ended); 2001 when bytes or symlink targets differ; 1235 when keepGoing answered false; otherwise
// the code of the failed open or read (2 for a missing file, or a FIFO, socket or device node, which is never
// opened; 5 for a directory).
[[nodiscard]] int CompareContents(const std::string& a, const std::string& b, const std::function<bool()>& keepGoing);

} // namespace platform

// Copying one file so that the old target stays whole until the new content is complete.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// The block size of the program's own copy routine and of the content comparison.
inline constexpr std::size_t kCopyBlockSize = 131072;

struct CopyOptions {
    // The program's own routine: read and write in kCopyBlockSize blocks. Otherwise the system's fast paths
    // (a reflink, then copy_file_range, then read and write).
    bool ownCopy = false;
    // Called after every block or chunk with the bytes copied so far; returning false cancels the copy. May be
    // empty.
    std::function<bool(std::int64_t bytesSoFar)> progress;
};

// Copies the file `from` to `to` through a temporary file in the target's directory that is renamed over the
// target once its content, its mode bits and its access and modification times (to the nanosecond) are those
// of the source. Until then the old target is untouched; a failed or cancelled copy leaves no temporary file
// behind, and on file systems with O_TMPFILE neither does a killed process. Elsewhere (vfat, NFS, FUSE) a killed
// copy leaves a file with a temporary name (IsTemporaryName), which RemoveLeftoverTemporaryFiles removes.
// A source whose length, modification time or change time moved while it was copied is not published: the copy
// starts over once (progress then counts from 0 again), and a source that changed again gives kSourceChanged.
// The copy belongs to whoever runs the program: when its owner or group is not the source's, it does not get
// the source's set-user-ID and set-group-ID bits (TransferSecurity with the owner gives them back).
// A symlink is recreated as a symlink with the same target (never followed). An existing target whose owner
// has no write permission is not replaced (the caller clears read-only first when it may).
// Returns 0; 2 when the source does not exist or is a FIFO, socket or device node (never opened); 3 when the
// target's directory does not exist or is no directory; 5 when access is denied or the target is read-only or
// a directory; 112 when the disk is full or the file too large for it; 1235 when progress cancelled;
// -103 (kSourceChanged) when the source changed while it was copied, twice; other codes from ErrorFromErrno.
[[nodiscard]] int CopyFileSafely(const std::string& from, const std::string& to, const CopyOptions& options);

} // namespace platform

// Copying one file so that the old target stays whole until the new content is complete.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The block size of the program's own copy routine and of the content comparison.
inline constexpr std::size_t kCopyBlockSize = 131072;

// What the copies of one run learn and keep for the next copy instead of finding it out for every file: a fast
// path (a reflink, copy_file_range) that a pair of file systems refused is not tried again between those two,
// and the directories copies read from and write into stay open while the next copies use the same ones.
// Belongs to one thread. Keep one for a run at most: a file system mounted later may get a device number that
// a refusal was remembered for.
class CopySession {
public:
    CopySession();
    ~CopySession();
    CopySession(const CopySession&) = delete;
    CopySession& operator=(const CopySession&) = delete;

    // Opens the internal relative directory below the native root without following a link at any level (see
    // OpenDirectoryBelow) and keeps it open: copies from and into it go through this directory, so a link
    // planted there after the check cannot lead them elsewhere. Returns the code of OpenDirectoryBelow; for a
    // directory that does not exist (kPathNotFound) nothing is kept and copies look it up by its name. Entering
    // a directory again checks it again.
    [[nodiscard]] int EnterDirectory(std::string_view nativeRoot, std::string_view relative);

    // Closes every directory kept open, so that the next copy looks its directories up by name again. Call it
    // when a directory may have been replaced since the last copy (the copy phase does so for every directory
    // pair). A copy that fails forgets the directories it looked up by name, not the entered ones.
    void ForgetDirectories();

    struct State; // what FileCopy.cpp keeps
    State& Get() { return *m_state; }

private:
    std::unique_ptr<State> m_state;
};

struct CopyOptions {
    // The program's own routine: read and write in kCopyBlockSize blocks. Otherwise the system's fast paths
    // (a reflink, then copy_file_range, then read and write).
    bool ownCopy = false;
    // Called after every block or chunk with the bytes copied so far; returning false cancels the copy. May be
    // empty.
    std::function<bool(std::int64_t bytesSoFar)> progress;
    // The run's memory for a series of copies; may be null (then each copy starts knowing nothing).
    CopySession* session = nullptr;
    // When not null, set to whether a successful copy needs nothing more for its mode: a regular file whose
    // whole mode (with its special bits) the target's file system took, or a symlink (whose mode is its
    // target's). A transfer of the mode alone would then find nothing to change.
    bool* modeComplete = nullptr;
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

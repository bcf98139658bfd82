// Reading a file in blocks and writing a file that replaces its target only once it is complete: the two ends
// of a transfer whose other end is not a local file (an upload, a download).
#pragma once

#include "platform/FileTime.h"
#include "platform/UniqueFd.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A regular file open for reading (a symlink is not followed: the link itself cannot be streamed).
class InputFile {
public:
    // Returns 0; 2 when nothing is there or it is no regular file; other codes from ErrorFromErrno.
    [[nodiscard]] int Open(const std::string& nativePath);
    // Reads up to buffer.size() bytes; got 0 at the end. Returns 0 or the code of the failed read.
    [[nodiscard]] int Read(std::span<char> buffer, std::size_t& got);

private:
    UniqueFd m_fd;
};

// The new content of `target`, written into a temporary file beside it (a name IsTemporaryName knows, mode
// 0600 until published). Until Publish the target is untouched; an object that goes without Publish removes
// its temporary file.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ~ReplacementFile() { Discard(); }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Returns 0, or the code of creating the temporary file (3 when the directory does not exist).
    [[nodiscard]] int Create(const std::string& nativeTarget);
    [[nodiscard]] int Write(std::string_view bytes);
    // Flushes, gives the file mode (less the umask) and lastWrite (UTC), and renames it over the target.
    [[nodiscard]] int Publish(FileTime lastWrite, unsigned mode = 0666);
    // Removes the temporary file (nothing once published).
    void Discard();

private:
    UniqueFd m_fd;
    std::string m_temp;
    std::string m_target;
};

} // namespace platform

// A file the user named for text appended while the program runs (the log): written through the path as it is
// and never replaced, so a symlink stays a symlink and a device or a pipe stays what it is.
#pragma once

#include "platform/UniqueFd.h"

#include <string>
#include <string_view>

namespace platform {

class cAppendFile {
public:
    cAppendFile() = default;
    ~cAppendFile();
    cAppendFile(const cAppendFile&) = delete;
    cAppendFile& operator=(const cAppendFile&) = delete;

    // Opens path for writing at its end, following symlinks. A regular file is created when missing and emptied
    // unless append is set. A character device or a pipe (/dev/stdout, /dev/null, a FIFO) is a stream: written
    // to as it is, never read, emptied or converted. A directory, a block device, a socket and a FIFO without a
    // reader are refused; opening never waits. Returns 0 or the program's error code.
    [[nodiscard]] int Open(const std::string& path, bool append);
    bool IsOpen() const { return static_cast<bool>(m_fd); }
    bool IsStream() const { return m_stream; }
    // Writes all bytes at the end of the file (where other writers append as well) before it returns; a pipe's
    // slow reader is waited for, a vanished one gives an error. Returns 0 or the program's error code.
    [[nodiscard]] int Append(std::string_view bytes);
    // Whether a regular file's content so far is UTF-8 by the file-text rule (valid UTF-8 holding a non-ASCII
    // byte), read in chunks. False for a stream.
    bool HoldsUtf8() const;
    // Turns a regular file's whole Windows-1252 content into UTF-8 in place, through the open file, so the
    // path keeps being what it is (a symlink, a hard link, its owner and mode). The space is reserved first:
    // when that fails (disk full, size limit) the content is unchanged. A stream refuses. Returns 0 or the
    // program's error code.
    [[nodiscard]] int ConvertToUtf8();
    void Close();

private:
    UniqueFd m_fd;     // written with O_APPEND
    UniqueFd m_readFd; // the same regular file for reading and rewriting in place; empty for a stream
    bool m_stream = false;
};

} // namespace platform

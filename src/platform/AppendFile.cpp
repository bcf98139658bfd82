// Appending to a file the user named, and converting its text in place.
#include "platform/AppendFile.h"

#include "platform/ErrorCodes.h"
#include "platform/Text.h"
#include "platform/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

constexpr off_t kChunkSize = 1024 * 1024;

[[nodiscard]] int WriteAllAt(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t put = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return put < 0 ? ErrorFromErrno(errno) : kWriteFault;
        bytes.remove_prefix(static_cast<std::size_t>(put));
        offset += put;
    }
    return kSuccess;
}

// Reads exactly length bytes at offset into bytes; a file that ends earlier is an error.
[[nodiscard]] int ReadExactly(int fd, off_t offset, std::size_t length, std::string& bytes) {
    bytes.resize(length);
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n = ::pread(fd, bytes.data() + got, length - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? ErrorFromErrno(errno) : kReadFault;
        got += static_cast<std::size_t>(n);
    }
    return kSuccess;
}

// Hands the bytes [0, size) to use chunk by chunk; use returns false to stop early.
template <typename Use> int ReadChunks(int fd, off_t size, Use use) {
    std::string chunk;
    for (off_t offset = 0; offset < size; offset += kChunkSize) {
        const auto length = static_cast<std::size_t>(std::min(kChunkSize, size - offset));
        if (const int code = ReadExactly(fd, offset, length, chunk); code != kSuccess) return code;
        if (!use(std::string_view(chunk))) break;
    }
    return kSuccess;
}

// The length of bytes without a UTF-8 sequence that the end cuts off (it continues in the next chunk).
std::size_t CompletePrefix(std::string_view bytes) {
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80) continue; // a continuation byte: look further back
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? bytes.size() - back : bytes.size();
    }
    return bytes.size();
}

off_t SizeOf(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? info.st_size : -1;
}

} // namespace

cAppendFile::~cAppendFile() {
    Close();
}

int cAppendFile::Open(const std::string& path, bool append) {
    Close();
    // Write-only first: a pipe or device is never opened for reading. O_NONBLOCK makes the open of a FIFO
    // without a reader fail at once (ENXIO) instead of waiting for one.
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    if (!fd) return ErrorFromErrno(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return ErrorFromErrno(errno);
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) {
        // Once open, a slow reader of a pipe is waited for rather than lines dropped.
        const int flags = ::fcntl(fd.get(), F_GETFL);
        if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return ErrorFromErrno(errno);
        m_fd = std::move(fd);
        m_stream = true;
        return kSuccess;
    }
    if (!S_ISREG(info.st_mode)) return kAccessDenied;
    // A second description of the same file without O_APPEND, for reading and for rewriting in place (on an
    // O_APPEND description pwrite writes at the end whatever the offset).
    UniqueFd readFd(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!readFd) return ErrorFromErrno(errno);
    struct stat again {};
    if (::fstat(readFd.get(), &again) != 0) return ErrorFromErrno(errno);
    if (again.st_dev != info.st_dev || again.st_ino != info.st_ino)
        return kSharingViolation; // the path was replaced between the two opens
    if (!append && ::ftruncate(readFd.get(), 0) != 0) return ErrorFromErrno(errno);
    m_fd = std::move(fd);
    m_readFd = std::move(readFd);
    return kSuccess;
}

int cAppendFile::Append(std::string_view bytes) {
    if (!m_fd) return kInvalidParameter;
    while (!bytes.empty()) {
        const ssize_t put = ::write(m_fd.get(), bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return put < 0 ? ErrorFromErrno(errno) : kWriteFault;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return kSuccess;
}

bool cAppendFile::HoldsUtf8() const {
    if (!m_readFd) return false;
    bool valid = true;
    bool nonAscii = false;
    std::string carry;
    const int code = ReadChunks(m_readFd.get(), SizeOf(m_readFd.get()), [&](std::string_view chunk) {
        const std::string bytes = carry + std::string(chunk);
        const std::string_view head(bytes.data(), CompletePrefix(bytes));
        valid = IsValidUtf8(head);
        nonAscii = nonAscii || std::any_of(head.begin(), head.end(), [](char c) { return (c & 0x80) != 0; });
        carry = bytes.substr(head.size());
        return valid;
    });
    return code == kSuccess && valid && carry.empty() && nonAscii;
}

// Each Windows-1252 byte becomes at least one UTF-8 byte, so the content is converted from its end backwards:
// a chunk's UTF-8 never reaches below the chunk's own start, and no byte is overwritten before it was read.
int cAppendFile::ConvertToUtf8() {
    if (!m_readFd) return kNotSupported;
    const int readFd = m_readFd.get();
    const off_t size = SizeOf(readFd);
    if (size < 0) return ErrorFromErrno(errno);
    off_t newSize = 0;
    if (const int code = ReadChunks(readFd, size,
                                    [&newSize](std::string_view chunk) {
                                        newSize += static_cast<off_t>(Cp1252ToUtf8(chunk).size());
                                        return true;
                                    });
        code != kSuccess)
        return code;
    if (newSize == size) return kSuccess; // ASCII only: already UTF-8
    if (const int err = ::posix_fallocate(readFd, size, newSize - size); err != 0) {
        // A partly reserved tail holds zeros only; the content stays as it was.
        if (SizeOf(readFd) > size) (void)::ftruncate(readFd, size);
        return ErrorFromErrno(err);
    }
    off_t inEnd = size;
    off_t outEnd = newSize;
    std::string chunk;
    while (inEnd > 0) {
        const off_t inStart = std::max<off_t>(0, inEnd - kChunkSize);
        if (const int code = ReadExactly(readFd, inStart, static_cast<std::size_t>(inEnd - inStart), chunk);
            code != kSuccess)
            return code;
        const std::string utf8 = Cp1252ToUtf8(chunk);
        const off_t outStart = outEnd - static_cast<off_t>(utf8.size());
        if (outStart < inStart) return kGeneralFailure; // the file changed meanwhile: overwrite nothing unread
        if (const int code = WriteAllAt(readFd, utf8, outStart); code != kSuccess) return code;
        inEnd = inStart;
        outEnd = outStart;
    }
    return kSuccess;
}

void cAppendFile::Close() {
    m_fd.reset();
    m_readFd.reset();
    m_stream = false;
}

} // namespace platform

// Reading a small regular file whole.
#include "platform/ReadRegularFile.h"

#include "platform/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The step by which the buffer grows when the file turns out longer than its size said.
constexpr std::size_t kGrowthBytes = 65536;

FileBytes Failure(int code) {
    return FileBytes{code, {}, {}};
}

} // namespace

FileBytes ReadRegularFile(const std::string& nativePath, std::size_t limit) {
    // Looked at before it is opened, so that a device node is never opened and a socket (which cannot be opened)
    // gives the same code as every other file that is not regular.
    struct stat st {};
    if (::stat(nativePath.c_str(), &st) != 0) return Failure(ErrorFromErrno(errno));
    if (!S_ISREG(st.st_mode)) return Failure(kNotRegularFile);
    // O_NONBLOCK: a FIFO put in the file's place meanwhile must not block the open; the fstat below refuses it.
    const UniqueFd fd(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd) return Failure(errno == ENXIO ? kNotRegularFile : ErrorFromErrno(errno));
    if (::fstat(fd.get(), &st) != 0) return Failure(ErrorFromErrno(errno));
    if (!S_ISREG(st.st_mode)) return Failure(kNotRegularFile);
    if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > limit) return Failure(kBadFormat);

    // Read, not mapped: a file truncated by someone else while it is read must not bring the program down. It is
    // read to its end, wherever that lies now; one byte more than the limit tells a file that grew beyond it.
    const std::size_t cap = limit < SIZE_MAX ? limit + 1 : limit;
    std::string bytes(std::min(cap, static_cast<std::size_t>(st.st_size) + 1), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit) return Failure(kBadFormat);
            bytes.resize(std::min(cap, filled + std::max(filled, kGrowthBytes)));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Failure(ErrorFromErrno(errno));
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return FileBytes{kSuccess, std::move(bytes), VersionFromStat(st)};
}

} // namespace platform

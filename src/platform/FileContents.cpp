// Comparing the contents of two files.
#include "platform/FileContents.h"

#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "platform/FileInfo.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

class ReadFile {
public:
    // Opens a regular file for reading; O_NONBLOCK and the type check guard against a FIFO put in its place.
    [[nodiscard]] int Open(const std::string& path) {
        m_fd.reset(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!m_fd) return ErrorFromErrno(errno);
        struct stat st {};
        if (::fstat(m_fd.get(), &st) != 0) return ErrorFromErrno(errno);
        if (!S_ISREG(st.st_mode)) return kFileNotFound;
        ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
        return kSuccess;
    }

    // Fills the buffer as far as the file goes: a short block means the file has ended.
    [[nodiscard]] int ReadBlock(std::vector<char>& buffer, std::size_t& length) {
        length = 0;
        while (length < buffer.size()) {
            ssize_t n = ::read(m_fd.get(), buffer.data() + length, buffer.size() - length);
            if (n < 0) {
                if (errno == EINTR) continue;
                return ErrorFromErrno(errno);
            }
            if (n == 0) break;
            length += static_cast<std::size_t>(n);
        }
        return kSuccess;
    }

private:
    UniqueFd m_fd;
};

[[nodiscard]] int CompareLinks(const std::string& a, const std::string& b) {
    std::string targetA;
    std::string targetB;
    int error = ReadSymlinkTarget(a, targetA);
    if (error == kSuccess) error = ReadSymlinkTarget(b, targetB);
    if (error != kSuccess) return error;
    return targetA == targetB ? kSuccess : kContentsDiffer;
}

} // namespace

int CompareContents(const std::string& a, const std::string& b, const std::function<bool()>& keepGoing) {
    struct stat stA {};
    struct stat stB {};
    if (::lstat(a.c_str(), &stA) != 0) return ErrorFromErrno(errno);
    if (::lstat(b.c_str(), &stB) != 0) return ErrorFromErrno(errno);
    if (S_ISLNK(stA.st_mode) && S_ISLNK(stB.st_mode)) return CompareLinks(a, b);
    if (S_ISLNK(stA.st_mode) || S_ISLNK(stB.st_mode)) return kContentsDiffer;
    if (S_ISDIR(stA.st_mode) || S_ISDIR(stB.st_mode)) return kAccessDenied;
    // FIFOs, sockets and device nodes are never opened.
    if (!S_ISREG(stA.st_mode) || !S_ISREG(stB.st_mode)) return kFileNotFound;

    ReadFile fileA;
    ReadFile fileB;
    int error = fileA.Open(a);
    if (error == kSuccess) error = fileB.Open(b);
    if (error != kSuccess) return error;

    std::vector<char> blockA(kCopyBlockSize);
    std::vector<char> blockB(kCopyBlockSize);
    for (;;) {
        std::size_t lengthA = 0;
        std::size_t lengthB = 0;
        error = fileA.ReadBlock(blockA, lengthA);
        if (error == kSuccess) error = fileB.ReadBlock(blockB, lengthB);
        if (error != kSuccess) return error;
        if (keepGoing && !keepGoing()) return kCancelled;
        if (lengthA == 0 && lengthB == 0) return kSuccess;
        if (lengthA != lengthB) return kSizesDiffer;
        if (std::memcmp(blockA.data(), blockB.data(), lengthA) != 0) return kContentsDiffer;
    }
}

} // namespace platform

#include "platform/FileStream.h"

#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int InputFile::Open(const std::string& nativePath) {
    m_fd.reset(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!m_fd) return errno == ELOOP ? kFileNotFound : ErrorFromErrno(errno);
    struct stat st {};
    if (::fstat(m_fd.get(), &st) != 0) return ErrorFromErrno(errno);
    if (!S_ISREG(st.st_mode)) {
        m_fd.reset();
        return kFileNotFound; // a FIFO or device is never read
    }
    return kSuccess;
}

int InputFile::Read(std::span<char> buffer, std::size_t& got) {
    got = 0;
    for (;;) {
        const ssize_t n = ::read(m_fd.get(), buffer.data(), buffer.size());
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return kSuccess;
        }
        if (errno != EINTR) return ErrorFromErrno(errno);
    }
}

int ReplacementFile::Create(const std::string& nativeTarget) {
    Discard();
    const std::size_t slash = nativeTarget.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : nativeTarget.substr(0, slash);
    int fd = -1;
    if (const int code = CreateTemporaryFile(folder, 0600, fd, m_temp); code != kSuccess) return code;
    m_fd.reset(fd);
    m_target = nativeTarget;
    return kSuccess;
}

int ReplacementFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd.get(), bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return kSuccess;
}

int ReplacementFile::Publish(FileTime lastWrite, unsigned mode) {
    if (!m_fd) return kInvalidParameter;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const timespec stamp = TimespecFromFileTime(lastWrite);
    const timespec times[2] = {stamp, stamp};
    if (::fchmod(m_fd.get(), static_cast<mode_t>(mode) & ~mask) != 0) return ErrorFromErrno(errno);
    if (::fsync(m_fd.get()) != 0) return ErrorFromErrno(errno);
    if (::futimens(m_fd.get(), times) != 0) return ErrorFromErrno(errno);
    // The lock stays held by a duplicate until the file has its name, so no cleaner takes it meanwhile.
    UniqueFd lockHolder(::dup(m_fd.get()));
    if (const int closed = m_fd.close(); closed != kSuccess) return closed;
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) return ErrorFromErrno(errno);
    m_temp.clear();
    return kSuccess;
}

void ReplacementFile::Discard() {
    m_fd.reset();
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    m_temp.clear();
}

} // namespace platform

#include "log/LogFile.h"

#include "platform/AtomicFile.h"
#include "platform/ErrorCodes.h"
#include "platform/Text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kFlushSize = 64 * 1024;
constexpr std::size_t kReadChunk = 1024 * 1024;

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Reads from the file's start in chunks and hands each to use; false on a read error.
template <typename Use> bool ReadChunks(int fd, Use use) {
    std::string chunk(kReadChunk, '\0');
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), offset);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        if (!use(std::string_view(chunk.data(), static_cast<std::size_t>(got)))) return true;
        offset += got;
    }
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

// Whether the file's content is UTF-8 holding a non-ASCII byte (the file-text rule), read chunk by chunk.
bool HoldsUtf8(int fd) {
    bool valid = true;
    bool nonAscii = false;
    std::string carry;
    const bool read = ReadChunks(fd, [&](std::string_view chunk) {
        std::string bytes = carry + std::string(chunk);
        const std::size_t complete = CompletePrefix(bytes);
        const std::string_view head(bytes.data(), complete);
        valid = platform::IsValidUtf8(head);
        nonAscii = nonAscii || std::any_of(head.begin(), head.end(), [](char c) { return (c & 0x80) != 0; });
        carry = bytes.substr(complete);
        return valid;
    });
    return read && valid && carry.empty() && nonAscii;
}

// Windows-1252 with "?" for each character that has no Windows-1252 form.
std::string LossyCp1252(std::string_view utf8) {
    std::string bytes;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        const std::optional<std::string> one = platform::Utf8ToCp1252(utf8.substr(i, length));
        bytes += one ? *one : std::string("?");
        i += length;
    }
    return bytes;
}

} // namespace

cLogFile::~cLogFile() {
    Close();
}

int cLogFile::Open(const std::string& path, bool append) {
    Close();
    m_path = path;
    m_utf8 = false;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | (append ? O_APPEND : O_TRUNC), 0644);
    if (m_fd < 0) return platform::ErrorFromErrno(errno);
    struct stat info {};
    int code = 0;
    if (::fstat(m_fd, &info) != 0)
        code = platform::ErrorFromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        code = platform::kAccessDenied;
    if (code != 0) {
        ::close(m_fd);
        m_fd = -1;
        return code;
    }
    if (append) m_utf8 = HoldsUtf8(m_fd);
    return 0;
}

void cLogFile::AppendLine(std::string_view utf8) {
    if (m_fd < 0) return;
    if (!m_utf8) {
        if (const std::optional<std::string> cp1252 = platform::Utf8ToCp1252(utf8)) {
            m_buffer += *cp1252;
        } else {
            SwitchToUtf8();
            // A file that could not be rewritten stays Windows-1252: the line loses what does not fit.
            m_buffer += m_utf8 ? std::string(utf8) : LossyCp1252(utf8);
        }
    } else {
        m_buffer += utf8;
    }
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushSize) Flush();
}

void cLogFile::Flush() {
    if (m_fd >= 0 && !m_buffer.empty()) (void)WriteAll(m_fd, m_buffer);
    m_buffer.clear();
}

// Everything in the file so far is Windows-1252: it becomes UTF-8 in one atomic replacement, and the file is
// opened again for the lines to come.
void cLogFile::SwitchToUtf8() {
    Flush();
    std::string text;
    if (!ReadChunks(m_fd, [&text](std::string_view chunk) {
            text += chunk;
            return true;
        }))
        return;
    struct stat info {};
    const mode_t mode = ::fstat(m_fd, &info) == 0 ? (info.st_mode & 07777) : 0644;
    if (platform::WriteFileAtomically(m_path, platform::Cp1252ToUtf8(text), mode) != 0) return;
    ::close(m_fd);
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    m_utf8 = true;
}

void cLogFile::Close() {
    Flush();
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

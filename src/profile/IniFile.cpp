// The settings file: an INI file on disk read and written key by key, as the private-profile functions do.
#include "profile/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/ErrorCodes.h"
#include "platform/ProgramFolders.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kFileMode = 0600;
// File times may be this coarse (FAT keeps 2 s); a file changed within this span after it was read may have
// changed again without its times showing it.
constexpr time_t kTimeGranularitySeconds = 2;

timespec Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

std::size_t HashOf(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

std::string ParentFolder(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write replaces: the target of a symlink, so that the link stays.
std::string WriteTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// Reads a whole regular file. Returns 0, 2 when it does not exist, or another error code.
int ReadWholeFile(const std::string& path, std::string& bytes, struct stat& st) {
    // O_NONBLOCK: a FIFO in place of the file must not block the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? platform::kFileNotFound : platform::ErrorFromErrno(errno);
    int error = platform::kSuccess;
    if (::fstat(fd, &st) != 0)
        error = platform::ErrorFromErrno(errno);
    else if (!S_ISREG(st.st_mode))
        error = platform::kAccessDenied;
    if (error == platform::kSuccess) {
        bytes.clear();
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        char buffer[65536];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                error = platform::ErrorFromErrno(errno);
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return error;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

bool cIniFile::Identity::operator==(const Identity& other) const {
    return device == other.device && inode == other.inode && size == other.size && SameTime(modified, other.modified) &&
           SameTime(changed, other.changed);
}

cIniFile::Identity cIniFile::IdentityOf(const struct stat& st) {
    return Identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

cIniFile::cIniFile(std::string path) : m_path(std::move(path)) {}

void cIniFile::Refresh() const {
    if (m_pending) return;
    struct stat st {};
    if (m_loaded && m_identity && ::stat(m_path.c_str(), &st) == 0) {
        // The status change time cannot be set back by anyone, so a file whose times are older than the
        // moment it was read, by more than their granularity, changed since only if they differ.
        bool settled = st.st_ctim.tv_sec < m_loadedAt.tv_sec - kTimeGranularitySeconds;
        if (settled && IdentityOf(st) == *m_identity) return;
    }
    Load();
}

void cIniFile::Load() const {
    timespec startedAt = Now();
    std::string bytes;
    struct stat st {};
    int error = ReadWholeFile(m_path, bytes, st);
    if (error != platform::kSuccess) {
        m_document.Parse({});
        m_identity.reset();
        m_loadError = error == platform::kFileNotFound ? 0 : error;
        m_loaded = true;
        return;
    }
    std::size_t hash = HashOf(bytes);
    bool sameContent = m_loaded && m_identity && m_contentHash == hash;
    if (!sameContent) {
        std::string text = platform::DecodeFileText(bytes);
        bytes = std::string();
        m_document.Parse(text);
    }
    m_identity = IdentityOf(st);
    m_contentHash = hash;
    m_loadedAt = startedAt;
    m_loadError = 0;
    m_loaded = true;
}

void cIniFile::Commit() {
    m_pending = false;
    std::string bytes = platform::EncodeFileText(m_document.Text());
    std::string target = WriteTarget(m_path);
    platform::CreatePrivateFolder(ParentFolder(target)); // a failure shows in the write
    timespec startedAt = Now();
    struct stat st {};
    if (platform::WriteFileAtomically(target, bytes, kFileMode) != platform::kSuccess ||
        ::stat(m_path.c_str(), &st) != 0) {
        // What is in memory may not be on disk: read the file again next time.
        m_loaded = false;
        return;
    }
    m_identity = IdentityOf(st);
    m_contentHash = HashOf(bytes);
    m_loadedAt = startedAt;
    m_loadError = 0;
    m_loaded = true;
}

std::optional<std::string> cIniFile::Read(std::string_view section, std::string_view key) const {
    Refresh();
    return m_document.Read(section, key);
}

std::vector<std::string> cIniFile::Keys(std::string_view section) const {
    Refresh();
    return m_document.Keys(section);
}

void cIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Refresh();
    if (m_loadError != 0 || !m_document.Write(section, key, value)) return;
    if (m_updateDepth > 0)
        m_pending = true;
    else
        Commit();
}

void cIniFile::EraseSection(std::string_view section) {
    Refresh();
    if (m_loadError != 0 || !m_document.EraseSection(section)) return;
    if (m_updateDepth > 0)
        m_pending = true;
    else
        Commit();
}

void cIniFile::BeginUpdate() {
    ++m_updateDepth;
}

void cIniFile::EndUpdate() {
    if (m_updateDepth == 0) return;
    if (--m_updateDepth == 0 && m_pending) Commit();
}

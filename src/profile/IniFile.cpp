// The settings file: an INI file on disk read and written key by key, as the private-profile functions do.
#include "profile/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/ErrorCodes.h"
#include "platform/ProgramFolders.h"
#include "platform/ReadRegularFile.h"
#include "platform/Text.h"

#include <functional>

namespace {

constexpr platform::FileMode kFileMode = 0600;
// File times may be this coarse (FAT keeps 2 s); a file changed within this span after it was read may have
// changed again without its times showing it.
constexpr std::time_t kTimeGranularitySeconds = 2;

timespec Now() {
    timespec now{};
    std::timespec_get(&now, TIME_UTC);
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

} // namespace

cIniFile::cIniFile(std::string path) : m_path(std::move(path)) {}

void cIniFile::Refresh() const {
    if (m_pending) return;
    if (m_loaded && m_version) {
        if (const std::optional<platform::FileVersion> now = platform::VersionOf(m_path)) {
            // The status change time cannot be set back by anyone, so a file whose times are older than the
            // moment it was read, by more than their granularity, changed since only if they differ.
            bool settled = now->changed.tv_sec < m_loadedAt.tv_sec - kTimeGranularitySeconds;
            if (settled && *now == *m_version) return;
        }
    }
    Load();
}

void cIniFile::Load() const {
    timespec startedAt = Now();
    platform::FileBytes file = platform::ReadRegularFile(m_path, platform::kMaxOwnTextFileBytes);
    if (!file) {
        m_document.Parse({});
        m_version.reset();
        const bool missing = file.error == platform::kFileNotFound || file.error == platform::kPathNotFound;
        m_loadError = missing ? 0 : file.error;
        m_loaded = true;
        return;
    }
    std::size_t hash = HashOf(file.bytes);
    bool sameContent = m_loaded && m_version && m_contentHash == hash;
    if (!sameContent) {
        std::string text = platform::DecodeFileText(file.bytes);
        file.bytes = std::string();
        m_document.Parse(text);
    }
    m_version = file.version;
    m_contentHash = hash;
    m_loadedAt = startedAt;
    m_loadError = 0;
    m_loaded = true;
}

void cIniFile::Commit() {
    m_pending = false;
    std::string bytes = platform::EncodeFileText(m_document.Text());
    std::string target = platform::WriteTargetOf(m_path);
    (void)platform::CreatePrivateFolder(ParentFolder(target)); // a failure shows in the write
    timespec startedAt = Now();
    std::optional<platform::FileVersion> written;
    if (platform::WriteFileAtomically(target, bytes, kFileMode) != platform::kSuccess ||
        !(written = platform::VersionOf(m_path))) {
        // What is in memory may not be on disk: read the file again next time.
        m_loaded = false;
        return;
    }
    m_version = written;
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

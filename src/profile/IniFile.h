// The settings file: an INI file on disk read and written key by key, as the private-profile functions do.
#pragma once

#include "platform/FileInfo.h"
#include "profile/IniDocument.h"
#include "profile/SettingsStore.h"

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// Bound to one file path. Lookup and change rules are those of cIniDocument. A missing or unreadable file
// reads as empty. Every write goes to the file at once: the whole text (Windows-1252 with CR LF, UTF-8 when
// it does not fit) is written to a temporary file beside it and renamed into place, so a crash leaves the old
// file or the new one. The file holds the default passwords, so it is always left with mode 0600, whatever
// mode it had; a missing folder is created with mode 0700. A symlink in place of the file is kept and its
// target is replaced. A write that would change nothing does not touch the file; a file that exists but
// cannot be read is never written (its content would be lost). Write errors are not reported.
//
// The parsed text is kept between calls and reloaded when the file changed on disk (its inode, size or
// times differ, or it changed so recently that the file times cannot tell; then its bytes are compared), so
// several objects on one file and edits by hand are always seen.
//
// BeginUpdate / EndUpdate group writes: the file is written once, at the end of the outermost group. Until
// then the pending changes are only in memory (a crash loses them and leaves the old file), and changes
// made to the file by others in between are overwritten.
class cIniFile : public cSettingsStore {
public:
    explicit cIniFile(std::string path);
    cIniFile(const cIniFile&) = delete;
    cIniFile& operator=(const cIniFile&) = delete;

    const std::string& Path() const { return m_path; }

    std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
    void Write(std::string_view section, std::string_view key, std::string_view value) override;
    void EraseSection(std::string_view section) override;
    // The key names of a section, in file order.
    std::vector<std::string> Keys(std::string_view section) const;
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    // Brings m_document up to the file on disk (unless changes of an update group are pending).
    void Refresh() const;
    void Load() const;
    // Writes m_document to the file.
    void Commit();

    std::string m_path;
    mutable cIniDocument m_document;
    mutable bool m_loaded = false;
    mutable int m_loadError = 0; // the file exists but cannot be read
    mutable std::optional<platform::FileVersion> m_version;
    mutable std::size_t m_contentHash = 0;
    mutable timespec m_loadedAt{};
    int m_updateDepth = 0;
    bool m_pending = false;
};

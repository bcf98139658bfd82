#include "destinations/ZipMdl.h"

#include "platform/ErrorCodes.h"
#include "platform/Text.h"
#include "platform/ZipExtract.h"

#include <algorithm>
#include <array>

int cZipTree::List(const std::string& directory, cRemoteDirectory& listing) {
    if (m_failure != 0) return m_failure;
    return cListedTree::List(directory, listing);
}

std::string cZipTree::ShownPath(const std::string& relativePath) const {
    std::string rest =
        relativePath.starts_with(m_destDirectory) ? relativePath.substr(m_destDirectory.size()) : relativePath;
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return m_archivePath + "/" + rest;
}

void TZipMdl::SetArchive(std::string archivePath, std::string destDirectory) {
    m_archivePath = std::move(archivePath);
    m_destDirectory = std::move(destDirectory);
    m_tree.Reset(m_archivePath, m_destDirectory);
}

void TZipMdl::SetPassword(std::string password) {
    if (password.size() > 255) password.resize(255);
    m_password = std::move(password);
}

int TZipMdl::Open() {
    m_zip.Discard();
    m_writer.Discard();
    m_writing = false;
    m_open = false;
    m_exists = false;
    m_failure = 0;
    m_changes = 0;
    m_entries.clear();
    int code = m_zip.Open(m_archivePath, false);
    if (code == platform::kFileNotFound) {
        Rebuild();
        return platform::kSuccess;
    }
    m_exists = true;
    if (code == 0) code = m_zip.List(m_entries);
    if (code != 0) {
        m_zip.Discard();
        m_entries.clear();
        Rebuild();
        m_tree.Fail(code);
        m_failure = code;
        return code;
    }
    m_open = true;
    Rebuild();
    return platform::kSuccess;
}

void TZipMdl::Rebuild() {
    m_tree.Reset(m_archivePath, m_destDirectory);
    m_byName.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const platform::ZipEntry& entry = m_entries[i];
        const std::optional<std::string> safe = platform::SafeEntryName(entry.name);
        if (!safe || *safe != entry.name) {
            // Listed with its raw name where the scan reports it; it never names a file of the tree.
            platform::FileInfo odd;
            odd.name = entry.name.empty() ? std::string("/") : entry.name;
            if (odd.name.find('/') == std::string::npos) odd.name.insert(0, "/");
            m_tree.AddFile(m_destDirectory, std::move(odd));
            continue;
        }
        m_byName.emplace(entry.name, i); // of two entries with one name, the first one counts
        const std::size_t slash = entry.name.rfind('/');
        std::string directory = m_destDirectory;
        if (slash != std::string::npos) {
            std::string part = entry.name.substr(0, slash);
            std::replace(part.begin(), part.end(), '/', '\\');
            directory += part + "\\";
        }
        if (entry.isDirectory) {
            std::string part = entry.name;
            std::replace(part.begin(), part.end(), '/', '\\');
            m_tree.AddDirectory(m_destDirectory + part + "\\");
            continue;
        }
        platform::FileInfo file;
        file.name = slash == std::string::npos ? entry.name : entry.name.substr(slash + 1);
        file.kind = entry.isSymlink ? platform::FileKind::FileSymlink : platform::FileKind::File;
        file.size = static_cast<std::int64_t>(std::min<std::uint64_t>(entry.size, INT64_MAX));
        file.lastWrite = entry.modified;
        file.mode = entry.mode;
        file.attributes = entry.readOnly ? platform::kAttributeReadOnly : 0;
        if (!file.name.empty() && file.name.front() == '.') file.attributes |= platform::kAttributeHidden;
        m_tree.AddFile(directory, std::move(file));
    }
}

std::optional<std::string> TZipMdl::EntryName(const std::string& directory, std::string_view name) const {
    if (!directory.starts_with(m_destDirectory)) return std::nullopt;
    std::string entry = directory.substr(m_destDirectory.size()) + std::string(name);
    std::replace(entry.begin(), entry.end(), '\\', '/');
    return entry;
}

const platform::ZipEntry* TZipMdl::Find(const std::string& entryName) const {
    const auto found = m_byName.find(entryName);
    return found == m_byName.end() ? nullptr : &m_entries[found->second];
}

bool TZipMdl::IsStoredName(std::string_view name) {
    static constexpr std::array<std::string_view, 17> kStored = {".gif", ".png", ".z",   ".zip",  ".zoo", ".arc",
                                                                 ".lzh", ".arj", ".taz", ".tgz",  ".lha", ".rar",
                                                                 ".ace", ".cab", ".gz",  ".gzip", ".jar"};
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string extension = platform::LowerCase(name.substr(dot));
    return std::find(kStored.begin(), kStored.end(), extension) != kStored.end();
}

int TZipMdl::QueueAdd(const std::string& entryName, const std::string& sourcePath) {
    platform::FileInfo info;
    if (const int rc = platform::GetFileInfo(sourcePath, info)) return rc;
    if (info.IsDirectory()) return platform::kNotRegularFile;
    std::string target;
    if (info.IsSymlink()) {
        if (const int rc = platform::ReadSymlinkTarget(sourcePath, target)) return rc;
    }
    if (const int rc = StartWriting()) return rc;
    int code = 0;
    if (info.IsSymlink()) {
        code = m_writer.AddSymlink(entryName, target, info.lastWrite);
    } else {
        platform::ZipAddOptions options;
        options.level = IsStoredName(entryName) ? 0 : std::clamp(m_level, 0, 9);
        if (m_encrypt) options.password = m_password;
        options.mode = info.mode;
        code = m_writer.AddFile(entryName, sourcePath, info.lastWrite, options);
    }
    if (code == 0) ++m_changes;
    return code;
}

int TZipMdl::QueueDelete(const std::string& entryName) {
    const platform::ZipEntry* entry = Find(entryName);
    if (entry == nullptr || !m_open) return platform::kFileNotFound;
    if (const int rc = StartWriting()) return rc;
    const int code = m_writer.Delete(entry->index);
    if (code == 0) ++m_changes;
    return code;
}

int TZipMdl::StartWriting() {
    if (m_failure != 0) return m_failure;
    if (m_writing) return platform::kSuccess;
    // The copy to change is taken from the archive as it was listed; a new archive starts empty.
    if (const int rc = m_writer.OpenToChange(m_archivePath, m_buildDirectory)) return rc;
    m_writing = true;
    return platform::kSuccess;
}

int TZipMdl::Commit(const platform::ZipCloseWatch& watch) {
    if (!m_writing || m_changes == 0) return platform::kSuccess;
    const int code = m_writer.Close(watch);
    m_writing = false;
    m_changes = 0;
    // What is on disk now, whether the new archive or the old one.
    const int reread = Open();
    return code != 0 ? code : reread;
}

void TZipMdl::Discard() {
    if (!m_writing) return;
    m_writer.Discard();
    m_writing = false;
    m_changes = 0;
}

int TZipMdl::Extract(const platform::ZipEntry& entry, const std::string& nativeRoot,
                     const std::string& relativeDirectory, const std::string& fileName,
                     const std::string& password) const {
    if (!m_open) return platform::kFileNotFound;
    return platform::ExtractEntryBelow(m_zip, entry, nativeRoot, relativeDirectory, fileName, password);
}

int TZipMdl::ReadLinkTarget(const platform::ZipEntry& entry, std::string& target) const {
    if (!m_open) return platform::kFileNotFound;
    return m_zip.ReadSymlink(entry.index, target);
}

int TZipMdl::ExtractForCompare(const platform::ZipEntry& entry, const std::string& nativeDirectory,
                               const std::string& password, std::string& path) const {
    if (!m_open) return platform::kFileNotFound;
    return platform::ExtractEntryToTemporaryFile(m_zip, entry, nativeDirectory, password, path);
}

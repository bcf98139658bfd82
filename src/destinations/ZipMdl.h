// The zip destination's adapter: the archive of a run seen as a tree of directories, the batches of additions
// and deletions written back in one step, and the extraction of single entries.
#pragma once

#include "destinations/RemoteTree.h"
#include "platform/FileInfo.h"
#include "platform/ZipArchive.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The archive as the scan lists it: every entry's directory part below the run's destination directory.
// Entries whose names would leave the archive's root are listed under that directory with their raw names, so
// the scan reports each of them and never makes them candidates.
class cZipTree : public cListedTree {
public:
    // archivePath: the native path of the archive; destDirectory: "\" at both ends.
    void Reset(const std::string& archivePath, const std::string& destDirectory) {
        Clear();
        m_archivePath = archivePath;
        m_destDirectory = destDirectory;
        AddDirectory(destDirectory);
        m_failure = 0;
    }
    // Every directory lists as failed with code: the archive cannot be read, and no pair may take its files
    // for deleted.
    void Fail(int code) { m_failure = code; }

    [[nodiscard]] int List(const std::string& directory, cRemoteDirectory& listing) override;
    // The archive's path followed by the entry's name: "/media/usb/Sicherung.zip/Briefe/Brief.txt".
    [[nodiscard]] std::string ShownPath(const std::string& relativePath) const override;

private:
    std::string m_archivePath;
    std::string m_destDirectory;
    int m_failure = 0;
};

class TZipMdl {
public:
    // archivePath: native path of the archive; destDirectory: the run's resolved destination directory ("\" at
    // both ends), which the archive's root stands for.
    void SetArchive(std::string archivePath, std::string destDirectory);
    const std::string& ArchivePath() const { return m_archivePath; }
    void SetCompression(int level) { m_level = level; }
    void SetPassword(std::string password);
    const std::string& Password() const { return m_password; }
    void SetEncrypt(bool encrypt) { m_encrypt = encrypt; }
    // Where the new archive is built before it replaces the old one: empty for beside it.
    void SetBuildDirectory(std::string directory) { m_buildDirectory = std::move(directory); }
    const std::string& BuildDirectory() const { return m_buildDirectory; }

    // Reads the archive's directory into the tree. A missing archive is an empty one (0). Other failures
    // give their code, and the tree lists every directory as failed.
    [[nodiscard]] int Open();
    // Whether the archive file exists (as Open found it, or after Commit).
    bool Exists() const { return m_exists; }
    const std::vector<platform::ZipEntry>& Entries() const { return m_entries; }
    cZipTree& Tree() { return m_tree; }

    // The entry name of file name in the tree directory ("\" at both ends), "/"-separated; std::nullopt when
    // the directory does not lie in the archive's directory.
    std::optional<std::string> EntryName(const std::string& directory, std::string_view name) const;
    // The entry of that name, or nullptr.
    const platform::ZipEntry* Find(const std::string& entryName) const;

    // Queues the file or symbolic link at sourcePath (never followed) as entryName, with its own time and
    // permission bits; stored without compression for the store-list extensions and at compression level 0,
    // encrypted with AES-256 when encryption is on and a password is set. The file must be readable now;
    // it is read in Commit. Returns 0 or the code.
    [[nodiscard]] int QueueAdd(const std::string& entryName, const std::string& sourcePath);
    // Queues the deletion of the entry. Returns 0 or the code.
    [[nodiscard]] int QueueDelete(const std::string& entryName);
    bool HasChanges() const { return m_changes > 0; }

    // Writes the queued changes into a new archive and renames it over the old one (an archive left without
    // entries is deleted); then the directory is read again. A stop through the watch, a failure or a kill
    // leaves the old archive whole. Returns 0 or the code.
    [[nodiscard]] int Commit(const platform::ZipCloseWatch& watch);
    // Drops queued changes.
    void Discard();

    // See platform::ExtractEntryBelow.
    [[nodiscard]] int Extract(const platform::ZipEntry& entry, const std::string& nativeRoot,
                              const std::string& relativeDirectory, const std::string& fileName,
                              const std::string& password) const;
    // A symbolic link entry's target.
    [[nodiscard]] int ReadLinkTarget(const platform::ZipEntry& entry, std::string& target) const;
    // See platform::ExtractEntryToTemporaryFile.
    [[nodiscard]] int ExtractForCompare(const platform::ZipEntry& entry, const std::string& nativeDirectory,
                                        const std::string& password, std::string& path) const;

    // Files whose names end in one of these extensions are already compressed and are stored as they are.
    static bool IsStoredName(std::string_view name);

private:
    void Rebuild();
    [[nodiscard]] int StartWriting();

    std::string m_archivePath;
    std::string m_destDirectory;
    int m_level = 6;
    std::string m_password;
    bool m_encrypt = false;
    std::string m_buildDirectory;
    platform::ZipArchive m_zip;    // the archive as it is: listed and extracted from
    platform::ZipArchive m_writer; // the changes, written by Commit
    bool m_writing = false;
    bool m_open = false;
    bool m_exists = false;
    int m_failure = 0; // the archive exists but cannot be read: nothing is written over it
    int m_changes = 0;
    std::vector<platform::ZipEntry> m_entries;
    std::unordered_map<std::string, std::size_t> m_byName;
    cZipTree m_tree;
};

// A zip archive on disk: list, add and replace from files, delete, extract one entry, write back atomically.
#pragma once

#include "platform/FileTime.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace platform {

// Windows' "the specified network password is not correct": an encrypted entry read without or with a wrong
// password.
inline constexpr int kZipWrongPassword = 86;

// One entry as listed. name uses "/" (a "\" written by other programs is read as "/"); a directory entry ends in
// "/" in the archive but not in name.
struct ZipEntry {
    std::uint64_t index = 0;
    std::string name;
    std::uint64_t size = 0; // as declared in the directory: an upper bound nobody has checked yet
    std::uint64_t compressedSize = 0;
    FileTime modified = 0;  // UTC
    bool exactTime = false; // modified came from the extended-timestamp field, not the 2-second local DOS time
    bool isDirectory = false;
    bool isSymlink = false;
    bool encrypted = false;
    std::uint32_t crc = 0;
    std::uint32_t mode = 0; // permission bits (07777) when the entry carries Unix attributes, else 0
    bool readOnly = false;  // the DOS read-only bit, or Unix permission bits without the owner's write bit
};

// The name an entry may be extracted under, "/"-separated and relative, or std::nullopt when it would leave the
// root: "..", an absolute name, a drive letter ("C:"), an empty name or a NUL. "." parts and repeated
// separators are dropped; "\" counts as a separator.
std::optional<std::string> SafeEntryName(std::string_view raw);
// Whether a symbolic link at entryName (safe, relative) pointing to target stays below the root.
bool SymlinkStaysInside(std::string_view entryName, std::string_view target);

// Removes what a killed writer (OpenToChange, Close) left in nativeDirectory: files with a temporary name that no
// writer holds (IsTemporaryName), and the zip engine's own files beside them (such a name followed by "." and six
// letters or digits) whose temporary file is gone. Appends the paths removed.
void RemoveArchiveLeftovers(const std::string& nativeDirectory, std::vector<std::string>& removed);

// Compression for AddFile: 0 stores; 1..9 deflate at that level.
struct ZipAddOptions {
    int level = 6;
    std::string password;      // empty: not encrypted; otherwise WinZip AES-256
    std::uint32_t mode = 0644; // permission bits kept in the entry; without the owner's write bit it is read-only
};

// Watches zip_close: progress in 0..1, and a stop that abandons the new archive and leaves the old one whole.
struct ZipCloseWatch {
    std::function<void(double)> progress;
    const std::atomic<bool>* stop = nullptr;
    const std::atomic<bool>* stop2 = nullptr;
};

// All calls return 0 or the program's error code. Changes become visible only in Close(), which writes the new
// archive to a temporary file beside the old one and renames it over: the old or the new archive exists whole
// at every moment, also when the process is killed. An archive left without entries is deleted by Close().
class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // create: a missing archive is started empty instead of failing with kFileNotFound.
    [[nodiscard]] int Open(const std::string& path, bool create);
    // Opens the archive at path (or a new one when there is none) for changes that Close() writes into a copy
    // under a temporary name (IsTemporaryName) in buildDirectory (empty: beside the archive; there the copy is
    // a second name of the old archive where the file system allows it). Close() then moves the new archive
    // over the old one: a rename on one file system, else a copy to a temporary name beside it and a rename.
    // The archive itself is never written in place; Discard() removes the copy.
    [[nodiscard]] int OpenToChange(const std::string& path, const std::string& buildDirectory);
    [[nodiscard]] int List(std::vector<ZipEntry>& entries) const;
    // Adds name ("/"- or "\"-separated) from the regular file at sourcePath, or replaces the entry of that name;
    // the file is read in Close() and must be readable now (else its code). modified (UTC) is written exactly in
    // the extended-timestamp field.
    [[nodiscard]] int AddFile(std::string_view name, const std::string& sourcePath, FileTime modified,
                              const ZipAddOptions& options);
    [[nodiscard]] int AddDirectory(std::string_view name, FileTime modified);
    // Adds or replaces name as a symbolic link entry holding target (stored, never encrypted: other programs
    // read the target as the link's text).
    [[nodiscard]] int AddSymlink(std::string_view name, const std::string& target, FileTime modified);
    [[nodiscard]] int Delete(std::uint64_t index);
    // Writes the entry's data to fd, at most limit bytes: more data (a declared size that lies, a zip bomb)
    // stops with kDiskFull before the excess is written. A damaged entry gives kCrcError or kBadFormat.
    [[nodiscard]] int Extract(std::uint64_t index, int fd, std::uint64_t limit, const std::string& password) const;
    // A symbolic link entry's target (at most 4096 bytes).
    [[nodiscard]] int ReadSymlink(std::uint64_t index, std::string& target) const;
    [[nodiscard]] int Close(const ZipCloseWatch& watch = {});
    // Drops every change; the archive on disk stays as it was.
    void Discard();

private:
    [[nodiscard]] int LastError() const;
    // Compression, times, encryption and attributes of the entry just added at index at.
    [[nodiscard]] int SetAddedEntry(std::uint64_t at, FileTime modified, const ZipAddOptions& options);
    void Revert(std::uint64_t at, bool replacing);
    // After a Close() of OpenToChange: the new archive from the work name to the archive's.
    [[nodiscard]] int Place();
    void DropWork();

    zip* m_zip = nullptr;
    std::vector<std::unique_ptr<std::string>> m_kept; // symlink targets that Close() still reads
    std::string m_target;                             // OpenToChange: the archive the work copy replaces
    std::string m_work;                               // OpenToChange: where the new archive is built
    int m_workLock = -1;                              // the writer's lock on the work copy
};

} // namespace platform

// The FTP time-stamp list: for every file the program uploaded, the source file's time at the upload, kept in
// the file "<profile>.ftp" beside the profile so that later runs take the remote file's time from it.
#pragma once

#include "destinations/FtpListing.h"
#include "platform/FileTime.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One uploaded file. Directory is relative to the server root, with "\" at both ends; BaseName + Extension is
// the file name, Extension being its last "." and what follows, or empty.
struct cFtpStamp {
    std::string Directory;
    std::string BaseName;
    std::string Extension;
    platform::FileTime Stamp = 0; // the source file's last-write time (UTC) when it was uploaded

    bool operator==(const cFtpStamp&) const = default;
};

// The entries in file order, new ones appended. Every entry names one file that can live on the server (a safe
// name in safe directory levels, valid UTF-8, a time after 1601), and no two share a directory and name; both
// are compared exactly, case included. Lookups and changes go through an index, so a run stays linear in the
// number of files.
class cFtpStampList {
public:
    // Replaces the contents with the list file `path`. Returns 0; the system code of a file that cannot be read
    // (2 when it does not exist yet), 2003 for a path name the system rejects; -301 when the file ends before
    // its count of entries says; 2002 for any other damage. A later entry repeating the key of an earlier one
    // is dropped. On any failure the list is empty: a damaged file is rejected as a whole.
    [[nodiscard]] int Read(const std::string& path);
    // Writes the entries to `path`, replaced atomically (a failure keeps the old file), readable by the owner
    // only. Returns 0 or the error code (2003 for a path name the system rejects).
    [[nodiscard]] int Write(const std::string& path) const;

    // The entry of the file `fileName` in `directory`, or nullptr.
    const cFtpStamp* Find(std::string_view directory, std::string_view fileName) const;
    // After an upload: drops the file's entry and appends a new one with `stamp`. False, and the list unchanged,
    // for a directory or name the list cannot hold or a stamp that is not after 1601.
    bool Record(std::string_view directory, std::string_view fileName, platform::FileTime stamp);
    // After a delete: drops the file's entry. False when there was none.
    bool Remove(std::string_view directory, std::string_view fileName);
    // Drops the entries of `directory` whose file `listing` no longer shows. Only for a listing that succeeded:
    // a failed one looks empty and would drop every entry. Returns the number dropped.
    std::size_t RemoveGone(std::string_view directory, const TmsFTPDirList& listing);

    // The entries in file order.
    std::vector<cFtpStamp> Entries() const;
    std::size_t Size() const { return m_live; }
    void Clear();

private:
    struct cKey {
        std::string Directory;
        std::string Name;
        bool operator==(const cKey&) const = default;
    };
    // Directory and name are hashed apart: one joined text would let ("\A\Brief", ".txt") find "\A\Brief.txt".
    struct cKeyHash {
        std::size_t operator()(const cKey& key) const;
    };
    struct cSlot {
        cFtpStamp Entry;
        bool Live = true;
    };

    bool Append(cFtpStamp entry);
    void Drop(std::size_t slot);
    // Removes the dropped slots once they are as many as the live ones, so removals cost constant time on average.
    void CompactIfSparse();
    void Reindex();

    std::vector<cSlot> m_slots;
    std::unordered_map<cKey, std::size_t, cKeyHash> m_index;                 // key -> slot
    std::unordered_map<std::string, std::vector<std::size_t>> m_directories; // directory -> slots, dropped included
    std::size_t m_live = 0;
};

// The parts of a file name: the extension is the last "." and what follows (".profile" is all extension).
void SplitFtpFileName(std::string_view fileName, std::string& baseName, std::string& extension);
// Whether an entry can be held: a relative directory of safe levels, a safe name split as SplitFtpFileName
// splits it, valid UTF-8 throughout, and a stamp after 1601.
bool IsValidFtpStamp(const cFtpStamp& entry);

// The list file of a profile: the profile's file name followed by ".ftp".
std::string FtpStampFileName(std::string_view profileFile);
// Reads (writes) the list of the profile `profileFile`. A profile that has never been saved has no place for
// the list: 2003, and nothing is read or written. Otherwise as cFtpStampList::Read (Write).
[[nodiscard]] int ReadFtpStampList(cFtpStampList& list, std::string_view profileFile);
[[nodiscard]] int WriteFtpStampList(const cFtpStampList& list, std::string_view profileFile);

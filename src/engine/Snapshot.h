// The snapshot: which files every directory pair of both sides held at the end of the last complete run.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// One directory of one side: its relative directory ("\" at both ends) and the names of the files directly in
// it, in the order they were listed.
struct cSnapItem {
    std::string Directory;
    std::vector<std::string> Names;
};

// The two item lists, source and destination, always of equal length: item i of each side forms one directory
// pair. Lookups go through hash indexes kept up to date on every append; names compare exactly, as on disk.
class cSnapshot {
public:
    // Replaces the contents with the snapshot file `path`. Returns 0, the system code of a file that cannot be
    // read (2 when it does not exist yet), or 2002 when the file is damaged: a count that is no number or is
    // negative, a file that ends before its counts say, lines left over after the last block, or a directory
    // that does not begin and end with "\". On any failure the snapshot is empty, so every orphan counts as
    // new and is copied; a damaged file never decides a deletion.
    [[nodiscard]] int Read(const std::string& path);
    // Writes the pairs to `path` (replaced atomically: a failure keeps the old file). A name or directory that
    // holds CR or LF cannot be written as one line; such a name is left out, and so is a pair with such a
    // directory, so that it can never be read back as another file's entry. Returns 0 or the error code.
    [[nodiscard]] int Write(const std::string& path) const;

    // Appends one directory pair.
    void AddPair(cSnapItem source, cSnapItem dest);
    // Frees all items of both sides.
    void Clear();

    // Whether the first destination (source) item for the relative directory lists the name.
    bool InDestSnapshot(std::string_view directory, std::string_view name) const;
    bool InSourceSnapshot(std::string_view directory, std::string_view name) const;

    const std::vector<cSnapItem>& SourceItems() const { return m_source.Items; }
    const std::vector<cSnapItem>& DestItems() const { return m_dest.Items; }

private:
    struct cTextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using cNameSet = std::unordered_set<std::string, cTextHash, std::equal_to<>>;

    struct cSide {
        std::vector<cSnapItem> Items;
        // Directory -> the names of the first item with that directory.
        std::unordered_map<std::string, cNameSet, cTextHash, std::equal_to<>> Index;

        void Append(cSnapItem item);
        bool Lists(std::string_view directory, std::string_view name) const;
        void Clear();
    };

    cSide m_source;
    cSide m_dest;
};

// The snapshot file of a profile: the profile's file name followed by ".lst".
std::string SnapshotFileName(std::string_view profileFile);

// Reads (writes) the snapshot of the profile `profileFile`. A profile that has never been saved has no place
// for a snapshot: 2003, and nothing is read or written. Otherwise as cSnapshot::Read (Write).
[[nodiscard]] int ReadSnapshot(cSnapshot& snapshot, std::string_view profileFile);
[[nodiscard]] int WriteSnapshot(const cSnapshot& snapshot, std::string_view profileFile);

// Reading, writing, looking up and updating the FTP time-stamp list (one value per line, Windows-1252 or UTF-8,
// CR LF; five lines per entry after the count).
#include "destinations/FtpStampList.h"

#include "platform/ErrorCodes.h"
#include "platform/Text.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

#include <climits>
#include <cstdint>
#include <unordered_set>
#include <utility>

namespace {

// Owner only, like the profile: the file lists the names of the user's files.
constexpr platform::FileMode kStampListMode = 0600;

// Dropped slots are kept until there are at least this many, and as many as live ones.
constexpr std::size_t kMinDroppedToCompact = 64;

// A system that rejects the path name itself gets the code the run reports for a list without a place.
int PathCode(int code) {
    return code == platform::kBadPathname ? platform::kNoSnapshotUntitled : code;
}

bool IsSafeDirectory(std::string_view directory) {
    if (directory.empty() || directory.front() != '\\' || directory.back() != '\\') return false;
    if (directory.size() == 1) return true;
    std::string_view levels = directory.substr(1, directory.size() - 2);
    while (true) {
        const std::size_t end = levels.find('\\');
        if (!IsSafeFtpName(levels.substr(0, end))) return false;
        if (end == std::string_view::npos) return true;
        levels.remove_prefix(end + 1);
    }
}

// The value of one line of an entry; -301 when the file has ended, so a truncated list is told apart from a
// damaged one.
int ReadEntryText(cLineReader& reader, std::string& text) {
    if (reader.AtEnd()) return platform::kListIncomplete;
    return reader.ReadText(text) ? 0 : platform::kBadFormat;
}

int ReadEntryNumber(cLineReader& reader, int& value) {
    if (reader.AtEnd()) return platform::kListIncomplete;
    return reader.ReadNumber(value) ? 0 : platform::kBadFormat;
}

// Blank lines at the end of a file are no entries; a file whose count promises more entries than it holds
// before them ends early.
int ReadOnlyBlankLinesLeft(cLineReader& reader, int endCode) {
    std::string rest;
    while (!reader.AtEnd()) {
        if (!reader.ReadText(rest) || !rest.empty()) return platform::kBadFormat;
    }
    return endCode;
}

int ReadEntry(cLineReader& reader, cFtpStamp& entry) {
    if (int code = ReadEntryText(reader, entry.Directory); code != 0) return code;
    if (entry.Directory.empty()) return ReadOnlyBlankLinesLeft(reader, platform::kListIncomplete);
    if (int code = ReadEntryText(reader, entry.BaseName); code != 0) return code;
    if (int code = ReadEntryText(reader, entry.Extension); code != 0) return code;
    int low = 0;
    int high = 0;
    if (int code = ReadEntryNumber(reader, low); code != 0) return code;
    if (int code = ReadEntryNumber(reader, high); code != 0) return code;
    entry.Stamp = static_cast<platform::FileTime>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) |
                                                  static_cast<std::uint32_t>(low));
    return IsValidFtpStamp(entry) ? 0 : platform::kBadFormat;
}

} // namespace

void SplitFtpFileName(std::string_view fileName, std::string& baseName, std::string& extension) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) {
        baseName = fileName;
        extension.clear();
    } else {
        baseName = fileName.substr(0, dot);
        extension = fileName.substr(dot);
    }
}

bool IsValidFtpStamp(const cFtpStamp& entry) {
    if (entry.Stamp <= 0 || !IsSafeDirectory(entry.Directory)) return false;
    if (!entry.Extension.empty() &&
        (entry.Extension.front() != '.' || entry.Extension.find('.', 1) != std::string::npos))
        return false;
    if (entry.Extension.empty() && entry.BaseName.find('.') != std::string::npos) return false;
    const std::string name = entry.BaseName + entry.Extension;
    return IsSafeFtpName(name) && platform::IsValidUtf8(name) && platform::IsValidUtf8(entry.Directory);
}

std::size_t cFtpStampList::cKeyHash::operator()(const cKey& key) const {
    const std::size_t directory = std::hash<std::string>{}(key.Directory);
    const std::size_t name = std::hash<std::string>{}(key.Name);
    return directory ^ (name + 0x9e3779b97f4a7c15ULL + (directory << 6) + (directory >> 2));
}

int cFtpStampList::Read(const std::string& path) {
    Clear();
    cLineReader reader;
    if (!reader.Open(path)) return PathCode(reader.Error());
    int count = 0;
    if (!reader.ReadNumber(count, 0, INT_MAX)) return platform::kBadFormat;
    // The count only bounds the loop: a huge count in a short file ends at the file's end and never reserves
    // memory.
    for (int i = 0; i < count; ++i) {
        cFtpStamp entry;
        if (const int code = ReadEntry(reader, entry); code != 0) {
            Clear();
            return code;
        }
        Append(std::move(entry));
    }
    // Lines after the last entry mean the count does not match the entries: none of them can be trusted.
    if (ReadOnlyBlankLinesLeft(reader, 0) != 0) {
        Clear();
        return platform::kBadFormat;
    }
    return 0;
}

int cFtpStampList::Write(const std::string& path) const {
    cLineWriter writer;
    writer.AddNumber(static_cast<std::int64_t>(m_live));
    for (const cSlot& slot : m_slots) {
        if (!slot.Live) continue;
        const cFtpStamp& entry = slot.Entry;
        writer.AddText(entry.Directory);
        writer.AddText(entry.BaseName);
        writer.AddText(entry.Extension);
        const auto bits = static_cast<std::uint64_t>(entry.Stamp);
        writer.AddNumber(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
        writer.AddNumber(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32)));
    }
    return PathCode(writer.Commit(path, kStampListMode));
}

const cFtpStamp* cFtpStampList::Find(std::string_view directory, std::string_view fileName) const {
    const auto found = m_index.find(cKey{std::string(directory), std::string(fileName)});
    return found == m_index.end() ? nullptr : &m_slots[found->second].Entry;
}

bool cFtpStampList::Record(std::string_view directory, std::string_view fileName, platform::FileTime stamp) {
    cFtpStamp entry;
    entry.Directory = directory;
    SplitFtpFileName(fileName, entry.BaseName, entry.Extension);
    entry.Stamp = stamp;
    if (!IsValidFtpStamp(entry)) return false;
    Remove(directory, fileName);
    return Append(std::move(entry));
}

bool cFtpStampList::Remove(std::string_view directory, std::string_view fileName) {
    const auto found = m_index.find(cKey{std::string(directory), std::string(fileName)});
    if (found == m_index.end()) return false;
    Drop(found->second);
    CompactIfSparse();
    return true;
}

std::size_t cFtpStampList::RemoveGone(std::string_view directory, const TmsFTPDirList& listing) {
    const auto slots = m_directories.find(std::string(directory));
    if (slots == m_directories.end()) return 0;
    std::unordered_set<std::string_view> present;
    for (const TmsFTPDirEntry& listed : listing)
        if (listed.Kind == kFtpFile || listed.Kind == kFtpLink) present.insert(listed.Name);
    std::size_t dropped = 0;
    std::string name;
    for (const std::size_t slot : slots->second) {
        if (!m_slots[slot].Live) continue;
        const cFtpStamp& entry = m_slots[slot].Entry;
        name = entry.BaseName + entry.Extension;
        if (present.count(name) != 0) continue;
        Drop(slot);
        ++dropped;
    }
    CompactIfSparse();
    return dropped;
}

std::vector<cFtpStamp> cFtpStampList::Entries() const {
    std::vector<cFtpStamp> entries;
    entries.reserve(m_live);
    for (const cSlot& slot : m_slots)
        if (slot.Live) entries.push_back(slot.Entry);
    return entries;
}

void cFtpStampList::Clear() {
    m_slots.clear();
    m_index.clear();
    m_directories.clear();
    m_live = 0;
}

bool cFtpStampList::Append(cFtpStamp entry) {
    // The first entry of a key answers; a later copy of it is not kept.
    const std::size_t slot = m_slots.size();
    if (!m_index.try_emplace(cKey{entry.Directory, entry.BaseName + entry.Extension}, slot).second) return false;
    m_directories[entry.Directory].push_back(slot);
    m_slots.push_back(cSlot{std::move(entry), true});
    ++m_live;
    return true;
}

void cFtpStampList::Drop(std::size_t slot) {
    cFtpStamp& entry = m_slots[slot].Entry;
    m_index.erase(cKey{entry.Directory, entry.BaseName + entry.Extension});
    m_slots[slot].Live = false;
    --m_live;
}

void cFtpStampList::CompactIfSparse() {
    const std::size_t dropped = m_slots.size() - m_live;
    if (dropped < kMinDroppedToCompact || dropped < m_live) return;
    std::vector<cSlot> live;
    live.reserve(m_live);
    for (cSlot& slot : m_slots)
        if (slot.Live) live.push_back(std::move(slot));
    m_slots = std::move(live);
    Reindex();
}

void cFtpStampList::Reindex() {
    m_index.clear();
    m_directories.clear();
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot) {
        const cFtpStamp& entry = m_slots[slot].Entry;
        m_index.emplace(cKey{entry.Directory, entry.BaseName + entry.Extension}, slot);
        m_directories[entry.Directory].push_back(slot);
    }
}

std::string FtpStampFileName(std::string_view profileFile) {
    return std::string(profileFile) + ".ftp";
}

int ReadFtpStampList(cFtpStampList& list, std::string_view profileFile) {
    if (IsUntitledProfile(profileFile)) {
        list.Clear();
        return platform::kNoSnapshotUntitled;
    }
    return list.Read(FtpStampFileName(profileFile));
}

int WriteFtpStampList(const cFtpStampList& list, std::string_view profileFile) {
    if (IsUntitledProfile(profileFile)) return platform::kNoSnapshotUntitled;
    return list.Write(FtpStampFileName(profileFile));
}

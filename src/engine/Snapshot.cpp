// Reading, writing and looking up the snapshot file (one line per value, Windows-1252 or UTF-8, CR LF).
#include "engine/Snapshot.h"

#include "platform/ErrorCodes.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

#include <climits>
#include <utility>

namespace {

// Owner only: the file lists the names of the user's files.
constexpr platform::FileMode kSnapshotMode = 0600;

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsRelativeDirectory(std::string_view directory) {
    return !directory.empty() && directory.front() == '\\' && directory.back() == '\\';
}

[[nodiscard]] int FormatError(const cLineReader& reader) {
    return reader.Error() != 0 ? reader.Error() : platform::kBadFormat;
}

// One block: the directory, the count and that many names. The count only bounds the loop, so a huge count in
// a short file ends at the file's end with 2002 and never reserves memory.
bool ReadItem(cLineReader& reader, cSnapItem& item) {
    if (!reader.ReadText(item.Directory) || !IsRelativeDirectory(item.Directory)) return false;
    int count = 0;
    if (!reader.ReadNumber(count, 0, INT_MAX)) return false;
    std::string name;
    for (int i = 0; i < count; ++i) {
        if (!reader.ReadText(name)) return false;
        if (!name.empty()) item.Names.push_back(std::move(name));
    }
    return true;
}

void WriteItem(cLineWriter& writer, const cSnapItem& item) {
    writer.AddText(item.Directory);
    std::int64_t count = 0;
    for (const std::string& name : item.Names)
        if (!name.empty() && !HoldsLineBreak(name)) ++count;
    writer.AddNumber(count);
    for (const std::string& name : item.Names)
        if (!name.empty() && !HoldsLineBreak(name)) writer.AddText(name);
}

} // namespace

void cSnapshot::cSide::Append(cSnapItem item) {
    // Only the first item of a directory answers lookups; a later duplicate is kept but not indexed.
    auto [entry, inserted] = Index.try_emplace(item.Directory);
    if (inserted) entry->second.insert(item.Names.begin(), item.Names.end());
    Items.push_back(std::move(item));
}

bool cSnapshot::cSide::Lists(std::string_view directory, std::string_view name) const {
    auto entry = Index.find(directory);
    return entry != Index.end() && entry->second.find(name) != entry->second.end();
}

void cSnapshot::cSide::Clear() {
    Items.clear();
    Index.clear();
}

int cSnapshot::Read(const std::string& path) {
    Clear();
    cLineReader reader;
    if (!reader.Open(path)) return reader.Error();
    int pairs = 0;
    if (!reader.ReadNumber(pairs, 0, INT_MAX)) return FormatError(reader);
    for (int i = 0; i < pairs; ++i) {
        cSnapItem source;
        cSnapItem dest;
        if (!ReadItem(reader, source) || !ReadItem(reader, dest)) {
            Clear();
            return FormatError(reader);
        }
        AddPair(std::move(source), std::move(dest));
    }
    // Lines after the last block mean the counts do not match the names: the items cannot be trusted.
    std::string rest;
    while (!reader.AtEnd()) {
        if (!reader.ReadText(rest) || !rest.empty()) {
            Clear();
            return FormatError(reader);
        }
    }
    return 0;
}

int cSnapshot::Write(const std::string& path) const {
    std::int64_t pairs = 0;
    for (std::size_t i = 0; i < m_source.Items.size(); ++i)
        if (!HoldsLineBreak(m_source.Items[i].Directory) && !HoldsLineBreak(m_dest.Items[i].Directory)) ++pairs;
    cLineWriter writer;
    writer.AddNumber(pairs);
    for (std::size_t i = 0; i < m_source.Items.size(); ++i) {
        if (HoldsLineBreak(m_source.Items[i].Directory) || HoldsLineBreak(m_dest.Items[i].Directory)) continue;
        WriteItem(writer, m_source.Items[i]);
        WriteItem(writer, m_dest.Items[i]);
    }
    return writer.Commit(path, kSnapshotMode);
}

void cSnapshot::AddPair(cSnapItem source, cSnapItem dest) {
    m_source.Append(std::move(source));
    m_dest.Append(std::move(dest));
}

void cSnapshot::Clear() {
    m_source.Clear();
    m_dest.Clear();
}

bool cSnapshot::InDestSnapshot(std::string_view directory, std::string_view name) const {
    return m_dest.Lists(directory, name);
}

bool cSnapshot::InSourceSnapshot(std::string_view directory, std::string_view name) const {
    return m_source.Lists(directory, name);
}

std::string SnapshotFileName(std::string_view profileFile) {
    return std::string(profileFile) + ".lst";
}

int ReadSnapshot(cSnapshot& snapshot, std::string_view profileFile) {
    if (IsUntitledProfile(profileFile)) {
        snapshot.Clear();
        return platform::kNoSnapshotUntitled;
    }
    return snapshot.Read(SnapshotFileName(profileFile));
}

int WriteSnapshot(const cSnapshot& snapshot, std::string_view profileFile) {
    if (IsUntitledProfile(profileFile)) return platform::kNoSnapshotUntitled;
    return snapshot.Write(SnapshotFileName(profileFile));
}

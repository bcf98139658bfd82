// Rows that only the earlier formats have: full-path lists, extra-data markers, packed numbers.
#include "profile/LegacyRows.h"

#include "platform/Text.h"
#include "profile/DocumentRows.h"
#include "profile/LineReader.h"
#include "profile/Parameters.h"
#include "profile/TextList.h"
#include "profile/Utf8Prefix.h"

#include <algorithm>
#include <vector>

namespace legacy {

namespace {

// Byte 0x95 of the earlier versions' code page, as the line reader hands it out.
constexpr std::string_view kBullet = "\u2022";

} // namespace

std::optional<int> NumberRow(cRowReader& rows) {
    int value = 0;
    rows.Number(value);
    if (!rows.Ok()) return std::nullopt;
    return value;
}

std::optional<std::string> TextRow(cRowReader& rows) {
    std::string text;
    rows.Text(text);
    if (!rows.Ok()) return std::nullopt;
    return text;
}

void FullPathList(cRowReader& rows, cTextList& list, std::string* sourceDrive, bool bulletMarkers) {
    rows.Header({});
    int count = 0;
    if (!rows.Count(count)) return;
    std::vector<std::string> directories; // grows with the lines that are there, never with the count
    for (int i = 0; i < count; ++i) {
        auto entry = TextRow(rows);
        if (!entry) break;
        if (bulletMarkers && entry->ends_with(kBullet))
            entry->replace(entry->size() - kBullet.size(), kBullet.size(), "*");
        // Characters, not bytes: a hostile first character beyond ASCII must not be cut in half.
        std::string_view drive = Utf8Prefix(*entry, 2);
        std::string_view directory = std::string_view(*entry).substr(drive.size());
        bool hasDrive = Utf8Prefix(drive, 1).size() < drive.size();
        if (sourceDrive && hasDrive) {
            *sourceDrive = platform::UpperCase(drive);
            sourceDrive = nullptr;
        }
        if (!directory.empty()) directories.emplace_back(directory);
    }
    // Entries read before a failure are kept, like every other value read before it.
    list.AddAll(std::move(directories));
}

bool cMarkerReader::Next(std::string_view marker) {
    if (!m_pending) {
        std::string line;
        if (m_lines.Error() != 0 || m_lines.AtEnd() || !m_lines.ReadText(line)) return false;
        m_pending = std::move(line);
    }
    if (*m_pending == marker) {
        m_pending.reset();
        return true;
    }
    // A later block's marker waits for that block; any other line belonged to this position and is used up.
    auto position = std::find(m_markers.begin(), m_markers.end(), marker);
    auto later = position == m_markers.end() ? position : position + 1;
    if (std::find(later, m_markers.end(), *m_pending) == m_markers.end()) m_pending.reset();
    return false;
}

void SetWarningBits(int bits, const std::array<bool*, 8>& flags) {
    for (std::size_t bit = 0; bit < flags.size(); ++bit)
        *flags[bit] = ((bits >> bit) & 1) != 0;
}

void SetOldDirection(int direction, cParameters& params) {
    if (direction <= 0)
        params.SetTouchMode(eTouchMode::DestOnly);
    else if (direction == 1)
        params.SetTouchMode(eTouchMode::Both);
    else
        params.SetTouchMode(eTouchMode::SourceOnly);
}

void SetRunEndBeep(int beep, cParameters& params) {
    if (beep == 0) return;
    params.Event2Sound = true;
    params.Event2Beep = true;
}

eShortenPaths ShortenPathsFromOld(int value) {
    return value == 0 || value == 2 ? eShortenPaths::Automatic : eShortenPaths::None;
}

} // namespace legacy

// Reads the batch files of the earlier versions, which stored each entry as one full profile path.
#include "profile/LegacyReaders.h"

#include "profile/BatchParameters.h"
#include "profile/DocumentRows.h"
#include "profile/LegacyRows.h"
#include "profile/LineReader.h"
#include "profile/Utf8Prefix.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace legacy {

namespace {

// Longest directory part of an entry, in characters.
constexpr std::size_t kMaxEntryDirectory = 260;

// The root of a Windows path: "C:" for a drive letter, "\\server\share" for a UNC path, empty otherwise.
// The root is kept as written; the settings section "Drives" maps it to a directory when the batch runs.
std::string_view PathRoot(std::string_view path) {
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') return path.substr(0, 2);
    if (!path.starts_with("\\\\")) return {};
    std::size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string_view::npos) return path;
    std::size_t shareEnd = path.find('\\', serverEnd + 1);
    return path.substr(0, shareEnd);
}

// Splits a full profile path into root, folder part ("\Profile\", at most kMaxEntryDirectory characters) and
// file name, so that their concatenation gives the path again: "C:\Profile\Sicherung.tvp" gives "C:",
// "\Profile\", "Sicherung.tvp"; "\\NAS\Daten\Profile\Sicherung.tvp" gives "\\NAS\Daten", "\Profile\",
// "Sicherung.tvp". A path without a root keeps its folder part as written.
BatchEntry SplitProfilePath(std::string_view path) {
    std::string_view root = PathRoot(path);
    std::string_view rest = path.substr(root.size());
    std::size_t nameStart = rest.rfind('\\');
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::string_view directory = Utf8Prefix(rest.substr(0, nameStart), kMaxEntryDirectory);
    return {std::string(root), std::string(directory), std::string(rest.substr(nameStart)), kContinueAlways};
}

std::array<bool*, 8> BatchWarnings(cBatchParameters& b) {
    return {&b.Warning1Message, &b.Warning1Sound, &b.Warning2Message, &b.Warning2Sound,
            &b.Warning3Message, &b.Warning3Sound, &b.Warning4Message, &b.Warning4Sound};
}

// Rows 10 to 12, in file order.
constexpr std::array<std::string_view, 3> kBatchMarkers = {kExtra403, kExtra502, kExtra503};

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

void ReadBatch4(cLineReader& lines, cBatchParameters& batch) {
    cRowReader rows(lines);
    cMarkerReader markers(lines, kBatchMarkers);
    int count = 0;
    rows.Count(count);
    for (int i = 0; i < count; ++i) {
        auto path = TextRow(rows);
        if (!path) return;
        // Every counted entry is kept, even an empty one: the continuation block below counts them the same way.
        batch.AddEntry(SplitProfilePath(*path));
    }
    if (auto bits = NumberRow(rows)) SetWarningBits(*bits, BatchWarnings(batch));
    rows.Bool(batch.AutoOpen);
    rows.Bool(batch.AutoExit);
    rows.Number(batch.AutoShutdown);
    rows.Bool(batch.AutoHook);
    rows.Schedule(batch.Schedule);
    if (markers.Next(kExtra403)) rows.Bool(batch.TrayIcon);
    if (markers.Next(kExtra502)) rows.Bool(batch.WarningsOverride);
    if (markers.Next(kExtra503)) {
        for (std::size_t i = 0; i < batch.EntryCount(); ++i) {
            auto continuation = NumberRow(rows);
            if (!continuation) return;
            batch.ProfileNames.SetTag(i, *continuation);
        }
    }
}

void ReadBatch3(cLineReader& lines, cBatchParameters& batch) {
    cRowReader rows(lines);
    if (auto bits = NumberRow(rows)) SetWarningBits(*bits, BatchWarnings(batch));
    rows.Bool(batch.AutoOpen);
    rows.Bool(batch.AutoExit);
    rows.Number(batch.AutoShutdown);
    // Two rows that mean nothing any more.
    rows.Header({});
    rows.Header({});
    while (rows.Ok() && !lines.AtEnd()) {
        auto path = TextRow(rows);
        if (!path) return;
        // A blank line names no profile (a file edited by hand may end with one).
        if (!IsBlank(*path)) batch.AddEntry(SplitProfilePath(*path));
    }
}

} // namespace legacy

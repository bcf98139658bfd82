// Whole runs that carry out their actions: the expected lines of the file events and of the whole log, the
// trees afterwards (content, modification time to the nanosecond, mode), and runs in a child process for the
// faults that end or limit the process.
#pragma once

#include "RunFixture.h"

#include "log/LogEvent.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace runtest {

// Two file times before the fixture's LastRun, with their texts in the log. Functions, not constants: Local()
// needs the time zone that the fixture sets.
inline platform::FileTime Older() {
    return Local(2026, 11, 20, 8, 15, 30);
}
inline platform::FileTime Newer() {
    return Local(2026, 11, 25, 17, 45, 5);
}
inline const std::string kOlderDate = "20.11.2026", kOlderTime = "08:15:30";
inline const std::string kNewerDate = "25.11.2026", kNewerTime = "17:45:05";

// One entry of a tree as the tests compare it. A directory carries only Directory; a symlink its target as
// Content.
struct cEntryState {
    bool Directory = false;
    std::string Content;
    std::int64_t Seconds = 0;
    long Nanoseconds = 0;
    unsigned Mode = 0;
    bool operator==(const cEntryState&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const cEntryState& e) {
    if (e.Directory) return out << "<Verzeichnis>";
    return out << '"' << (e.Content.size() > 40 ? e.Content.substr(0, 40) + "..." : e.Content) << "\" " << e.Seconds
               << "." << e.Nanoseconds << " 0" << std::oct << e.Mode << std::dec;
}

// Relative path ("Projekte/A/Plan.txt", a directory with a trailing "/") -> its state.
using Tree = std::map<std::string, cEntryState>;

// What the log shows of one side of a pair: its native path and, when the file exists, its size, date and
// time texts.
struct cSide {
    std::string Path;
    std::string Size;
    std::string Date;
    std::string Time;
};

class ActionFixture : public RunFixture {
protected:
    ActionFixture() {
        // Deletions go to the trash only in the test that points the trash into the test directory.
        p.Recycle = false;
        p.Warning4Sound = false;
        p.Event1Sound = false;
        p.Event2Sound = false;
        // Sorted by path, the files of one directory stay in the order the file system listed them, which
        // differs between file systems; the preview puts them in the order of their names, so that the order
        // of the actions and of the log is the same everywhere. Directory ranges, and so the folders, keep
        // their places.
        const auto recordPlan = ui.OnPreview;
        ui.OnPreview = [recordPlan](cRunState& run) {
            if (run.RunSortMode == 0 && !run.RunReverseOrder)
                std::stable_sort(run.Candidates.begin(), run.Candidates.end(), [](const auto& a, const auto& b) {
                    return std::tie(a->DirIndex, a->BaseName, a->Extension) <
                           std::tie(b->DirIndex, b->BaseName, b->Extension);
                });
            recordPlan(run);
        };
    }

    // Writes a file whose modification time has the extra nanoseconds below the second.
    static void WriteExact(const fs::path& root, const std::string& relative, const std::string& content,
                           platform::FileTime time, long nanoseconds, unsigned mode = 0644) {
        Write(root, relative, content, time);
        const fs::path path = root / relative;
        ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
        timespec stamp = platform::TimespecFromFileTime(time);
        stamp.tv_nsec = nanoseconds;
        const timespec times[2] = {stamp, stamp};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
    }

    static Tree ReadTree(const fs::path& root) {
        Tree tree;
        if (!fs::exists(root)) return tree;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string relative = entry.path().lexically_relative(root).string();
            struct stat info {};
            if (::lstat(entry.path().c_str(), &info) != 0) continue;
            cEntryState state;
            if (S_ISDIR(info.st_mode)) {
                state.Directory = true;
                tree[relative + "/"] = state;
                continue;
            }
            if (S_ISLNK(info.st_mode)) {
                state.Content = fs::read_symlink(entry.path()).string();
            } else {
                std::ifstream in(entry.path(), std::ios::binary);
                state.Content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            }
            state.Seconds = info.st_mtim.tv_sec;
            state.Nanoseconds = info.st_mtim.tv_nsec;
            state.Mode = info.st_mode & 07777;
            tree[relative] = state;
        }
        return tree;
    }

    // The names in one directory, hidden ones included, sorted.
    static std::vector<std::string> Names(const fs::path& directory) { return testsupport::NamesIn(directory); }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // --- Expected log lines, built from the line layouts (widths in characters).

    static std::size_t Width(const std::string& text) {
        return static_cast<std::size_t>(std::count_if(
            text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    }
    static std::string Left(const std::string& text, std::size_t width) {
        return text + std::string(Width(text) < width ? width - Width(text) : 0, ' ');
    }
    static std::string Right(const std::string& text, std::size_t width) {
        return std::string(Width(text) < width ? width - Width(text) : 0, ' ') + text;
    }
    // Whole up to 60 characters, else the first 28, "..." and the last 29 (characters, not bytes).
    static std::string Shorten(const std::string& path) {
        std::vector<std::string> characters;
        for (char c : path) {
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 || characters.empty())
                characters.emplace_back(1, c);
            else
                characters.back() += c;
        }
        if (characters.size() <= 60) return path;
        std::string shortened;
        for (std::size_t i = 0; i < 28; ++i)
            shortened += characters[i];
        shortened += "...";
        for (std::size_t i = characters.size() - 29; i < characters.size(); ++i)
            shortened += characters[i];
        return shortened;
    }
    static std::string NameLine(const std::string& label, const std::string& path) {
        return "  " + Left(label, 35) + " " + Left(Shorten(path), 60);
    }
    static std::string InfoLine(const std::string& label, const cSide& side) {
        return NameLine(label, side.Path) + "  " + Right(side.Size, 14) + "  " + Right(side.Date, 15) + "  " +
               Right(side.Time, 12);
    }
    static std::string DirLine(const std::string& label, const std::string& path) {
        return "  " + Left(label, 35) + " " + path;
    }

    // A two-file event with the default file info (the old file on a second line).
    static Lines TwoFile(const std::string& label, const std::string& continuation, const cSide& from, const cSide& to,
                         const std::string& error = {}) {
        Lines lines = {InfoLine(label, from), InfoLine(continuation, to)};
        if (!error.empty()) lines.push_back("  ! " + error);
        return lines;
    }
    static Lines CopiedForward(const cSide& from, const cSide& to) {
        return TwoFile("Datei vorwärts kopiert:", "                  über:", from, to);
    }
    static Lines CopiedBackward(const cSide& from, const cSide& to) {
        return TwoFile("Datei rückwärts kopiert:", "                   über:", from, to);
    }
    static Lines CopyFailed(const cSide& from, const cSide& to, const std::string& error) {
        return TwoFile("FEHLER beim Kopieren:", "                über:", from, to, error);
    }
    static Lines Skipped(const cSide& source, const cSide& dest) {
        return TwoFile("Datei übersprungen:", "               und:", source, dest);
    }
    static std::string Deleted(const cSide& side) { return InfoLine("Datei gelöscht:", side); }
    static Lines Compared(const std::string& a, const std::string& b) {
        return {NameLine("Datei verglichen:", a), NameLine("             mit:", b)};
    }
    static std::string DirCreated(const fs::path& path) { return DirLine("Verzeichnis erstellt:", path.string()); }
    static std::string DirDeleted(const fs::path& path) { return DirLine("Verzeichnis gelöscht:", path.string()); }

    static void Append(Lines& lines, const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); }
    static Lines Join(std::initializer_list<Lines> parts) {
        Lines lines;
        for (const Lines& part : parts)
            Append(lines, part);
        return lines;
    }

    // The summary block; the verify line only with Verify, the two property lines only with CompareProperties.
    static Lines Summary(const cRunCounters& c, bool verify = false, bool properties = false) {
        const auto line = [](int count, const std::string& singular, const std::string& plural) {
            if (count == 1) return "     1 " + singular;
            const std::string number = std::to_string(count);
            return std::string(number.size() < 6 ? 6 - number.size() : 0, ' ') + number + " " + plural;
        };
        Lines lines = {
            "Zusammenfassung",
            line(c.ForwardCount, "Datei vorwärts kopiert", "Dateien vorwärts kopiert"),
            line(c.BackwardCount, "Datei rückwärts kopiert", "Dateien rückwärts kopiert"),
            line(c.SkippedCount, "Dateipaar übersprungen", "Dateipaare übersprungen"),
            line(c.DeletedCount, "einzelne Datei gelöscht", "einzelne Dateien gelöscht"),
            line(c.DirsDeletedCount, "leeres Verzeichnis gelöscht", "leere Verzeichnisse gelöscht"),
            line(c.DirsCreatedCount, "Verzeichnis erstellt", "Verzeichnisse erstellt"),
        };
        if (verify)
            lines.push_back(
                line(c.VerifiedCount, "Dateipaar erfolgreich verglichen", "Dateipaare erfolgreich verglichen"));
        if (properties) {
            lines.push_back(line(c.PropsForwardCount, "mal Dateieigenschaften vorwärts übertragen",
                                 "mal Dateieigenschaften vorwärts übertragen"));
            lines.push_back(line(c.PropsBackwardCount, "mal Dateieigenschaften rückwärts übertragen",
                                 "mal Dateieigenschaften rückwärts übertragen"));
        }
        lines.push_back(line(c.ErrorCount, "Fehler", "Fehler"));
        return lines;
    }

    // The whole log of one run started by hand at the fixture's clock.
    Lines WholeLog(const Lines& events, const Lines& summary) const {
        const std::string rule(145, '-');
        Lines lines = {"",
                       rule,
                       "Profil: " + p.ProfileFile,
                       "- gestartet von Hand",
                       "Mittwoch 09.12.2026 14:00:00",
                       "Datum-Zeit-Stempel von Dateien in Lokalzeit"};
        Append(lines, events);
        Append(lines, summary);
        lines.push_back("Mittwoch 09.12.2026 14:00:00");
        lines.push_back(rule);
        return lines;
    }

    // The summary block as the last run wrote it (from "Zusammenfassung" up to the footer).
    Lines SummaryOfLog() const {
        const Lines lines = LogLines();
        const auto first = std::find(lines.begin(), lines.end(), "Zusammenfassung");
        if (first == lines.end() || lines.end() - first < 2) return {};
        return Lines(first, lines.end() - 2);
    }

    // Runs body in a forked child, which ends with body's result as its exit status without returning into the
    // test; returns the wait status. The child's expectations are not seen: the parent checks what it left.
    static int InChild(const std::function<int()>& body) {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) ::_exit(body());
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
        return status;
    }
};

} // namespace runtest

#include "destinations/FtpListing.h"

#include "platform/Text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <optional>

namespace {

using platform::FileTime;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A listing's bytes as UTF-8: kept when they are valid UTF-8, else read as Windows-1252.
std::string AsUtf8(std::string_view bytes) {
    return platform::IsValidUtf8(bytes) ? std::string(bytes) : platform::Cp1252ToUtf8(bytes);
}

std::optional<std::int64_t> Number(std::string_view s) {
    std::int64_t value = 0;
    if (s.empty()) return std::nullopt;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || value < 0) return std::nullopt;
    return value;
}

// A blank-separated word and where it ends in the line.
struct Word {
    std::string_view Text;
    std::size_t End = 0;
};

std::vector<Word> Words(std::string_view line, std::size_t most) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (words.size() < most) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        words.push_back({line.substr(start, i - start), i});
    }
    return words;
}

TmsFTPDirEntry Unparsed(std::string_view line) {
    TmsFTPDirEntry entry;
    entry.Name = AsUtf8(line);
    return entry;
}

FileTime UnixDate(const std::vector<Word>& w, FileTime now) {
    static constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const platform::DateTime today = platform::SplitFileTime(now);
    int month = today.month;
    for (std::size_t m = 0; m < kMonths.size(); ++m)
        if (w[5].Text == kMonths[m]) month = static_cast<int>(m) + 1;
    int day = today.day;
    if (const auto d = Number(w[6].Text); d && *d <= 31) day = static_cast<int>(*d);
    int year = today.year;
    int hour = 0;
    int minute = 0;
    const std::string_view t = w[7].Text;
    if (const std::size_t colon = t.find(':'); colon != std::string_view::npos) {
        const auto h = Number(t.substr(0, colon));
        const auto mi = Number(t.substr(colon + 1));
        if (!h || !mi || *h > 23 || *mi > 59) return now;
        hour = static_cast<int>(*h);
        minute = static_cast<int>(*mi);
    } else {
        const auto y = Number(t);
        if (!y || *y < 1601 || *y > 9999) return now;
        year = static_cast<int>(*y);
    }
    return platform::TryJoinFileTime(year, month, day, hour, minute).value_or(now);
}

std::optional<TmsFTPDirEntry> TryUnix(std::string_view line, FileTime now) {
    const std::vector<Word> w = Words(line, 8);
    if (w.size() < 8) return std::nullopt;
    const std::string_view name = Trim(line.substr(w[7].End));
    if (name.empty()) return std::nullopt;
    const auto size = Number(w[4].Text);
    if (!size) return std::nullopt;
    TmsFTPDirEntry entry;
    entry.Kind = line.front() == 'd' ? kFtpDirectory : line.front() == 'l' ? kFtpLink : kFtpFile;
    entry.Size = *size;
    entry.Date = UnixDate(w, now);
    entry.Name = AsUtf8(name);
    if (entry.Kind == kFtpLink) {
        // The name is the link's own name; what follows the arrow is where it points.
        if (const std::size_t arrow = name.find(" -> "); arrow != std::string_view::npos) {
            entry.Name = AsUtf8(Trim(name.substr(0, arrow)));
            entry.LinkTarget = AsUtf8(Trim(name.substr(arrow + 4)));
        }
    }
    return entry;
}

TmsFTPDirEntry ParseUnix(std::string_view line, FileTime now) {
    if (auto entry = TryUnix(line, now)) return *entry;
    // Permissions, link count and owner can run together; a blank at these positions separates them again.
    for (const std::size_t pos : {std::size_t{24}, std::size_t{6}}) {
        if (line.size() <= pos) continue;
        std::string spaced(line);
        spaced.insert(pos, 1, ' ');
        if (auto entry = TryUnix(spaced, now)) return *entry;
    }
    return Unparsed(line);
}

// "12-31-99" and "10:30PM" (month-day-year; two-digit years below 50 are 20xx).
std::optional<FileTime> DosDate(std::string_view date, std::string_view time) {
    const std::size_t d1 = date.find('-');
    const std::size_t d2 = d1 == std::string_view::npos ? d1 : date.find('-', d1 + 1);
    const std::size_t colon = time.find(':');
    if (d2 == std::string_view::npos || colon == std::string_view::npos) return std::nullopt;
    const auto month = Number(date.substr(0, d1));
    const auto day = Number(date.substr(d1 + 1, d2 - d1 - 1));
    auto year = Number(date.substr(d2 + 1));
    std::string_view minutePart = time.substr(colon + 1);
    bool pm = false;
    bool marker = false;
    if (minutePart.size() > 2) {
        const std::string suffix = platform::UpperCase(minutePart.substr(2));
        if (suffix != "AM" && suffix != "PM") return std::nullopt;
        pm = suffix == "PM";
        marker = true;
        minutePart = minutePart.substr(0, 2);
    }
    auto hour = Number(time.substr(0, colon));
    const auto minute = Number(minutePart);
    if (!month || !day || !year || !hour || !minute || *minute > 59) return std::nullopt;
    if (date.size() - d2 - 1 <= 2) *year += *year < 50 ? 2000 : 1900;
    if (marker) {
        if (*hour < 1 || *hour > 12) return std::nullopt;
        *hour = *hour % 12 + (pm ? 12 : 0);
    }
    if (*hour > 23 || *year > 9999 || *month > 12 || *day > 31) return std::nullopt;
    return platform::TryJoinFileTime(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day),
                                     static_cast<int>(*hour), static_cast<int>(*minute));
}

TmsFTPDirEntry ParseDos(std::string_view line) {
    const std::vector<Word> w = Words(line, 2);
    if (w.size() < 2) return Unparsed(line);
    const auto date = DosDate(w[0].Text, w[1].Text);
    if (!date) return Unparsed(line);
    const std::string_view rest = Trim(line);
    const std::size_t lastBlank = rest.find_last_of(' ');
    if (lastBlank == std::string_view::npos || lastBlank < w[1].End) return Unparsed(line);
    TmsFTPDirEntry entry;
    entry.Date = *date;
    entry.Kind = platform::LowerCase(AsUtf8(line)).find("<dir>") != std::string::npos ? kFtpDirectory : kFtpFile;
    entry.Name = AsUtf8(rest.substr(lastBlank + 1));
    // The size is the word after date and time: a name with blanks keeps only its last word, but its other words
    // are no size.
    const std::vector<Word> withSize = Words(line, 3);
    const std::string_view sizeWord = withSize.size() == 3 ? withSize[2].Text : std::string_view{};
    entry.Size = Number(sizeWord).value_or(0);
    return entry;
}

TmsFTPDirEntry Parent() {
    TmsFTPDirEntry entry;
    entry.Kind = kFtpDirectory;
    entry.Name = "..";
    return entry;
}

TmsFTPDirEntry ParseHP3000(std::string_view line) {
    if (line.empty()) return Parent();
    if (line.size() < 62) return Unparsed(line);
    TmsFTPDirEntry entry;
    entry.Kind = line[15] == 'F' ? kFtpFile : kFtpDirectory;
    entry.Name = AsUtf8(Trim(line.substr(61)));
    if (entry.Name.empty()) return Unparsed(line);
    return entry;
}

TmsFTPDirEntry ParseAS400(std::string_view line) {
    if (line.empty()) return Parent();
    if (line.size() < 51) return Unparsed(line);
    TmsFTPDirEntry entry;
    entry.Kind = line.substr(40, 4) == "*FLR" ? kFtpDirectory : kFtpFile;
    entry.Size = Number(Trim(line.substr(0, 21))).value_or(0);
    std::string_view name = Trim(line.substr(50));
    if (entry.Kind == kFtpDirectory && !name.empty()) name.remove_suffix(1);
    if (name.empty()) return Unparsed(line);
    entry.Name = AsUtf8(name);
    return entry;
}

bool AS400Marker(std::string_view line) {
    if (line.find("AS400") != std::string_view::npos) return true;
    if (line.size() < 44) return false;
    const std::string_view four = line.substr(40, 4);
    return four == "*FLR" || four == "*DOC" || four == "*DIR" || four == "*LIB" || line.substr(40).starts_with("*DDIR");
}

} // namespace

TmsFTPDirEntry ParseFtpListingLine(std::string_view line, TmsServerType serverType, FileTime now) {
    switch (serverType) {
    case stDos:
        return ParseDos(line);
    case stHP3000:
        return ParseHP3000(line);
    case stAS400:
        return ParseAS400(line);
    default:
        return line.empty() ? Unparsed(line) : ParseUnix(line, now);
    }
}

TmsFTPDirList ParseFtpListing(std::string_view text, TmsServerType& serverType, FileTime now) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    while (!lines.empty() && Trim(lines.back()).empty())
        lines.pop_back();
    TmsFTPDirList list;
    if (lines.empty()) return list;

    std::size_t first = 0;
    bool insertParent = false;
    if (platform::LowerCase(lines[0].substr(0, 5)) == "total") {
        ++first;
        serverType = stUnix;
    }
    if (serverType == stAuto) {
        const std::string_view l = lines[0];
        if (std::isdigit(static_cast<unsigned char>(l.front()))) {
            serverType = stDos;
        } else if (l.find("PATH") != std::string_view::npos) {
            serverType = stHP3000;
            while (first < lines.size() &&
                   !(lines[first].size() > 16 && (lines[first][15] == 'D' || lines[first][15] == 'F')))
                ++first;
            insertParent = true;
        } else if (AS400Marker(l)) {
            serverType = stAS400;
            insertParent = true;
        } else {
            serverType = stUnix;
        }
    }
    if (insertParent) list.push_back(ParseFtpListingLine({}, serverType, now));
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (serverType == stAS400 &&
            (lines[i].find("AS400") != std::string_view::npos || lines[i].find("-----") != std::string_view::npos))
            continue;
        list.push_back(ParseFtpListingLine(lines[i], serverType, now));
    }
    return list;
}

bool IsSafeFtpName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    return true;
}

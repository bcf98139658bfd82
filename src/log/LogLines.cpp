#include "log/LogLines.h"

#include "messages/ErrorText.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Widths count characters, so UTF-8 continuation bytes are not counted.
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Every line of a run counts its path, so eight bytes are looked at a time: a continuation byte has the high
// bit set and the next one clear.
std::size_t CharacterCount(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t continuations = 0;
    std::size_t pos = 0;
    for (; text.size() - pos >= sizeof(std::uint64_t); pos += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, sizeof word);
        continuations += static_cast<std::size_t>(std::popcount(word & ~(word << 1) & kHighBits));
    }
    for (; pos < text.size(); ++pos)
        if (IsContinuationByte(text[pos])) ++continuations;
    return text.size() - continuations;
}

// Byte offset of the character with the given index (the text's size past its end).
std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (seen == index) return i;
        ++seen;
    }
    return text.size();
}

// Byte offset of the last count characters, found from the end.
std::size_t ByteOffsetOfLastCharacters(std::string_view text, std::size_t count) {
    std::size_t i = text.size();
    for (std::size_t seen = 0; seen < count && i > 0;)
        if (!IsContinuationByte(text[--i])) ++seen;
    return i;
}

// Appends text with blanks after it up to width characters.
void AppendPadRight(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    const std::size_t count = CharacterCount(text);
    if (count < width) out.append(width - count, ' ');
}

// Appends text with blanks before it up to width characters.
void AppendPadLeft(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t count = CharacterCount(text);
    if (count < width) out.append(width - count, ' ');
    out += text;
}

// Appends ShortenPath(path) and returns its length in characters.
std::size_t AppendShortenedPath(std::string& out, std::string_view path) {
    const std::size_t count = CharacterCount(path);
    if (count <= 60) {
        out += path;
        return count;
    }
    out += path.substr(0, ByteOffsetOfCharacter(path, 28));
    out += "...";
    out += path.substr(ByteOffsetOfLastCharacters(path, 29));
    return 60;
}

// A line of a file event is built in one string: there is one per file of a run.
constexpr std::size_t kLineCapacity = 192;

std::string NameLine(std::string_view label, std::string_view path) {
    std::string line;
    line.reserve(kLineCapacity);
    line += "  ";
    AppendPadRight(line, label, 35);
    line += ' ';
    const std::size_t count = AppendShortenedPath(line, path);
    if (count < 60) line.append(60 - count, ' ');
    return line;
}

std::string InfoLine(std::string_view label, std::string_view path, std::string_view size, std::string_view date,
                     std::string_view time) {
    std::string line = NameLine(label, path);
    line += "  ";
    AppendPadLeft(line, size, 14);
    line += "  ";
    AppendPadLeft(line, date, 15);
    line += "  ";
    AppendPadLeft(line, time, 12);
    return line;
}

std::string DirLine(std::string_view label, std::string_view path) {
    std::string line;
    line.reserve(kLineCapacity);
    line += "  ";
    AppendPadRight(line, label, 35);
    line += ' ';
    line += path;
    return line;
}

std::string ErrorLine(int code, std::string_view serverReply) {
    return "  ! " + ErrorText(code, serverReply);
}

struct TwoFileLabels {
    int Event;
    std::string_view Label;
    std::string_view Continuation;
    bool WithError;
};

constexpr TwoFileLabels kTwoFileEvents[] = {
    {kLogCopiedForward, "Datei vorwärts kopiert:", "                  über:", false},
    {kLogCopiedBackward, "Datei rückwärts kopiert:", "                   über:", false},
    {kLogSkipped, "Datei übersprungen:", "               und:", false},
    {kLogCopyFailed, "FEHLER beim Kopieren:", "                über:", true},
    {kLogPropsForward, "Eigenschaften vorwärts übertragen:", "                             nach:", false},
    {kLogPropsBackward, "Eigenschaften rückwärts übertragen:", "                              nach:", false},
    {kLogPropsFailed, "FEHLER beim Übertr. der Eigensch.:", "                             nach:", true},
};

struct ListFileLabels {
    int Event;
    std::string_view Success;
    std::string_view Failure;
};

constexpr ListFileLabels kListFileEvents[] = {
    {kLogSnapshotRead, "Schnappschuss gelesen:", "Schnappschuss NICHT gelesen:"},
    {kLogSnapshotWritten, "Schnappschuss geschrieben:", "Schnappschuss NICHT geschrieben:"},
    {kLogStampListRead, "Stempel-Liste gelesen:", "Stempel-Liste NICHT gelesen:"},
    {kLogStampListWritten, "Stempel-Liste geschrieben:", "Stempel-Liste NICHT geschrieben:"},
};

void AppendTwoFileLines(std::vector<std::string>& lines, const TwoFileLabels& labels, const cLogEventData& data,
                        eLogFileInfo fileInfoMode) {
    if (fileInfoMode == eLogFileInfo::NameOnly) {
        lines.push_back(NameLine(labels.Label, data.Path));
    } else {
        lines.push_back(InfoLine(labels.Label, data.Path, data.PathSize, data.PathDate, data.PathTime));
        if (fileInfoMode == eLogFileInfo::WithOldFile)
            lines.push_back(
                InfoLine(labels.Continuation, data.OtherPath, data.OtherSize, data.OtherDate, data.OtherTime));
    }
    if (labels.WithError) lines.push_back(ErrorLine(data.Code, data.ServerReply));
}

void AppendSingleFileLines(std::vector<std::string>& lines, std::string_view label, const cLogEventData& data,
                           eLogFileInfo fileInfoMode) {
    if (fileInfoMode == eLogFileInfo::NameOnly)
        lines.push_back(NameLine(label, data.Path));
    else
        lines.push_back(InfoLine(label, data.Path, data.PathSize, data.PathDate, data.PathTime));
}

void AppendCompareLines(std::vector<std::string>& lines, std::string_view label, std::string_view continuation,
                        const cLogEventData& data, eLogFileInfo fileInfoMode) {
    lines.push_back(NameLine(label, data.Path));
    if (fileInfoMode == eLogFileInfo::WithOldFile) lines.push_back(NameLine(continuation, data.OtherPath));
}

} // namespace

std::string ShortenPath(std::string_view path) {
    std::string shown;
    AppendShortenedPath(shown, path);
    return shown;
}

bool IsFileEvent(int event) {
    return (event >= kLogCopiedForward && event <= kLogDirDeleted) ||
           (event >= kLogCompared && event <= kLogStampListWritten && event != kLogSummary) || event == kLogCopyFailed;
}

bool AppendFileEventLines(std::vector<std::string>& lines, int event, const cLogEventData& data,
                          eLogFileInfo fileInfoMode) {
    for (const TwoFileLabels& labels : kTwoFileEvents) {
        if (labels.Event != event) continue;
        AppendTwoFileLines(lines, labels, data, fileInfoMode);
        return true;
    }
    for (const ListFileLabels& labels : kListFileEvents) {
        if (labels.Event != event) continue;
        if (data.Code == 0)
            lines.push_back(DirLine(labels.Success, data.Path));
        else
            lines.push_back(DirLine(labels.Failure, data.Path) + "  ! " + ErrorText(data.Code, data.ServerReply));
        return true;
    }
    switch (event) {
    case kLogDeleted:
        AppendSingleFileLines(lines, "Datei gelöscht:", data, fileInfoMode);
        return true;
    case kLogDeleteFailed:
        AppendSingleFileLines(lines, "FEHLER beim Löschen:", data, fileInfoMode);
        lines.push_back(ErrorLine(data.Code, data.ServerReply));
        return true;
    case kLogCompared:
        AppendCompareLines(lines, "Datei verglichen:", "             mit:", data, fileInfoMode);
        return true;
    case kLogCompareFailed:
        AppendCompareLines(lines, "FEHLER beim Vergleichen:", "                    mit:", data, fileInfoMode);
        lines.push_back(ErrorLine(data.Code, data.ServerReply));
        return true;
    case kLogDirCreated:
        lines.push_back(DirLine("Verzeichnis erstellt:", data.Path));
        return true;
    case kLogDirCreateFailed:
        lines.push_back(DirLine("FEHLER beim Erstellen des Verzeichnisses:", data.Path));
        lines.push_back(ErrorLine(data.Code, data.ServerReply));
        return true;
    case kLogDirDeleted:
        lines.push_back(DirLine("Verzeichnis gelöscht:", data.Path));
        return true;
    default:
        return false;
    }
}

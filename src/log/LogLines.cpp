#include "log/LogLines.h"

#include "messages/ErrorText.h"

#include <cstddef>

namespace {

// Widths count characters, so UTF-8 continuation bytes are not counted.
bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if (!IsContinuationByte(c)) ++count;
    return count;
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

std::string PadRight(std::string_view text, std::size_t width) {
    std::string result(text);
    std::size_t count = CharacterCount(text);
    if (count < width) result.append(width - count, ' ');
    return result;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::size_t count = CharacterCount(text);
    std::string result = count < width ? std::string(width - count, ' ') : std::string();
    result += text;
    return result;
}

std::string NameLine(std::string_view label, std::string_view path) {
    return "  " + PadRight(label, 35) + " " + PadRight(ShortenPath(path), 60);
}

std::string InfoLine(std::string_view label, std::string_view path, std::string_view size, std::string_view date,
                     std::string_view time) {
    return NameLine(label, path) + "  " + PadLeft(size, 14) + "  " + PadLeft(date, 15) + "  " + PadLeft(time, 12);
}

std::string DirLine(std::string_view label, std::string_view path) {
    return "  " + PadRight(label, 35) + " " + std::string(path);
}

std::string ErrorLine(int code) {
    return "  ! " + ErrorText(code);
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
    if (labels.WithError) lines.push_back(ErrorLine(data.Code));
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
    std::size_t count = CharacterCount(path);
    if (count <= 60) return std::string(path);
    std::string_view head = path.substr(0, ByteOffsetOfCharacter(path, 28));
    std::string_view tail = path.substr(ByteOffsetOfCharacter(path, count - 29));
    return std::string(head) + "..." + std::string(tail);
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
            lines.push_back(DirLine(labels.Failure, data.Path) + "  ! " + ErrorText(data.Code));
        return true;
    }
    switch (event) {
    case kLogDeleted:
        AppendSingleFileLines(lines, "Datei gelöscht:", data, fileInfoMode);
        return true;
    case kLogDeleteFailed:
        AppendSingleFileLines(lines, "FEHLER beim Löschen:", data, fileInfoMode);
        lines.push_back(ErrorLine(data.Code));
        return true;
    case kLogCompared:
        AppendCompareLines(lines, "Datei verglichen:", "             mit:", data, fileInfoMode);
        return true;
    case kLogCompareFailed:
        AppendCompareLines(lines, "FEHLER beim Vergleichen:", "                    mit:", data, fileInfoMode);
        lines.push_back(ErrorLine(data.Code));
        return true;
    case kLogDirCreated:
        lines.push_back(DirLine("Verzeichnis erstellt:", data.Path));
        return true;
    case kLogDirCreateFailed:
        lines.push_back(DirLine("FEHLER beim Erstellen des Verzeichnisses:", data.Path));
        lines.push_back(ErrorLine(data.Code));
        return true;
    case kLogDirDeleted:
        lines.push_back(DirLine("Verzeichnis gelöscht:", data.Path));
        return true;
    default:
        return false;
    }
}

#include "log/Log.h"

#include "log/LogLines.h"
#include "log/LogMessageLines.h"
#include "log/LogRunLines.h"
#include "platform/Clock.h"
#include "platform/GermanFormat.h"
#include "platform/Text.h"
#include "profile/Parameters.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

// The events of normal operation, which NoNormal leaves out.
bool IsNormalOperation(int event) {
    switch (event) {
    case kLogCopiedForward:
    case kLogCopiedBackward:
    case kLogSkipped:
    case kLogDeleted:
    case kLogDirCreated:
    case kLogDirDeleted:
    case kLogCompared:
        return true;
    default:
        return false;
    }
}

// The lines of files that went well, many per run: held back and written in bulk. Everything else (the frame,
// notes, warnings, errors) goes to the file at once, after what is held.
bool IsRoutine(int event) {
    return IsNormalOperation(event) || event == kLogPropsForward || event == kLogPropsBackward;
}

// Makes a line safe to show, in place. A file name may hold bytes that are no UTF-8: they show escaped, so the
// log stays readable as a whole. A control character from a file name (a line break above all) would break the
// line or forge another; it shows as "?", as ls -q shows it.
void MakeShowable(std::string& line) {
    if (!platform::IsValidUtf8(line)) line = platform::EscapeInvalidUtf8(line);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
}

} // namespace

int OpenLog(cLog& log, cParameters& params) {
    cLogParameters& settings = params.Log;
    if (!settings.Active) return platform::kSuccess;
    log.m_file.Close();
    log.m_memoryOnly = false;
    settings.IsOpen = true;
    settings.ResolveLogFile(params.DateOffset);
    const int code = settings.ActualFileName.empty() ? platform::kInvalidName
                                                     : log.m_file.Open(settings.ActualFileName, settings.Append);
    if (code != platform::kSuccess) settings.IsOpen = false;
    return code;
}

void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data) {
    const cLogParameters& settings = params.Log;
    if (!settings.Active || !settings.IsOpen || (!log.m_file.IsOpen() && !log.m_memoryOnly)) return;
    if (settings.NoNormal && IsNormalOperation(event)) return;
    std::vector<std::string>& lines = log.m_lines;
    lines.clear();
    if (IsFileEvent(event)) {
        if (settings.DateTimeMode == eLogDateTime::EveryFile)
            lines.push_back(platform::FormatDateTime("tt", platform::NowLocal()));
        if (!AppendFileEventLines(lines, event, data, settings.FileInfoMode)) return;
    } else if (std::optional<std::string> line = MessageEventLine(event, data)) {
        lines.push_back(std::move(*line));
    } else if (!AppendRunEventLines(lines, params, event, data)) {
        return;
    }
    for (std::string& line : lines) {
        MakeShowable(line);
        if (log.m_memoryOnly) {
            log.m_text += line;
            log.m_text += "\r\n";
        }
    }
    if (log.m_memoryOnly) return;
    if (IsRoutine(event))
        log.m_file.HoldLines(lines);
    else
        log.m_file.AppendLines(lines);
}

void FlushLog(cLog& log) {
    log.m_file.Flush();
}

void FlushLogIfDue(cLog& log) {
    log.m_file.FlushIfDue();
}

void OpenLogInMemory(cLog& log, cParameters& params) {
    log.m_file.Close();
    log.m_memoryOnly = true;
    log.m_text.clear();
    params.Log.IsOpen = params.Log.Active;
}

std::string LogText(const cLog& log) {
    return log.m_text;
}

void CloseLog(cLog& log, const cParameters&) {
    log.m_file.Close();
}

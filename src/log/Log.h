// The run's log writer: opens the log file, writes the numbered events of a run, and closes the file.
#pragma once

#include "log/LogEvent.h"
#include "log/LogFile.h"

#include <string>
#include <vector>

class cParameters;

// One run's log output, written to its file as the run goes (cLogFile chooses the encoding), or kept in memory
// for a run that must not write anything.
class cLog {
public:
    cLog() = default;
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

private:
    friend int OpenLog(cLog& log, cParameters& params);
    friend void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data);
    friend void CloseLog(cLog& log, const cParameters& params);
    friend void OpenLogInMemory(cLog& log, cParameters& params);
    friend std::string LogText(const cLog& log);
    friend void FlushLog(cLog& log);
    friend void FlushLogIfDue(cLog& log);

    cLogFile m_file;
    bool m_memoryOnly = false;
    std::string m_text;               // the lines of a log kept in memory, each ended by CR LF
    std::vector<std::string> m_lines; // the lines of the event being written, kept for its capacity
};

// Resolves params.Log.ActualFileName and opens it: for appending when Append is set and the file exists,
// otherwise created anew. Sets params.Log.IsOpen. Returns 0 (also for an inactive log) or the error code, with
// IsOpen false: kInvalidName when the name resolved to nothing, else the error of opening the file.
[[nodiscard]] int OpenLog(cLog& log, cParameters& params);

// Writes the lines of one event (LogEventCode) unless the log is inactive or not open, or NoNormal filters the
// event. Unknown events write nothing. Bytes that are no UTF-8 (from a file name) show as "\xHH", control
// characters as "?". Never fails. The lines of a file that went well (copied, skipped, deleted, compared, a
// directory created or deleted, properties transferred) are held back for up to a second (see cLogFile);
// every other event reaches the file at once, with what was held before it.
void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data = {});

// Writes the held lines: at the start of every phase of a run, so a run that is killed leaves what it did.
void FlushLog(cLog& log);
// Writes the held lines when the oldest has waited a second. Cheap enough for every yield point of a run, so
// the lines reach the file during a long copy as well.
void FlushLogIfDue(cLog& log);

// Writes the held lines and closes the file.
void CloseLog(cLog& log, const cParameters& params);

// For a run that must not write anything: the events are collected as OpenLog's would be (when the log is
// active), but no file is opened and CloseLog writes nothing.
void OpenLogInMemory(cLog& log, cParameters& params);
// The text written since the log was opened, lines ended by CR LF.
std::string LogText(const cLog& log);

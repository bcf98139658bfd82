// The run's log writer: opens the log file, writes the numbered events of a run, and closes the file.
#pragma once

#include "log/LogEvent.h"
#include "log/LogFile.h"

#include <string>

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

    cLogFile m_file;
    bool m_memoryOnly = false;
    std::string m_text; // the lines of a log kept in memory, each ended by CR LF
};

// Resolves params.Log.ActualFileName and opens it: for appending when Append is set and the file exists,
// otherwise created anew. Sets params.Log.IsOpen. Returns 0 (also for an inactive log) or the error code, with
// IsOpen false: kInvalidName when the name resolved to nothing, else the error of opening the file.
[[nodiscard]] int OpenLog(cLog& log, cParameters& params);

// Writes the lines of one event (LogEventCode) unless the log is inactive or not open, or NoNormal filters the
// event. Unknown events write nothing. Bytes that are no UTF-8 (from a file name) show as "\xHH", control
// characters as "?". Never fails.
void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data = {});

// Closes the file; every line is in it already (lines are written as they come, so a run that is killed
// leaves what it logged, and no flush is needed at phase changes).
void CloseLog(cLog& log, const cParameters& params);

// For a run that must not write anything: the events are collected as OpenLog's would be (when the log is
// active), but no file is opened and CloseLog writes nothing.
void OpenLogInMemory(cLog& log, cParameters& params);
// The text written since the log was opened, lines ended by CR LF.
std::string LogText(const cLog& log);

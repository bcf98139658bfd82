// The run's log writer: opens the log file, writes the numbered events of a run, and closes the file.
#pragma once

#include "log/LogEvent.h"

#include <string>

class cParameters;

// One run's log output. The text of a run is collected in memory and reaches the file in CloseLog, so that
// the file's encoding can be chosen for the whole run: Windows-1252 with CR LF when the text fits, otherwise
// UTF-8. An existing file that is UTF-8 gets the new part in UTF-8 too; a Windows-1252 file whose new part
// does not fit Windows-1252 is rewritten whole in UTF-8 (atomically), so the file never mixes encodings.
class cLog {
public:
    cLog() = default;
    ~cLog();
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

private:
    friend bool OpenLog(cLog& log, cParameters& params);
    friend void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data);
    friend void CloseLog(cLog& log, const cParameters& params);
    friend void OpenLogInMemory(cLog& log, cParameters& params);
    friend std::string LogText(const cLog& log);

    int m_fd = -1;
    bool m_memoryOnly = false;
    std::string m_existingBytes; // the file's content before this run (appending only)
    std::string m_pending;       // this run's lines in UTF-8, each ended by CR LF
};

// Resolves params.Log.ActualFileName and opens it: for appending when Append is set and the file exists,
// otherwise created anew. Sets params.Log.IsOpen. An empty name raises message 30101, a file that cannot be
// opened message 30102 (with the name and the error text); the run then goes on without a log. Returns
// false only when the user answered No to such a message, i.e. the run is to be aborted.
bool OpenLog(cLog& log, cParameters& params);

// Writes the lines of one event (LogEventCode) unless the log is inactive or not open, or NoNormal filters the
// event. Unknown events write nothing. Never fails.
void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data = {});

// Writes the run's text to the file and closes it; errors are swallowed and the text is then lost.
void CloseLog(cLog& log, const cParameters& params);

// For a run that must not write anything: the events are collected as OpenLog's would be (when the log is
// active), but no file is opened and CloseLog writes nothing.
void OpenLogInMemory(cLog& log, cParameters& params);
// The text written since the log was opened, lines ended by CR LF.
std::string LogText(const cLog& log);

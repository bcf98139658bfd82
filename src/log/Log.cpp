#include "log/Log.h"

#include "log/LogLines.h"
#include "log/LogMessageLines.h"
#include "log/LogRunLines.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/ErrorCodes.h"
#include "platform/GermanFormat.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "shell/messages/UserMessage.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kAnswerNo = 7;

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

// Reads the whole file from its start; false on a read error.
bool ReadAll(int fd, std::string& bytes) {
    bytes.clear();
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool HoldsNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Opens the log file as OpenLog describes and, when appending, reads what it holds; the program's error code
// on failure. Only a regular file is taken: a FIFO or device would never give back what is written.
int OpenLogFile(int& fd, std::string& existing, const std::string& path, bool append) {
    int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | (append ? O_APPEND : O_TRUNC);
    fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) return platform::ErrorFromErrno(errno);
    int code = 0;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        code = platform::ErrorFromErrno(errno);
    else if (!S_ISREG(info.st_mode))
        code = platform::kAccessDenied;
    else if (append && !ReadAll(fd, existing))
        code = platform::ErrorFromErrno(errno);
    if (code != 0) {
        ::close(fd);
        fd = -1;
    }
    return code;
}

} // namespace

cLog::~cLog() {
    if (m_fd >= 0) ::close(m_fd);
}

bool OpenLog(cLog& log, cParameters& params) {
    cLogParameters& settings = params.Log;
    if (!settings.Active) return true;
    if (log.m_fd >= 0) ::close(log.m_fd);
    log.m_fd = -1;
    log.m_existingBytes.clear();
    log.m_pending.clear();
    settings.IsOpen = true;
    settings.ResolveLogFile(params.DateOffset);
    if (settings.ActualFileName.empty()) {
        settings.IsOpen = false;
        return UserMessage(params, 30101) != kAnswerNo;
    }
    int code = OpenLogFile(log.m_fd, log.m_existingBytes, settings.ActualFileName, settings.Append);
    if (code != 0) {
        settings.IsOpen = false;
        cMessageArgs args;
        args.Text1 = settings.ActualFileName;
        args.Error = code;
        return UserMessage(params, 30102, args) != kAnswerNo;
    }
    return true;
}

void WriteLogEvent(cLog& log, const cParameters& params, int event, const cLogEventData& data) {
    const cLogParameters& settings = params.Log;
    if (!settings.Active || !settings.IsOpen || (log.m_fd < 0 && !log.m_memoryOnly)) return;
    if (settings.NoNormal && IsNormalOperation(event)) return;
    std::vector<std::string> lines;
    if (IsFileEvent(event)) {
        if (settings.DateTimeMode == 2) lines.push_back(platform::FormatDateTime("tt", platform::NowLocal()));
        if (!AppendFileEventLines(lines, event, data, settings.FileInfoMode)) return;
    } else if (std::optional<std::string> line = MessageEventLine(event, data)) {
        lines.push_back(std::move(*line));
    } else if (!AppendRunEventLines(lines, params, event, data)) {
        return;
    }
    for (std::string& line : lines) {
        // A control character from a file name (a line break above all) would break the line or forge another;
        // it shows as "?", as ls -q shows it.
        for (char& c : line)
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        log.m_pending += line;
        log.m_pending += "\r\n";
    }
}

void OpenLogInMemory(cLog& log, cParameters& params) {
    if (log.m_fd >= 0) ::close(log.m_fd);
    log.m_fd = -1;
    log.m_memoryOnly = true;
    log.m_existingBytes.clear();
    log.m_pending.clear();
    params.Log.IsOpen = params.Log.Active;
}

std::string LogText(const cLog& log) {
    return log.m_pending;
}

void CloseLog(cLog& log, const cParameters& params) {
    const cLogParameters& settings = params.Log;
    if (!settings.Active || !settings.IsOpen || log.m_fd < 0) return;
    const std::string& existing = log.m_existingBytes;
    if (platform::IsValidUtf8(existing) && HoldsNonAscii(existing)) {
        WriteAll(log.m_fd, log.m_pending);
    } else {
        std::string whole = platform::EncodeFileText(platform::Cp1252ToUtf8(existing) + log.m_pending);
        if (whole.compare(0, existing.size(), existing) == 0) {
            WriteAll(log.m_fd, std::string_view(whole).substr(existing.size()));
        } else {
            struct stat info {};
            mode_t mode = ::fstat(log.m_fd, &info) == 0 ? (info.st_mode & 07777) : 0644;
            platform::WriteFileAtomically(settings.ActualFileName, whole, mode);
        }
    }
    ::close(log.m_fd);
    log.m_fd = -1;
    log.m_existingBytes.clear();
    log.m_pending.clear();
}

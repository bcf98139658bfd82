// The program's error codes (Windows-style system codes and its own), and the mapping from errno.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Codes that the program uses by name. Positive codes below 1235 are Windows system error codes.
enum ErrorCode : int {
    kSuccess = 0,
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kWriteProtected = 19,
    kNotReady = 21,
    kCrcError = 23,
    kWriteFault = 29,
    kReadFault = 30,
    kGeneralFailure = 31,
    kSharingViolation = 32,
    kLockViolation = 33,
    kFileExists = 80,
    kInvalidParameter = 87,
    kFilenameTooLong = 111,
    kDiskFull = 112,
    kInvalidName = 123,
    kDirNotEmpty = 145,
    kBadPathname = 161,
    kAlreadyExists = 183,
    kPathTooLong = 206,
    kNotSupported = 50,
    kNetworkUnreachable = 1231,
    kCancelled = 1235,
    kSizesDiffer = 2000,
    kContentsDiffer = 2001,
    kBadFormat = 2002,
    kNoSnapshotUntitled = 2003,
    kUnknownFileError = -101,
    kFileReadOnly = -102,
    kSourceChanged = -103,  // the source changed while it was copied
    kLinkInPath = -104,     // a directory on the way is a symbolic link, which the program never goes through
    kPathLeavesRoot = -105, // ".." or an absolute part would lead out of the root
    kNotRegularFile = -106, // a directory, FIFO, socket or device node where a file is read
    kFtpFileNotFound = -201,
    kFtpCannotWrite = -202,
    kFtpCannotAccessDirectory = -203,
    kFtpFileNotFound2 = -204,
    kListIncomplete = -301,
    kFtpCommandFailed = -302,
    kSocketTimeOut = -303,       // the other side did not answer within the time-out
    kSocketConnectFailed = -304, // no connection to the host (unknown name, refused, unreachable)
    kSocketClosed = -305,        // the other side closed or broke the connection
    kFtpBadReply = -306,         // a reply or listing line that is overlong, endless or malformed
    kFtpUnsafeName = -307,       // a listed name holding "/", "\" or control characters
    kTlsFailed = -308,           // no encrypted connection: the handshake failed or the certificate is not trusted
    kTlsNotOffered = -309,       // the server offers no STARTTLS, so a password is not sent
};

// errno values without a Windows counterpart are carried as kErrnoBase + errno.
inline constexpr int kErrnoBase = 100000;

// Maps an errno value to the program's code (0 stays 0).
[[nodiscard]] int ErrorFromErrno(int err);

// The operating system's own message for a code made by ErrorFromErrno from an errno without a
// Windows counterpart; std::nullopt for every other code.
std::optional<std::string> SystemMessage(int code);

} // namespace platform

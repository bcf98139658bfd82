// TmsFTPClient: the program's FTP client. One control connection; a data connection per listing and transfer,
// opened by the server (PORT) or, when asked or when that fails, by the client (PASV, EPSV on IPv6).
#pragma once

#include "destinations/FtpListing.h"
#include "platform/Socket.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

enum TmsTransferType { ttBinary, ttASCII };

// Hands the next bytes to send into buffer (got 0 at the end); returns 0 or an error code.
using FtpDataSource = std::function<int(std::span<char> buffer, std::size_t& got)>;
// Takes the next bytes received; returns 0 or an error code.
using FtpDataSink = std::function<int(std::string_view bytes)>;

// The client's events, raised on the calling thread. OnLineSent shows the password as "PASS ****".
struct FtpEvents {
    std::function<void(const std::string&)> OnLineSent;
    std::function<void(const std::string&)> OnLineReceived;
    std::function<void()> OnDataTransferStart;
    std::function<void(std::int64_t)> OnDataTransferProgress;
    std::function<void()> OnDataTransferTerminate;
};

// Every operation returns 0 or the program's error code: kFtpCommandFailed (the server's reply line is
// ReplyText()), kSocketTimeOut, kSocketConnectFailed, kSocketClosed, kFtpBadReply, kFtpUnsafeName, kCancelled.
// A failed operation leaves the connection open when it still works; the caller decides whether to go on.
class TmsFTPClient {
public:
    std::string Host;
    std::uint16_t Port = 21;
    std::string UserName;
    std::string Password;
    int TimeOut = 30; // seconds, for every wait
    bool PassiveMode = false;
    TmsTransferType TransferType = ttBinary;
    TmsServerType ServerType = stAuto;
    platform::StopFlags Stop; // the run's flags: a raised flag ends any wait with kCancelled
    FtpEvents Events;

    [[nodiscard]] int Login();
    [[nodiscard]] int Quit();
    [[nodiscard]] int PrintWorkingDirectory(std::string& path);
    [[nodiscard]] int ChangeDirectory(const std::string& path);
    // Lists the working directory into DirList(). A name that could lead elsewhere ("/", "\", control characters)
    // gives kFtpUnsafeName with the entry left as kFtpUnparsed; "." and ".." entries are left out.
    [[nodiscard]] int ListDirectory();
    [[nodiscard]] int StoreFile(const FtpDataSource& source, const std::string& remotePath);
    [[nodiscard]] int RetrieveFile(const std::string& remotePath, const FtpDataSink& sink);
    [[nodiscard]] int DeleteRemoteFile(const std::string& path);
    [[nodiscard]] int MakeDirectory(const std::string& path);
    [[nodiscard]] int RemoveDirectory(const std::string& path);
    // The server's modification time of a file as its 14 digits "YYYYMMDDHHMMSS" (UTC).
    [[nodiscard]] int ReadModificationTime(const std::string& path, std::string& stamp);
    // Sets a file's modification time (14 digits, UTC): "MDTM stamp path", and where the server refuses that,
    // "MFMT stamp path"; the form that worked is kept for the connection.
    [[nodiscard]] int SetModificationTime(const std::string& path, const std::string& stamp);
    // Ends a running transfer from inside one of its events (the transfer then returns kCancelled).
    void Abort() { m_abortRequested = true; }
    [[nodiscard]] int SendLine(const std::string& text);
    [[nodiscard]] int ReadLine(std::string& text);
    // Sends a command and reads its reply (code in ReplyCode()).
    [[nodiscard]] int Command(const std::string& text);

    [[nodiscard]] const std::string& ReplyText() const { return m_replyText; }
    [[nodiscard]] int ReplyCode() const { return m_replyCode; }
    [[nodiscard]] const TmsFTPDirList& DirList() const { return m_dirList; }
    [[nodiscard]] bool Connected() const { return m_control.IsOpen(); }
    // True once a data connection of this connection went passive (asked for, or after PORT failed).
    [[nodiscard]] bool UsingPassive() const { return m_passive; }

private:
    enum class SetTimeForm { Unknown, Mdtm, Mfmt };
    [[nodiscard]] platform::WaitLimits Limits() const { return {TimeOut, Stop}; }
    [[nodiscard]] int ReadReply();
    [[nodiscard]] int Expect(const std::string& text, char firstDigit);
    [[nodiscard]] int Transfer(const std::string& type, const std::string& command, const FtpDataSource* source,
                               const FtpDataSink* sink);
    [[nodiscard]] int TransferOnce(const std::string& command, const FtpDataSource* source, const FtpDataSink* sink,
                                   bool& retryPassive);
    [[nodiscard]] int OpenPassive(platform::Socket& data);
    [[nodiscard]] int MoveData(platform::Socket& data, const FtpDataSource* source, const FtpDataSink* sink);
    void AbortTransfer();
    void Fail();
    void MaskPassword(std::string& line) const;

    platform::Socket m_control;
    std::string m_buffer; // bytes received on the control connection, not yet taken as lines
    std::string m_replyText;
    int m_replyCode = -1;
    TmsFTPDirList m_dirList;
    bool m_passive = false;
    bool m_abortRequested = false;
    SetTimeForm m_setTimeForm = SetTimeForm::Unknown;
    std::string m_typeSet; // the TYPE command the server accepted last on this connection
};

#include "destinations/FtpClient.h"

#include "platform/Clock.h"
#include "platform/ErrorCodes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

using platform::kCancelled;
using platform::kFtpBadReply;
using platform::kFtpCommandFailed;

// Bounds for what a server sends: one reply line, one reply of several lines, one listing and one listing line.
constexpr std::size_t kMaxLine = 4096;
constexpr std::size_t kMaxReplyLines = 200;
constexpr std::size_t kMaxListing = 64u << 20;
constexpr std::size_t kMaxListingLine = 4096;
constexpr std::size_t kChunk = 64 * 1024;
// How long the clean-up after a stopped transfer may wait for the server.
constexpr int kAbortSeconds = 1;

int CodeOf(std::string_view line) {
    if (line.size() < 3) return -1;
    int code = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[i]))) return -1;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

bool IsStamp(std::string_view s) {
    return s.size() == 14 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The numbers of a PASV reply "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)".
bool PassivePort(std::string_view reply, std::uint16_t& port) {
    const std::size_t open = reply.find('(', 3);
    std::string_view rest = reply.substr(open == std::string_view::npos ? 4 : open + 1);
    std::array<int, 6> n{};
    for (std::size_t i = 0; i < n.size(); ++i) {
        std::size_t digits = 0;
        int value = 0;
        while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits])) && digits < 4)
            value = value * 10 + (rest[digits++] - '0');
        if (digits == 0 || value > 255) return false;
        n[i] = value;
        rest.remove_prefix(digits);
        if (i + 1 < n.size()) {
            if (rest.empty() || rest.front() != ',') return false;
            rest.remove_prefix(1);
        }
    }
    port = static_cast<std::uint16_t>(n[4] * 256 + n[5]);
    return port != 0;
}

// The port of an EPSV reply "229 Entering Extended Passive Mode (|||6446|)".
bool ExtendedPassivePort(std::string_view reply, std::uint16_t& port) {
    const std::size_t start = reply.find("|||");
    if (start == std::string_view::npos) return false;
    std::string_view rest = reply.substr(start + 3);
    int value = 0;
    std::size_t digits = 0;
    while (digits < rest.size() && digits < 5 && std::isdigit(static_cast<unsigned char>(rest[digits])))
        value = value * 10 + (rest[digits++] - '0');
    if (digits == 0 || digits >= rest.size() || rest[digits] != '|' || value == 0 || value > 65535) return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

} // namespace

void TmsFTPClient::MaskPassword(std::string& line) const {
    // A server that repeats the password must not bring it into the dialogue, a log or an error message.
    if (Password.empty()) return;
    for (std::size_t at = line.find(Password); at != std::string::npos; at = line.find(Password, at + 4))
        line.replace(at, Password.size(), "****");
}

void TmsFTPClient::Fail() {
    m_control.Close();
    m_buffer.clear();
}

int TmsFTPClient::SendLine(const std::string& text) {
    if (!m_control.IsOpen()) return platform::kSocketClosed;
    // A line end inside a name would send a second command of the name's choosing.
    if (text.find_first_of("\r\n") != std::string::npos) return platform::kInvalidName;
    if (Events.OnLineSent) Events.OnLineSent(text.starts_with("PASS ") ? std::string("PASS ****") : text);
    const int rc = m_control.SendAll(text + "\r\n", Limits());
    if (rc != 0 && rc != kCancelled) Fail();
    return rc;
}

int TmsFTPClient::ReadLine(std::string& text) {
    if (!m_control.IsOpen()) return platform::kSocketClosed;
    for (;;) {
        const std::size_t end = m_buffer.find('\n');
        if (end != std::string::npos && end <= kMaxLine) {
            text.assign(m_buffer, 0, end);
            m_buffer.erase(0, end + 1);
            if (!text.empty() && text.back() == '\r') text.pop_back();
            MaskPassword(text);
            if (Events.OnLineReceived) Events.OnLineReceived(text);
            return 0;
        }
        if (m_buffer.size() > kMaxLine) {
            Fail();
            return kFtpBadReply;
        }
        char chunk[1024];
        std::size_t got = 0;
        const int rc = m_control.Receive(chunk, sizeof chunk, got, Limits());
        if (rc == 0 && got == 0) {
            Fail();
            return platform::kSocketClosed;
        }
        if (rc != 0) {
            if (rc != kCancelled) Fail();
            return rc;
        }
        m_buffer.append(chunk, got);
    }
}

int TmsFTPClient::ReadReply() {
    std::string line;
    if (const int rc = ReadLine(line)) return rc;
    const int code = CodeOf(line);
    if (code > 0 && line.size() > 3 && line[3] == '-') {
        for (std::size_t count = 1;; ++count) {
            if (count > kMaxReplyLines) {
                Fail();
                return kFtpBadReply;
            }
            if (const int rc = ReadLine(line)) return rc;
            if (CodeOf(line) == code && line.find(' ') == 3) break;
        }
    }
    m_replyCode = code;
    m_replyText = line;
    return 0;
}

int TmsFTPClient::Command(const std::string& text) {
    if (const int rc = SendLine(text)) return rc;
    return ReadReply();
}

int TmsFTPClient::Expect(const std::string& text, char firstDigit) {
    if (const int rc = Command(text)) return rc;
    return m_replyCode / 100 == firstDigit - '0' ? 0 : kFtpCommandFailed;
}

int TmsFTPClient::Login() {
    Fail();
    m_passive = false;
    m_setTimeForm = SetTimeForm::Unknown;
    m_typeSet.clear();
    m_replyText.clear();
    m_replyCode = -1;
    if (const int rc = m_control.Connect(Host, Port, Limits())) return rc;
    if (const int rc = ReadReply()) return rc;
    if (m_replyCode != 220) return kFtpCommandFailed;
    if (const int rc = Command("USER " + UserName)) return rc;
    if (m_replyCode != 230 && m_replyCode != 331 && m_replyCode != 332) return kFtpCommandFailed;
    if (const int rc = Command("PASS " + Password)) return rc;
    if (m_replyCode != 230 && m_replyCode != 202) return kFtpCommandFailed;
    return 0;
}

int TmsFTPClient::Quit() {
    int rc = Expect("QUIT", '2');
    Fail();
    return rc;
}

int TmsFTPClient::PrintWorkingDirectory(std::string& path) {
    if (const int rc = Expect("PWD", '2')) return rc;
    const std::size_t blank = m_replyText.find(' ');
    std::string_view rest =
        blank == std::string::npos ? std::string_view{} : std::string_view(m_replyText).substr(blank + 1);
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == ' ')
        rest.remove_suffix(1);
    if (rest.starts_with('"')) {
        // A quoted path ends at its closing quote (a doubled quote stands for one); the comment after it, as in
        // 257 "/Ordner" is the current directory., is no part of the path.
        std::string quoted;
        for (std::size_t i = 1; i < rest.size(); ++i) {
            if (rest[i] != '"') {
                quoted += rest[i];
            } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
                quoted += '"';
                ++i;
            } else {
                path = quoted;
                return 0;
            }
        }
    }
    while (!rest.empty() && rest.front() == '"')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() == '"')
        rest.remove_suffix(1);
    path = rest;
    return 0;
}

int TmsFTPClient::ChangeDirectory(const std::string& path) {
    return Expect("CWD " + path, '2');
}
int TmsFTPClient::DeleteRemoteFile(const std::string& path) {
    return Expect("DELE " + path, '2');
}
int TmsFTPClient::MakeDirectory(const std::string& path) {
    return Expect("MKD " + path, '2');
}
int TmsFTPClient::RemoveDirectory(const std::string& path) {
    return Expect("RMD " + path, '2');
}

int TmsFTPClient::ReadModificationTime(const std::string& path, std::string& stamp) {
    if (const int rc = Expect("MDTM " + path, '2')) return rc;
    const std::string_view text = m_replyText.size() > 4 ? std::string_view(m_replyText).substr(4, 14) : "";
    if (!IsStamp(text)) return kFtpBadReply;
    stamp = text;
    return 0;
}

int TmsFTPClient::SetModificationTime(const std::string& path, const std::string& stamp) {
    if (!IsStamp(stamp)) return platform::kInvalidParameter;
    if (m_setTimeForm != SetTimeForm::Mfmt) {
        if (const int rc = Command("MDTM " + stamp + " " + path)) return rc;
        if (m_replyCode / 100 == 2) {
            m_setTimeForm = SetTimeForm::Mdtm;
            return 0;
        }
        if (m_setTimeForm == SetTimeForm::Mdtm || m_replyCode / 100 != 5) return kFtpCommandFailed;
    }
    if (const int rc = Expect("MFMT " + stamp + " " + path, '2')) return rc;
    m_setTimeForm = SetTimeForm::Mfmt;
    return 0;
}

int TmsFTPClient::StoreFile(const FtpDataSource& source, const std::string& remotePath) {
    return Transfer("TYPE I", "STOR " + remotePath, &source, nullptr);
}

int TmsFTPClient::RetrieveFile(const std::string& remotePath, const FtpDataSink& sink) {
    return Transfer("TYPE I", "RETR " + remotePath, nullptr, &sink);
}

int TmsFTPClient::ListDirectory() {
    m_dirList.clear();
    std::string text;
    const FtpDataSink sink = [&text](std::string_view bytes) -> int {
        if (text.size() + bytes.size() > kMaxListing) return kFtpBadReply;
        text.append(bytes);
        return 0;
    };
    if (const int rc = Transfer("TYPE A", "LIST", nullptr, &sink)) return rc;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (end - start > kMaxListingLine) return kFtpBadReply;
        start = end + 1;
    }
    TmsFTPDirList parsed = ParseFtpListing(text, ServerType, platform::NowLocal());
    int result = 0;
    for (TmsFTPDirEntry& entry : parsed) {
        if (entry.Kind != kFtpUnparsed && (entry.Name == "." || entry.Name == "..")) continue;
        if (entry.Kind != kFtpUnparsed && !IsSafeFtpName(entry.Name)) {
            entry.Kind = kFtpUnparsed;
            result = platform::kFtpUnsafeName;
        }
        m_dirList.push_back(std::move(entry));
    }
    return result;
}

int TmsFTPClient::Transfer(const std::string& type, const std::string& command, const FtpDataSource* source,
                           const FtpDataSink* sink) {
    if (type == "TYPE I" && TransferType == ttASCII) return Transfer("TYPE A", command, source, sink);
    // The type holds for the connection: a run of listings or of uploads sends it once.
    if (type != m_typeSet) {
        m_typeSet.clear();
        if (const int rc = Expect(type, '2')) return rc;
        m_typeSet = type;
    }
    m_abortRequested = false;
    if (Events.OnDataTransferStart) Events.OnDataTransferStart();
    bool retryPassive = false;
    int rc = TransferOnce(command, source, sink, retryPassive);
    if (rc != 0 && retryPassive && m_control.IsOpen()) {
        m_passive = true;
        rc = TransferOnce(command, source, sink, retryPassive);
    }
    if (Events.OnDataTransferTerminate) Events.OnDataTransferTerminate();
    return rc;
}

int TmsFTPClient::OpenPassive(platform::Socket& data) {
    platform::SocketAddress peer;
    if (const int rc = m_control.PeerAddress(peer)) return rc;
    std::uint16_t port = 0;
    if (peer.IPv6) {
        if (const int rc = Expect("EPSV", '2')) return rc;
        if (!ExtendedPassivePort(m_replyText, port)) return kFtpBadReply;
    } else {
        if (const int rc = Expect("PASV", '2')) return rc;
        if (!PassivePort(m_replyText, port)) return kFtpBadReply;
    }
    // The data connection goes to the host of the control connection whatever address the reply names, so a
    // server cannot send the client to a third host.
    return data.Connect(peer.Host, port, Limits());
}

int TmsFTPClient::TransferOnce(const std::string& command, const FtpDataSource* source, const FtpDataSink* sink,
                               bool& retryPassive) {
    retryPassive = false;
    platform::SocketAddress local;
    platform::SocketAddress peer;
    if (const int rc = m_control.LocalAddress(local)) return rc;
    if (const int rc = m_control.PeerAddress(peer)) return rc;
    platform::Socket data;
    if (!PassiveMode && !m_passive && !local.IPv6) {
        platform::Socket listener;
        if (const int rc = listener.Listen(local.Host)) return rc;
        platform::SocketAddress listening;
        if (const int rc = listener.LocalAddress(listening)) return rc;
        std::string port = "PORT " + local.Host + "," + std::to_string(listening.Port / 256) + "," +
                           std::to_string(listening.Port % 256);
        std::replace(port.begin(), port.end(), '.', ',');
        if (const int rc = Expect(port, '2')) {
            retryPassive = rc == kFtpCommandFailed;
            return rc;
        }
        if (const int rc = Expect(command, '1')) {
            retryPassive = rc == kFtpCommandFailed && m_replyCode == 425;
            return rc;
        }
        // The server either connects or says at once that it cannot (425).
        bool replyFirst = false;
        if (const int rc = listener.WaitReadable(m_control, replyFirst, Limits())) {
            AbortTransfer();
            return rc;
        }
        if (replyFirst) {
            if (const int rc = ReadReply()) return rc;
            retryPassive = m_replyCode == 425;
            return kFtpCommandFailed;
        }
        if (const int rc = listener.Accept(data, Limits())) {
            AbortTransfer();
            return rc;
        }
        platform::SocketAddress from;
        if (data.PeerAddress(from) != 0 || from.Host != peer.Host) {
            AbortTransfer();
            return kFtpBadReply;
        }
    } else {
        m_passive = true;
        if (const int rc = OpenPassive(data)) return rc;
        if (const int rc = Expect(command, '1')) return rc;
    }
    const int moved = MoveData(data, source, sink);
    data.Close();
    if (moved != 0) {
        AbortTransfer();
        return moved;
    }
    if (const int rc = ReadReply()) return rc;
    return m_replyCode / 100 == 2 ? 0 : kFtpCommandFailed;
}

int TmsFTPClient::MoveData(platform::Socket& data, const FtpDataSource* source, const FtpDataSink* sink) {
    std::string buffer(kChunk, '\0');
    std::int64_t total = 0;
    for (;;) {
        if (m_abortRequested || Stop.Raised()) return kCancelled;
        std::size_t got = 0;
        if (source != nullptr) {
            if (const int rc = (*source)(std::span<char>(buffer.data(), buffer.size()), got)) return rc;
            if (got == 0) return 0;
            if (const int rc = data.SendAll(std::string_view(buffer.data(), got), Limits())) return rc;
        } else {
            if (const int rc = data.Receive(buffer.data(), buffer.size(), got, Limits())) return rc;
            if (got == 0) return 0;
            if (const int rc = (*sink)(std::string_view(buffer.data(), got))) return rc;
        }
        total += static_cast<std::int64_t>(got);
        if (Events.OnDataTransferProgress) Events.OnDataTransferProgress(total);
    }
}

void TmsFTPClient::AbortTransfer() {
    if (!m_control.IsOpen()) return;
    // Telnet interrupt, then the synch mark as urgent data, then ABOR; the server answers the transfer (426)
    // and the abort (226). The wait is short and ignores the stop flags, which are what ended the transfer.
    const platform::WaitLimits limits{kAbortSeconds, {}};
    if (m_control.SendAll("\xFF\xF4\xFF", limits) != 0 || m_control.SendUrgent('\xF2') != 0) {
        Fail();
        return;
    }
    const platform::StopFlags saved = Stop;
    const int savedTimeOut = TimeOut;
    Stop = {};
    TimeOut = kAbortSeconds;
    bool clean = SendLine("ABOR") == 0;
    // Up to two replies: the transfer's 426 (when it was still running), then the 2xx of the abort.
    for (int replies = 0; clean; ++replies) {
        if (replies == 2 || ReadReply() != 0)
            clean = false;
        else if (m_replyCode / 100 == 2)
            break;
    }
    Stop = saved;
    TimeOut = savedTimeOut;
    // A server that does not answer the abort leaves the connection in an unknown state: it is given up.
    if (!clean) Fail();
}

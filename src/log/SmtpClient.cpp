#include "log/SmtpClient.h"

#include "platform/ErrorCodes.h"

namespace {

// A reply line longer than this, or a reply of more lines, is no SMTP server's answer.
constexpr std::size_t kMaxLine = 4096;
constexpr int kMaxReplyLines = 200;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class cSmtpConnection {
public:
    explicit cSmtpConnection(const platform::WaitLimits& limits) : m_limits(limits) {}

    int Connect(const std::string& host, int port) {
        return m_socket.Connect(host, static_cast<std::uint16_t>(port), m_limits);
    }
    // Sends one command line (without its CR LF, added here) and reads the reply.
    int Command(const std::string& line, int& code) {
        if (const int error = m_socket.SendAll(line + "\r\n", m_limits); error != 0) return error;
        return ReadReply(code);
    }
    int Send(const std::string& data) { return m_socket.SendAll(data, m_limits); }
    // One reply, multi-line ("250-..." up to "250 ..."); code is its number, Reply() its last line.
    int ReadReply(int& code) {
        for (int lines = 0; lines < kMaxReplyLines; ++lines) {
            std::string line;
            if (const int error = ReadLine(line); error != 0) return error;
            m_reply = line;
            // A line that does not begin with three digits belongs to no reply (some servers chat).
            if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2])) continue;
            if (line.size() == 3 || line[3] != '-') {
                code = std::stoi(line.substr(0, 3));
                return 0;
            }
        }
        return platform::kFtpBadReply;
    }
    const std::string& Reply() const { return m_reply; }

private:
    int ReadLine(std::string& line) {
        for (;;) {
            const std::size_t end = m_buffer.find('\n');
            if (end != std::string::npos) {
                line = m_buffer.substr(0, end);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                m_buffer.erase(0, end + 1);
                return 0;
            }
            if (m_buffer.size() > kMaxLine) return platform::kFtpBadReply;
            char chunk[1024];
            std::size_t got = 0;
            if (const int error = m_socket.Receive(chunk, sizeof chunk, got, m_limits); error != 0) return error;
            if (got == 0) return platform::kSocketClosed;
            m_buffer.append(chunk, got);
        }
    }

    platform::WaitLimits m_limits;
    platform::Socket m_socket;
    std::string m_buffer;
    std::string m_reply;
};

} // namespace

cSmtpResult SendMail(const std::string& server, const cMailEnvelope& envelope, const std::string& text,
                     const platform::WaitLimits& limits) {
    std::string host;
    int port = 25;
    if (!SplitServer(server, host, port)) return {platform::kSocketConnectFailed, {}};
    cSmtpConnection smtp(limits);
    int code = 0;
    if (int error = smtp.Connect(host, port); error != 0) return {error, {}};
    const auto refused = [&] { return cSmtpResult{platform::kFtpCommandFailed, smtp.Reply()}; };
    if (int error = smtp.ReadReply(code); error != 0) return {error, smtp.Reply()};
    if (code != 220) return refused();
    if (int error = smtp.Command("HELO " + platform::Socket::LocalHostName(), code); error != 0)
        return {error, smtp.Reply()};
    if (code != 250) {
        if (int error = smtp.Command("HELO", code); error != 0) return {error, smtp.Reply()};
        if (code < 200 || code >= 300) return refused();
    }
    // From here a refusal still says goodbye.
    const auto quitAfter = [&](cSmtpResult result) {
        int ignored = 0;
        (void)smtp.Command("QUIT", ignored);
        return result;
    };
    if (int error = smtp.Command("MAIL FROM:<" + envelope.Sender + ">", code); error != 0) return {error, smtp.Reply()};
    if (code != 250) return quitAfter(refused());
    for (const std::string& recipient : envelope.Recipients) {
        if (int error = smtp.Command("RCPT TO:<" + recipient + ">", code); error != 0) return {error, smtp.Reply()};
        if (code != 250 && code != 251) return quitAfter(refused());
    }
    if (int error = smtp.Command("DATA", code); error != 0) return {error, smtp.Reply()};
    if (code != 354) return quitAfter(refused());
    if (int error = smtp.Send(text + "\r\n.\r\n"); error != 0) return {error, smtp.Reply()};
    if (int error = smtp.ReadReply(code); error != 0) return {error, smtp.Reply()};
    if (code != 250) return quitAfter(refused());
    if (int error = smtp.Command("QUIT", code); error != 0) return {error, smtp.Reply()};
    if (code != 221) return refused();
    return {0, smtp.Reply()};
}

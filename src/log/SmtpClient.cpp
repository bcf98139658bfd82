#include "log/SmtpClient.h"

#include "platform/ErrorCodes.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// A reply line longer than this, or a reply of more lines, is no SMTP server's answer.
constexpr std::size_t kMaxLine = 4096;
constexpr int kMaxReplyLines = 200;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned value = 0;
        for (std::size_t k = 0; k < 3; ++k)
            value = value << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(value >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
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
    int StartTls(const std::string& host, std::string& reason) { return m_socket.StartTls(host, m_limits, reason); }
    // One reply, multi-line ("250-..." up to "250 ..."); code is its number, Reply() its last line, Lines() all
    // of them without their codes (the EHLO keywords).
    int ReadReply(int& code) {
        m_lines.clear();
        for (int lines = 0; lines < kMaxReplyLines; ++lines) {
            std::string line;
            if (const int error = ReadLine(line); error != 0) return error;
            m_reply = line;
            if (line.size() >= 4) m_lines.push_back(Upper(line.substr(4)));
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
    // Whether a line of the last reply begins with keyword ("STARTTLS", "AUTH").
    bool Offers(std::string_view keyword, std::string_view argument = {}) const {
        return std::any_of(m_lines.begin(), m_lines.end(), [&](const std::string& line) {
            if (line.compare(0, keyword.size(), keyword) != 0) return false;
            if (argument.empty()) return line.size() == keyword.size() || line[keyword.size()] == ' ';
            return (" " + line + " ").find(" " + std::string(argument) + " ") != std::string::npos;
        });
    }

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
    std::vector<std::string> m_lines;
};

// EHLO, STARTTLS, EHLO again and AUTH; 0 when logged in.
cSmtpResult LogIn(cSmtpConnection& smtp, const std::string& host, const cSmtpLogin& login) {
    const auto refused = [&] { return cSmtpResult{platform::kFtpCommandFailed, smtp.Reply()}; };
    int code = 0;
    const std::string ehlo = "EHLO " + platform::Socket::LocalHostName();
    if (int error = smtp.Command(ehlo, code); error != 0) return {error, smtp.Reply()};
    if (code != 250) return refused();
    if (!smtp.Offers("STARTTLS")) return {platform::kTlsNotOffered, smtp.Reply()};
    if (int error = smtp.Command("STARTTLS", code); error != 0) return {error, smtp.Reply()};
    if (code != 220) return refused();
    std::string reason;
    if (int error = smtp.StartTls(host, reason); error != 0) return {error, reason};
    if (int error = smtp.Command(ehlo, code); error != 0) return {error, smtp.Reply()};
    if (code != 250) return refused();
    if (!smtp.Offers("AUTH", "PLAIN") && smtp.Offers("AUTH", "LOGIN")) {
        if (int error = smtp.Command("AUTH LOGIN", code); error != 0) return {error, smtp.Reply()};
        if (code != 334) return refused();
        if (int error = smtp.Command(Base64(login.User), code); error != 0) return {error, smtp.Reply()};
        if (code != 334) return refused();
        if (int error = smtp.Command(Base64(login.Password), code); error != 0) return {error, smtp.Reply()};
    } else {
        const std::string credentials = std::string(1, '\0') + login.User + std::string(1, '\0') + login.Password;
        if (int error = smtp.Command("AUTH PLAIN " + Base64(credentials), code); error != 0)
            return {error, smtp.Reply()};
    }
    if (code != 235) return refused();
    return {};
}

} // namespace

cSmtpResult SendMail(const std::string& server, const cMailEnvelope& envelope, const std::string& text,
                     const platform::WaitLimits& limits, const cSmtpLogin& login) {
    std::string host;
    int port = 25;
    if (!SplitServer(server, host, port)) return {platform::kSocketConnectFailed, {}};
    cSmtpConnection smtp(limits);
    int code = 0;
    if (int error = smtp.Connect(host, port); error != 0) return {error, {}};
    const auto refused = [&] { return cSmtpResult{platform::kFtpCommandFailed, smtp.Reply()}; };
    if (int error = smtp.ReadReply(code); error != 0) return {error, smtp.Reply()};
    if (code != 220) return refused();
    // From here a refusal still says goodbye.
    const auto quitAfter = [&](cSmtpResult result) {
        int ignored = 0;
        (void)smtp.Command("QUIT", ignored);
        return result;
    };
    if (!login.User.empty()) {
        cSmtpResult loggedIn = LogIn(smtp, host, login);
        // After a failed handshake the connection is in no state for a goodbye.
        if (loggedIn.Code == platform::kTlsFailed) return loggedIn;
        if (loggedIn.Code != 0) return quitAfter(loggedIn);
    } else {
        if (int error = smtp.Command("HELO " + platform::Socket::LocalHostName(), code); error != 0)
            return {error, smtp.Reply()};
        if (code != 250) {
            if (int error = smtp.Command("HELO", code); error != 0) return {error, smtp.Reply()};
            if (code < 200 || code >= 300) return refused();
        }
    }
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

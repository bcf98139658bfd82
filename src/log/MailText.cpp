#include "log/MailText.h"

#include <algorithm>
#include <charconv>

namespace {

// Names, addresses and the subject are cut to this many bytes.
constexpr std::size_t kMaxField = 255;
// A body line this long or longer is sent quoted-printable.
constexpr std::size_t kLongLine = 256;

std::string Cut(const std::string& text) {
    return text.substr(0, std::min(text.size(), kMaxField));
}

// name <address>, the name in double quotes when it holds a "." and no double quote.
std::string Mailbox(const std::string& name, const std::string& address) {
    std::string shown = Cut(name);
    if (shown.find('.') != std::string::npos && shown.find('"') == std::string::npos) shown = "\"" + shown + "\"";
    return shown + " <" + Cut(address) + ">";
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The transfer encoding's form of a line: quoted-printable escapes "=" and bytes outside printable ASCII and
// breaks lines with soft breaks before 76 characters.
std::string QuotedPrintable(const std::string& line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        const bool last = i + 1 == line.size();
        std::string piece;
        if ((c >= 33 && c <= 126 && c != '=') || (c == ' ' && !last))
            piece = std::string(1, static_cast<char>(c));
        else
            piece = {'=', kHex[c >> 4], kHex[c & 15]};
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
    return out;
}

// The lines of a text body, dot-stuffed, with the encoding its longest line asks for.
struct cBody {
    std::string Encoding;
    std::string Text;
};

cBody Body(std::string_view text) {
    const std::vector<std::string> lines = Lines(text);
    const bool quoted =
        std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.size() >= kLongLine; });
    cBody body{quoted ? "quoted-printable" : "7bit", {}};
    for (const std::string& line : lines) {
        std::string encoded = quoted ? QuotedPrintable(line) : line;
        // A line of one "." would end the mail.
        if (encoded == ".") encoded = "..";
        body.Text += encoded + "\r\n";
    }
    return body;
}

std::string FileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

cMailEnvelope MailEnvelope(const cLogParameters& log) {
    cMailEnvelope envelope{Cut(log.SenderAddress), {Cut(log.Recipient1Address)}};
    for (const std::string* address : {&log.Recipient2Address, &log.Recipient3Address})
        if (!address->empty()) envelope.Recipients.push_back(Cut(*address));
    return envelope;
}

std::string MailText(const cLogParameters& log, std::string_view logText, std::string_view boundary) {
    std::string text = "From:     " + Mailbox(log.SenderName, log.SenderAddress) + "\r\n";
    std::vector<std::string> to = {Mailbox(log.Recipient1Name, log.Recipient1Address)};
    if (!log.Recipient2Address.empty()) to.push_back(Mailbox(log.Recipient2Name, log.Recipient2Address));
    if (!log.Recipient3Address.empty()) to.push_back(Mailbox(log.Recipient3Name, log.Recipient3Address));
    for (std::size_t i = 0; i < to.size(); ++i)
        text += (i == 0 ? "To:       " : "          ") + to[i] + (i + 1 < to.size() ? ",\r\n" : "\r\n");
    const std::string fileName = FileName(log.ActualFileName);
    text += "Subject: " + Cut(log.SubjectPrefix + fileName) + "\r\n";
    text += "Mime-Version: 1.0\r\n";
    const auto textPart = [](const cBody& body) {
        return "Content-Type: text/plain; charset=\"us-ascii\"\r\nContent-Transfer-Encoding: " + body.Encoding +
               "\r\n\r\n" + body.Text;
    };
    if (!log.AsAttachment) return text + textPart(Body(logText));
    text += "Content-Type: multipart/mixed; boundary=\"" + std::string(boundary) + "\"\r\n\r\n";
    text += "--" + std::string(boundary) + "\r\n" + textPart(Body("siehe Anhang"));
    text += "--" + std::string(boundary) + "\r\n";
    text += "Content-Disposition: attachment; filename=\"" + fileName + "\"\r\n";
    text += textPart(Body(logText));
    text += "--" + std::string(boundary) + "--\r\n";
    return text;
}

bool SplitServer(std::string_view server, std::string& host, int& port) {
    port = 25;
    std::string_view portText;
    if (server.starts_with('[')) {
        const std::size_t close = server.find(']');
        if (close == std::string_view::npos) return false;
        host = std::string(server.substr(1, close - 1));
        if (close + 1 < server.size()) {
            if (server[close + 1] != ':') return false;
            portText = server.substr(close + 2);
        }
    } else {
        const std::size_t colon = server.find(':');
        // More than one colon: an IPv6 address without brackets and without a port.
        if (colon != std::string_view::npos && server.find(':', colon + 1) == std::string_view::npos) {
            host = std::string(server.substr(0, colon));
            portText = server.substr(colon + 1);
        } else {
            host = std::string(server);
        }
    }
    if (portText.empty()) return !host.empty();
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    return error == std::errc() && end == portText.data() + portText.size() && port >= 1 && port <= 65535 &&
           !host.empty();
}

// A small RTF reader: groups with their character formats, a few control words, the rest dropped.
#include "ui/RtfReader.h"

#include "platform/Text.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace ui {

namespace {

// Control words longer than this are no words of the format; the rest of their letters is read and dropped.
constexpr std::size_t kMaxWordLength = 32;
// A numeric parameter is kept within these bounds however many digits it has.
constexpr long long kMaxParameter = 1LL << 31;
// The most fallback characters that \ucN asks to skip after each \uN.
constexpr int kMaxUnicodeSkip = 16;

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Groups whose text is not part of the document.
constexpr std::string_view kDestinations[] = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "xmlnstbl",
    "generator",
    "filetbl",
    "revtbl",
    "fldinst",
    "nonshppict",
    "shp",
    "private",
};

struct cCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    bool Any() const { return Bold || Italic || Underline; }
    bool operator==(const cCharFormat&) const = default;
};

struct cGroupState {
    cCharFormat Format;
    int UnicodeSkip = 1;
    bool Skip = false; // a destination: its text is not shown
};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class cRtfReader {
public:
    explicit cRtfReader(std::string_view rtf)
        : m_in(rtf), m_rawIsUtf8(HasNonAscii(rtf) && platform::IsValidUtf8(rtf)), m_stack(1) {}

    std::string Read() {
        m_out.reserve(m_in.size());
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                Control();
            } else if (c == '\r' || c == '\n') {
                // Line ends of the file are no text.
            } else {
                RawCharacter(c);
            }
        }
        CloseSpan();
        return std::move(m_out);
    }

private:
    bool Skipping() const { return m_ignoredDepth > 0 || m_stack.back().Skip; }

    // After \uN the next characters are the fallback for readers without Unicode; each one is dropped here.
    bool DropFallback() {
        if (m_pendingFallback == 0) return false;
        --m_pendingFallback;
        return true;
    }

    void OpenGroup() {
        m_pendingFallback = 0;
        if (m_ignoredDepth > 0 || static_cast<int>(m_stack.size()) > kMaxRtfDepth) {
            ++m_ignoredDepth;
            return;
        }
        m_stack.push_back(m_stack.back());
    }

    void CloseGroup() {
        m_pendingFallback = 0;
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
        } else if (m_stack.size() > 1) {
            m_stack.pop_back();
        } // an unbalanced "}" closes nothing
    }

    void RawCharacter(char c) {
        if (DropFallback()) return;
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t') return Text("\t");
        if (byte < 0x20 || byte == 0x7F) return;
        if (byte < 0x80 || m_rawIsUtf8) return Text(std::string_view(&c, 1));
        Text(platform::Cp1252ToUtf8(std::string_view(&c, 1)));
    }

    void Control() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (IsLetter(c)) return ControlWord();
        ++m_pos;
        if (c == '\'') return HexCharacter();
        if (DropFallback()) return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            return Text(std::string_view(&c, 1));
        case '~':
            return Text("\u00A0");
        case '_':
            return Text("-");
        case '*':
            if (m_ignoredDepth == 0) m_stack.back().Skip = true;
            return;
        case '\r':
        case '\n':
            return Break();
        default: // "\-" (optional hyphen) and unknown symbols
            return;
        }
    }

    void HexCharacter() {
        int value = -1;
        if (m_pos + 1 < m_in.size()) {
            const int high = HexValue(m_in[m_pos]);
            const int low = HexValue(m_in[m_pos + 1]);
            if (high >= 0 && low >= 0) {
                value = high * 16 + low;
                m_pos += 2;
            }
        }
        if (DropFallback() || value < 0) return;
        const char byte = static_cast<char>(value);
        if (value == '\t') return Text("\t");
        if (value < 0x20 || value == 0x7F) return;
        Text(platform::Cp1252ToUtf8(std::string_view(&byte, 1)));
    }

    void ControlWord() {
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
            ++m_pos;
        const std::string_view word = m_in.substr(start, std::min(m_pos - start, kMaxWordLength + 1));
        bool hasParameter = false;
        long long parameter = 0;
        const bool negative = m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1]);
        if (negative) ++m_pos;
        while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            hasParameter = true;
            parameter = std::min(parameter * 10 + (m_in[m_pos] - '0'), kMaxParameter);
            ++m_pos;
        }
        if (negative) parameter = -parameter;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;

        if (word == "bin") return SkipBinary(hasParameter ? parameter : 0);
        if (DropFallback()) return;
        Apply(word, hasParameter, parameter);
    }

    // "\binN" is followed by N bytes of binary data.
    void SkipBinary(long long count) {
        if (count > 0) m_pos += static_cast<std::size_t>(std::min<long long>(count, m_in.size() - m_pos));
    }

    void Apply(std::string_view word, bool hasParameter, long long parameter) {
        cGroupState& state = m_stack.back();
        const bool on = !hasParameter || parameter != 0;
        if (std::ranges::find(kDestinations, word) != std::end(kDestinations)) {
            if (m_ignoredDepth == 0) state.Skip = true;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            Break();
        } else if (word == "tab" || word == "cell") {
            Text("\t");
        } else if (word == "b") {
            SetFormat(&cCharFormat::Bold, on);
        } else if (word == "i") {
            SetFormat(&cCharFormat::Italic, on);
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash") {
            SetFormat(&cCharFormat::Underline, on);
        } else if (word == "ulnone") {
            SetFormat(&cCharFormat::Underline, false);
        } else if (word == "plain") {
            if (m_ignoredDepth == 0) state.Format = {};
        } else if (word == "uc") {
            if (m_ignoredDepth == 0)
                state.UnicodeSkip = static_cast<int>(std::clamp<long long>(parameter, 0, kMaxUnicodeSkip));
        } else if (word == "u") {
            UnicodeCharacter(parameter);
        } else if (word == "emdash") {
            Text("\u2014");
        } else if (word == "endash") {
            Text("\u2013");
        } else if (word == "bullet") {
            Text("\u2022");
        } else if (word == "lquote") {
            Text("\u2018");
        } else if (word == "rquote") {
            Text("\u2019");
        } else if (word == "ldblquote") {
            Text("\u201C");
        } else if (word == "rdblquote") {
            Text("\u201D");
        }
    }

    void SetFormat(bool cCharFormat::*flag, bool on) {
        if (m_ignoredDepth == 0) m_stack.back().Format.*flag = on;
    }

    // \uN: a UTF-16 unit as a signed 16-bit number; a surrogate pair comes as two of them.
    void UnicodeCharacter(long long parameter) {
        m_pendingFallback = m_stack.back().UnicodeSkip;
        const long long unit = parameter < 0 ? parameter + 65536 : parameter;
        const char32_t pendingHigh = std::exchange(m_highSurrogate, 0);
        char32_t c = kReplacementCharacter;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_highSurrogate = static_cast<char32_t>(unit);
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (pendingHigh != 0) c = 0x10000 + ((pendingHigh - 0xD800) << 10) + static_cast<char32_t>(unit - 0xDC00);
        } else if (unit == '\t') {
            c = '\t';
        } else if (unit >= 0x20 && unit <= 0xFFFF && unit != 0x7F) {
            c = static_cast<char32_t>(unit);
        }
        std::string utf8;
        AppendUtf8(utf8, c);
        Text(utf8);
    }

    void Break() {
        if (Skipping()) return;
        m_out += "<br>";
    }

    void Text(std::string_view utf8) {
        if (Skipping()) return;
        const cCharFormat& format = m_stack.back().Format;
        if (m_spanOpen ? !(format == m_openFormat) : format.Any()) {
            CloseSpan();
            if (format.Any()) OpenSpan(format);
        }
        for (char c : utf8) {
            switch (c) {
            case '&':
                m_out += "&amp;";
                break;
            case '<':
                m_out += "&lt;";
                break;
            case '>':
                m_out += "&gt;";
                break;
            case '"':
                m_out += "&quot;";
                break;
            default:
                m_out += c;
            }
        }
    }

    void OpenSpan(const cCharFormat& format) {
        m_out += "<span style=\"";
        if (format.Bold) m_out += "font-weight:bold;";
        if (format.Italic) m_out += "font-style:italic;";
        if (format.Underline) m_out += "text-decoration:underline;";
        m_out += "\">";
        m_spanOpen = true;
        m_openFormat = format;
    }

    void CloseSpan() {
        if (!m_spanOpen) return;
        m_out += "</span>";
        m_spanOpen = false;
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    bool m_rawIsUtf8;
    // The state of each open group; the first entry stands for the text outside every group.
    std::vector<cGroupState> m_stack;
    // Open groups beyond the nesting limit: only their braces count.
    long long m_ignoredDepth = 0;
    int m_pendingFallback = 0;
    char32_t m_highSurrogate = 0;
    std::string m_out;
    bool m_spanOpen = false;
    cCharFormat m_openFormat;
};

} // namespace

std::string RtfToHtmlFragment(std::string_view rtf) {
    return cRtfReader(rtf).Read();
}

std::string RtfToHtml(std::string_view rtf) {
    return "<html><head><meta charset=\"utf-8\"></head><body style=\"white-space:pre-wrap\">" + RtfToHtmlFragment(rtf) +
           "</body></html>";
}

bool LooksLikeRtf(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

} // namespace ui

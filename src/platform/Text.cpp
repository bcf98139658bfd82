// Windows-1252 <-> UTF-8, the file-text rule, and case mapping for UTF-8 text.
#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include <unicode/uchar.h>

namespace platform {
namespace {

// The characters of the bytes 0x80..0x9F; the five bytes that Windows-1252 leaves undefined keep their own
// code points.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Marks a byte that is no valid UTF-8 in the comparison: above every code point.
constexpr char32_t kInvalidByteBase = 0x110000;

struct Utf8Char {
    char32_t codePoint;
    std::size_t length; // 0: the bytes at this position are no valid UTF-8
};

unsigned Byte(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

// Decodes the character at pos strictly (no overlong forms, surrogates or code points above U+10FFFF).
Utf8Char DecodeAt(std::string_view text, std::size_t pos) {
    const unsigned lead = Byte(text, pos);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    unsigned low = 0x80; // the allowed range of the second byte
    unsigned high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;  // overlong below U+0800
        if (lead == 0xED) high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0) low = 0x90;  // overlong below U+10000
        if (lead == 0xF4) high = 0x8F; // above U+10FFFF
    } else {
        return {0, 0};
    }
    if (text.size() - pos < length) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned next = Byte(text, pos + i);
        if (next < (i == 1 ? low : 0x80u) || next > (i == 1 ? high : 0xBFu)) return {0, 0};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length};
}

// The end of the run of ASCII bytes that begins at pos: the position of the next byte >= 0x80, or text.size().
// Most text is ASCII, so it is skipped eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view text, std::size_t pos) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (text.size() - pos >= sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if ((word & kHighBits) != 0) break;
        pos += sizeof word;
    }
    while (pos < text.size() && Byte(text, pos) < 0x80)
        ++pos;
    return pos;
}

// The position of the first byte from pos on that is not part of a valid character; bytes.size() if none.
std::size_t FirstInvalidByte(std::string_view bytes, std::size_t pos) {
    while (pos < bytes.size()) {
        pos = AsciiRunEnd(bytes, pos);
        if (pos == bytes.size()) break;
        const std::size_t length = DecodeAt(bytes, pos).length;
        if (length == 0) return pos;
        pos += length;
    }
    return pos;
}

void AppendUtf8(std::string& out, char32_t c) {
    const auto put = [&out](char32_t bits) { out += static_cast<char>(bits); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

bool HasNonAscii(std::string_view bytes) {
    return AsciiRunEnd(bytes, 0) != bytes.size();
}

char32_t UpperOf(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20; // à..þ without ÷
    if (c == 0xFF) return 0x178;                              // ÿ → Ÿ
    if (c == 0x161 || c == 0x153 || c == 0x17E) return c - 1; // š, œ, ž
    return c;
}

char32_t LowerOf(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20; // À..Þ without ×
    if (c == 0x178) return 0xFF;                              // Ÿ → ÿ
    if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1; // Š, Œ, Ž
    return c;
}

template <typename Map> std::string MapCase(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char c = DecodeAt(utf8, pos);
        if (c.length == 0) {
            out += utf8[pos++];
            continue;
        }
        AppendUtf8(out, map(c.codePoint));
        pos += c.length;
    }
    return out;
}

// The folded value of the character at pos, and moves pos past it.
char32_t NextFolded(std::string_view text, std::size_t& pos) {
    const Utf8Char c = DecodeAt(text, pos);
    if (c.length == 0) return kInvalidByteBase + Byte(text, pos++);
    pos += c.length;
    return UpperOf(c.codePoint);
}

// The Windows-1252 byte of a decoded character that is not ASCII; '\0' when it has none (or is no valid UTF-8).
char Cp1252ByteOf(Utf8Char c) {
    if (c.length == 0) return '\0';
    if (c.codePoint >= 0xA0 && c.codePoint <= 0xFF) return static_cast<char>(c.codePoint);
    const auto* found = std::find(std::begin(kCp1252High), std::end(kCp1252High), c.codePoint);
    if (found == std::end(kCp1252High)) return '\0';
    return static_cast<char>(0x80 + (found - std::begin(kCp1252High)));
}

} // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (std::size_t pos = 0; pos < cp1252.size();) {
        const std::size_t asciiEnd = AsciiRunEnd(cp1252, pos);
        out.append(cp1252, pos, asciiEnd - pos);
        if (asciiEnd == cp1252.size()) break;
        const unsigned value = Byte(cp1252, asciiEnd);
        AppendUtf8(out, value < 0xA0 ? kCp1252High[value - 0x80] : char32_t{value});
        pos = asciiEnd + 1;
    }
    return out;
}

bool AppendAsCp1252(std::string& out, std::string_view utf8) {
    const std::size_t oldSize = out.size();
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t asciiEnd = AsciiRunEnd(utf8, pos);
        out.append(utf8, pos, asciiEnd - pos);
        if (asciiEnd == utf8.size()) break;
        const Utf8Char c = DecodeAt(utf8, asciiEnd);
        const char byte = Cp1252ByteOf(c);
        if (byte == '\0') {
            out.resize(oldSize);
            return false;
        }
        out += byte;
        pos = asciiEnd + c.length;
    }
    return true;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (!AppendAsCp1252(out, utf8)) return std::nullopt;
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    return FirstInvalidByte(bytes, 0) == bytes.size();
}

std::string EscapeInvalidUtf8(std::string_view bytes) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t pos = 0;;) {
        const std::size_t bad = FirstInvalidByte(bytes, pos);
        out.append(bytes, pos, bad - pos);
        if (bad == bytes.size()) return out;
        const unsigned byte = Byte(bytes, bad);
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0x0F];
        pos = bad + 1;
    }
}

std::string DecodeFileText(std::string_view bytes) {
    if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

std::string EncodeFileText(std::string_view utf8) {
    std::optional<std::string> cp1252 = Utf8ToCp1252(utf8);
    if (!cp1252 || (HasNonAscii(*cp1252) && IsValidUtf8(*cp1252))) return std::string(utf8);
    return std::move(*cp1252);
}

std::string UpperCase(std::string_view utf8) {
    return MapCase(utf8, UpperOf);
}

std::string LowerCase(std::string_view utf8) {
    return MapCase(utf8, LowerOf);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    std::size_t posA = 0;
    std::size_t posB = 0;
    while (posA < a.size() && posB < b.size()) {
        const char32_t foldedA = NextFolded(a, posA);
        const char32_t foldedB = NextFolded(b, posB);
        if (foldedA != foldedB) return foldedA < foldedB ? -1 : 1;
    }
    if (posA < a.size()) return 1;
    if (posB < b.size()) return -1;
    return 0;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return CompareNoCase(a, b) == 0;
}

std::string FoldCase(std::string_view utf8) {
    return MapCase(utf8, [](char32_t c) -> char32_t {
        if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
        return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
    });
}

} // namespace platform

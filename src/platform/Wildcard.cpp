// File-mask matching without backtracking blow-up: one pass that returns only to the last "*".
#include "platform/Wildcard.h"

#include "platform/Text.h"

namespace platform {

namespace {

// The "." tried after a name without a dot; no real character has this value.
constexpr char32_t kAppendedDot = 0x110000;
// A byte that is no part of valid UTF-8 keeps its own value here, apart from every real character.
constexpr char32_t kStrayByteBase = 0x110100;

// Case-folded UTF-8 as characters.
std::u32string Characters(std::string_view utf8) {
    std::string folded = FoldCase(utf8);
    std::u32string chars;
    chars.reserve(folded.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(folded.data());
    std::size_t size = folded.size();
    for (std::size_t i = 0; i < size;) {
        unsigned char lead = bytes[i];
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        bool valid = length > 0 && i + length <= size;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (bytes[i + k] & 0xC0) == 0x80;
            c = (c << 6) | (bytes[i + k] & 0x3Fu);
        }
        if (!valid) {
            chars += kStrayByteBase + lead;
            ++i;
            continue;
        }
        chars += c;
        i += length;
    }
    return chars;
}

bool CharacterMatches(char32_t maskChar, char32_t nameChar) {
    if (maskChar == nameChar) return true;
    if (maskChar == U'?') return nameChar != kAppendedDot;
    return maskChar == U'.' && nameChar == kAppendedDot;
}

// Greedy matching: on a mismatch, the last "*" takes one more character and matching resumes after it.
// Earlier stars never need to be revisited, so the work is bounded by name × mask.
bool MatchCharacters(const std::u32string& mask, const std::u32string& name) {
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = std::u32string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && CharacterMatches(mask[m], name[n])) {
            ++m;
            ++n;
        } else if (starMask != std::u32string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

} // namespace

cWildcard::cWildcard(std::string_view mask) {
    for (char32_t c : Characters(mask))
        if (c != U'*' || m_mask.empty() || m_mask.back() != U'*') m_mask += c;
    m_matchesAll = m_mask == U"*" || m_mask == U"*.*";
}

bool cWildcard::Matches(std::string_view name) const {
    if (m_matchesAll) return true;
    std::u32string chars = Characters(name);
    if (MatchCharacters(m_mask, chars)) return true;
    if (chars.find(U'.') != std::u32string::npos) return false;
    chars += kAppendedDot;
    return MatchCharacters(m_mask, chars);
}

bool MatchesWildcard(std::string_view name, std::string_view mask) {
    return cWildcard(mask).Matches(name);
}

} // namespace platform

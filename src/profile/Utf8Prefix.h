// Cutting UTF-8 text to a number of characters without splitting a character.
#pragma once

#include <cstddef>
#include <string_view>

// The byte length of the character that starts with this byte (1 for a stray continuation byte).
constexpr std::size_t Utf8CharLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0 && lead < 0xF0) return 3;
    if (lead >= 0xC0 && lead < 0xE0) return 2;
    return 1;
}

// The first maxChars characters of text (all of it when shorter).
constexpr std::string_view Utf8Prefix(std::string_view text, std::size_t maxChars) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < maxChars && pos < text.size(); ++n)
        pos += Utf8CharLength(static_cast<unsigned char>(text[pos]));
    return text.substr(0, pos < text.size() ? pos : text.size());
}

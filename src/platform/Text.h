// Text helpers: Windows-1252 <-> UTF-8, the file-text rule, and case handling for UTF-8 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string Cp1252ToUtf8(std::string_view cp1252);
// std::nullopt when a character has no Windows-1252 form (or the input is no valid UTF-8).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);

// Bytes of a text file → UTF-8: valid UTF-8 holding a non-ASCII byte is taken as UTF-8, anything else as
// Windows-1252.
std::string DecodeFileText(std::string_view bytes);
// UTF-8 → bytes of a text file: Windows-1252 when the whole text fits, otherwise the UTF-8 unchanged.
std::string EncodeFileText(std::string_view utf8);

// Case mapping for ASCII and the Latin-1 letters (ä → Ä ...); other characters stay as they are.
std::string UpperCase(std::string_view utf8);
std::string LowerCase(std::string_view utf8);
// Case-insensitive order (<0, 0, >0) and equality, by the case mapping above.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace platform

// Text helpers: Windows-1252 <-> UTF-8, the file-text rule, and case handling for UTF-8 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Every byte has a character, so any byte string survives the way to UTF-8 and back: the five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 ... U+009D.
std::string Cp1252ToUtf8(std::string_view cp1252);
// std::nullopt when a character has no Windows-1252 form (or the input is no valid UTF-8).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// Utf8ToCp1252 appended to out without a string of its own; false, with out as it was, where that gives
// std::nullopt.
bool AppendAsCp1252(std::string& out, std::string_view utf8);
// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// Text for showing (log, plan, windows): each byte that is not part of a valid UTF-8 character becomes "\xHH"
// (uppercase hex), so one odd file name cannot spoil the encoding of everything around it. Valid UTF-8 passes
// unchanged.
std::string EscapeInvalidUtf8(std::string_view bytes);

// Bytes of a text file → UTF-8: valid UTF-8 holding a non-ASCII byte is taken as UTF-8, anything else as
// Windows-1252. The decision is made once for the whole text.
std::string DecodeFileText(std::string_view bytes);
// UTF-8 → bytes of a text file: Windows-1252 when the whole text fits, otherwise the UTF-8 unchanged. The
// UTF-8 is kept as well when the Windows-1252 bytes would read back as UTF-8 ("Ã¤" would return as "ä"), so
// DecodeFileText gives back every valid UTF-8 text that was encoded.
std::string EncodeFileText(std::string_view utf8);

// Case mapping for ASCII and the letters of Windows-1252 (ä ⇄ Ä, ÿ ⇄ Ÿ, š ⇄ Š, œ ⇄ Œ, ž ⇄ Ž ...; ß stays);
// other characters, and bytes that are no valid UTF-8, stay as they are.
std::string UpperCase(std::string_view utf8);
std::string LowerCase(std::string_view utf8);
// Case-insensitive order (<0, 0, >0) and equality: code points compared after upper-casing as above; a byte
// that is no valid UTF-8 sorts after every character and equals only the same byte.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

// Unicode simple case folding, one character for one (so "?" of a mask still stands for one character): "Ω" and
// "ω" fold alike, as do "Ä" and "ä"; "ß" stays. Bytes that are no valid UTF-8 stay as they are. Two texts are
// equal without regard to case when their foldings are equal.
std::string FoldCase(std::string_view utf8);

} // namespace platform

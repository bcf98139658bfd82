// Scrambling of the passwords stored in profiles: an obfuscation without a key, not encryption. The file
// shows three decimal digits per scrambled byte, so it shows neither the password nor its characters.
#pragma once

#include <string>
#include <string_view>

enum class ScrambleDirection { Scramble, Unscramble };
enum class DigitDirection { Encode, Decode };

// Shifts each byte by an offset that depends only on its position (equal bytes at different positions of a
// password up to 256 bytes long give different results); Unscramble undoes Scramble. Same length in and out.
std::string ScramblePassword(std::string_view bytes, ScrambleDirection direction);

// Encode: each byte as exactly three decimal digits ("A" → "065"). Decode: each group of three characters
// as one byte; one or two surplus characters at the end are ignored, a group that is not three digits gives
// 0, and a value above 255 is taken modulo 256.
std::string DigitEncode(std::string_view text, DigitDirection direction);

// The stored line of a password held in UTF-8, and back. A password that fits Windows-1252 is stored as its
// Windows-1252 bytes, as the Windows program stores it. Any other password (or one whose Windows-1252 form
// would begin with the UTF-8 byte order mark) is stored as the mark followed by its UTF-8 bytes, so every
// password comes back as it was. An empty password is an empty line.
std::string EncodePasswordLine(std::string_view password);
std::string DecodePasswordLine(std::string_view line);

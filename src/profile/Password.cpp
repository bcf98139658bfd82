// Password scrambling for the profile file.
#include "profile/Password.h"

#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// The position offset k(p) = a·p² + b·p + c for the 1-based position p. With a even and b odd, k is a
// permutation modulo 256, so the 256 positions 1..256 all get different offsets. Files are exchangeable
// only between programs that use the same three numbers: never change them.
constexpr std::uint32_t kOffsetQuadratic = 38;
constexpr std::uint32_t kOffsetLinear = 101;
constexpr std::uint32_t kOffsetConstant = 59;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Unsigned arithmetic wraps modulo 2^32, and 256 divides 2^32, so the low byte is exact for any length.
unsigned char PositionOffset(std::size_t index) {
    auto p = static_cast<std::uint32_t>(index + 1);
    return static_cast<unsigned char>(kOffsetQuadratic * p * p + kOffsetLinear * p + kOffsetConstant);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string ScramblePassword(std::string_view bytes, ScrambleDirection direction) {
    std::string result(bytes);
    for (std::size_t i = 0; i < result.size(); ++i) {
        auto byte = static_cast<unsigned char>(result[i]);
        unsigned char offset = PositionOffset(i);
        byte = direction == ScrambleDirection::Scramble ? static_cast<unsigned char>(byte + offset)
                                                        : static_cast<unsigned char>(byte - offset);
        result[i] = static_cast<char>(byte);
    }
    return result;
}

std::string DigitEncode(std::string_view text, DigitDirection direction) {
    std::string result;
    if (direction == DigitDirection::Encode) {
        result.reserve(text.size() * 3);
        for (char c : text) {
            auto value = static_cast<unsigned char>(c);
            result += static_cast<char>('0' + value / 100);
            result += static_cast<char>('0' + value / 10 % 10);
            result += static_cast<char>('0' + value % 10);
        }
        return result;
    }
    result.reserve(text.size() / 3);
    for (std::size_t i = 0; i + 3 <= text.size(); i += 3) {
        std::string_view group = text.substr(i, 3);
        unsigned value = 0;
        if (IsDigit(group[0]) && IsDigit(group[1]) && IsDigit(group[2]))
            value = static_cast<unsigned>((group[0] - '0') * 100 + (group[1] - '0') * 10 + (group[2] - '0'));
        result += static_cast<char>(static_cast<unsigned char>(value % 256));
    }
    return result;
}

std::string EncodePasswordLine(std::string_view password) {
    std::string bytes;
    std::optional<std::string> cp1252 = platform::Utf8ToCp1252(password);
    if (cp1252 && !cp1252->starts_with(kUtf8Mark))
        bytes = std::move(*cp1252);
    else
        bytes = std::string(kUtf8Mark) + std::string(password);
    return DigitEncode(ScramblePassword(bytes, ScrambleDirection::Scramble), DigitDirection::Encode);
}

std::string DecodePasswordLine(std::string_view line) {
    std::string bytes = ScramblePassword(DigitEncode(line, DigitDirection::Decode), ScrambleDirection::Unscramble);
    std::string_view view = bytes;
    if (view.starts_with(kUtf8Mark) && platform::IsValidUtf8(view.substr(kUtf8Mark.size())))
        return std::string(view.substr(kUtf8Mark.size()));
    return platform::Cp1252ToUtf8(bytes);
}

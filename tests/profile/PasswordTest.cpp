#include "profile/Password.h"

#include "platform/Text.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

std::string Scrambled(std::string_view bytes) {
    return ScramblePassword(bytes, ScrambleDirection::Scramble);
}
std::string Unscrambled(std::string_view bytes) {
    return ScramblePassword(bytes, ScrambleDirection::Unscramble);
}
std::string Encoded(std::string_view bytes) {
    return DigitEncode(bytes, DigitDirection::Encode);
}
std::string Decoded(std::string_view line) {
    return DigitEncode(line, DigitDirection::Decode);
}

// Bytes first..255 in order, rotated left by shift: every byte comes to every position over the shifts.
std::string RotatedBytes(int first, std::size_t shift) {
    std::string bytes;
    for (int b = first; b <= 255; ++b)
        bytes += static_cast<char>(b);
    return bytes.substr(shift) + bytes.substr(0, shift);
}

TEST(Password, EmptyPasswordIsAnEmptyLine) {
    EXPECT_EQ(Scrambled(""), "");
    EXPECT_EQ(Encoded(""), "");
    EXPECT_EQ(EncodePasswordLine(""), "");
    EXPECT_EQ(DecodePasswordLine(""), "");
}

TEST(Password, EqualBytesAtDifferentPositionsDiffer) {
    std::string scrambled = Scrambled(std::string(256, 'a'));
    std::set<char> distinct(scrambled.begin(), scrambled.end());
    EXPECT_EQ(distinct.size(), 256u);
    EXPECT_EQ(Scrambled("geheim"), Scrambled("geheim"));
    EXPECT_NE(Scrambled("geheim"), "geheim");
    // Offsets depend only on the position, never on the other bytes.
    EXPECT_EQ(Scrambled("xbc").substr(1), Scrambled("abc").substr(1));
}

TEST(Password, EveryByteAtEveryPositionRoundTrips) {
    for (std::size_t shift = 0; shift < 256; ++shift) {
        std::string bytes = RotatedBytes(0, shift);
        std::string line = Encoded(Scrambled(bytes));
        ASSERT_EQ(line.size(), 3 * bytes.size());
        ASSERT_EQ(Unscrambled(Decoded(line)), bytes) << "shift " << shift;
    }
}

TEST(Password, DigitsAreThreePerByte) {
    EXPECT_EQ(Encoded(std::string("\x00\x07\x41\xFF", 4)), "000007065255");
    EXPECT_EQ(Decoded("000007065255"), std::string("\x00\x07\x41\xFF", 4));
}

TEST(Password, DecodingForgivesBadGroups) {
    EXPECT_EQ(Decoded("0650661"), "AB"); // the seventh digit is surplus
    EXPECT_EQ(Decoded("06506"), "A");
    EXPECT_EQ(Decoded("06"), "");
    EXPECT_EQ(Decoded("999"), std::string(1, static_cast<char>(999 % 256)));
    EXPECT_EQ(Decoded("256"), std::string(1, '\0'));
    EXPECT_EQ(Decoded("x65066"), std::string("\0B", 2));
    EXPECT_EQ(Decoded("-01 65+65"), std::string(3, '\0'));
}

TEST(PasswordLine, EveryWindows1252ByteAtEveryPositionRoundTrips) {
    for (std::size_t shift = 0; shift < 255; ++shift) {
        std::string password = platform::Cp1252ToUtf8(RotatedBytes(1, shift));
        std::string line = EncodePasswordLine(password);
        ASSERT_EQ(line.size(), 3 * 255u) << "shift " << shift;
        ASSERT_EQ(DecodePasswordLine(line), password) << "shift " << shift;
    }
}

TEST(PasswordLine, SamePasswordSameLineWithoutItsCharacters) {
    std::string line = EncodePasswordLine("Grüße");
    EXPECT_EQ(line, EncodePasswordLine("Grüße"));
    EXPECT_EQ(line.size(), 15u); // five Windows-1252 bytes
    EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_EQ(line, Encoded(Scrambled(*platform::Utf8ToCp1252("Grüße"))));
    EXPECT_EQ(DecodePasswordLine(line), "Grüße");
}

TEST(PasswordLine, PasswordsBeyondWindows1252RoundTrip) {
    for (std::string password : {"Łódź", "пароль", "ключ🔑",
                                 "\xC3\xAF\xC2\xBB\xC2\xBF"
                                 "abc"}) {
        std::string line = EncodePasswordLine(password);
        EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos);
        EXPECT_EQ(DecodePasswordLine(line), password) << password;
    }
}

} // namespace

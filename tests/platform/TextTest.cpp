#include "platform/Text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(Text, EveryWindows1252ByteSurvivesTheWayThroughUtf8) {
    std::string all;
    for (int b = 1; b <= 255; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = platform::Cp1252ToUtf8(all);
    EXPECT_TRUE(platform::IsValidUtf8(utf8));
    EXPECT_EQ(platform::Utf8ToCp1252(utf8), all);
    EXPECT_EQ(platform::DecodeFileText(platform::EncodeFileText(utf8)), utf8);

    const struct {
        std::string cp1252;
        std::string utf8;
    } cases[] = {
        {"\x80", "€"},
        {"\x81", "\xC2\x81"},
        {"\x8D", "\xC2\x8D"},
        {"\x8F", "\xC2\x8F"},
        {"\x90", "\xC2\x90"},
        {"\x9D", "\xC2\x9D"},
        {"\x95", "•"},
        {"\x9F", "Ÿ"},
        {"\xA0", "\xC2\xA0"},
        {"\xE4", "ä"},
        {"\xFF", "ÿ"},
        {"Gr\xFC\xDF"
         "e \x84zitiert\x93",
         "Grüße „zitiert“"},
        {"\0"s, "\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
        EXPECT_EQ(platform::Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
    }
}

TEST(Text, CharactersWithoutWindows1252FormAreRefused) {
    for (const std::string& text : {"Ω"s, "a\xC2\x80"s, "😀"s, "\xE4"s, "ok\xC3"s})
        EXPECT_FALSE(platform::Utf8ToCp1252(text).has_value()) << text;
}

TEST(Text, Utf8IsCheckedStrictly) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain", true},
        {"ä€😀", true},
        {"\xEF\xBF\xBF", true},     // U+FFFF
        {"\xF4\x8F\xBF\xBF", true}, // U+10FFFF
        {"\xE4", false},            // a lone Windows-1252 umlaut
        {"\x80", false},            // a continuation byte without a lead
        {"\xC3", false},            // cut off
        {"\xE2\x82", false},
        {"\xC0\x80", false}, // overlong forms
        {"\xC1\xBF", false},
        {"\xE0\x80\x80", false},
        {"\xE0\x9F\xBF", false},
        {"\xF0\x8F\xBF\xBF", false},
        {"\xED\xA0\x80", false}, // surrogates
        {"\xED\xBF\xBF", false},
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
        {"\xC3\xA4\xC3", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

// Each byte outside a valid character is shown on its own; a valid character right after it stays whole.
TEST(Text, InvalidUtf8IsShownEscapedAndValidTextPassesUnchanged) {
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"", ""},
        {"Brief an Frau Müller ä€😀.doc", "Brief an Frau Müller ä€😀.doc"},
        {"Gr\xFC\xDF.txt", "Gr\\xFC\\xDF.txt"}, // a Windows-1252 name
        {"\xFF\xFE", "\\xFF\\xFE"},
        {"a\xE2\x82z", "a\\xE2\\x82z"},      // cut off before an ASCII letter
        {"\xC3\xC3\xA4", "\\xC3\xC3\xA4"},   // cut off before a whole "ä"
        {"\xC0\x80", "\\xC0\\x80"},          // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"}, // a surrogate
        {"ende\xC3", "ende\\xC3"},
    };
    for (const auto& c : cases) {
        const std::string shown = platform::EscapeInvalidUtf8(c.bytes);
        EXPECT_EQ(shown, c.shown) << testing::PrintToString(c.bytes);
        EXPECT_TRUE(platform::IsValidUtf8(shown)) << shown;
    }
}

TEST(Text, FileTextIsDecidedForTheWholeText) {
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"Tolvan 6 Profile\r\n", "Tolvan 6 Profile\r\n"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         "Grüße"},                 // valid UTF-8 with umlauts
        {"K\xE4se", "Käse"},       // a lone 0xE4
        {"\x95 Punkt", "• Punkt"}, // 0x95 bullet
        {"Gr\xC3\xBC\xC3\x9F"
         "e\r\nK\xE4se",
         "GrÃ¼ÃŸe\r\nKäse"}, // one bad byte: all of it is Windows-1252
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::DecodeFileText(c.bytes), c.text) << c.text;
}

TEST(Text, FileTextIsWrittenSoThatItReadsBackTheSame) {
    const struct {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"Profil\r\n", "Profil\r\n"},
        {"Käse € \xC2\x81", "K\xE4se \x80 \x81"},
        {"Käse Ω", "Käse Ω"}, // Ω has no Windows-1252 form: the whole file is UTF-8
        {"Ã¤", "Ã¤"},         // as Windows-1252 bytes it would read back as "ä"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::EncodeFileText(c.text), c.bytes) << c.text;
        EXPECT_EQ(platform::DecodeFileText(platform::EncodeFileText(c.text)), c.text) << c.text;
    }
}

TEST(Text, CaseMappingCoversTheWindows1252Letters) {
    EXPECT_EQ(platform::UpperCase("straße äöü àéþ ÿ š œ ž × ÷ µ ω"), "STRAßE ÄÖÜ ÀÉÞ Ÿ Š Œ Ž × ÷ µ ω");
    EXPECT_EQ(platform::LowerCase("STRAßE ÄÖÜ ÀÉÞ Ÿ Š Œ Ž × ÷ Ω"), "straße äöü àéþ ÿ š œ ž × ÷ Ω");
    // Bytes that are no UTF-8 pass unchanged, the rest is still mapped.
    EXPECT_EQ(platform::UpperCase("k\xE4se\xC3"), "K\xE4SE\xC3");
    EXPECT_EQ(platform::LowerCase("K\xC4SE\x80Ä"), "k\xC4se\x80ä");
}

TEST(Text, FoldingFollowsUnicodeOneCharacterForOne) {
    EXPECT_EQ(platform::FoldCase("Äpfel ΩMEGA ДОМ Straße STRAẞE Ÿ"), "äpfel ωmega дом straße straße ÿ");
    // Bytes that are no UTF-8 pass unchanged, the rest is still folded.
    EXPECT_EQ(platform::FoldCase("K\xC4SE\x80Ω"), "k\xC4se\x80ω");
    EXPECT_EQ(platform::FoldCase(""), "");
}

TEST(Text, ComparisonIgnoresCaseOfUmlauts) {
    EXPECT_TRUE(platform::EqualNoCase("Äpfel und Birnen", "äPFEL UND bIRNEN"));
    EXPECT_TRUE(platform::EqualNoCase("ÿ", "Ÿ"));
    EXPECT_FALSE(platform::EqualNoCase("straße", "STRASSE"));
    EXPECT_FALSE(platform::EqualNoCase("Käse", "Kase"));
    EXPECT_FALSE(platform::EqualNoCase("\xE4", "\xC4")); // invalid bytes are not folded
    EXPECT_TRUE(platform::EqualNoCase("a\xE4z", "A\xE4Z"));

    const struct {
        const char* a;
        const char* b;
    } ordered[] = {
        {"abc", "ABD"}, {"ab", "AbC"}, {"", "a"}, {"Zebra", "äpfel"}, // Ä comes after Z in code-point order
        {"aB", "a_"},                                                 // compared upper-cased: B < _
        {"Ω", "\xE4"},                                                // an invalid byte sorts last
    };
    for (const auto& c : ordered) {
        EXPECT_LT(platform::CompareNoCase(c.a, c.b), 0) << c.a << " < " << c.b;
        EXPECT_GT(platform::CompareNoCase(c.b, c.a), 0) << c.b << " > " << c.a;
    }
    EXPECT_EQ(platform::CompareNoCase("Ärger", "äRGER"), 0);
}

} // namespace

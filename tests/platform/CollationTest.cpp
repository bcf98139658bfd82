// The German collation: umlauts with their base letter, case ignored, and keys that sort as the comparison does.
#include "platform/Collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(Collation, GermanOrderWithoutRegardToCase) {
    const struct {
        const char* a;
        const char* b;
    } ordered[] = {
        {"Äpfel", "Zebra"}, {"Apfel", "Äpfel"}, {"Äpfel", "Axt"},      {".tät", ".txt"},
        {"Öl", "Ozean"},    {"Übel", "Ufer"},   {"Strasse", "Straße"}, {"Straße", "Strassen"},
        {"", "a"},          {"Ψ", "ωmega"},     {"Zebra", "\xFF\xFE"},
    };
    for (const auto& c : ordered) {
        EXPECT_LT(platform::CompareCollated(c.a, c.b), 0) << c.a << " < " << c.b;
        EXPECT_GT(platform::CompareCollated(c.b, c.a), 0) << c.b << " > " << c.a;
        EXPECT_LT(platform::CollationKey(c.a), platform::CollationKey(c.b)) << c.a << " < " << c.b;
    }
    for (const auto& [a, b] : {std::pair{"Apfel", "aPFEL"}, std::pair{"ÄRGER", "ärger"}, std::pair{"ΩMEGA", "ωmega"}}) {
        EXPECT_EQ(platform::CompareCollated(a, b), 0) << a << " = " << b;
        EXPECT_EQ(platform::CollationKey(a), platform::CollationKey(b)) << a << " = " << b;
    }
}

TEST(Collation, KeysSortAsTheComparisonDoes) {
    std::vector<std::string> texts = {
        "Zebra", "äpfel", "Apfel", "axt",  "Übel", "ufer",  "",      "ß",     "ss", "St", "\xC3", "a\xFFz",      "Ωx",
        "ωY",    "10",    "9",     ".TXT", ".tät", "Ärger", "arger", "Arger", "ä",  "a",  "A",    "\xE2\x82\xAC"};
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            const int compared = platform::CompareCollated(a, b);
            const int byKey = platform::CollationKey(a).compare(platform::CollationKey(b));
            EXPECT_EQ(compared < 0, byKey < 0) << a << " / " << b;
            EXPECT_EQ(compared == 0, byKey == 0) << a << " / " << b;
        }
    }
}

} // namespace

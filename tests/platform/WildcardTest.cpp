#include "platform/Wildcard.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(Wildcard, MatchesLikeTheFileSearch) {
    const struct {
        const char* name;
        const char* mask;
        bool matches;
    } cases[] = {
        // Case and umlauts.
        {"Brief.doc", "*.doc", true},
        {"BRIEF.DOC", "brief.doc", true},
        {"Ärger.txt", "ä*.TXT", true},
        {"Öl", "öL", true},
        // Case folds by Unicode rules, beyond Windows-1252.
        {"ωmega.txt", "Ω*.*", true},
        {"ДОМ.txt", "д?м.*", true},
        {"STRAẞE", "straße", true},
        {"strasse", "straße", false},
        {"Brief.doc", "*.docx", false},
        // "*" takes any run, the empty one included.
        {"Brief.doc", "*", true},
        {"Brief.doc", "Brief*", true},
        {"Brief", "Brief*", true},
        {"ac", "a*c", true},
        {"abcbd", "a*b*d", true},
        {"abcbx", "a*b*d", false},
        {"file.tar.gz", "*.gz", true},
        {"file.tar.gz", "*.tar", false},
        {"file.tar.gz", "*.tar.*", true},
        // "?" is exactly one character, also a multi-byte one.
        {"a", "?", true},
        {"ab", "?", false},
        {"ä", "?", true},
        {"€uro", "?uro", true},
        {"äb", "??", true},
        {"ä", "??", false},
        {"a", "a?", false},
        {"Brief1.doc", "Brief?.doc", true},
        {"Brief.doc", "Brief?.doc", false},
        // The dot rules.
        {"README", "*.*", true},
        {".bashrc", "*.*", true},
        {"a.b.c", "*.*", true},
        {"README", "*.", true},
        {"a.txt", "*.", false},
        {"Brief", "Brief.*", true},
        {"Briefe", "Brief.*", false},
        {"Brief.doc", "Brief.*", true},
        {"README", "*.txt", false},
        {"README", "README.", true},
        // Characters that mean something elsewhere are plain here.
        {"Bericht(1).txt", "Bericht(1).txt", true},
        {"a+b[1].txt", "a+b[1].*", true},
        {"x", "", false},
        // Bytes that are no valid UTF-8 still match as single characters.
        {"\xff.txt", "*.txt", true},
        {"\xff.txt", "?.txt", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::MatchesWildcard(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
}

TEST(Wildcard, ManyStarsOnALongNameFinishAtOnce) {
    // A backtracking matcher needs exponential time here; the name lacks the final "b".
    std::string name(5000, 'a');
    std::string mask;
    for (int i = 0; i < 40; ++i)
        mask += "*a";
    mask += "*b";
    platform::cWildcard wildcard(mask);
    EXPECT_FALSE(wildcard.Matches(name));
    EXPECT_TRUE(wildcard.Matches(name + "b"));
}

} // namespace

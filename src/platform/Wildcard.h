// File masks as the user types them ("*.doc", "Brief?.txt", "*.*"), matched against file names.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A compiled mask with the file-search rules: case-insensitive by Unicode case folding ("Ω*.*" matches
// "ωmega.txt", "ä" matches "Ä"); "*" matches any run of characters, also an empty one; "?" exactly one
// character (one UTF-8 character, not one byte). A name without a dot is also tried with a "." appended, which only a
// "." or "*" of the mask can match: so "*.*" matches every name, "*." the names without a dot, and "Brief.*" the name
// "Brief". Matching takes at most length(name) × length(mask) steps.
class cWildcard {
public:
    explicit cWildcard(std::string_view mask);
    bool Matches(std::string_view name) const;

private:
    std::u32string m_mask; // case-folded, runs of "*" joined
    bool m_matchesAll = false;
};

// One-off form of cWildcard(mask).Matches(name); compile the mask once when matching many names.
bool MatchesWildcard(std::string_view name, std::string_view mask);

} // namespace platform

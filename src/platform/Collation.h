// The order of names as a German reader expects it (the German collation of ICU), without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Negative, 0 or positive: a sorts before, with or after b. Case is ignored ("apfel" equals "Apfel"); umlauts
// sort with their base letter and after it when the texts are otherwise equal ("Apfel" < "Äpfel" < "Axt",
// ".tät" < ".txt"). Bytes that are no valid UTF-8 count as U+FFFD.
int CompareCollated(std::string_view a, std::string_view b);

// A key whose byte order (std::string's <) is the order of CompareCollated: computed once per text, it makes
// sorting many texts cheap.
std::string CollationKey(std::string_view utf8);

// The key of the base letters alone (the collation's primary level): equal for "Äpfel", "apfel" and "Apfel", so
// texts that differ only in accents or case share it. Used to group names by their first letter.
std::string PrimaryCollationKey(std::string_view utf8);

} // namespace platform

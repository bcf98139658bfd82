// Path variables: names between two "%" in paths and commands, replaced by date, time or environment values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Longest value (in characters) that a variable is replaced by; a longer one is cut.
inline constexpr std::size_t kMaxVariableValue = 260;

// Replaces every "%NAME%" by its value. NAME is matched case-insensitively: DAYOFWEEK, SHORTDAYOFWEEK, DAY,
// MONTH, SHORTMONTH, LONGMONTH, YEAR, SHORTDATE, LONGDATE use the date today minus dateOffset days; HOUR,
// MINUTE, SECOND, SHORTTIME, LONGTIME use the time now, never shifted. Any other name is an environment
// variable (as written, else upper-cased), or the empty text when neither is set. A lone "%" stays.
// A value is inserted as it is and the search goes on after it, so a value that holds "%NAME%" itself is
// never expanded again and expansion always ends.
std::string ExpandVariables(std::string_view text, double dateOffset = 0);

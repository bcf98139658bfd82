#include "profile/Variables.h"

#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/GermanFormat.h"
#include "platform/Text.h"
#include "profile/Utf8Prefix.h"

#include <array>
#include <cmath>

namespace {

struct cVariable {
    std::string_view Name;
    std::string_view Format;
    bool IsDate; // formatted from the shifted date, else from the time now
};

constexpr std::array<cVariable, 14> kVariables = {{
    {"DAYOFWEEK", "dddd", true},
    {"SHORTDAYOFWEEK", "ddd", true},
    {"DAY", "dd", true},
    {"MONTH", "mm", true},
    {"SHORTMONTH", "mmm", true},
    {"LONGMONTH", "mmmm", true},
    {"YEAR", "yyyy", true},
    {"SHORTDATE", "ddddd", true},
    {"LONGDATE", "dddddd", true},
    {"HOUR", "hh", false},
    {"MINUTE", "nn", false},
    {"SECOND", "ss", false},
    {"SHORTTIME", "t", false},
    {"LONGTIME", "tt", false},
}};

std::string VariableValue(std::string_view name, platform::FileTime now, platform::FileTime date) {
    std::string upper = platform::UpperCase(name);
    for (const cVariable& v : kVariables)
        if (upper == v.Name) return platform::FormatDateTime(v.Format, v.IsDate ? date : now);
    // Environment names are case-sensitive here; the upper-cased name finds %path% as PATH, as users
    // coming from case-blind systems write it.
    if (auto value = platform::GetEnvironment(name)) return *value;
    if (auto value = platform::GetEnvironment(upper)) return *value;
    return {};
}

} // namespace

std::string ExpandVariables(std::string_view text, double dateOffset) {
    std::string result(text);
    const platform::FileTime now = platform::NowLocal();
    const auto shift =
        static_cast<platform::FileTime>(std::llround(dateOffset * static_cast<double>(platform::kTicksPerDay)));
    const platform::FileTime date = now - shift;
    std::size_t searchFrom = 0;
    for (;;) {
        std::size_t open = result.find('%', searchFrom);
        if (open == std::string::npos) break;
        std::size_t close = result.find('%', open + 1);
        if (close == std::string::npos) break;
        std::string value = VariableValue(std::string_view(result).substr(open + 1, close - open - 1), now, date);
        value.resize(Utf8Prefix(value, kMaxVariableValue).size());
        result.replace(open, close - open + 1, value);
        searchFrom = open + value.size();
    }
    return result;
}

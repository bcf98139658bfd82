// German date, time and number formats with the program's format letters.
#include "platform/GermanFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace platform {
namespace {

constexpr std::string_view kLongDayNames[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                               "Donnerstag", "Freitag", "Samstag"};
constexpr std::string_view kShortDayNames[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
constexpr std::string_view kLongMonthNames[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                                  "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
constexpr std::string_view kShortMonthNames[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                                   "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// The German system formats behind "ddddd", "dddddd", "t" and "tt".
constexpr std::string_view kShortDateFormat = "dd/mm/yyyy";
constexpr std::string_view kLongDateFormat = "dddd, d. mmmm yyyy";
constexpr std::string_view kShortTimeFormat = "hh:nn";
constexpr std::string_view kLongTimeFormat = "hh:nn:ss";

// Letters with a meaning; every other letter is copied.
constexpr std::string_view kFormatLetters = "CDHMNSTYZ";

constexpr int kMaxDecimals = 18;

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Appends a number with at least minDigits digits (leading zeros).
void AppendNumber(std::string& out, long long value, std::size_t minDigits) {
    if (value < 0) out += '-';
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < minDigits) out.append(minDigits - digits.size(), '0');
    out += digits;
}

class DateTimeFormatter {
public:
    explicit DateTimeFormatter(FileTime local) : m_parts(SplitFileTime(local)) {}

    void Append(std::string_view format);
    std::string Take() { return std::move(m_out); }

private:
    void AppendToken(char token, std::size_t count);

    DateTime m_parts;
    std::string m_out;
};

void DateTimeFormatter::Append(std::string_view format) {
    char lastLetter = ' ';
    std::size_t pos = 0;
    while (pos < format.size()) {
        const char starter = format[pos++];
        if (starter == '\'' || starter == '"') {
            const std::size_t end = std::min(format.find(starter, pos), format.size());
            m_out += format.substr(pos, end - pos);
            pos = end < format.size() ? end + 1 : end;
            continue;
        }
        if (starter == '/') {
            m_out += '.';
            continue;
        }
        if (!IsAsciiLetter(starter)) {
            m_out += starter;
            continue;
        }
        char token = UpperAscii(starter);
        // "m" right after an hour means minutes, as in "hh:mm:ss".
        if (token == 'M' && lastLetter == 'H') token = 'N';
        lastLetter = token;
        if (kFormatLetters.find(token) == std::string_view::npos) {
            m_out += starter;
            continue;
        }
        const std::size_t runEnd = std::min(format.find_first_not_of(starter, pos), format.size());
        const std::size_t count = runEnd - pos + 1;
        pos = runEnd;
        AppendToken(token, count);
    }
}

void DateTimeFormatter::AppendToken(char token, std::size_t count) {
    switch (token) {
    case 'Y':
        if (count <= 2)
            AppendNumber(m_out, ((m_parts.year % 100) + 100) % 100, 2);
        else
            AppendNumber(m_out, m_parts.year, 4);
        break;
    case 'M':
        if (count <= 2)
            AppendNumber(m_out, m_parts.month, count);
        else
            m_out += count == 3 ? ShortMonthName(m_parts.month) : LongMonthName(m_parts.month);
        break;
    case 'D':
        if (count <= 2)
            AppendNumber(m_out, m_parts.day, count);
        else if (count == 3)
            m_out += ShortDayName(m_parts.dayOfWeek);
        else if (count == 4)
            m_out += LongDayName(m_parts.dayOfWeek);
        else
            Append(count == 5 ? kShortDateFormat : kLongDateFormat);
        break;
    case 'H':
        AppendNumber(m_out, m_parts.hour, std::min<std::size_t>(count, 2));
        break;
    case 'N':
        AppendNumber(m_out, m_parts.minute, std::min<std::size_t>(count, 2));
        break;
    case 'S':
        AppendNumber(m_out, m_parts.second, std::min<std::size_t>(count, 2));
        break;
    case 'Z':
        AppendNumber(m_out, m_parts.millisecond, std::min<std::size_t>(count, 3));
        break;
    case 'T':
        Append(count == 1 ? kShortTimeFormat : kLongTimeFormat);
        break;
    default: // 'C'
        Append(kShortDateFormat);
        m_out += ' ';
        Append(kLongTimeFormat);
        break;
    }
}

} // namespace

std::string FormatDateTime(std::string_view format, FileTime local) {
    DateTimeFormatter formatter(local);
    formatter.Append(format);
    return formatter.Take();
}

std::string FormatNumber(double value, int decimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const auto places = static_cast<std::size_t>(std::clamp(decimals, 0, kMaxDecimals));

    // The shortest decimal text that reads back as the same double, in fixed notation: exact for whole
    // numbers up to 2^63 and beyond, and free of binary noise such as 2.67499999... for 2.675. The longest
    // such text (the smallest subnormal) has 326 characters.
    char buffer[400];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string digits(text.substr(0, point));
    std::string fraction(point < text.size() ? text.substr(point + 1) : std::string_view());

    // Round half away from zero on the decimal digits.
    const bool roundUp = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    digits += fraction;
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::string whole = digits.substr(0, digits.size() - places);
    fraction = digits.substr(digits.size() - places);

    std::string out;
    if (value < 0 && digits.find_first_not_of('0') != std::string::npos) out += '-';
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += '.';
        out += whole[i];
    }
    if (places > 0) out += ',' + fraction;
    return out;
}

std::string_view LongDayName(int dayOfWeek) {
    return dayOfWeek >= 0 && dayOfWeek < 7 ? kLongDayNames[dayOfWeek] : "";
}

std::string_view ShortDayName(int dayOfWeek) {
    return dayOfWeek >= 0 && dayOfWeek < 7 ? kShortDayNames[dayOfWeek] : "";
}

std::string_view LongMonthName(int month) {
    return month >= 1 && month <= 12 ? kLongMonthNames[month - 1] : "";
}

std::string_view ShortMonthName(int month) {
    return month >= 1 && month <= 12 ? kShortMonthNames[month - 1] : "";
}

} // namespace platform

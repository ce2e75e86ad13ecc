#include "DateParser.h"

#include "TextScan.h"

#include <chrono>

namespace brasko {

namespace {

constexpr std::string_view kYearMark = "\xE5\xB9\xB4";  // 年
constexpr std::string_view kMonthMark = "\xE6\x9C\x88"; // 月
constexpr std::string_view kDayMark = "\xE6\x97\xA5";   // 日

constexpr int kMinYear = 1000;

// Reads 1..maxDigits decimal digits; returns the count read (0: none) and advances.
int ReadDigits(std::string_view& text, int maxDigits, int& value)
{
    int count = 0;
    value = 0;
    while (count < maxDigits && !text.empty() && IsDigit(text.front())) {
        value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
        ++count;
    }
    return count;
}

bool Consume(std::string_view& text, std::string_view mark)
{
    // The first byte decides nearly always; it spares a compare call per field.
    if (text.empty() || text.front() != mark.front() || !text.starts_with(mark))
        return false;
    text.remove_prefix(mark.size());
    return true;
}

// What may follow a date: nothing, or a time of day after a blank or 'T'.
bool IsTimeTail(std::string_view rest)
{
    if (rest.empty())
        return true;
    if (rest.front() != ' ' && rest.front() != '\t' && rest.front() != 'T')
        return false;
    rest = TrimBlanks(rest.substr(1));
    return !rest.empty() && IsDigit(rest.front());
}

std::int32_t MakeDay(int year, int month, int day)
{
    if (year < kMinYear)
        return 0;
    const std::chrono::year_month_day ymd{std::chrono::year(year),
                                          std::chrono::month(unsigned(month)),
                                          std::chrono::day(unsigned(day))};
    if (!ymd.ok())
        return 0;
    return year * 10000 + month * 100 + day;
}

// YYYY<sep>M<sep>D after the year; sep is one of - / . or the Japanese marks.
std::int32_t ParseAfterYear(int year, std::string_view rest)
{
    int month = 0;
    int day = 0;
    if (Consume(rest, kYearMark)) {
        if (!ReadDigits(rest, 2, month) || !Consume(rest, kMonthMark) || !ReadDigits(rest, 2, day)
            || !Consume(rest, kDayMark)) {
            return 0;
        }
    } else {
        if (rest.empty())
            return 0;
        const char separator = rest.front();
        if (separator != '-' && separator != '/' && separator != '.')
            return 0;
        rest.remove_prefix(1);
        if (!ReadDigits(rest, 2, month) || rest.empty() || rest.front() != separator)
            return 0;
        rest.remove_prefix(1);
        if (!ReadDigits(rest, 2, day))
            return 0;
    }
    return IsTimeTail(rest) ? MakeDay(year, month, day) : 0;
}

// MM/DD/YYYY, as US data vendors export it.
std::int32_t ParseUsDate(int month, std::string_view rest)
{
    int day = 0;
    int year = 0;
    if (!Consume(rest, "/") || !ReadDigits(rest, 2, day) || !Consume(rest, "/")
        || ReadDigits(rest, 4, year) != 4) {
        return 0;
    }
    return IsTimeTail(rest) ? MakeDay(year, month, day) : 0;
}

// YYYY-MM-DD and its '/' and '.' forms with two-digit month and day, nothing around: what
// nearly every row holds, read without the general path's steps (same result).
bool IsFixedWidthDate(std::string_view text)
{
    constexpr std::size_t kLength = 10;
    constexpr std::size_t kFirstSeparator = 4;
    constexpr std::size_t kSecondSeparator = 7;
    if (text.size() != kLength)
        return false;
    const char separator = text[kFirstSeparator];
    if ((separator != '-' && separator != '/' && separator != '.')
        || text[kSecondSeparator] != separator) {
        return false;
    }
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

int TwoDigits(const char* p)
{
    return (p[0] - '0') * 10 + (p[1] - '0');
}

} // namespace

std::int32_t ParseDate(std::string_view text)
{
    if (IsFixedWidthDate(text)) {
        const char* p = text.data();
        return MakeDay(TwoDigits(p) * 100 + TwoDigits(p + 2), TwoDigits(p + 5), TwoDigits(p + 8));
    }
    std::string_view rest = TrimBlanks(text);
    int lead = 0;
    const int digits = ReadDigits(rest, 8, lead);
    switch (digits) {
    case 8:
        return IsTimeTail(rest) ? MakeDay(lead / 10000, lead / 100 % 100, lead % 100) : 0;
    case 4:
        return ParseAfterYear(lead, rest);
    case 1:
    case 2:
        return ParseUsDate(lead, rest);
    default:
        return 0;
    }
}

} // namespace brasko

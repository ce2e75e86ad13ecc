#pragma once

// The calendar both components count periods by, so that the weeks and months a chart asks
// the data library for are the chart's own: weeks run from Monday to Sunday. Plain
// arithmetic: it runs for every bar of every chart and every partial read.

#include <cstdint>
#include <optional>

namespace quorex {

namespace calendar {

inline constexpr std::int32_t kFirstDate = 10101;    // 0001-01-01
inline constexpr std::int32_t kLastDate = 99991231;
inline constexpr int kMonths = 12;
inline constexpr int kYearsPerEra = 400;
inline constexpr std::int64_t kDaysPerEra = 146097;
// From 0000-03-01 to 1970-01-01.
inline constexpr std::int64_t kDaysBefore1970 = 719468;
inline constexpr std::int64_t kDaysPerWeek = 7;
inline constexpr std::int64_t kMostDaysPerMonth = 31;
// 1970-01-01 was a Thursday, three days after a Monday.
inline constexpr std::int64_t kThursdaySinceMonday = 3;

inline bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

inline int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace calendar

// Days from 1970-01-01 to a yyyymmdd date (proleptic Gregorian); nothing when the date is
// no calendar day of the years 1 to 9999.
inline std::optional<std::int64_t> DayNumber(std::int32_t date)
{
    using namespace calendar;
    if (date < kFirstDate || date > kLastDate)
        return std::nullopt;
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (month < 1 || month > kMonths || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    // Years counted from March, so that a leap day ends its year; eras of 400 years.
    const int shifted = year - (month <= 2 ? 1 : 0);
    const int era = shifted / kYearsPerEra;
    const int yearOfEra = shifted - era * kYearsPerEra;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t(era) * kDaysPerEra + dayOfEra - kDaysBefore1970;
}

// The day number of the Monday of the week a day number lies in.
inline std::int64_t MondayOf(std::int64_t dayNumber)
{
    using namespace calendar;
    const std::int64_t sinceMonday =
        ((dayNumber + kThursdaySinceMonday) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    return dayNumber - sinceMonday;
}

} // namespace quorex

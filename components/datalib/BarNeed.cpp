#include "BarNeed.h"

#include <algorithm>

namespace brasko {

namespace {

constexpr std::int32_t kLastDate = 99991231;
// Keys of weeks of dates that are no calendar day lie beyond every real day's.
constexpr std::int64_t kBadDateWeekBase = std::int64_t(1) << 40;

constexpr int kMonths = 12;
constexpr int kYearsPerEra = 400;
constexpr std::int64_t kDaysPerEra = 146097;
// From 0000-03-01 to 1970-01-01.
constexpr std::int64_t kDaysBefore1970 = 719468;
constexpr std::int64_t kDaysPerWeek = 7;
// 1970-01-01 was a Thursday, three days after a Monday.
constexpr std::int64_t kThursdaySinceMonday = 3;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int32_t MonthOf(std::int32_t date)
{
    return date / 100;
}

// Counts period changes of bars taken one at a time from the newest or the oldest.
class PeriodCounter {
public:
    explicit PeriodCounter(const quorex::DataRequest& need)
        : m_weeks(need.latestWeeks != 0)
        , m_months(need.latestMonths != 0)
    {
    }

    void Add(std::int32_t date)
    {
        if (m_counts.days > 0 && date == m_date)
            return;
        ++m_counts.days;
        if (m_weeks) {
            const std::int64_t week = WeekOf(date);
            if (m_counts.weeks == 0 || week != m_week)
                ++m_counts.weeks;
            m_week = week;
        }
        if (m_months && (m_counts.months == 0 || MonthOf(date) != MonthOf(m_date)))
            ++m_counts.months;
        m_date = date;
    }
    const PeriodCounts& counts() const { return m_counts; }

private:
    const bool m_weeks;
    const bool m_months;
    PeriodCounts m_counts;
    std::int32_t m_date = 0;
    std::int64_t m_week = 0;
};

} // namespace

std::int64_t WeekOf(std::int32_t date)
{
    // Counted for every bar of every partial read: the day number by plain arithmetic
    // (days from 1970-01-01, proleptic Gregorian), not through the calendar types.
    if (date <= 0 || date > kLastDate)
        return kBadDateWeekBase + date;
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (month < 1 || month > kMonths || day < 1 || day > DaysInMonth(year, month))
        return kBadDateWeekBase + date;
    // Years counted from March, so that a leap day ends its year; eras of 400 years.
    const int shifted = year - (month <= 2 ? 1 : 0);
    const int era = shifted / kYearsPerEra; // years are positive
    const int yearOfEra = shifted - era * kYearsPerEra;
    const int dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t dayNumber =
        std::int64_t(era) * kDaysPerEra + dayOfEra - kDaysBefore1970;
    const std::int64_t sinceMonday =
        ((dayNumber + kThursdaySinceMonday) % kDaysPerWeek + kDaysPerWeek) % kDaysPerWeek;
    return dayNumber - sinceMonday;
}

PeriodCounts CountPeriods(std::span<const quorex::PriceBar> bars,
                          const quorex::DataRequest& need)
{
    PeriodCounter counter(need);
    for (const quorex::PriceBar& bar : bars)
        counter.Add(bar.date);
    return counter.counts();
}

PeriodCounts CountPeriods(std::span<const quorex::PriceBar> bars)
{
    quorex::DataRequest every;
    every.latestWeeks = 1;
    every.latestMonths = 1;
    return CountPeriods(bars, every);
}

bool Covers(const quorex::DataRequest& need, const PeriodCounts& counts)
{
    if (need.latestBars == 0 || counts.days < need.latestBars)
        return false;
    return (need.latestWeeks == 0 || counts.weeks > need.latestWeeks)
           && (need.latestMonths == 0 || counts.months > need.latestMonths);
}

std::size_t FirstKept(std::span<const quorex::PriceBar> bars, const quorex::DataRequest& need)
{
    if (need.latestBars == 0 || bars.empty())
        return 0;
    const std::size_t byBars = bars.size() - std::min(need.latestBars, bars.size());
    if (need.latestWeeks == 0 && need.latestMonths == 0)
        return byBars;
    // From the newest back to the bar of the first period beyond those asked for.
    PeriodCounter counter(need);
    for (std::size_t i = bars.size(); i-- > 0;) {
        counter.Add(bars[i].date);
        const PeriodCounts& counts = counter.counts();
        const bool weeksWhole = need.latestWeeks == 0 || counts.weeks > need.latestWeeks;
        const bool monthsWhole = need.latestMonths == 0 || counts.months > need.latestMonths;
        if (weeksWhole && monthsWhole)
            return std::min(byBars, i);
    }
    return 0;
}

} // namespace brasko

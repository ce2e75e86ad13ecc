#include "BarNeed.h"

#include <QuorexCalendar.h>

#include <algorithm>

namespace brasko {

namespace {

// Keys of weeks of dates that are no calendar day lie beyond every real day's.
constexpr std::int64_t kBadDateWeekBase = std::int64_t(1) << 40;

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

// The weeks and months asked for are there, with one period more that shows the oldest of
// them whole.
bool HoldsPeriods(const quorex::DataRequest& need, const PeriodCounts& counts)
{
    return (need.latestWeeks == 0 || counts.weeks > need.latestWeeks)
           && (need.latestMonths == 0 || counts.months > need.latestMonths);
}

} // namespace

std::int64_t WeekOf(std::int32_t date)
{
    const std::optional<std::int64_t> day = quorex::DayNumber(date);
    return day ? quorex::MondayOf(*day) : kBadDateWeekBase + date;
}

PeriodCounts CountPeriods(std::span<const quorex::PriceBar> bars,
                          const quorex::DataRequest& need)
{
    PeriodCounter counter(need);
    for (const quorex::PriceBar& bar : bars)
        counter.Add(bar.date);
    return counter.counts();
}

bool Covers(const quorex::DataRequest& need, const PeriodCounts& counts)
{
    return need.latestBars != 0 && counts.days >= need.latestBars && HoldsPeriods(need, counts);
}

bool Covers(const quorex::DataRequest& need, std::span<const quorex::PriceBar> bars)
{
    if (need.latestBars == 0 || bars.size() < need.latestBars)
        return false;
    if (need.latestWeeks == 0 && need.latestMonths == 0)
        return true;
    // From the newest, only as far as the periods asked for and one more.
    PeriodCounter counter(need);
    for (std::size_t i = bars.size(); i-- > 0;) {
        counter.Add(bars[i].date);
        if (Covers(need, counter.counts()))
            return true;
    }
    return false;
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
        if (HoldsPeriods(need, counter.counts()))
            return std::min(byBars, i);
    }
    return 0;
}

} // namespace brasko

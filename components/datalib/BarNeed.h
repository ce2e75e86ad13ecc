#pragma once

#include <QuorexComponents.h>

#include <cstdint>
#include <span>

namespace brasko {

// The distinct days, weeks (Monday to Sunday) and calendar months of bars in date order,
// either way; weeks and months only where need asks for them (else 0).
struct PeriodCounts {
    std::size_t days = 0;
    std::size_t weeks = 0;
    std::size_t months = 0;
};
PeriodCounts CountPeriods(std::span<const quorex::PriceBar> bars,
                          const quorex::DataRequest& need);

// The week a yyyymmdd date lies in: the day number of its Monday (a date that is no
// calendar day is a week of its own).
std::int64_t WeekOf(std::int32_t date);

// Whether bars read from the newest end, counted so, hold what need asks for: latestBars
// days, and for the weeks and months asked a period more, so that the oldest of those asked
// is whole. need.latestBars 0 (every bar) is never met.
bool Covers(const quorex::DataRequest& need, const PeriodCounts& counts);

// The same of a series: bars in ascending date order, one per day.
bool Covers(const quorex::DataRequest& need, std::span<const quorex::PriceBar> bars);

// Of bars in ascending date order, one per day: the index of the first bar `need` keeps,
// the newest latestBars and every bar of the newest latestWeeks weeks and latestMonths
// months with the one bar before them; 0 when every bar is needed.
std::size_t FirstKept(std::span<const quorex::PriceBar> bars, const quorex::DataRequest& need);

} // namespace brasko

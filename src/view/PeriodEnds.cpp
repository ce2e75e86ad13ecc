#include "view/PeriodEnds.h"

#include "QuorexCalendar.h"

#include <algorithm>
#include <optional>

namespace mosgrid {

namespace {

constexpr std::int32_t kMonthFactor = 100;

// Bars of one key lie in one period; an invalid date gets a key no other bar shares.
std::optional<std::int64_t> KeyOf(std::int32_t date, PeriodChoice period)
{
    if (period == PeriodChoice::Monthly) {
        if (!quorex::DayNumber(date))
            return std::nullopt;
        return date / kMonthFactor;
    }
    const std::optional<std::int64_t> day = quorex::DayNumber(date);
    if (!day)
        return std::nullopt;
    return period == PeriodChoice::Weekly ? quorex::MondayOf(*day) : *day;
}

} // namespace

std::vector<int> PeriodEnds(std::span<const quorex::PriceBar> daily, PeriodChoice period)
{
    std::vector<int> ends;
    const bool grouped = period == PeriodChoice::Weekly || period == PeriodChoice::Monthly;
    std::optional<std::int64_t> previous;
    for (std::size_t i = 0; i < daily.size(); ++i) {
        const std::optional<std::int64_t> key = KeyOf(daily[i].date, period);
        const bool joins = grouped && key && previous && *key == *previous && !ends.empty();
        if (joins)
            ends.back() = int(i) + 1;
        else
            ends.push_back(int(i) + 1);
        previous = key;
    }
    return ends;
}

int PeriodIndexOf(const std::vector<int>& ends, int dailyIndex)
{
    const auto it = std::upper_bound(ends.begin(), ends.end(), dailyIndex);
    if (it == ends.end())
        return ends.empty() ? 0 : int(ends.size()) - 1;
    return int(it - ends.begin());
}

} // namespace mosgrid

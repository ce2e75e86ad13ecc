#include "PeriodBars.h"

#include "QuorexCalendar.h"

#include <algorithm>

namespace quorex::chart {

namespace {

// Keys outside every calendar range, so a bad date never joins a real period.
constexpr long long kBadDateKeyBase = 1LL << 40;

} // namespace

long long PeriodKey(int date, Period period)
{
    if (period == Period::Daily)
        return date;
    const std::optional<std::int64_t> day = DayNumber(date);
    if (!day)
        return kBadDateKeyBase + date;
    if (period == Period::Monthly)
        return date / 100;
    return MondayOf(*day);
}

std::vector<PriceBar> AggregateBars(std::span<const PriceBar> daily, Period period)
{
    if (period == Period::Daily)
        return {daily.begin(), daily.end()};
    std::vector<PriceBar> result;
    long long currentKey = 0;
    for (const PriceBar& bar : daily) {
        const long long key = PeriodKey(bar.date, period);
        if (result.empty() || key != currentKey) {
            result.push_back(bar);
            currentKey = key;
            continue;
        }
        PriceBar& merged = result.back();
        merged.high = std::max(merged.high, bar.high);
        merged.low = std::min(merged.low, bar.low);
        merged.close = bar.close;
        merged.volume += bar.volume;
    }
    return result;
}

} // namespace quorex::chart

#include "PeriodBars.h"

#include <algorithm>
#include <chrono>

namespace quorex::chart {

namespace {

// Keys outside every calendar range, so a bad date never joins a real period.
constexpr long long kBadDateKeyBase = 1LL << 40;

std::chrono::year_month_day ToCalendar(int date)
{
    return std::chrono::year_month_day{std::chrono::year{date / 10000},
                                       std::chrono::month{static_cast<unsigned>(date / 100 % 100)},
                                       std::chrono::day{static_cast<unsigned>(date % 100)}};
}

} // namespace

long long PeriodKey(int date, Period period)
{
    if (period == Period::Daily)
        return date;
    const std::chrono::year_month_day ymd = ToCalendar(date);
    if (date <= 0 || !ymd.ok())
        return kBadDateKeyBase + date;
    if (period == Period::Monthly)
        return date / 100;
    const std::chrono::sys_days day{ymd};
    const unsigned sinceMonday = std::chrono::weekday{day}.iso_encoding() - 1;
    return (day - std::chrono::days{sinceMonday}).time_since_epoch().count();
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

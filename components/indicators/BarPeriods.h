#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace quorex::indicators {

enum class BarPeriod { Daily, Weekly, Monthly };

// The key that groups a yyyymmdd date into its period: the week's Monday as days since
// 1970-01-01, or yyyymm. A date that is no calendar day is a group of its own.
long long PeriodKey(std::int32_t date, BarPeriod period);

// Bars of a longer period from daily bars in ascending order: first open, highest high,
// lowest low, last close, summed volume. Weeks start on Monday. Each bar carries the date
// of its first day. Daily bars come back unchanged. Bar: any type with the members date,
// high, low, close and volume.
template <class Bar>
std::vector<Bar> AggregateBars(std::span<const Bar> daily, BarPeriod period)
{
    if (period == BarPeriod::Daily)
        return {daily.begin(), daily.end()};
    std::vector<Bar> result;
    long long currentKey = 0;
    for (const Bar& bar : daily) {
        const long long key = PeriodKey(bar.date, period);
        if (result.empty() || key != currentKey) {
            result.push_back(bar);
            currentKey = key;
            continue;
        }
        Bar& merged = result.back();
        merged.high = std::max(merged.high, bar.high);
        merged.low = std::min(merged.low, bar.low);
        merged.close = bar.close;
        merged.volume += bar.volume;
    }
    return result;
}

} // namespace quorex::indicators

#pragma once

#include "ChartDefinition.h"
#include "QuorexComponents.h"

#include <span>
#include <vector>

namespace quorex::chart {

// Bars of a longer period from daily bars in ascending order: first open, highest high,
// lowest low, last close, summed volume. Weeks start on Monday. Each bar carries the date
// of its first day. Daily bars come back unchanged.
std::vector<PriceBar> AggregateBars(std::span<const PriceBar> daily, Period period);

// The key that groups a yyyymmdd date into its period: the week's Monday as days since
// 1970-01-01, or yyyymm. A date that is no calendar day is a group of its own.
long long PeriodKey(int date, Period period);

} // namespace quorex::chart

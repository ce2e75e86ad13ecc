#pragma once

#include "QuorexComponents.h"
#include "settings/ViewChoices.h"

#include <cstdint>
#include <span>
#include <vector>

namespace mosgrid {

// Where each bar of a period ends in a daily series, weeks from Monday and calendar months
// as the chart control groups them: ends[i] is the number of daily bars up to and including
// the last day of period bar i. Cutting the daily series there shows period bar i whole as
// the newest. Definitions counts as daily. A day that is no calendar date is a bar alone.
std::vector<int> PeriodEnds(std::span<const quorex::PriceBar> daily, PeriodChoice period);

// The period bar that holds the daily bar `dailyIndex` (0 for an empty series).
int PeriodIndexOf(const std::vector<int>& ends, int dailyIndex);

} // namespace mosgrid

#pragma once

#include "ChartDefinition.h"
#include "ChartParams.h"

#include "QuorexComponents.h"

#include <cstddef>
#include <span>

namespace quorex::chart {

// Daily bars, counted from the newest, that drawing `charts` with `params` needs to give
// exactly the picture of the whole series; 0 when it needs every bar (the scroll bar shows
// the whole series). Counts periods conservatively for a series of at most one bar per
// calendar day: a week holds at most 7 of them and a month 31, and the oldest period read
// may lack its first days.
std::size_t DailyBarsNeeded(const ChartParams& params, std::span<const ChartDefinition> charts);

// The same need as a request that lets the library count weekly and monthly periods as
// such: the newest daily bars the daily charts need (at least one), and the whole weeks
// and months the weekly and monthly charts need. All zero when every bar is needed.
DataRequest DataNeeded(const ChartParams& params, std::span<const ChartDefinition> charts);

} // namespace quorex::chart

#pragma once

#include "ChartDefinition.h"
#include "ChartPlan.h"
#include "QuorexComponents.h"

#include <span>
#include <vector>

namespace quorex::chart {

// Each shown bar's close divided by the other series' close in the same period (the same
// day, week or month), rebased to 100 at the first shown bar that has both; NaN where the
// other has no bar of that period. shown and other are in `period`, ascending.
std::vector<double> RelativeStrength(std::span<const PriceBar> shown,
                                     std::span<const PriceBar> other, Period period);

// An RS pane's line against otherDaily (the other code's daily bars; empty: it has none, and
// the pane says so), with its 100 line and legend.
void PlanRelativeStrength(PanePlan& pane, const ChartStyle& style,
                          std::span<const PriceBar> otherDaily);

} // namespace quorex::chart

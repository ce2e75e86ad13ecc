#pragma once

#include "ChartPlan.h"

#include <cstddef>

namespace quorex::chart {

class IndicatorInputs;

// Bars before the first shown one that the definition's indicators read. Every indicator
// is computed from exactly that many earlier bars (fewer where the series is shorter), so a
// picture depends on the newest bars alone, however many more were read.
std::size_t IndicatorLookBack(const ChartDefinition& definition);

// The overlays of a price pane (EMA, Bollinger Bands, 一目均衡表) or the lines of an
// indicator pane over its shown bars, with their legend; widens the pane's range by them.
// The moving averages' legend entries come first, as they always have.
// `inputs` holds the bars' arrays the panes of the picture share.
void PlanIndicators(PanePlan& pane, const ChartStyle& style, IndicatorInputs& inputs);

} // namespace quorex::chart

#pragma once

#include "ChartDefinition.h"
#include "ChartParams.h"

#include <optional>
#include <span>
#include <vector>

namespace quorex::chart {

// The period each chart draws in: a price chart its own, or the Period parameter's; Volume
// and the indicator panes that of the first price chart (daily without one), or the Period
// parameter's. None for an
// unreadable definition.
std::vector<std::optional<Period>> PanePeriods(std::span<const ChartDefinition> charts,
                                               const ChartParams& params);

} // namespace quorex::chart

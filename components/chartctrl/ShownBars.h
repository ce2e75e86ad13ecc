#pragma once

#include "ChartPlan.h"
#include "QuorexComponents.h"
#include "SlotMapper.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <span>
#include <vector>

namespace quorex::chart {

// The bars one pane shows and where their columns lie, kept from a picture's plan so the
// bar under a point can be told after painting.
struct ShownPane {
    QRect rect;                        // the pane, frame included
    SlotMapper columns;                // the slots the painter used
    std::vector<PriceBar> bars;        // in the pane's own period, oldest first
    // Its indicator lines by name, a value per bar.
    std::vector<std::pair<QString, std::vector<double>>> named;
};

// The panes of a plan that draw bars; their named lines are moved out of the plan, which
// is done with once painted.
std::vector<ShownPane> ShownPanes(ChartPlan&& plan);

// The bar whose slot holds the point, in the pane that holds it; nothing between panes,
// beside the slots or in a pane without bars.
std::optional<PriceBar> BarUnder(std::span<const ShownPane> panes, QPoint point);

// Every pane's indicator values at the bar of `date` (panes without such a bar left out).
std::vector<IndicatorValue> ValuesOn(std::span<const ShownPane> panes, std::int32_t date);

// Every pane's indicator values at its newest bar.
std::vector<IndicatorValue> NewestValuesOf(std::span<const ShownPane> panes);

} // namespace quorex::chart

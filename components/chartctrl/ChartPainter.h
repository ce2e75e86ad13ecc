#pragma once

#include "ChartPlan.h"

class QPainter;

namespace quorex::chart {

// Paints a plan over its bounds; the painter's state is restored on return.
void PaintChart(QPainter& painter, const ChartPlan& plan);

} // namespace quorex::chart

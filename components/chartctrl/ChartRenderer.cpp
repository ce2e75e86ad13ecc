#include "ChartRenderer.h"

#include "ChartPainter.h"
#include "ChartPlanner.h"

namespace quorex::chart {

void RenderChart(QPainter& painter, const QRect& bounds, const ChartScene& scene)
{
    PaintChart(painter, PlanChart(bounds, scene));
}

} // namespace quorex::chart

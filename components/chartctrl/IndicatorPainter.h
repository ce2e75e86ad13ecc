#pragma once

#include "ChartPlan.h"

class QPainter;

namespace quorex::chart {

// The cloud between 先行スパン1 and 2: up tint where span 1 >= span 2, down tint elsewhere,
// split where the spans cross.
void DrawCloud(QPainter& painter, const ChartStyle& style, const PanePlan& pane);

// Lines through the centres of the bars that have a value.
void DrawPlotLines(QPainter& painter, const PanePlan& pane, double penWidth);

// The MACD histogram from the zero line, in the volume colours of rising and falling.
void DrawHistogram(QPainter& painter, const ChartStyle& style, const PanePlan& pane);

// Guide levels (30 and 70, the zero line) across the pane, dotted.
void DrawLevels(QPainter& painter, const ChartStyle& style, const PanePlan& pane,
                const QRect& rect);

} // namespace quorex::chart

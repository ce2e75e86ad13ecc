#pragma once

#include "AxisTicks.h"
#include "ChartLayout.h"
#include "SlotMapper.h"
#include "TimeAxis.h"
#include "ValueMapper.h"

#include <QColor>
#include <QRect>

#include <vector>

class QPainter;

namespace quorex::chart {

// Guide lines inside a pane (its frame excluded): one row per tick, one column per mark.
void DrawGuides(QPainter& painter, const QColor& color, const QRect& pane,
                const ValueMapper& values, const AxisTicks& ticks, const SlotMapper& columns,
                const std::vector<TimeMark>& marks);

// The border of every framed run of panes and the lines between its panes.
void DrawFrames(QPainter& painter, const QColor& color, const ChartLayout& layout);

} // namespace quorex::chart

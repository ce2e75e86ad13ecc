#pragma once

#include "AxisTicks.h"
#include "SlotMapper.h"
#include "TimeAxis.h"
#include "ValueMapper.h"

#include <QColor>
#include <QRect>
#include <QStringList>

#include <vector>

class QFontMetrics;
class QPainter;

namespace quorex::chart {

// Guide lines inside a pane (its frame excluded): one row per tick, one column per mark.
void DrawGuides(QPainter& painter, const QColor& color, const QRect& pane,
                const ValueMapper& values, const AxisTicks& ticks, const SlotMapper& columns,
                const std::vector<TimeMark>& marks);

// Tick labels in the axis column, each centred on its tick row. A label that would
// leave its pane is dropped, so labels of neighbouring panes never meet.
void DrawValueLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& axis,
                     const QRect& pane, const ValueMapper& values, const AxisTicks& ticks,
                     const QStringList& labels);

// Date labels starting at their boundary; one that would touch the previous label or
// cross the right edge is dropped.
void DrawTimeLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& axis,
                    const SlotMapper& columns, const std::vector<TimeMark>& marks);

// The plot's border and the lines between panes.
void DrawFrames(QPainter& painter, const QColor& color, const QRect& plot,
                const std::vector<QRect>& panes);

} // namespace quorex::chart

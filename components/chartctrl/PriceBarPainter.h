#pragma once

#include "ChartStyle.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "ValueMapper.h"

class QPainter;

namespace quorex::chart {

// Open-high-low-close bars: a line from high to low on the bar's centre, the open a tick
// to its left, the close a tick to its right; coloured by close >= open.
void DrawPriceBars(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                   const SlotMapper& columns, const ValueMapper& values);

// A line through the closes, in the text colour.
void DrawCloseLine(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                   const SlotMapper& columns, const ValueMapper& values, double penWidth);

} // namespace quorex::chart

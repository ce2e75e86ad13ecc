#pragma once

#include "ChartStyle.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "ValueMapper.h"

class QPainter;

namespace quorex::chart {

// Candlesticks of the shown bars: a 1-pixel wick from the high to the body and from the
// body to the low, the body between open and close, coloured by close >= open.
// Drawn on whole pixels, so edges stay sharp at any size.
void DrawCandles(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                 const SlotMapper& columns, const ValueMapper& values);

// Volume bars from zero, coloured like their candles.
void DrawVolumeBars(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                    const SlotMapper& columns, const ValueMapper& values);

} // namespace quorex::chart

#pragma once

#include "ChartStyle.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "ValueMapper.h"

#include <QRect>

#include <optional>

class QPainter;

namespace quorex::chart {

// Where one candle goes: a 1-pixel wick from the high to the low, on the body's column
// Centre, and the body between open and close. On whole pixels, so edges stay sharp.
struct CandleShape {
    QRect wick;
    QRect body;
    bool rising = false;   // close >= open
};

// The candle of shown bar `index`; nothing for a bar with non-finite prices.
std::optional<CandleShape> ShapeOfCandle(const SeriesWindow& window, int index,
                                         const SlotMapper& columns, const ValueMapper& values);

// Candlesticks of the shown bars, coloured by close >= open.
void DrawCandles(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                 const SlotMapper& columns, const ValueMapper& values);

// Volume bars from zero, as wide as the bodies and coloured like their candles.
void DrawVolumeBars(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                    const SlotMapper& columns, const ValueMapper& values);

} // namespace quorex::chart

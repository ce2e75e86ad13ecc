#pragma once

#include "ChartStyle.h"

#include <QRect>

class QPainter;

namespace quorex::chart {

// The control's horizontal scroll bar: arrow buttons at both ends and a thumb whose size
// and place show which of `total` bars are shown (`first`, `count`). Drawn only; a
// thumbnail cannot be scrolled.
void DrawScrollBar(QPainter& painter, const ChartStyle& style, const QRect& bar, int total,
                   int first, int count);

} // namespace quorex::chart

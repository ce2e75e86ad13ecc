#pragma once

#include "ChartStyle.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "ValueMapper.h"

#include <QRect>

#include <vector>

class QFontMetrics;
class QPainter;

namespace quorex::chart {

// One line per moving average through the centres of the bars that have a value.
void DrawMovingAverages(QPainter& painter, const ChartStyle& style,
                        const std::vector<std::vector<double>>& averages,
                        const SlotMapper& columns, const ValueMapper& values, double penWidth);

// The highest high and the lowest low with their values beside them, kept inside `pane`.
void DrawExtremes(QPainter& painter, const ChartStyle& style, const QFontMetrics& metrics,
                  const SeriesWindow& window, const SlotMapper& columns,
                  const ValueMapper& values, const QRect& pane, int decimals);

// "MA5 MA25 MA75" in the lines' colours, right-aligned in `band`.
void DrawLegend(QPainter& painter, const ChartStyle& style, const QFontMetrics& metrics,
                const std::vector<int>& periods, const QRect& band);

// The baseline that centres a line of text on row `y`.
int BaselineForCentre(const QFontMetrics& metrics, int y);

} // namespace quorex::chart
